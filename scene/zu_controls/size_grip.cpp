#include "scene/zu_controls/size_grip.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuSizeGrip::StaticClass() {
    static const TzuClass cls = ZuClass<TzuSizeGrip, TzuControl>("TzuSizeGrip");
    return cls;
}

const TzuClass& TzuHudSizeGrip::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudSizeGrip, TzuSizeGrip>("TzuHudSizeGrip");
    return cls;
}

}  // namespace zu
