#include "scene/zu_ani/gradient_animation.h"

#include <algorithm>

#include "scene/zu_ani/animated_value.h"

namespace zu {

const TzuClass& TzuGradientAnimation::StaticClass() {
    using P = ZuProps<TzuGradientAnimation>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuGradientAnimation::StartValue>("StartValue"),
        P::Object<&TzuGradientAnimation::StopValue>("StopValue"),
        P::Bool<&TzuGradientAnimation::StartFromCurrent, &TzuGradientAnimation::SetStartFromCurrent>(
            "StartFromCurrent")
            .Default(0),
        P::String<&TzuAnimation::PropertyName, &TzuAnimation::SetPropertyName>("PropertyName"),
    };
    static const TzuClass cls = ZuClass<TzuGradientAnimation, TzuAnimation>("TzuGradientAnimation", props);
    return cls;
}

TzuGradientAnimation::TzuGradientAnimation(TzuComponent* owner)
    : TzuAnimation(owner),
      m_startValue(std::make_unique<TzuGradient>()),
      m_stopValue(std::make_unique<TzuGradient>()) {}

TzuGradientAnimation::~TzuGradientAnimation() = default;

void TzuGradientAnimation::Start() {
    if (Parent() && !PropertyName().empty()) {
        const TzuPropRef& target = ResolvePropertyPath();
        if (m_startFromCurrent) {
            if (auto* g = As<TzuGradient>(AnimatedObject(target))) m_startValue->Assign(*g);
        }
    }
    TzuAnimation::Start();
}

void TzuGradientAnimation::ProcessAnimation() {
    auto* g = As<TzuGradient>(AnimatedObject(ResolvePropertyPath()));
    if (!g) return;
    const float t = NormalizedTime();
    TzuGradientPoints& start = *m_startValue->Points();
    TzuGradientPoints& stop = *m_stopValue->Points();
    const int n = std::min({g->Points()->Count(), start.Count(), stop.Count()});
    // Each point's change reaches the gradient's holder, which repaints.
    for (int i = 0; i < n; ++i) {
        g->Points()->Points(i)->SetColor(
            InterpolateColor(start.Points(i)->Color(), stop.Points(i)->Color(), t));
    }
}

}  // namespace zu
