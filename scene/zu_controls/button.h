#pragma once
// TzuButton is the push button: a custom button that can be the dialog's default (Enter
// clicks it wherever the focus is) or its cancel button (Escape does). The rounded and
// circular buttons and the HUD buttons differ from it only by their styles.

#include "scene/zu_controls/custom_button.h"

namespace zu {

class TzuButton : public TzuCustomButton {
    ZU_CLASS(TzuButton)
public:
    explicit TzuButton(TzuComponent* owner) : TzuCustomButton(owner) {}

    bool Default() const { return m_default; }
    void SetDefault(bool value) { m_default = value; }
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }

    void DialogKey(uint16_t& key, TzuShiftState shift) override;

private:
    bool m_default = false;
    bool m_cancel = false;
};

class TzuRoundButton : public TzuButton {
    ZU_CLASS(TzuRoundButton)
public:
    explicit TzuRoundButton(TzuComponent* owner) : TzuButton(owner) {}
};

class TzuCircleButton : public TzuButton {
    ZU_CLASS(TzuCircleButton)
public:
    explicit TzuCircleButton(TzuComponent* owner) : TzuButton(owner) { SetBounds(0, 0, 21, 21); }
};

class TzuHudButton : public TzuButton {
    ZU_CLASS(TzuHudButton)
public:
    explicit TzuHudButton(TzuComponent* owner) : TzuButton(owner) {}
};

class TzuHudRoundButton : public TzuButton {
    ZU_CLASS(TzuHudRoundButton)
public:
    explicit TzuHudRoundButton(TzuComponent* owner) : TzuButton(owner) {}
};

class TzuHudCircleButton : public TzuCircleButton {
    ZU_CLASS(TzuHudCircleButton)
public:
    explicit TzuHudCircleButton(TzuComponent* owner) : TzuCircleButton(owner) {}
};

}  // namespace zu
