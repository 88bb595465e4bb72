#include "scene/zu_ani/float_animation.h"

#include "scene/zu_ani/animated_value.h"

namespace zu {

const TzuClass& TzuFloatAnimation::StaticClass() {
    using P = ZuProps<TzuFloatAnimation>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuFloatAnimation::StartValue, &TzuFloatAnimation::SetStartValue>("StartValue").Default(0),
        P::Float<&TzuFloatAnimation::StopValue, &TzuFloatAnimation::SetStopValue>("StopValue").Default(0),
        P::Bool<&TzuFloatAnimation::StartFromCurrent, &TzuFloatAnimation::SetStartFromCurrent>(
            "StartFromCurrent")
            .Default(0),
        P::String<&TzuAnimation::PropertyName, &TzuAnimation::SetPropertyName>("PropertyName"),
    };
    static const TzuClass cls = ZuClass<TzuFloatAnimation, TzuAnimation>("TzuFloatAnimation", props);
    return cls;
}

void TzuFloatAnimation::Start() {
    if (Parent() && !PropertyName().empty()) {
        const TzuPropRef& target = ResolvePropertyPath();
        if (m_startFromCurrent) ReadAnimatedFloat(target, m_startValue);
    }
    TzuAnimation::Start();
}

void TzuFloatAnimation::ProcessAnimation() {
    WriteAnimatedFloat(ResolvePropertyPath(), InterpolateSingle(m_startValue, m_stopValue, NormalizedTime()));
}

}  // namespace zu
