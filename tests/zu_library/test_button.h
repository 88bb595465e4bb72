#pragma once
// A button-like control for style tests: a text control that publishes IsPressed (the
// button style's triggers name it) and lets a test switch its focus and press state the
// way input routing would, announcing each change to its style.

#include "platform/core/property.h"
#include "scene/zu_controls/text_control.h"

namespace zu::test {

class TzuTestButton : public TzuTextControl {
    ZU_CLASS(TzuTestButton)
public:
    explicit TzuTestButton(TzuComponent* owner) : TzuTextControl(owner) {
        SetBounds(0, 0, 80, 22);
        SetCanFocus(true);
        SetResource("buttonstyle");
    }
    bool IsPressed() const { return m_pressed; }
    void SetIsPressed(bool value) {
        if (value == m_pressed) return;
        m_pressed = value;
        Announce("IsPressed");
    }
    void Focus(bool value) {
        if (value) EnterFocus();
        SetIsFocused(value);
        Announce("IsFocused");
    }
    void SetHover(bool value) {
        SetIsMouseOver(value);
        Announce("IsMouseOver");
    }
    int styled = 0;

protected:
    void ApplyStyle() override {
        TzuTextControl::ApplyStyle();
        ++styled;
    }

private:
    void Announce(const char* state) {
        StartTriggerAnimation(this, state);
        ApplyTriggerEffect(this, state);
    }
    bool m_pressed = false;
};

inline const TzuClass& TzuTestButton::StaticClass() {
    using P = ZuProps<TzuTestButton>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuTestButton::IsPressed, &TzuTestButton::SetIsPressed>("IsPressed").NotStored(),
        P::WString<&TzuTestButton::Text, &TzuTestButton::SetText>("Text"),
    };
    static const TzuClass cls = ZuClass<TzuTestButton, TzuTextControl>("TzuTestButton", props);
    return cls;
}

}  // namespace zu::test
