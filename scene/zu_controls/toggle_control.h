#pragma once
// TzuToggleControl is the common part of check boxes and radio buttons: a text control
// holding a Boolean that a click (press and release over it) or Enter/Space toggles. It
// tracks the press itself, shows IsPressed while the pointer stays over it, captures the
// mouse while pressed and announces IsPressed and IsChecked to its style. Its data value
// is IsChecked. Each kind decides in SetIsChecked what a change may do.

#include "scene/zu_controls/text_control.h"

namespace zu {

class TzuToggleControl : public TzuTextControl {
    ZU_CLASS(TzuToggleControl)
public:
    explicit TzuToggleControl(TzuComponent* owner);

    bool IsPressed() const { return m_isPressed; }
    bool IsChecked() const { return m_isChecked; }
    virtual void SetIsChecked(bool value);
    TzuNotifyEvent& OnChange() { return m_onChange; }
    bool CanFocused() const { return CanFocus(); }
    void SetCanFocused(bool value) { SetCanFocus(value); }

    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) override;
    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;

protected:
    void ApplyStyle() override;
    // Stores a changed state, announces it and calls OnChange.
    void StoreChecked(bool value);
    // Writes the state without announcing it (a radio button holds the check while it
    // clears its group).
    void SetCheckedField(bool value) { m_isChecked = value; }

private:
    void SetPressed(bool value);

    TzuNotifyEvent m_onChange;
    bool m_isChecked = false;
    bool m_isPressed = false;
    bool m_tracking = false;
};

}  // namespace zu
