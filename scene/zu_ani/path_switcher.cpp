#include "scene/zu_ani/path_switcher.h"

namespace zu {

const TzuClass& TzuPathSwitcher::StaticClass() {
    using P = ZuProps<TzuPathSwitcher>;
    static const TzuPropInfo props[] = {
        P::String<&TzuPathSwitcher::PathTrue, &TzuPathSwitcher::SetPathTrue>("PathTrue"),
        P::String<&TzuPathSwitcher::PathFalse, &TzuPathSwitcher::SetPathFalse>("PathFalse"),
        P::String<&TzuAnimation::PropertyName, &TzuAnimation::SetPropertyName>("PropertyName"),
    };
    static const TzuClass cls = ZuClass<TzuPathSwitcher, TzuAnimation>("TzuPathSwitcher", props);
    return cls;
}

TzuPathSwitcher::TzuPathSwitcher(TzuComponent* owner) : TzuAnimation(owner) { SetDuration(0.001f); }

}  // namespace zu
