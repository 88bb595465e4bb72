#include "scene/zu_ani/float_key_animation.h"

#include "scene/zu_ani/animated_value.h"
#include "scene/zu_scene/types/interpolation.h"

namespace zu {

const TzuClass& TzuFloatKeyAnimation::StaticClass() {
    using P = ZuProps<TzuFloatKeyAnimation>;
    static const TzuPropInfo props[] = {
        P::String<&TzuAnimation::PropertyName, &TzuAnimation::SetPropertyName>("PropertyName"),
        P::Collection<&TzuFloatKeyAnimation::Keys>("Keys"),
        P::Bool<&TzuFloatKeyAnimation::StartFromCurrent, &TzuFloatKeyAnimation::SetStartFromCurrent>(
            "StartFromCurrent")
            .AlwaysStored(),
    };
    static const TzuClass cls = ZuClass<TzuFloatKeyAnimation, TzuAnimation>("TzuFloatKeyAnimation", props);
    return cls;
}

TzuFloatKeyAnimation::TzuFloatKeyAnimation(TzuComponent* owner)
    : TzuAnimation(owner), m_keys(TzuFloatKey::StaticClass()) {}

void TzuFloatKeyAnimation::Start() {
    if (Parent() && !PropertyName().empty()) {
        const TzuPropRef& target = ResolvePropertyPath();
        float current = 0;
        if (m_startFromCurrent && m_keys.Count() > 0 && ReadAnimatedFloat(target, current)) {
            if (auto* first = As<TzuFloatKey>(m_keys.Keys(0))) first->SetValue(current);
        }
    }
    TzuAnimation::Start();
}

void TzuFloatKeyAnimation::ProcessAnimation() {
    const TzuPropRef& target = ResolvePropertyPath();
    if (!target) return;
    const float t = NormalizedTime();
    const int i = m_keys.FindSegment(t);
    auto* k1 = As<TzuFloatKey>(m_keys.Keys(i));
    auto* k2 = As<TzuFloatKey>(m_keys.Keys(i + 1));
    if (i < 0 || !k1 || !k2 || k2->Key() == k1->Key()) return;
    const float u = (t - k1->Key()) / (k2->Key() - k1->Key());
    WriteAnimatedFloat(target, InterpolateSingle(k1->Value(), k2->Value(), u));
}

}  // namespace zu
