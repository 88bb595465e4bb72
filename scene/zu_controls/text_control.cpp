#include "scene/zu_controls/text_control.h"

#include "platform/core/property.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/tree/access_notify.h"
#include "scene/zu_scene/tree/brush_object.h"
#include "scene/zu_scene/types/translate.h"

namespace zu {

const TzuClass& TzuTextControl::StaticClass() {
    static const TzuClass cls = ZuClass<TzuTextControl, TzuControl>("TzuTextControl");
    return cls;
}

TzuTextControl::TzuTextControl(TzuComponent* owner) : TzuControl(owner) {
    m_font.OnChange().Set([this](TzuPersistent*) { FontChanged(); });
    m_foreground.OnChange().Set([this](TzuPersistent*) { ForegroundChanged(); });
}

TzuTextControl::~TzuTextControl() { m_textPart = nullptr; }

void TzuTextControl::SetText(const std::u16string& value) {
    if (value == m_text) return;
    m_text = value;
    NotifyAccess(this, TzuAccessChange::Text);
    if (m_textPart)
        m_textPart->SetText(m_text);
    else
        Repaint();
    PushBindingValue();
}

void TzuTextControl::SetTextAlign(TzuTextAlign value) {
    if (value == m_textAlign) return;
    m_textAlign = value;
    if (m_textPart)
        m_textPart->SetHorzTextAlign(m_textAlign);
    else
        Repaint();
}

void TzuTextControl::SetWordWrap(bool value) {
    if (value == m_wordWrap) return;
    m_wordWrap = value;
    if (m_textPart) m_textPart->SetWordWrap(m_wordWrap);
}

void TzuTextControl::FontChanged() {
    if (m_textPart) m_textPart->SetFont(m_font);
}

void TzuTextControl::ForegroundChanged() {
    if (m_textPart) m_textPart->Fill()->Assign(m_foreground);
}

TzuVariant TzuTextControl::GetData() { return m_text; }

void TzuTextControl::SetData(const TzuVariant& value) { SetText(VariantToWide(value)); }

void TzuTextControl::ApplyStyle() {
    TzuControl::ApplyStyle();
    m_textPart = As<TzuText>(FindResource("text"));
    if (!m_textPart) m_textPart = As<TzuText>(StyleObject());
    if (m_textPart) m_textPart->FreeNotification(this);
    if (auto* fg = As<TzuBrushObject>(FindResource("foreground"))) m_foreground.Assign(*fg->Brush());
    if (m_textPart) {
        m_textPart->SetText(m_text);
        m_textPart->SetHorzTextAlign(m_textAlign);
        m_textPart->SetVertTextAlign(m_vertTextAlign);
        m_textPart->SetWordWrap(m_wordWrap);
        // Most controls keep the font their style's text was made with.
        const TzuFont& own = *m_textPart->Font();
        if (own.Family() != m_font.Family() || own.Size() != m_font.Size() || own.Style() != m_font.Style() ||
            own.ClearType() != m_font.ClearType())
            m_textPart->SetFont(m_font);
    }
    if (AutoTranslate()) {
        std::u16string translated = Translate(m_text);
        if (!IsSceneDesigning()) SetText(translated);
    }
}

void TzuTextControl::FreeStyle() {
    if (m_textPart) m_textPart->RemoveFreeNotification(this);
    m_textPart = nullptr;
    TzuControl::FreeStyle();
}

void TzuTextControl::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == static_cast<TzuComponent*>(m_textPart))
        m_textPart = nullptr;
}

}  // namespace zu
