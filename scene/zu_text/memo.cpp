#include "scene/zu_text/memo.h"

#include <algorithm>
#include <utility>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "platform/core/variant.h"
#include "scene/zu_scene/tree/access_notify.h"
#include "scene/zu_scene/tree/brush_object.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {

// Splits text at "\r\n", "\r" and "\n"; there is always at least one line.
std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

}  // namespace

// ---- TzuMemoLines ----

const TzuClass& TzuMemoLines::StaticClass() {
    static const TzuClass cls = ZuClass<TzuMemoLines, TzuWideStrings>("TzuMemoLines");
    return cls;
}

int TzuMemoLines::Count() const {
    if (!m_memo) return 0;
    // An empty memo has one empty line to hold the caret, but no lines to list.
    if (m_memo->m_lines.size() == 1 && m_memo->m_lines[0].text.empty()) return 0;
    return m_memo->LineCount();
}

std::u16string TzuMemoLines::Get(int index) const {
    if (index < 0 || index >= Count()) IndexError();
    return m_memo->m_lines[size_t(index)].text;
}

void TzuMemoLines::Put(int index, const std::u16string& s) {
    if (index < 0 || index >= Count()) IndexError();
    const int len = int(m_memo->Line(index).size());
    m_memo->ReplaceRaw({index, 0}, {index, len}, SplitLines(s).front());
    Changed();
}

void TzuMemoLines::Clear() {
    if (m_memo) m_memo->ResetLines({});
}

void TzuMemoLines::Delete(int index) {
    if (index < 0 || index >= Count()) IndexError();
    const int count = Count();
    if (count == 1) {
        m_memo->ResetLines({});
        return;
    }
    if (index < count - 1)
        m_memo->ReplaceRaw({index, 0}, {index + 1, 0}, u"");
    else
        m_memo->ReplaceRaw({index - 1, int(m_memo->Line(index - 1).size())},
                           {index, int(m_memo->Line(index).size())}, u"");
    Changed();
}

void TzuMemoLines::Insert(int index, const std::u16string& s) {
    if (index < 0 || index > Count()) IndexError();
    if (!m_memo) return;
    std::u16string line = SplitLines(s).front();
    if (Count() == 0) {
        std::vector<std::u16string> lines;
        lines.push_back(std::move(line));
        m_memo->ResetLines(std::move(lines));
        return;
    }
    // Lines go in through the editing core, which keeps the layout of all other lines, so
    // filling a memo line by line costs what the lines cost.
    if (index == Count()) {
        const TzuMemoPos end{index - 1, int(m_memo->Line(index - 1).size())};
        m_memo->ReplaceRaw(end, end, u"\n" + line);
    } else {
        m_memo->ReplaceRaw({index, 0}, {index, 0}, line + u"\n");
    }
    Changed();
}

void TzuMemoLines::Changed() {
    // Edits by line leave the history behind: its positions no longer fit the text.
    m_memo->m_undo.Clear();
    if (UpdateCount() == 0) m_memo->TextChanged();
}

void TzuMemoLines::SetUpdateState(bool updating) {
    if (!updating && m_memo) m_memo->TextChanged();
}

// ---- TzuMemo ----

const TzuClass& TzuMemo::StaticClass() {
    using P = ZuProps<TzuMemo>;
    using M = TzuMemo;
    static const TzuPropInfo props[] = {
        P::Object<&M::Font>("Font"),
        P::Object<&M::Lines>("Lines"),
        P::WString<&M::Text, static_cast<void (M::*)(const std::u16string&)>(&M::SetText)>("Text")
            .NotStored(),
        P::Bool<&M::WordWrap, &M::SetWordWrap>("WordWrap").Default(0),
        P::Bool<&M::WantTabs, &M::SetWantTabs>("WantTabs").Default(0),
        P::Bool<&M::ReadOnly, &M::SetReadOnly>("ReadOnly").Default(0),
        P::Int<&M::MaxLength, &M::SetMaxLength>("MaxLength").Default(0),
        P::Event<&M::OnChange>("OnChange"),
        P::Event<&M::OnChangeTracking>("OnChangeTracking"),
    };
    static const TzuClass cls = ZuClass<TzuMemo, TzuScrollBox>("TzuMemo", props);
    return cls;
}

TzuMemo::TzuMemo(TzuComponent* owner) : TzuScrollBox(owner) {
    SetWidth(185);
    SetHeight(89);
    SetCanFocus(true);
    SetCursor(cursors::crIBeam);
    m_font.OnChange().Set([this](TzuPersistent*) {
        InvalidateLayout();
        Realign();
    });
}

TzuMemo::~TzuMemo() = default;

std::u16string TzuMemo::Text() const {
    std::u16string s;
    s.reserve(size_t(m_length));
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0) s += u'\n';
        s += m_lines[i].text;
    }
    return s;
}

void TzuMemo::SetText(const std::u16string& value) {
    if (value == Text()) return;
    ResetLines(SplitLines(value));
}

void TzuMemo::ResetLines(std::vector<std::u16string> lines) {
    if (lines.empty()) lines.emplace_back();
    m_lines.clear();
    m_lines.resize(lines.size());
    m_length = int(lines.size()) - 1;
    for (size_t i = 0; i < lines.size(); ++i) {
        m_length += int(lines[i].size());
        m_lines[i].text = std::move(lines[i]);
    }
    m_undo.Clear();
    m_caret = m_anchor = {};
    m_goalX = -1;
    LinesTouched(0);
    m_maxWidthStale = true;
    if (m_linesView.UpdateCount() == 0) TextChanged();
}

void TzuMemo::TextChanged() {
    const TzuMemoPos end{LineCount() - 1, int(m_lines.back().text.size())};
    auto clamp = [&](TzuMemoPos p) {
        p = std::min(p, end);
        p.col = std::min(p.col, int(m_lines[size_t(p.line)].text.size()));
        return p;
    };
    m_caret = clamp(m_caret);
    m_anchor = clamp(m_anchor);
    m_changed = true;
    NotifyAccess(this, TzuAccessChange::Text);
    TzuObjectGuard guard(this);
    if (!IsLoading() && m_onChangeTracking) m_onChangeTracking(this);
    if (!guard.Alive()) return;
    AfterEdit(true);
}

void TzuMemo::SetWordWrap(bool value) {
    if (value == m_wordWrap) return;
    m_wordWrap = value;
    InvalidateLayout();
    Realign();
}

TzuVariant TzuMemo::GetData() { return Text(); }

void TzuMemo::SetData(const TzuVariant& value) { SetText(VariantToWide(value)); }

void TzuMemo::Loaded() {
    TzuScrollBox::Loaded();
    InvalidateLayout();
    Realign();
}

void TzuMemo::ApplyStyle() {
    TzuScrollBox::ApplyStyle();
    if (auto* fg = As<TzuBrushObject>(FindResource("foreground"))) m_foreground.Assign(*fg->Brush());
    if (auto* sel = As<TzuBrushObject>(FindResource("selection"))) m_selection.Assign(*sel->Brush());
    InvalidateLayout();
    Realign();
    UpdateCaret();
}

void TzuMemo::FreeStyle() { TzuScrollBox::FreeStyle(); }

// ---- Positions ----

int TzuMemo::OffsetOf(TzuMemoPos pos) {
    pos.line = std::clamp(pos.line, 0, LineCount() - 1);
    pos.col = std::clamp(pos.col, 0, int(m_lines[size_t(pos.line)].text.size()));
    // Line offsets are summed lazily from the first line an edit touched.
    if (m_offValid <= pos.line) {
        m_offStart.resize(m_lines.size());
        for (int i = std::max(m_offValid, 1); i <= pos.line; ++i)
            m_offStart[size_t(i)] = m_offStart[size_t(i - 1)] + int(m_lines[size_t(i - 1)].text.size()) + 1;
        m_offStart[0] = 0;
        m_offValid = pos.line + 1;
    }
    return m_offStart[size_t(pos.line)] + pos.col;
}

TzuMemoPos TzuMemo::PosOf(int offset) {
    offset = std::clamp(offset, 0, m_length);
    const int last = LineCount() - 1;
    OffsetOf({last, 0});
    const auto it = std::upper_bound(m_offStart.begin(), m_offStart.begin() + last + 1, offset);
    const int line = int(it - m_offStart.begin()) - 1;
    return {line, std::min(offset - m_offStart[size_t(line)], int(m_lines[size_t(line)].text.size()))};
}

std::u16string TzuMemo::TextBetween(TzuMemoPos from, TzuMemoPos to) const {
    if (to <= from) return {};
    if (from.line == to.line)
        return m_lines[size_t(from.line)].text.substr(size_t(from.col), size_t(to.col - from.col));
    std::u16string s = m_lines[size_t(from.line)].text.substr(size_t(from.col));
    for (int i = from.line + 1; i < to.line; ++i) {
        s += u'\n';
        s += m_lines[size_t(i)].text;
    }
    s += u'\n';
    s += m_lines[size_t(to.line)].text.substr(0, size_t(to.col));
    return s;
}

std::u16string TzuMemo::SelectedText() const { return TextBetween(SelStart(), SelEnd()); }

// ---- Editing core ----

TzuMemoPos TzuMemo::ReplaceRaw(TzuMemoPos from, TzuMemoPos to, std::u16string_view text) {
    const std::u16string tail = m_lines[size_t(to.line)].text.substr(size_t(to.col));
    m_length -= OffsetOf(to) - OffsetOf(from);
    std::vector<std::u16string> parts = SplitLines(text);
    for (const auto& p : parts) m_length += int(p.size());
    m_length += int(parts.size()) - 1;
    // The first line keeps its head; the lines the range spanned give way to the new ones.
    LineData& first = m_lines[size_t(from.line)];
    first.text.resize(size_t(from.col));
    first.text += parts.front();
    const int removedLines = to.line - from.line;
    const int addedLines = int(parts.size()) - 1;
    if (removedLines > 0)
        m_lines.erase(m_lines.begin() + from.line + 1, m_lines.begin() + from.line + 1 + removedLines);
    if (addedLines > 0) {
        std::vector<LineData> added(static_cast<size_t>(addedLines));
        for (int i = 0; i < addedLines; ++i) added[size_t(i)].text = std::move(parts[size_t(i + 1)]);
        m_lines.insert(m_lines.begin() + from.line + 1, std::make_move_iterator(added.begin()),
                       std::make_move_iterator(added.end()));
    }
    const int endLine = from.line + addedLines;
    LineData& last = m_lines[size_t(endLine)];
    const int endCol = addedLines > 0 ? int(last.text.size()) : int(first.text.size());
    last.text += tail;
    // A line that was the widest and got shorter or went away leaves the width unknown.
    for (int i = from.line; i <= endLine; ++i) {
        if (m_lines[size_t(i)].width >= m_maxWidth) m_maxWidthStale = true;
        m_lines[size_t(i)].width = -1;
        m_lines[size_t(i)].wrapWidth = -1;
    }
    // Lines that moved leave the remembered unmeasured lines behind: measure them all.
    if (removedLines > 0 || addedLines > 0) m_maxWidthStale = true;
    if (!m_maxWidthStale && !m_wordWrap) m_unmeasured.push_back(from.line);
    // Edits while nothing lays the memo out (off a scene) do not pile up.
    if (m_unmeasured.size() > 64) {
        m_maxWidthStale = true;
        m_unmeasured.clear();
    }
    LinesTouched(from.line);
    return {endLine, endCol};
}

void TzuMemo::LinesTouched(int first) {
    m_rowsValid = std::min(m_rowsValid, first + 1);
    m_offValid = std::min(m_offValid, first + 1);
    m_rowStart.resize(m_lines.size() + 1);
    m_offStart.resize(m_lines.size());
}

TzuTextSelection TzuMemo::SelectionState() {
    const int caret = OffsetOf(m_caret), anchor = OffsetOf(m_anchor);
    return {caret, anchor, caret - anchor};
}

void TzuMemo::RestoreSelection(const TzuTextSelection& s) {
    m_anchor = PosOf(s.anchor);
    m_caret = PosOf(s.caret);
}

void TzuMemo::Edit(TzuMemoPos from, TzuMemoPos to, std::u16string_view text, TzuTextEditKind kind) {
    TzuTextEdit step;
    step.before = SelectionState();
    step.position = OffsetOf(from);
    step.removed = TextBetween(from, to);
    step.inserted = text;
    m_caret = m_anchor = ReplaceRaw(from, to, text);
    m_goalX = -1;
    step.after = SelectionState();
    m_undo.Record(std::move(step), kind);
    TextChanged();
}

void TzuMemo::InsertText(std::u16string_view text) {
    if (m_readOnly) return;
    const TzuMemoPos from = SelStart(), to = SelEnd();
    // Line breaks of any convention become the memo's own.
    const auto parts = SplitLines(text);
    std::u16string clean;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) clean += u'\n';
        clean += parts[i];
    }
    if (clean.empty() && from == to) return;
    if (m_maxLength > 0) {
        const int after = m_length - (OffsetOf(to) - OffsetOf(from)) + int(clean.size());
        if (after > m_maxLength && after > m_length) return;
    }
    const bool typing = clean.size() <= 2 && clean.find(u'\n') == std::u16string::npos;
    Edit(from, to, clean, typing ? zuEditTyping : zuEditOther);
}

void TzuMemo::DeleteSelection() {
    if (m_readOnly || !HasSelection()) return;
    Edit(SelStart(), SelEnd(), u"", zuEditOther);
}

void TzuMemo::SelectAll() {
    m_anchor = {};
    SetCaretPosition({LineCount() - 1, int(m_lines.back().text.size())}, true);
}

void TzuMemo::ApplyUndoStep(const TzuTextEdit& step, bool undo) {
    const TzuMemoPos from = PosOf(step.position);
    const std::u16string& out = undo ? step.inserted : step.removed;
    const std::u16string& in = undo ? step.removed : step.inserted;
    const TzuMemoPos to = PosOf(step.position + int(out.size()));
    ReplaceRaw(from, to, in);
    RestoreSelection(undo ? step.before : step.after);
    m_goalX = -1;
    TextChanged();
}

void TzuMemo::Undo() {
    if (m_readOnly) return;
    if (const TzuTextEdit* step = m_undo.Undo()) ApplyUndoStep(*step, true);
}

void TzuMemo::Redo() {
    if (m_readOnly) return;
    if (const TzuTextEdit* step = m_undo.Redo()) ApplyUndoStep(*step, false);
}

void TzuMemo::Change() {
    if (!m_changed) return;
    TzuObjectGuard guard(this);
    PushBindingValue();
    if (guard.Alive() && m_onChange) m_onChange(this);
}

// ---- TzuHudMemo ----

const TzuClass& TzuHudMemo::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudMemo, TzuMemo>("TzuHudMemo");
    return cls;
}

TzuHudMemo::TzuHudMemo(TzuComponent* owner) : TzuMemo(owner) {}

}  // namespace zu
