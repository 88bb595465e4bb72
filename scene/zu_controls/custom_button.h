#pragma once
// TzuCustomButton is the base of every styled button: it tracks a left press, shows it
// through IsPressed (which the style's "IsPressed" triggers follow), clicks on a release
// inside, on Enter or Space and once more on a double click, can repeat clicks while held
// and hands its ModalResult to the form hosting its scene. It owns its repeat timer.

#include <memory>

#include "scene/zu_controls/text_control.h"

namespace zu {

class TzuTimer;

class TzuCustomButton : public TzuTextControl {
    ZU_CLASS(TzuCustomButton)
public:
    // First repeat after this long held, then one click per kRepeatInterval.
    static constexpr unsigned kRepeatDelay = 500;
    static constexpr unsigned kRepeatInterval = 100;

    explicit TzuCustomButton(TzuComponent* owner);
    ~TzuCustomButton() override;

    bool IsPressed() const { return m_isPressed; }
    // Only a button that stays pressed can be pressed from outside.
    void SetIsPressed(bool value);
    bool StaysPressed() const { return m_staysPressed; }
    void SetStaysPressed(bool value) { m_staysPressed = value; }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }
    bool RepeatClick() const { return m_repeatClick; }
    void SetRepeatClick(bool value);
    // The left button went down on this button and has not come up yet.
    bool Tracking() const { return m_tracking; }
    // A button given an event as data takes it as its click handler.
    void SetData(const TzuVariant& value) override;

    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) override;
    void DblClick() override;
    void Click() override;

protected:
    void ApplyStyle() override;
    // Stores the pressed state and tells the style when it changed.
    void SetPressedState(bool value);
    // Told after the pressed state changed and the style heard of it.
    virtual void PressedChanged() {}

private:
    void StopRepeat();
    void RepeatTick();

    std::unique_ptr<TzuTimer> m_repeatTimer;
    int m_modalResult = 0;
    bool m_isPressed = false;
    bool m_staysPressed = false;
    bool m_repeatClick = false;
    bool m_tracking = false;
    bool m_repeating = false;
};

}  // namespace zu
