#include "scene/zu_scene/tree/animation.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuAnimation::StaticClass() {
    using P = ZuProps<TzuAnimation>;
    static const TzuPropInfo props[] = {
        P::String<&TzuAnimation::Trigger, &TzuAnimation::SetTrigger>("Trigger"),
    };
    static const TzuClass cls = ZuClass<TzuAnimation, TzuObject>("TzuAnimation", props);
    return cls;
}

}  // namespace zu
