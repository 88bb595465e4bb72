#include "scene/zu_controls/angle_button.h"

#include <cmath>

#include "platform/core/property.h"
#include "platform/core/utf.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/types/value_text.h"

namespace zu {

const TzuClass& TzuAngleButton::StaticClass() {
    using P = ZuProps<TzuAngleButton>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuAngleButton::Value, &TzuAngleButton::SetValue>("Value"),
        P::Float<&TzuAngleButton::Frequency, &TzuAngleButton::SetFrequency>("Frequency"),
        P::Bool<&TzuAngleButton::Tracking, &TzuAngleButton::SetTracking>("Tracking").Default(1),
        P::Bool<&TzuAngleButton::ShowValue, &TzuAngleButton::SetShowValue>("ShowValue").Default(0),
        P::Event<&TzuAngleButton::OnChange>("OnChange"),
    };
    static const TzuClass cls = ZuClass<TzuAngleButton, TzuControl>("TzuAngleButton", props);
    return cls;
}

const TzuClass& TzuHudAngleButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudAngleButton, TzuAngleButton>("TzuHudAngleButton");
    return cls;
}

TzuAngleButton::TzuAngleButton(TzuComponent* owner) : TzuControl(owner) {
    SetWidth(30);
    SetHeight(30);
}

void TzuAngleButton::SetValue(float value) {
    if (m_frequency != 0) value = m_frequency * std::round(value / m_frequency);
    if (value == m_value) return;
    m_value = value;
    if (auto* tick = As<TzuVisualObject>(FindResource("tick")))
        tick->SetRotateAngle(-m_value);
    else
        Repaint();
    UpdateTexts();
    PushBindingValue();
    if (!m_dragging || m_tracking) Changed();
}

void TzuAngleButton::SetShowValue(bool value) {
    if (value == m_showValue) return;
    m_showValue = value;
    UpdateTexts();
    Repaint();
}

void TzuAngleButton::SetData(const TzuVariant& value) {
    SetValue(static_cast<float>(VariantToDouble(value)));
}

void TzuAngleButton::Changed() {
    if (m_onChange) m_onChange(this);
}

void TzuAngleButton::ApplyStyle() {
    TzuControl::ApplyStyle();
    if (auto* tick = As<TzuVisualObject>(FindResource("tick"))) tick->SetRotateAngle(-m_value);
    UpdateTexts();
}

void TzuAngleButton::UpdateTexts() {
    const std::u16string text = Utf8ToUtf16(FloatToText(std::round(m_value))) + u"\u00B0";
    if (auto* track = As<TzuText>(FindResource("tracktext"))) {
        // Shown while a drag runs untracked: the value is not applied yet, only read out.
        const bool shown = m_dragging && !m_tracking;
        track->SetVisible(shown);
        track->SetText(text);
        track->SetOpacity(shown ? 1 : 0);
    }
    if (auto* shown = As<TzuText>(FindResource("text"))) {
        shown->SetVisible(m_showValue);
        shown->SetOpacity(m_showValue ? 1 : 0);
        shown->SetText(text);
    }
}

void TzuAngleButton::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || IsSceneDesigning()) return;
    m_dragging = true;
    Capture();
    m_lastPoint = {x, y};
    m_pressValue = m_value;
    UpdateTexts();
}

void TzuAngleButton::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuControl::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_dragging || !(shift & ssLeft)) return;
    const TzuVector toPointer{x - Width() / 2, y - Height() / 2, 0};
    // The centre itself has no direction: the value stays.
    if (toPointer.X == 0 && toPointer.Y == 0) return;
    SetValue(VectorAngle(TzuVector{1, 0, 0}, toPointer));
    if (!guard.Alive()) return;
    m_lastPoint = {x, y};
    UpdateTexts();
}

void TzuAngleButton::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    const bool wasDragging = m_dragging;
    m_dragging = false;
    TzuControl::MouseUp(button, shift, x, y);
    if (!guard.Alive() || !wasDragging) return;
    UpdateTexts();
    if (m_value != m_pressValue) Changed();
}

}  // namespace zu
