#include "scene/zu_controls/expander.h"

#include "platform/core/property.h"
#include "scene/zu_controls/check_box.h"
#include "scene/zu_scene/tree/content.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/types/value_text.h"

namespace zu {

const TzuClass& TzuExpanderButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuExpanderButton, TzuCustomButton>("TzuExpanderButton");
    return cls;
}

TzuExpanderButton::TzuExpanderButton(TzuComponent* owner) : TzuCustomButton(owner) {
    SetWidth(80);
    SetHeight(22);
    SetCanFocus(false);
}

const TzuClass& TzuExpander::StaticClass() {
    using P = ZuProps<TzuExpander>;
    using E = TzuExpander;
    static const TzuPropInfo props[] = {
        P::Bool<&E::IsExpanded, &E::SetIsExpanded>("IsExpanded").Default(1),
        P::Bool<&E::IsChecked, &E::SetIsChecked>("IsChecked").Default(1),
        P::Bool<&E::ShowCheck, &E::SetShowCheck>("ShowCheck").Default(0),
        P::Event<&E::OnCheckChange>("OnCheckChange"),
        P::Object<&E::Font>("Font"),
        P::Enum<&E::TextAlign, &E::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignCenter),
        P::WString<&E::Text, &E::SetText>("Text"),
        P::Bool<&E::AutoTranslate, &E::SetAutoTranslate>("AutoTranslate").Default(1),
        P::Defined<&E::ReadContentSize, &E::WriteContentSize>("ContentSize"),
    };
    static const TzuClass cls = ZuClass<TzuExpander, TzuTextControl>("TzuExpander", props);
    return cls;
}

TzuExpander::TzuExpander(TzuComponent* owner) : TzuTextControl(owner) {
    SetAutoTranslate(true);
    SetWidth(130);
    SetHeight(130);
    m_content = new TzuContent(this);
    m_content->SetStored(false);
    m_content->SetLocked(true);
    m_content->SetHitTest(false);
    m_content->SetClipChildren(false);
    m_content->Padding()->SetTop(25);
    m_content->SetBounds(0, 0, Width(), Height());
    TzuObject::AddObject(m_content);
    m_content->FreeNotification(this);
}

TzuExpander::~TzuExpander() {
    if (m_content) m_content->RemoveFreeNotification(this);
    m_content = nullptr;
    m_button = nullptr;
    m_checkBox = nullptr;
}

void TzuExpander::AddObject(TzuObject* child) {
    // Effects and animations stay with the expander: they act on it, not on its content.
    if (m_content && child != m_content && child != StyleObject() && child && child->IsVisual() &&
        !IsDestroying()) {
        m_content->AddObject(child);
        return;
    }
    TzuTextControl::AddObject(child);
}

void TzuExpander::Notification(TzuComponent* component, TzuOperation operation) {
    TzuTextControl::Notification(component, operation);
    if (operation != TzuOperation::opRemove) return;
    if (component == m_content) m_content = nullptr;
    if (component == m_button) m_button = nullptr;
    if (component == m_checkBox) m_checkBox = nullptr;
}

float TzuExpander::HeaderHeight() const {
    // The content starts below the header button, so folding and unfolding restores the
    // height it had; without one, at the content's own top padding.
    if (m_button) return m_button->Height();
    return m_content ? m_content->PaddingRect().Top : 0;
}

void TzuExpander::Realign() {
    TzuTextControl::Realign();
    if (IsLoading() || m_inRealign || !m_content || !m_isExpanded) return;
    m_inRealign = true;
    const float top = HeaderHeight();
    m_content->SetBounds(0, top, Width(), std::max(0.0f, Height() - top));
    m_inRealign = false;
}

void TzuExpander::SetIsExpanded(bool value) {
    if (value == m_isExpanded) return;
    if (!StyleObject() && !IsLoading()) ApplyStyleLookup();
    m_isExpanded = value;
    if (!IsLoading() && m_content) {
        const float header = HeaderHeight();
        m_content->SetVisible(m_isExpanded);
        if (m_button) SetHeight(m_isExpanded ? header + m_content->Height() : header);
    }
    Repaint();
    AnnounceExpanded();
}

void TzuExpander::AnnounceExpanded() {
    TzuObjectGuard guard(this);
    AnnounceState("IsExpanded");
    if (!guard.Alive() || !m_button) return;
    m_button->StartTriggerAnimation(this, "IsExpanded");
    if (guard.Alive() && m_button) m_button->ApplyTriggerEffect(this, "IsExpanded");
}

void TzuExpander::SetIsChecked(bool value) {
    if (value == m_isChecked) return;
    m_isChecked = value;
    if (m_content) m_content->SetEnabled(m_isChecked);
    if (m_checkBox) m_checkBox->SetIsChecked(m_isChecked);
}

void TzuExpander::SetShowCheck(bool value) {
    if (value == m_showCheck) return;
    m_showCheck = value;
    if (m_checkBox) m_checkBox->SetVisible(m_showCheck);
}

void TzuExpander::CheckBoxChanged() {
    if (!m_checkBox) return;
    m_isChecked = m_checkBox->IsChecked();
    if (m_content) m_content->SetEnabled(m_isChecked);
    if (m_onCheckChange) m_onCheckChange(this);
}

void TzuExpander::ApplyStyle() {
    TzuTextControl::ApplyStyle();
    m_checkBox = As<TzuCheckBox>(FindResource("checkbox"));
    if (m_checkBox) {
        m_checkBox->FreeNotification(this);
        m_checkBox->SetVisible(m_showCheck);
        m_checkBox->SetIsChecked(m_isChecked);
        m_checkBox->OnChange().Set([this](TzuPersistent*) { CheckBoxChanged(); });
    }
    m_button = As<TzuCustomButton>(FindResource("button"));
    if (m_button) {
        m_button->FreeNotification(this);
        m_button->OnClick().Set([this](TzuPersistent*) { SetIsExpanded(!m_isExpanded); });
        m_button->ApplyStyleLookup();
        m_button->SetCanFocus(false);
    }
    if (m_content) m_content->SetEnabled(m_isChecked);
    Realign();
    AnnounceExpanded();
}

void TzuExpander::FreeStyle() {
    if (m_checkBox) m_checkBox->RemoveFreeNotification(this);
    if (m_button) m_button->RemoveFreeNotification(this);
    m_checkBox = nullptr;
    m_button = nullptr;
    TzuTextControl::FreeStyle();
}

void TzuExpander::Loaded() {
    TzuTextControl::Loaded();
    // A folded expander was read with its content's height: the content stays hidden.
    if (m_content) m_content->SetVisible(m_isExpanded);
}

void TzuExpander::DblClick() {
    TzuTextControl::DblClick();
    if (IsSceneDesigning()) SetIsExpanded(!m_isExpanded);
}

void TzuExpander::ReadContentSize(const TzuStreamValue& v) {
    if (const auto* text = std::get_if<std::string>(&v); text && m_content)
        m_content->SetHeight(static_cast<float>(TextToFloat(*text)));
}

TzuStreamValue TzuExpander::WriteContentSize() const {
    return m_content ? FloatToText(m_content->Height()) : std::string("0");
}

}  // namespace zu
