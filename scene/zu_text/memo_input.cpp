// The memo's keyboard, mouse, focus and clipboard handling.

#include <algorithm>
#include <cmath>

#include "platform/core/application.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_text/memo.h"

namespace zu {

void TzuMemo::SetCaretPosition(TzuMemoPos pos, bool extend) {
    pos.line = std::clamp(pos.line, 0, LineCount() - 1);
    pos.col = std::clamp(pos.col, 0, int(m_lines[size_t(pos.line)].text.size()));
    const bool selectionBefore = HasSelection();
    m_caret = pos;
    m_goalX = -1;
    if (!extend) m_anchor = pos;
    // Any caret move ends the word being typed: the next typing is an undo step of its own.
    m_undo.Break();
    ScrollToCaret();
    UpdateCaret();
    if (selectionBefore || HasSelection()) Repaint();
    if (HasSelection()) SelectionChanged();
}

void TzuMemo::MoveVertically(int rows, bool extend) {
    if (m_goalX < 0) m_goalX = CharRect(m_caret).Left;
    const float lh = LineHeight();
    const int row = std::clamp(RowOf(m_caret) + rows, 0, TotalRows() - 1);
    const float goal = m_goalX;
    SetCaretPosition(PosAtPoint(goal, (row + 0.5f) * lh), extend);
    m_goalX = goal;
}

bool TzuMemo::WantsKey(uint16_t key, TzuShiftState shift) {
    switch (key) {
        case keys::Enter: return !(shift & (ssCtrl | ssAlt));
        case keys::Tab: return m_wantTabs && !(shift & (ssCtrl | ssAlt));
        case keys::Left:
        case keys::Right:
        case keys::Up:
        case keys::Down:
        case keys::Home:
        case keys::End: return true;
        default: return false;
    }
}

void TzuMemo::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    TzuObjectGuard guard(this);
    TzuScrollBox::KeyDown(key, keyChar, shift);
    if (!guard.Alive() || IsSceneDesigning()) return;
    if (key != 0) HandleKey(key, shift);
    if (guard.Alive() && keyChar != 0) HandleChar(keyChar, shift);
}

void TzuMemo::HandleKey(uint16_t& key, TzuShiftState shift) {
    const bool ext = shift & ssShift;
    const bool ctrl = shift & ssCtrl;
    // Ctrl+Shift+Z also arrives as the undo character without its Shift; that one is not
    // an undo.
    m_swallowUndoChar = false;
    const uint16_t k = key;
    key = 0;
    switch (k) {
        case keys::Left:
            SetCaretPosition(HasSelection() && !ext ? SelStart()
                             : ctrl                 ? PrevWord(m_caret)
                                                    : PrevStop(m_caret),
                             ext);
            break;
        case keys::Right:
            SetCaretPosition(HasSelection() && !ext ? SelEnd()
                             : ctrl                 ? NextWord(m_caret)
                                                    : NextStop(m_caret),
                             ext);
            break;
        case keys::Up: MoveVertically(-1, ext); break;
        case keys::Down: MoveVertically(1, ext); break;
        case keys::PageUp:
        case keys::PageDown: {
            const float page = Viewport() ? Viewport()->Height() : Height();
            const int rows = std::max(1, int(page / LineHeight()) - 1);
            MoveVertically(k == keys::PageUp ? -rows : rows, ext);
            break;
        }
        case keys::Home: SetCaretPosition(ctrl ? TzuMemoPos{} : RowStartPos(RowOf(m_caret)), ext); break;
        case keys::End:
            SetCaretPosition(ctrl ? TzuMemoPos{LineCount() - 1, int(m_lines.back().text.size())}
                                  : RowEndPos(RowOf(m_caret)),
                             ext);
            break;
        case keys::Enter:
            if (!(shift & (ssCtrl | ssAlt))) InsertText(u"\n");
            break;
        case keys::Tab:
            if (m_wantTabs) InsertText(u"\t");
            break;
        case keys::Backspace:
        case keys::Delete:
            if (m_readOnly) break;
            if (HasSelection()) {
                if (k == keys::Delete && shift == ssShift)
                    CutToClipboard();
                else
                    DeleteSelection();
            } else if (k == keys::Backspace) {
                const TzuMemoPos from = ctrl ? PrevWord(m_caret) : PrevStop(m_caret);
                if (from != m_caret) Edit(from, m_caret, u"", zuEditBackspace);
            } else {
                const TzuMemoPos to = ctrl ? NextWord(m_caret) : NextStop(m_caret);
                if (to != m_caret) Edit(m_caret, to, u"", zuEditDelete);
            }
            break;
        case keys::Insert:
            if (shift == ssCtrl) CopyToClipboard();
            if (shift == ssShift) PasteFromClipboard();
            break;
        case 'Z':
            if (shift == (ssCtrl | ssShift)) {
                Redo();
                m_swallowUndoChar = true;
            } else {
                key = k;  // plain Ctrl+Z comes as its character
            }
            break;
        case 'Y':
            if (shift == ssCtrl) Redo();
            break;
        default: key = k; break;
    }
}

void TzuMemo::HandleChar(char16_t& ch, TzuShiftState shift) {
    if (shift & ssCtrl) {
        const char16_t c = ch;
        ch = 0;
        switch (c) {
            case u'a': SelectAll(); break;
            case u'c': CopyToClipboard(); break;
            case u'v': PasteFromClipboard(); break;
            case u'x': CutToClipboard(); break;
            case u'z':
                if (!m_swallowUndoChar) Undo();
                m_swallowUndoChar = false;
                break;
            default: ch = c; break;
        }
        return;
    }
    // Control characters (Enter, Tab, Backspace, Escape) act through their keys.
    if (ch < 32 || ch == 127) return;
    const char16_t c = ch;
    ch = 0;
    InsertText(std::u16string_view(&c, 1));
}

// ---- Clipboard ----

void TzuMemo::CopyToClipboard() {
    if (!HasSelection() || !Application()) return;
    Application()->SetClipboardText(SelectedText());
}

void TzuMemo::CutToClipboard() {
    if (m_readOnly || !HasSelection()) return;
    CopyToClipboard();
    DeleteSelection();
}

void TzuMemo::PasteFromClipboard() {
    if (m_readOnly || !Application()) return;
    const auto text = Application()->ClipboardText();
    if (text && !text->empty()) InsertText(*text);
}

// ---- Mouse ----

void TzuMemo::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuScrollBox::MouseDown(button, shift, x, y);
    if (!guard.Alive() || IsSceneDesigning() || !Content()) return;
    if (button == mbMiddle) {
        PastePrimaryAt(x, y);
        return;
    }
    if (button != mbLeft || MouseTracking()) return;
    if (!IsFocused()) SetFocus();
    if (!guard.Alive()) return;
    const TzuPoint origin = Content()->Position()->GetPoint();
    const TzuMemoPos p = PosAtPoint(x - origin.X, y - origin.Y);
    if (shift & ssDouble) {
        SelectWordAt(p);
        return;
    }
    m_goalX = -1;
    SetCaretPosition(p, shift & ssShift);
    m_pressed = true;
}

void TzuMemo::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuScrollBox::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_pressed || !Content()) return;
    // Dragging past the edge scrolls there, since the caret is kept in view.
    const TzuPoint origin = Content()->Position()->GetPoint();
    SetCaretPosition(PosAtPoint(x - origin.X, y - origin.Y), true);
}

void TzuMemo::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuScrollBox::MouseUp(button, shift, x, y);
    if (guard.Alive() && button == mbLeft) m_pressed = false;
}

// ---- Focus ----

void TzuMemo::EnterFocus() {
    TzuObjectGuard guard(this);
    TzuScrollBox::EnterFocus();
    if (!guard.Alive() || !IsFocused()) return;
    m_changed = false;
    UpdateCaret();
    ShowCaret();
    Repaint();
}

void TzuMemo::KillFocus() {
    TzuObjectGuard guard(this);
    TzuScrollBox::KillFocus();
    if (!guard.Alive()) return;
    HideCaret();
    m_pressed = false;
    m_undo.Break();
    Change();
}

// ---- Context menu, primary selection, input method ----

void TzuMemo::ContextMenu(const TzuPoint& screen) {
    if (IsSceneDesigning()) return;
    // A menu of the form's own, when one is set, wins over the built-in one.
    if (PopupMenu()) {
        TzuScrollBox::ContextMenu(screen);
        return;
    }
    if (!m_menu) m_menu = std::make_unique<TzuTextMenu>([this](TzuTextCommand c) { RunCommand(c); });
    const TzuMemoPos end{LineCount() - 1, int(m_lines.back().text.size())};
    const bool whole = SelStart() == TzuMemoPos{} && SelEnd() == end;
    m_menu->Popup(this, screen, TextMenuState(HasSelection(), m_readOnly, false, whole));
}

void TzuMemo::RunCommand(TzuTextCommand command) {
    switch (command) {
        case TzuTextCommand::Cut: CutToClipboard(); break;
        case TzuTextCommand::Copy: CopyToClipboard(); break;
        case TzuTextCommand::Paste: PasteFromClipboard(); break;
        case TzuTextCommand::Delete: DeleteSelection(); break;
        case TzuTextCommand::SelectAll: SelectAll(); break;
    }
}

void TzuMemo::SelectionChanged() {
    if (!HasSelection() || !IsFocused()) return;
    if (TzuApplication* app = Application()) app->SetPrimaryText(SelectedText());
}

void TzuMemo::PastePrimaryAt(float x, float y) {
    if (m_readOnly || !Content() || !Application()) return;
    const auto text = Application()->PrimaryText();
    if (!text || text->empty()) return;
    const TzuPoint origin = Content()->Position()->GetPoint();
    m_caret = m_anchor = PosAtPoint(x - origin.X, y - origin.Y);
    m_undo.Break();
    InsertText(*text);
}

bool TzuMemo::CommitText(const std::u16string& text) {
    if (m_readOnly) return true;
    std::u16string accepted;
    for (char16_t c : text) {
        if (c >= 32 || c == u'\n' || (c == u'\t' && m_wantTabs)) accepted += c;
    }
    m_preedit.clear();
    if (!accepted.empty()) InsertText(accepted);
    return true;
}

void TzuMemo::SetPreedit(const std::u16string& text, int cursor) {
    if (text == m_preedit && cursor == m_preeditCursor) return;
    m_preedit = text;
    m_preeditCursor = std::clamp(cursor, 0, int(text.size()));
    UpdateCaret();
    Repaint();
}

}  // namespace zu
