#include "scene/zu_ani/color_animation.h"

#include "scene/zu_ani/animated_value.h"

namespace zu {

const TzuClass& TzuColorAnimation::StaticClass() {
    using P = ZuProps<TzuColorAnimation>;
    static const TzuPropInfo props[] = {
        P::String<&TzuColorAnimation::StartValue, &TzuColorAnimation::SetStartValue>("StartValue")
            .CopiedAs<&TzuColorAnimation::StartColor, &TzuColorAnimation::SetStartColor>(),
        P::String<&TzuColorAnimation::StopValue, &TzuColorAnimation::SetStopValue>("StopValue")
            .CopiedAs<&TzuColorAnimation::StopColor, &TzuColorAnimation::SetStopColor>(),
        P::Bool<&TzuColorAnimation::StartFromCurrent, &TzuColorAnimation::SetStartFromCurrent>(
            "StartFromCurrent")
            .Default(0),
        P::String<&TzuAnimation::PropertyName, &TzuAnimation::SetPropertyName>("PropertyName"),
    };
    static const TzuClass cls = ZuClass<TzuColorAnimation, TzuAnimation>("TzuColorAnimation", props);
    return cls;
}

void TzuColorAnimation::Start() {
    if (Parent() && !PropertyName().empty()) {
        const TzuPropRef& target = ResolvePropertyPath();
        if (m_startFromCurrent) ReadAnimatedColor(target, m_startValue);
    }
    TzuAnimation::Start();
}

void TzuColorAnimation::ProcessAnimation() {
    const TzuPropRef& target = ResolvePropertyPath();
    if (target) WriteAnimatedColor(target, InterpolateColor(m_startValue, m_stopValue, NormalizedTime()));
}

}  // namespace zu
