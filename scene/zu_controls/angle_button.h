#pragma once
// TzuAngleButton is a rotary knob: dragging turns its Value (degrees) to the angle of the
// pointer around its centre, snapped to Frequency when that is not 0. The style's "tick"
// part shows the value turned; "tracktext" shows it while dragging untracked and "text"
// with ShowValue; the parts are looked up in its style by name when needed.
// TzuHudAngleButton wears the HUD style.

#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuText;

class TzuAngleButton : public TzuControl {
    ZU_CLASS(TzuAngleButton)
public:
    explicit TzuAngleButton(TzuComponent* owner);

    float Value() const { return m_value; }
    void SetValue(float value);
    float Frequency() const { return m_frequency; }
    void SetFrequency(float value) { m_frequency = value; }
    // Off: OnChange runs once when a drag ends, not on every move.
    bool Tracking() const { return m_tracking; }
    void SetTracking(bool value) { m_tracking = value; }
    bool ShowValue() const { return m_showValue; }
    void SetShowValue(bool value);
    TzuNotifyEvent& OnChange() { return m_onChange; }
    bool Dragging() const { return m_dragging; }

    TzuVariant GetData() override { return TzuVariant(static_cast<double>(m_value)); }
    void SetData(const TzuVariant& value) override;

    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;

protected:
    void ApplyStyle() override;

private:
    void UpdateTexts();
    void Changed();

    float m_value = 0;
    float m_frequency = 0;
    bool m_tracking = true;
    bool m_showValue = false;
    bool m_dragging = false;
    TzuPoint m_lastPoint{};
    float m_pressValue = 0;
    TzuNotifyEvent m_onChange;
};

class TzuHudAngleButton : public TzuAngleButton {
    ZU_CLASS(TzuHudAngleButton)
public:
    using TzuAngleButton::TzuAngleButton;
};

}  // namespace zu
