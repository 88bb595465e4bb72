#include "scene/zu_controls/panel.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuPanel::StaticClass() {
    static const TzuClass cls = ZuClass<TzuPanel, TzuControl>("TzuPanel");
    return cls;
}

const TzuClass& TzuHudPanel::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudPanel, TzuPanel>("TzuHudPanel");
    return cls;
}

}  // namespace zu
