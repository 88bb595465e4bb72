#include "scene/zu_controls/toggle_control.h"

#include "platform/core/property.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

const TzuClass& TzuToggleControl::StaticClass() {
    using P = ZuProps<TzuToggleControl>;
    using C = TzuToggleControl;
    static const TzuPropInfo props[] = {
        P::Bool<&C::IsPressed>("IsPressed").NotStored(),
        P::Bool<&C::IsChecked, &C::SetIsChecked>("IsChecked").Default(0),
        P::Object<&C::Font>("Font"),
        P::Enum<&C::TextAlign, &C::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignNear),
        P::WString<&C::Text, &C::SetText>("Text"),
        P::Event<&C::OnChange>("OnChange"),
        P::Bool<&C::AutoTranslate, &C::SetAutoTranslate>("AutoTranslate").Default(1),
        P::Bool<&C::CanFocused, &C::SetCanFocused>("CanFocused").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuToggleControl, TzuTextControl>("TzuToggleControl", props);
    return cls;
}

TzuToggleControl::TzuToggleControl(TzuComponent* owner) : TzuTextControl(owner) {
    SetBounds(0, 0, 120, 19);
    SetTextAlign(zuTextAlignNear);
    SetAutoTranslate(true);
    SetCanFocus(true);
    SetAutoCapture(true);
}

void TzuToggleControl::SetIsChecked(bool value) { StoreChecked(value); }

void TzuToggleControl::StoreChecked(bool value) {
    if (value == m_isChecked) return;
    m_isChecked = value;
    TzuObjectGuard guard(this);
    AnnounceState("IsChecked");
    if (guard.Alive() && m_onChange) m_onChange(this);
}

void TzuToggleControl::SetPressed(bool value) {
    if (value == m_isPressed) return;
    m_isPressed = value;
    AnnounceState("IsPressed");
}

void TzuToggleControl::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuTextControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || IsSceneDesigning()) return;
    m_tracking = true;
    m_isPressed = false;
    SetPressed(true);
}

void TzuToggleControl::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuTextControl::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_tracking || !(shift & ssLeft)) return;
    const bool inside = RectContainsPoint(TzuPoint{x, y}, LocalRect());
    if (inside != m_isPressed) SetPressed(inside);
}

void TzuToggleControl::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuTextControl::MouseUp(button, shift, x, y);
    if (!guard.Alive() || !m_tracking || button != mbLeft) return;
    m_tracking = false;
    SetPressed(false);
    if (guard.Alive() && RectContainsPoint(TzuPoint{x, y}, LocalRect())) SetIsChecked(!m_isChecked);
}

void TzuToggleControl::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    TzuObjectGuard guard(this);
    TzuTextControl::KeyDown(key, keyChar, shift);
    if (!guard.Alive() || (key != keys::Enter && key != keys::Space)) return;
    key = 0;
    SetIsChecked(!m_isChecked);
}

TzuVariant TzuToggleControl::GetData() { return m_isChecked; }

void TzuToggleControl::SetData(const TzuVariant& value) {
    if (const auto* text = std::get_if<std::string>(&value); text && text->starts_with("zumet")) {
        DataTextToMethod(*text, m_onChange);
        return;
    }
    SetIsChecked(VariantToBool(value));
}

void TzuToggleControl::ApplyStyle() {
    TzuTextControl::ApplyStyle();
    AnnounceState("IsChecked");
}

}  // namespace zu
