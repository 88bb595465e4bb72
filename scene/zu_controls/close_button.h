#pragma once
// TzuCloseButton is the small button window-like styles put in their caption: a left
// press arms it, and the release (wherever the pointer is) closes the form its scene
// belongs to (or the popup showing it) unless CloseForm is off, then calls OnClick. It
// owns nothing but its style. TzuHudCloseButton is the same for the HUD family.

#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuCloseButton : public TzuControl {
    ZU_CLASS(TzuCloseButton)
public:
    explicit TzuCloseButton(TzuComponent* owner);

    bool CloseForm() const { return m_closeForm; }
    void SetCloseForm(bool value) { m_closeForm = value; }
    bool Pressed() const { return m_pressed; }

    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    // OnClick runs on the release instead, wherever it happens.
    void Click() override {}

private:
    // Closes the first form up the owner chain of the scene; false when this button went
    // with it.
    bool CloseHostForm();

    bool m_closeForm = true;
    bool m_pressed = false;
};

class TzuHudCloseButton : public TzuCloseButton {
    ZU_CLASS(TzuHudCloseButton)
public:
    using TzuCloseButton::TzuCloseButton;
};

}  // namespace zu
