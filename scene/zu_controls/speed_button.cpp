#include "scene/zu_controls/speed_button.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuSpeedButton::StaticClass() {
    using P = ZuProps<TzuSpeedButton>;
    using B = TzuSpeedButton;
    // The same properties with this kind's defaults, so streams leave them out.
    static const TzuPropInfo props[] = {
        P::Bool<&B::CanFocus, &B::SetCanFocus>("CanFocused").Default(0),
        P::Bool<&B::RepeatClick, &B::SetRepeatClick>("RepeatClick").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuSpeedButton, TzuCustomButton>("TzuSpeedButton", props);
    return cls;
}

TzuSpeedButton::TzuSpeedButton(TzuComponent* owner) : TzuCustomButton(owner) {
    SetBounds(0, 0, 23, 23);
    SetCanFocus(false);
    SetRepeatClick(true);
}

const TzuClass& TzuHudSpeedButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudSpeedButton, TzuSpeedButton>("TzuHudSpeedButton");
    return cls;
}

}  // namespace zu
