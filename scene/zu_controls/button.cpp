#include "scene/zu_controls/button.h"

#include "platform/core/property.h"
#include "platform/core/window.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

const TzuClass& TzuButton::StaticClass() {
    using P = ZuProps<TzuButton>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuButton::Default, &TzuButton::SetDefault>("Default").Default(0),
        P::Bool<&TzuButton::Cancel, &TzuButton::SetCancel>("Cancel").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuButton, TzuCustomButton>("TzuButton", props);
    return cls;
}

const TzuClass& TzuRoundButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuRoundButton, TzuButton>("TzuRoundButton");
    return cls;
}

const TzuClass& TzuCircleButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuCircleButton, TzuButton>("TzuCircleButton");
    return cls;
}

const TzuClass& TzuHudButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudButton, TzuButton>("TzuHudButton");
    return cls;
}

const TzuClass& TzuHudRoundButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudRoundButton, TzuButton>("TzuHudRoundButton");
    return cls;
}

const TzuClass& TzuHudCircleButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudCircleButton, TzuCircleButton>("TzuHudCircleButton");
    return cls;
}

void TzuButton::DialogKey(uint16_t& key, TzuShiftState shift) {
    if ((m_default && key == keys::Enter) || (m_cancel && key == keys::Escape)) {
        key = 0;
        Click();
        return;
    }
    TzuCustomButton::DialogKey(key, shift);
}

}  // namespace zu
