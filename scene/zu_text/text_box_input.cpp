// Keys and the mouse of the text box.

#include <algorithm>

#include "scene/zu_scene/graphics/text_cursor.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_text/text_box.h"

namespace zu {

namespace {
bool IsSpace(char16_t c) { return c == u' '; }
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

int TzuTextBox::WordBoundary(int pos, bool forward) const {
    const int n = int(m_text.size());
    if (forward) {
        while (pos < n && !IsSpace(m_text[size_t(pos)])) ++pos;
        while (pos < n && IsSpace(m_text[size_t(pos)])) ++pos;
    } else {
        while (pos > 0 && IsSpace(m_text[size_t(pos - 1)])) --pos;
        while (pos > 0 && !IsSpace(m_text[size_t(pos - 1)])) --pos;
    }
    return CursorPosAtOrBefore(m_text, pos);
}

void TzuTextBox::MoveCaretByKey(uint16_t key, TzuShiftState shift) {
    // Any caret move ends the word being typed: the next typing is an undo step of its own.
    m_undo.Break();
    const int old = m_caretPos;
    const bool ctrl = (shift & ssCtrl) != 0;
    int pos = old;
    switch (key) {
        case keys::Home: pos = 0; break;
        case keys::End: pos = int(m_text.size()); break;
        case keys::Left: pos = ctrl ? WordBoundary(old, false) : PrevCursorPos(m_text, old); break;
        case keys::Right: pos = ctrl ? WordBoundary(old, true) : NextCursorPos(m_text, old); break;
        default: return;
    }
    if (shift & ssShift) {
        // The selection's far end stays where it was; the near end follows the caret.
        m_selLength += old - pos;
        m_selAnchor = pos;
        m_caretPos = pos;
        SelectionChanged();
    } else {
        m_selLength = 0;
        m_selAnchor = pos;
        m_caretPos = pos;
    }
    CaretMoved();
    Repaint();
}

void TzuTextBox::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    TzuObjectGuard guard(this);
    TzuControl::KeyDown(key, keyChar, shift);
    if (!guard.Alive()) return;
    const TzuShiftState mods = shift & (ssShift | ssCtrl | ssAlt);
    if (key != 0) m_swallowUndoChar = false;
    switch (key) {
        case 'Z':
            if (mods == (ssCtrl | ssShift)) {
                Redo();
                m_swallowUndoChar = true;
                key = 0;
            }
            return;
        case 'Y':
            if (mods == ssCtrl) {
                Redo();
                key = 0;
            }
            return;
        case keys::Backspace:
        case keys::Delete:
            if (m_readOnly) return;
            if (m_selLength != 0 && mods == ssShift)
                CutToClipboard();
            else
                DeleteBackOrForward(key == keys::Delete);
            key = 0;
            if (guard.Alive()) FireTyping();
            return;
        case keys::Enter:
            key = 0;
            Change();
            return;
        case keys::Home:
        case keys::End:
        case keys::Left:
        case keys::Right:
            MoveCaretByKey(key, shift);
            key = 0;
            return;
        case keys::Insert:
            if (mods == ssCtrl) {
                CopyToClipboard();
                key = 0;
            } else if (mods == ssShift) {
                PasteFromClipboard();
                key = 0;
                if (guard.Alive()) FireTyping();
            }
            return;
        default: break;
    }
    if (key != 0 || keyChar == 0) return;
    if (mods == ssCtrl) {
        const char16_t c = keyChar;
        keyChar = 0;
        switch (c) {
            case u'z':
                if (!m_swallowUndoChar) Undo();
                m_swallowUndoChar = false;
                break;
            case u'a': SelectAll(); break;
            case u'c': CopyToClipboard(); break;
            case u'x': CutToClipboard(); break;
            case u'v':
                PasteFromClipboard();
                if (guard.Alive()) FireTyping();
                break;
            default: break;
        }
        return;
    }
    if (keyChar < 32) return;
    const char16_t c = keyChar;
    keyChar = 0;
    TypeChar(c);
}

void TzuTextBox::TypeChar(char16_t ch) {
    if (!m_filterChars.empty() && m_filterChars.find(ch) == std::u16string::npos) return;
    if (m_readOnly) return;
    // A character beyond the basic plane arrives as two units; it is inserted whole.
    if (IsHighSurrogate(ch)) {
        m_pendingHigh = ch;
        return;
    }
    std::u16string text(1, ch);
    if (IsLowSurrogate(ch)) {
        if (!m_pendingHigh) return;
        text.insert(text.begin(), m_pendingHigh);
    }
    m_pendingHigh = 0;
    TzuObjectGuard guard(this);
    InsertTextAs(text, zuEditTyping);
    if (guard.Alive()) FireTyping();
}

bool TzuTextBox::CommitText(const std::u16string& text) {
    if (m_readOnly || text.empty()) return true;
    std::u16string accepted;
    for (char16_t c : text) {
        if (c < 32) continue;
        if (!m_filterChars.empty() && m_filterChars.find(c) == std::u16string::npos) continue;
        accepted += c;
    }
    m_preedit.clear();
    TzuObjectGuard guard(this);
    if (!accepted.empty()) InsertTextAs(accepted, zuEditTyping);
    if (!guard.Alive()) return true;
    Repaint();
    FireTyping();
    return true;
}

// ---- Mouse ----

void TzuTextBox::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || IsSceneDesigning()) return;
    if (button == mbMiddle) {
        PastePrimaryAt(x);
        return;
    }
    if (button != mbLeft || (shift & ssDouble)) return;
    m_undo.Break();
    m_caretPos = XToPos(x);
    m_selAnchor = m_caretPos;
    m_selLength = 0;
    m_pressed = true;
    Capture();
    CaretMoved();
    Repaint();
}

void TzuTextBox::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuControl::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_pressed) return;
    int pos = XToPos(x);
    // Past the right edge the selection runs on one character, which scrolls the text.
    if (x > TextArea().Right) pos = NextCursorPos(m_text, pos);
    if (pos == m_caretPos) return;
    m_selLength += m_caretPos - pos;
    m_selAnchor = pos;
    m_caretPos = pos;
    CaretMoved();
    Repaint();
}

void TzuTextBox::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    const bool wasPressed = m_pressed;
    if (button == mbLeft) m_pressed = false;
    TzuObjectGuard guard(this);
    TzuControl::MouseUp(button, shift, x, y);
    if (guard.Alive() && wasPressed && button == mbLeft) SelectionChanged();
}

void TzuTextBox::DblClick() {
    TzuObjectGuard guard(this);
    TzuControl::DblClick();
    if (!guard.Alive()) return;
    m_pressed = false;
    SelectAll();
}

}  // namespace zu
