#include "scene/zu_text/text_box.h"

#include <algorithm>

#include "platform/core/application.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/text_cursor.h"
#include "scene/zu_scene/tree/access_notify.h"
#include "scene/zu_scene/tree/brush_object.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_text/text_menu.h"

namespace zu {

const TzuClass& TzuTextBox::StaticClass() {
    using P = ZuProps<TzuTextBox>;
    using B = TzuTextBox;
    static const TzuPropInfo props[] = {
        P::WString<&B::Text, static_cast<void (B::*)(const std::u16string&)>(&B::SetText)>("Text"),
        P::Object<&B::Font>("Font"),
        P::Enum<&B::TextAlign, &B::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignNear),
        P::Bool<&B::Password, &B::SetPassword>("Password").Default(0),
        P::Bool<&B::ReadOnly, &B::SetReadOnly>("ReadOnly").Default(0),
        P::Bool<&B::CanFocused, &B::SetCanFocused>("CanFocused").Default(1),
        P::Bool<&B::DisableFocusEffect, &B::SetDisableFocusEffect>("DisableFocusEffect").Default(0),
        P::Reference<&B::BindingSource, &B::SetBindingSource>("BindingSource"),
        P::Event<&B::OnChange>("OnChange"),
        P::Event<&B::OnChangeTracking>("OnChangeTracking"),
        P::Event<&B::OnTyping>("OnTyping"),
    };
    static const TzuClass cls = ZuClass<TzuTextBox, TzuControl>("TzuTextBox", props);
    return cls;
}

const TzuClass& TzuRoundTextBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuRoundTextBox, TzuTextBox>("TzuRoundTextBox");
    return cls;
}

const TzuClass& TzuHudTextBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudTextBox, TzuTextBox>("TzuHudTextBox");
    return cls;
}

const TzuClass& TzuHudRoundTextBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudRoundTextBox, TzuTextBox>("TzuHudRoundTextBox");
    return cls;
}

TzuTextBox::TzuTextBox(TzuComponent* owner) : TzuControl(owner) {
    SetBounds(0, 0, 100, 21);
    SetCanFocus(true);
    SetCursor(cursors::crIBeam);
    m_font.OnChange().Set([this](TzuPersistent*) {
        CaretMoved();
        Repaint();
    });
    m_foreground.OnChange().Set([this](TzuPersistent*) { Repaint(); });
    m_selection.OnChange().Set([this](TzuPersistent*) { Repaint(); });
}

TzuTextBox::~TzuTextBox() { UnhookContent(); }

// ---- Published state ----

void TzuTextBox::SetText(const std::u16string& value) {
    if (value == m_text) return;
    // A text set from outside cannot be taken back to what the edits before it saw.
    if (!m_editing) m_undo.Clear();
    m_text = value;
    const int n = int(m_text.size());
    m_caretPos = CursorPosAtOrBefore(m_text, std::min(m_caretPos, n));
    m_selAnchor = std::clamp(m_selAnchor, 0, n);
    m_selLength = std::clamp(m_selAnchor + m_selLength, 0, n) - m_selAnchor;
    m_firstVisible = std::clamp(m_firstVisible, 1, std::max(1, n));
    NotifyAccess(this, TzuAccessChange::Text);
    TzuObjectGuard guard(this);
    if (!IsLoading() && m_onChangeTracking) m_onChangeTracking(this);
    if (!guard.Alive()) return;
    m_changed = true;
    CaretMoved();
    Repaint();
}

void TzuTextBox::SetTextAlign(TzuTextAlign value) {
    if (value == m_textAlign) return;
    m_textAlign = value;
    CaretMoved();
    Repaint();
}

void TzuTextBox::SetPassword(bool value) {
    if (value == m_password) return;
    m_password = value;
    CaretMoved();
    Repaint();
}

void TzuTextBox::SetShowCaret(bool value) {
    if (value == m_showCaret) return;
    m_showCaret = value;
    if (!value)
        HideCaret();
    else if (IsFocused())
        TzuVisualObject::ShowCaret();
    CaretMoved();
}

void TzuTextBox::SetData(const TzuVariant& value) { SetText(VariantToWide(value)); }

// ---- Selection ----

int TzuTextBox::SelStart() const {
    if (m_selLength > 0) return m_selAnchor;
    if (m_selLength < 0) return m_selAnchor + m_selLength;
    return m_caretPos;
}

std::u16string TzuTextBox::SelText() const {
    const int start = std::clamp(SelStart(), 0, int(m_text.size()));
    return m_text.substr(size_t(start), size_t(std::min(SelExtent(), int(m_text.size()) - start)));
}

void TzuTextBox::Select(int start, int length) {
    const int n = int(m_text.size());
    start = CursorPosAtOrBefore(m_text, std::clamp(start, 0, n));
    int end = std::clamp(start + std::max(length, 0), start, n);
    if (end < n && CursorPosAtOrBefore(m_text, end) != end) end = NextCursorPos(m_text, end);
    m_selAnchor = start;
    m_selLength = end - start;
    m_caretPos = end;
    SelectionChanged();
    CaretMoved();
    Repaint();
}

void TzuTextBox::ClearSelection() {
    if (m_selLength == 0) return;
    m_selLength = 0;
    Repaint();
}

void TzuTextBox::SelectAll() { Select(0, int(m_text.size())); }

void TzuTextBox::SetCaretPosition(int pos) {
    m_caretPos = CursorPosAtOrBefore(m_text, pos);
    CaretMoved();
}

void TzuTextBox::SelectionChanged() {
    // What is selected becomes the desktop's primary selection, as in every toolkit on
    // this platform; a password never leaves the box.
    if (m_password || m_selLength == 0 || !IsFocused()) return;
    if (TzuApplication* app = Application()) app->SetPrimaryText(SelText());
}

// ---- Editing ----

void TzuTextBox::ReplaceRange(int start, int count, const std::u16string& text, int caretAfter,
                              TzuTextEditKind kind) {
    TzuTextEdit edit;
    edit.position = start;
    edit.removed = m_text.substr(size_t(start), size_t(count));
    edit.inserted = text;
    edit.before = {m_caretPos, m_selAnchor, m_selLength};
    edit.after = {caretAfter, caretAfter, 0};
    std::u16string next = m_text;
    next.replace(size_t(start), size_t(count), text);
    m_selLength = 0;
    m_caretPos = caretAfter;
    m_selAnchor = caretAfter;
    // The caret is placed before the setter clamps and scrolls to it.
    if (next == m_text) {
        CaretMoved();
        Repaint();
        return;
    }
    m_undo.Record(std::move(edit), kind);
    m_editing = true;
    SetText(next);
    m_editing = false;
}

void TzuTextBox::ApplyUndoStep(const TzuTextEdit& step, bool undo) {
    const std::u16string& out = undo ? step.inserted : step.removed;
    const std::u16string& in = undo ? step.removed : step.inserted;
    const int n = int(m_text.size());
    const int at = std::clamp(step.position, 0, n);
    std::u16string next = m_text;
    next.replace(size_t(at), size_t(std::min(int(out.size()), n - at)), in);
    const TzuTextSelection& sel = undo ? step.before : step.after;
    m_caretPos = sel.caret;
    m_selAnchor = sel.anchor;
    m_selLength = sel.length;
    m_editing = true;
    SetText(next);
    m_editing = false;
    CaretMoved();
    Repaint();
}

void TzuTextBox::Undo() {
    if (m_readOnly) return;
    if (const TzuTextEdit* step = m_undo.Undo()) ApplyUndoStep(*step, true);
}

void TzuTextBox::Redo() {
    if (m_readOnly) return;
    if (const TzuTextEdit* step = m_undo.Redo()) ApplyUndoStep(*step, false);
}

void TzuTextBox::InsertText(const std::u16string& text) { InsertTextAs(text, zuEditOther); }

void TzuTextBox::InsertTextAs(const std::u16string& text, TzuTextEditKind kind) {
    if (m_readOnly) return;
    const int start = SelStart();
    const int count = std::min(SelExtent(), int(m_text.size()) - start);
    if (m_maxLength > 0 && int(m_text.size()) - count + int(text.size()) > m_maxLength) {
        // Too long: dropped whole, the text as it was.
        ClearSelection();
        return;
    }
    ReplaceRange(start, count, text, start + int(text.size()), kind);
}

void TzuTextBox::DeleteSelection() {
    if (m_readOnly || m_selLength == 0) return;
    const int start = SelStart();
    ReplaceRange(start, std::min(SelExtent(), int(m_text.size()) - start), u"", start);
}

void TzuTextBox::CopyToClipboard() {
    // A password box gives nothing away, not even to the clipboard.
    if (m_password || m_selLength == 0) return;
    if (TzuApplication* app = Application()) app->SetClipboardText(SelText());
}

void TzuTextBox::CutToClipboard() {
    if (m_password || m_readOnly) return;
    CopyToClipboard();
    DeleteSelection();
}

void TzuTextBox::PasteFromClipboard() {
    if (m_readOnly) return;
    TzuApplication* app = Application();
    if (!app) return;
    if (auto text = app->ClipboardText()) InsertText(*text);
}

void TzuTextBox::PastePrimaryAt(float x) {
    if (m_readOnly || m_password) return;
    TzuApplication* app = Application();
    if (!app) return;
    auto text = app->PrimaryText();
    if (!text || text->empty()) return;
    const int pos = XToPos(x);
    m_selLength = 0;
    m_selAnchor = pos;
    m_caretPos = pos;
    InsertText(*text);
}

void TzuTextBox::DeleteBackOrForward(bool forward) {
    if (m_selLength != 0) {
        DeleteSelection();
        return;
    }
    if (forward) {
        if (m_caretPos >= int(m_text.size())) return;
        const int next = NextCursorPos(m_text, m_caretPos);
        ReplaceRange(m_caretPos, next - m_caretPos, u"", m_caretPos, zuEditDelete);
    } else {
        if (m_caretPos <= 0) return;
        const int prev = PrevCursorPos(m_text, m_caretPos);
        ReplaceRange(prev, m_caretPos - prev, u"", prev, zuEditBackspace);
    }
}

void TzuTextBox::Change() {
    if (!m_changed) return;
    PushBindingValue();
    if (m_onChange) m_onChange(this);
}

void TzuTextBox::FireTyping() {
    if (m_onTyping) m_onTyping(this);
}

void TzuTextBox::RunCommand(TzuTextCommand command) {
    TzuObjectGuard guard(this);
    switch (command) {
        case TzuTextCommand::Cut: CutToClipboard(); break;
        case TzuTextCommand::Copy: CopyToClipboard(); break;
        case TzuTextCommand::Paste:
            PasteFromClipboard();
            if (guard.Alive()) FireTyping();
            break;
        case TzuTextCommand::Delete: DeleteSelection(); break;
        case TzuTextCommand::SelectAll: SelectAll(); break;
    }
}

TzuTextMenu* TzuTextBox::Menu() {
    if (!m_menu) m_menu = std::make_unique<TzuTextMenu>([this](TzuTextCommand c) { RunCommand(c); });
    return m_menu.get();
}

void TzuTextBox::ContextMenu(const TzuPoint& screen) {
    if (IsSceneDesigning()) return;
    // A menu of the form's own, when one is set, wins over the built-in one.
    if (PopupMenu()) {
        TzuControl::ContextMenu(screen);
        return;
    }
    const bool whole = SelStart() == 0 && SelExtent() == int(m_text.size());
    Menu()->Popup(this, screen, TextMenuState(m_selLength != 0, m_readOnly, m_password, whole));
}

// ---- Focus ----

void TzuTextBox::EnterFocus() {
    TzuObjectGuard guard(this);
    TzuControl::EnterFocus();
    if (!guard.Alive() || !IsFocused()) return;
    if (m_showCaret) TzuVisualObject::ShowCaret();
    m_changed = false;
    SelectAll();
}

void TzuTextBox::KillFocus() {
    m_undo.Break();
    TzuObjectGuard guard(this);
    TzuControl::KillFocus();
    if (!guard.Alive()) return;
    HideCaret();
    if (!m_preedit.empty()) {
        m_preedit.clear();
        Repaint();
    }
    Change();
}

// ---- Style ----

void TzuTextBox::ApplyStyle() {
    UnhookContent();
    TzuControl::ApplyStyle();
    if (auto* content = As<TzuContent>(FindResource("content"))) {
        m_content = content;
        // Presses on the text belong to the box.
        content->SetHitTest(false);
        content->FreeNotification(this);
        content->SetPainter(this);
    }
    if (auto* fg = As<TzuBrushObject>(FindResource("foreground"))) m_foreground.Assign(*fg->Brush());
    if (auto* sel = As<TzuBrushObject>(FindResource("selection"))) m_selection.Assign(*sel->Brush());
    CaretMoved();
}

void TzuTextBox::FreeStyle() {
    UnhookContent();
    TzuControl::FreeStyle();
}

void TzuTextBox::UnhookContent() {
    if (!m_content) return;
    m_content->SetPainter(nullptr);
    m_content->RemoveFreeNotification(this);
    m_content = nullptr;
}

void TzuTextBox::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == static_cast<TzuComponent*>(m_content))
        m_content = nullptr;
}

}  // namespace zu
