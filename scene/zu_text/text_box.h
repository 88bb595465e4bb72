#pragma once
// TzuTextBox is the single-line text editor: caret, selection by keys and mouse, the
// clipboard and the desktop's primary selection, a context menu, password masking, a
// character filter and a length limit. Its look is the style's; the text itself is drawn
// into the style's "content" part, whose painter the box makes itself (the box owns the
// style, so the part never outlives it). The box owns its font, brushes, context menu and
// the text of an input method's composition in progress.

#include <memory>
#include <string>
#include <string_view>

#include "platform/core/event.h"
#include "platform/core/utf.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/graphics/font.h"
#include "scene/zu_scene/tree/content.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_text/text_undo.h"

namespace zu {

class TzuTextMenu;
enum class TzuTextCommand;

class TzuTextBox : public TzuControl, public IzuContentPainter {
    ZU_CLASS(TzuTextBox)
public:
    explicit TzuTextBox(TzuComponent* owner);
    ~TzuTextBox() override;

    // ---- Published ----
    const std::u16string& Text() const { return m_text; }
    void SetText(const std::u16string& value);
    // The same from UTF-8 (a string literal, a std::string); broken sequences show as U+FFFD.
    void SetText(std::string_view utf8) { SetText(Utf8ToUtf16(utf8)); }
    TzuFont* Font() const { return const_cast<TzuFont*>(&m_font); }
    void SetFont(const TzuFont& value) { m_font.Assign(value); }
    TzuTextAlign TextAlign() const { return m_textAlign; }
    void SetTextAlign(TzuTextAlign value);
    bool Password() const { return m_password; }
    void SetPassword(bool value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    bool ShowCaret() const { return m_showCaret; }
    void SetShowCaret(bool value);
    bool CanFocused() const { return CanFocus(); }
    void SetCanFocused(bool value) { SetCanFocus(value); }
    TzuNotifyEvent& OnChange() { return m_onChange; }
    TzuNotifyEvent& OnChangeTracking() { return m_onChangeTracking; }
    TzuNotifyEvent& OnTyping() { return m_onTyping; }

    // ---- Editing state ----
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value) { m_maxLength = value < 0 ? 0 : value; }
    const std::u16string& FilterChars() const { return m_filterChars; }
    void SetFilterChars(const std::u16string& value) { m_filterChars = value; }
    int CaretPosition() const { return m_caretPos; }
    // Moves the caret (clamped, and never inside a character), scrolls it into view and
    // places the caret shape; the selection is left as it is.
    void SetCaretPosition(int pos);
    // Signed: positive when the selection runs forward from the anchor.
    int SelAnchor() const { return m_selAnchor; }
    int SelLength() const { return m_selLength; }
    int SelStart() const;
    int SelExtent() const { return m_selLength < 0 ? -m_selLength : m_selLength; }
    std::u16string SelText() const;
    // Sets the selection by its start and (unsigned) length, clamped to the text, and puts
    // the caret at its end.
    void Select(int start, int length);
    void ClearSelection();
    // 1-based index of the first character drawn.
    int FirstVisible() const { return m_firstVisible; }
    bool Changed() const { return m_changed; }
    void SetChanged(bool value) { m_changed = value; }

    // ---- Operations ----
    void SelectAll();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void DeleteSelection();
    // Replaces the selection by text at the selection start; dropped whole when ReadOnly or
    // when the result would be longer than MaxLength.
    void InsertText(const std::u16string& text);
    // Updates the binding and fires OnChange when the text changed since the focus came.
    virtual void Change();
    // Takes back the last edit, or makes the last one taken back again; nothing on a
    // ReadOnly box. Typing of one word and runs of one deletion key are one step.
    void Undo();
    void Redo();
    bool CanUndo() const { return m_undo.CanUndo(); }
    bool CanRedo() const { return m_undo.CanRedo(); }

    // ---- Geometry of the text ----
    // The area the text is drawn in, in the box's local coordinates: the content part's
    // box, else the box itself.
    TzuRect TextArea();
    // The x (local) of a caret position, and the caret position nearest to an x.
    float PosToX(int pos);
    int XToPos(float x);
    TzuRect CaretRect() override;
    // Composition text of an input method, shown underlined at the caret until committed.
    const std::u16string& Preedit() const { return m_preedit; }
    void SetPreedit(const std::u16string& text, int cursor) override;
    bool CommitText(const std::u16string& text) override;

    // ---- Input ----
    void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void DblClick() override;
    void ContextMenu(const TzuPoint& screen) override;
    void EnterFocus() override;
    void KillFocus() override;
    // The context menu the box shows (made on first use).
    TzuTextMenu* Menu();
    void RunCommand(TzuTextCommand command);

    TzuVariant GetData() override { return m_text; }
    void SetData(const TzuVariant& value) override;
    void PaintContent(TzuContent& content) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    void Paint() override;
    // Typing a character that passed the filter; number boxes read keys before this.
    virtual void TypeChar(char16_t ch);
    void FireTyping();
    // The text shown for measuring and drawing: the text with the composition in place.
    std::u16string DisplayText() const;
    // Rescrolls so the caret is in view and moves the caret shape to it.
    void CaretMoved();
    float FontSize() const { return m_font.Size(); }
    // Drawn over the text after it, unclipped; offset is the box point at the canvas origin.
    virtual void PaintOver(TzuCanvas& /*canvas*/, const TzuPoint& /*offset*/) {}
    TzuBrush* ForegroundBrush() { return &m_foreground; }

private:
    // Replaces count units at start by text, the one way the text changes by editing.
    void ReplaceRange(int start, int count, const std::u16string& text, int caretAfter,
                      TzuTextEditKind kind = zuEditOther);
    void ApplyUndoStep(const TzuTextEdit& step, bool undo);
    void InsertTextAs(const std::u16string& text, TzuTextEditKind kind);
    void DeleteBackOrForward(bool forward);
    void MoveCaretByKey(uint16_t key, TzuShiftState shift);
    int WordBoundary(int pos, bool forward) const;
    void PastePrimaryAt(float x);
    void SelectionChanged();
    void ScrollToCaret();
    float MeasureWidth(std::u16string_view text);
    // The whole text's width when it might fit the area; very long texts never do.
    float WholeWidth();
    // How many units from the first visible one can show in the area at most.
    int VisibleUnits(float areaWidth) const;
    TzuContent* ContentPart() const { return m_content; }
    void UnhookContent();
    // Draws the text into content, or over the box itself when there is none.
    void PaintText(TzuContent* content);

    std::u16string m_text;
    std::u16string m_filterChars;
    std::u16string m_preedit;
    TzuFont m_font;
    TzuBrush m_foreground{zuBrushSolid, 0xFF000000};
    TzuBrush m_selection{zuBrushSolid, 0x802A8ADF};
    TzuNotifyEvent m_onChange, m_onChangeTracking, m_onTyping;
    std::unique_ptr<TzuTextMenu> m_menu;
    TzuTextUndo m_undo;
    TzuContent* m_content = nullptr;
    int m_caretPos = 0;
    int m_selAnchor = 0;
    int m_selLength = 0;
    int m_firstVisible = 1;
    int m_maxLength = 0;
    int m_preeditCursor = 0;
    // The whole text's width, or below 0 when it must be measured again.
    float m_wholeWidth = -1;
    char16_t m_pendingHigh = 0;
    TzuTextAlign m_textAlign = zuTextAlignNear;
    bool m_password = false;
    bool m_readOnly = false;
    bool m_showCaret = true;
    bool m_changed = false;
    bool m_pressed = false;
    // Ctrl+Shift+Z also arrives as the undo character without its Shift; that one is not
    // an undo.
    bool m_swallowUndoChar = false;
    // While set, SetText is an edit of the box's own, not a text set from outside.
    bool m_editing = false;
};

class TzuRoundTextBox : public TzuTextBox {
    ZU_CLASS(TzuRoundTextBox)
public:
    using TzuTextBox::TzuTextBox;
};

class TzuHudTextBox : public TzuTextBox {
    ZU_CLASS(TzuHudTextBox)
public:
    using TzuTextBox::TzuTextBox;
};

class TzuHudRoundTextBox : public TzuTextBox {
    ZU_CLASS(TzuHudRoundTextBox)
public:
    using TzuTextBox::TzuTextBox;
};

}  // namespace zu
