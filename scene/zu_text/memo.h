#pragma once
// TzuMemo is the multi-line text editor: a scroll box whose content is its text, kept as a
// list of lines with a layout cache per line (its width, and where word wrap breaks it), so
// an edit re-measures only the lines it touched and painting draws only the visible rows.
// It owns its lines, its undo history, its font and brushes; the scroll bars, viewport and
// brush parts come from its style. The caret lives in the scrolled content, so it scrolls
// and clips with the text. TzuHudMemo differs only by its style.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/event.h"
#include "platform/core/utf.h"
#include "scene/zu_controls/scroll_box.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/font.h"
#include "scene/zu_scene/types/wide_strings.h"
#include "scene/zu_text/text_menu.h"
#include "scene/zu_text/text_undo.h"

namespace zu {

class TzuMemo;

// A place in a memo's text: a line and the UTF-16 units before it in that line.
struct TzuMemoPos {
    int line = 0;
    int col = 0;
    auto operator<=>(const TzuMemoPos&) const = default;
};

// The memo's lines as a string list, for streaming ("Lines") and for callers that edit
// line by line. It holds no text of its own; the memo owns it.
class TzuMemoLines : public TzuWideStrings {
    ZU_CLASS(TzuMemoLines)
public:
    explicit TzuMemoLines(TzuMemo* memo = nullptr) : m_memo(memo) {}
    int Count() const override;
    std::u16string Get(int index) const override;
    void Put(int index, const std::u16string& s) override;
    void Clear() override;
    void Delete(int index) override;
    void Insert(int index, const std::u16string& s) override;

protected:
    void SetUpdateState(bool updating) override;

private:
    void Changed();

    TzuMemo* m_memo;
};

class TzuMemo : public TzuScrollBox {
    ZU_CLASS(TzuMemo)
public:
    explicit TzuMemo(TzuComponent* owner);
    ~TzuMemo() override;

    // ---- Published ----
    TzuWideStrings* Lines() const { return const_cast<TzuMemoLines*>(&m_linesView); }
    // The lines joined with "\n". Setting it reads "\r\n", "\r" and "\n" as line breaks,
    // empties the undo history and puts the caret at the start.
    std::u16string Text() const;
    void SetText(const std::u16string& value);
    // The same from UTF-8 (a string literal, a std::string); broken sequences show as U+FFFD.
    void SetText(std::string_view utf8) { SetText(Utf8ToUtf16(utf8)); }
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool WantTabs() const { return m_wantTabs; }
    void SetWantTabs(bool value) { m_wantTabs = value; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    // 0 = unlimited; counted in UTF-16 units, a line break counting one.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value) { m_maxLength = value < 0 ? 0 : value; }
    TzuFont* Font() const { return const_cast<TzuFont*>(&m_font); }
    // Fired by Change: when the focus leaves after an edit.
    TzuNotifyEvent& OnChange() { return m_onChange; }
    // Fired after every change of the text.
    TzuNotifyEvent& OnChangeTracking() { return m_onChangeTracking; }

    // ---- Text ----
    int LineCount() const { return int(m_lines.size()); }
    const std::u16string& Line(int index) const { return m_lines[size_t(index)].text; }
    // UTF-16 units of the whole text, line breaks included.
    int TextLength() const { return m_length; }
    // Flat offsets into Text() and back; both clamp.
    int OffsetOf(TzuMemoPos pos);
    TzuMemoPos PosOf(int offset);

    // ---- Caret and selection ----
    TzuMemoPos CaretPos() const { return m_caret; }
    TzuMemoPos SelAnchor() const { return m_anchor; }
    // Moves the caret; with extend the anchor stays and the selection runs between them.
    void SetCaretPosition(TzuMemoPos pos, bool extend = false);
    bool HasSelection() const { return m_anchor != m_caret; }
    TzuMemoPos SelStart() const { return std::min(m_anchor, m_caret); }
    TzuMemoPos SelEnd() const { return std::max(m_anchor, m_caret); }
    std::u16string SelectedText() const;
    void SelectAll();

    // ---- Editing (the user's commands; ReadOnly refuses those that change the text) ----
    // Replaces the selection by text; dropped whole when it would pass MaxLength.
    void InsertText(std::u16string_view text);
    void DeleteSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const { return m_undo.CanUndo(); }
    bool CanRedo() const { return m_undo.CanRedo(); }
    void Undo();
    void Redo();
    // Updates the data binding and fires OnChange when the text changed since focus entry.
    void Change();
    bool Modified() const { return m_changed; }

    // ---- Layout (content coordinates: the text's top-left corner is at (0,0)) ----
    float LineHeight();
    // The caret's box for a position, in content coordinates.
    TzuRect CharRect(TzuMemoPos pos);
    // The position nearest to a point in content coordinates.
    TzuMemoPos PosAtPoint(float x, float y);
    // Scrolls just enough to show the caret.
    void ScrollToCaret();

    // ---- Overrides ----
    TzuRect ContentBounds() override;
    void PaintContent(TzuCanvas* canvas, const TzuRect& r) override;
    void Realign() override;
    void Loaded() override;
    // Enter, the arrows and (with WantTabs) Tab stay with a focused memo.
    bool WantsKey(uint16_t key, TzuShiftState shift);
    void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void ContextMenu(const TzuPoint& screen) override;
    // Text the input method commits goes in as one insertion.
    bool CommitText(const std::u16string& text) override;
    // The input method's composition, drawn underlined at the caret until it commits.
    void SetPreedit(const std::u16string& text, int cursor) override;
    void EnterFocus() override;
    void KillFocus() override;
    TzuRect CaretRect() override;
    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;

private:
    friend class TzuMemoLines;
    // One line of text with its layout cache.
    struct LineData {
        std::u16string text;
        float width = -1;         // unwrapped width; -1 until measured
        float wrapWidth = -1;     // the width breaks was made for; -1 when stale
        std::vector<int> breaks;  // where wrapped rows after the first start
    };

    // ---- Editing core ----
    // Replaces the text between two positions without undo or notification; returns the
    // end of the inserted text.
    TzuMemoPos ReplaceRaw(TzuMemoPos from, TzuMemoPos to, std::u16string_view text);
    // An edit by the user: recorded for undo, caret after the insertion, notified.
    void Edit(TzuMemoPos from, TzuMemoPos to, std::u16string_view text, TzuTextEditKind kind);
    void ApplyUndoStep(const TzuTextEdit& step, bool undo);
    TzuTextSelection SelectionState();
    void RestoreSelection(const TzuTextSelection& s);
    std::u16string TextBetween(TzuMemoPos from, TzuMemoPos to) const;
    // Lines changed from outside (Lines, Text): the history no longer fits the text.
    void ResetLines(std::vector<std::u16string> lines);
    void TextChanged();
    void LinesTouched(int first);
    void AfterEdit(bool sizeMayChange);

    // ---- Cursor steps and words ----
    TzuMemoPos NextStop(TzuMemoPos p) const;
    TzuMemoPos PrevStop(TzuMemoPos p) const;
    TzuMemoPos NextWord(TzuMemoPos p) const;
    TzuMemoPos PrevWord(TzuMemoPos p) const;
    void SelectWordAt(TzuMemoPos p);

    // ---- Layout caches ----
    float Measure(std::u16string_view s);
    void LayoutLine(int index);
    void EnsureRows();
    int RowCount(int index);
    int RowStartOf(int index);
    int TotalRows();
    // The row of a position and the line and column where a row starts.
    int RowOf(TzuMemoPos p);
    TzuMemoPos RowStartPos(int row);
    TzuMemoPos RowEndPos(int row);
    float MaxLineWidth();
    float WrapWidth();
    void InvalidateLayout();
    void UpdateCaret();
    void MoveVertically(int rows, bool extend);

    // ---- Input ----
    void HandleKey(uint16_t& key, TzuShiftState shift);
    void HandleChar(char16_t& ch, TzuShiftState shift);
    void RunCommand(TzuTextCommand command);
    // The selected text becomes the desktop's primary selection.
    void SelectionChanged();
    void PastePrimaryAt(float x, float y);

    std::vector<LineData> m_lines{1};
    TzuMemoLines m_linesView{this};
    std::vector<int> m_rowStart{0};  // first row of each line, valid below m_rowsValid
    std::vector<int> m_offStart{0};  // flat offset of each line, valid below m_offValid
    int m_rowsValid = 0;
    int m_offValid = 0;
    float m_maxWidth = 0;
    bool m_maxWidthStale = true;
    std::vector<int> m_unmeasured;  // edited lines the widest width has not seen yet
    float m_lineHeight = 0;
    float m_layoutWrapWidth = -1;
    int m_length = 0;

    TzuMemoPos m_caret;
    TzuMemoPos m_anchor;
    float m_goalX = -1;  // the x Up and Down keep to; -1 = the caret's own
    TzuTextUndo m_undo;
    std::u16string m_preedit;
    int m_preeditCursor = 0;
    std::unique_ptr<TzuTextMenu> m_menu;
    TzuFont m_font;
    TzuBrush m_foreground{zuBrushSolid, 0xFF000000};
    TzuBrush m_selection{zuBrushSolid, 0x802A8ADF};
    TzuNotifyEvent m_onChange;
    TzuNotifyEvent m_onChangeTracking;
    int m_maxLength = 0;
    bool m_wordWrap = false;
    bool m_wantTabs = false;
    bool m_readOnly = false;
    bool m_changed = false;
    bool m_pressed = false;
    bool m_swallowUndoChar = false;
    bool m_inRealign = false;
};

class TzuHudMemo : public TzuMemo {
    ZU_CLASS(TzuHudMemo)
public:
    explicit TzuHudMemo(TzuComponent* owner);
};

}  // namespace zu
