#include "scene/zu_ani/color_key_animation.h"

#include "scene/zu_ani/animated_value.h"

namespace zu {

const TzuClass& TzuColorKeyAnimation::StaticClass() {
    using P = ZuProps<TzuColorKeyAnimation>;
    static const TzuPropInfo props[] = {
        P::String<&TzuAnimation::PropertyName, &TzuAnimation::SetPropertyName>("PropertyName"),
        P::Collection<&TzuColorKeyAnimation::Keys>("Keys"),
        P::Bool<&TzuColorKeyAnimation::StartFromCurrent, &TzuColorKeyAnimation::SetStartFromCurrent>(
            "StartFromCurrent")
            .AlwaysStored(),
    };
    static const TzuClass cls = ZuClass<TzuColorKeyAnimation, TzuAnimation>("TzuColorKeyAnimation", props);
    return cls;
}

TzuColorKeyAnimation::TzuColorKeyAnimation(TzuComponent* owner)
    : TzuAnimation(owner), m_keys(TzuColorKey::StaticClass()) {}

void TzuColorKeyAnimation::Start() {
    if (Parent() && !PropertyName().empty()) {
        const TzuPropRef& target = ResolvePropertyPath();
        TzuColor current = 0;
        if (m_startFromCurrent && m_keys.Count() > 0 && ReadAnimatedColor(target, current)) {
            if (auto* first = As<TzuColorKey>(m_keys.Keys(0))) first->SetColor(current);
        }
    }
    TzuAnimation::Start();
}

void TzuColorKeyAnimation::ProcessAnimation() {
    const TzuPropRef& target = ResolvePropertyPath();
    if (!target) return;
    const float t = NormalizedTime();
    const int i = m_keys.FindSegment(t);
    auto* k1 = As<TzuColorKey>(m_keys.Keys(i));
    auto* k2 = As<TzuColorKey>(m_keys.Keys(i + 1));
    if (i < 0 || !k1 || !k2 || k2->Key() == k1->Key()) return;
    const float u = (t - k1->Key()) / (k2->Key() - k1->Key());
    WriteAnimatedColor(target, InterpolateColor(k1->Color(), k2->Color(), u));
}

}  // namespace zu
