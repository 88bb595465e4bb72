#pragma once
// TzuSpeedButton is the small square button of tool strips and scroll bars: it never
// takes the focus, shows no text of its own and repeats its click while held. The HUD
// speed button has no style of its own and wears the speed button's.

#include "scene/zu_controls/custom_button.h"

namespace zu {

class TzuSpeedButton : public TzuCustomButton {
    ZU_CLASS(TzuSpeedButton)
public:
    explicit TzuSpeedButton(TzuComponent* owner);
};

class TzuHudSpeedButton : public TzuSpeedButton {
    ZU_CLASS(TzuHudSpeedButton)
public:
    explicit TzuHudSpeedButton(TzuComponent* owner) : TzuSpeedButton(owner) {}
};

}  // namespace zu
