#pragma once
// A button-like control for style tests: a text control that publishes IsPressed (the
// button style's triggers name it) and lets a test switch its focus and press state the
// way input routing does, announcing each change to its style.

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
        AnnounceState("IsPressed");
    }
    // What input routing does on focus and hover changes.
    void Focus(bool value) {
        if (value)
            EnterFocus();
        else
            KillFocus();
    }
    void SetHover(bool value) {
        if (value)
            MouseEnter();
        else
            MouseLeave();
    }
    int styled = 0;

protected:
    void ApplyStyle() override {
        TzuTextControl::ApplyStyle();
        ++styled;
    }

private:
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
