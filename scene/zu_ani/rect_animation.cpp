#include "scene/zu_ani/rect_animation.h"

#include "scene/zu_ani/animated_value.h"
#include "scene/zu_scene/types/interpolation.h"

namespace zu {

const TzuClass& TzuRectAnimation::StaticClass() {
    using P = ZuProps<TzuRectAnimation>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuRectAnimation::StartValue>("StartValue"),
        P::Object<&TzuRectAnimation::StopValue>("StopValue"),
        P::Bool<&TzuRectAnimation::StartFromCurrent, &TzuRectAnimation::SetStartFromCurrent>(
            "StartFromCurrent")
            .Default(0),
        P::String<&TzuAnimation::PropertyName, &TzuAnimation::SetPropertyName>("PropertyName"),
    };
    static const TzuClass cls = ZuClass<TzuRectAnimation, TzuAnimation>("TzuRectAnimation", props);
    return cls;
}

TzuRectAnimation::TzuRectAnimation(TzuComponent* owner)
    : TzuAnimation(owner),
      m_startValue(std::make_unique<TzuBounds>()),
      m_stopValue(std::make_unique<TzuBounds>()),
      m_current(std::make_unique<TzuBounds>()) {}

TzuRectAnimation::~TzuRectAnimation() = default;

void TzuRectAnimation::Start() {
    if (Parent() && !PropertyName().empty()) {
        const TzuPropRef& target = ResolvePropertyPath();
        if (m_startFromCurrent) {
            if (auto* b = As<TzuBounds>(AnimatedObject(target))) m_startValue->Assign(*b);
        }
    }
    TzuAnimation::Start();
}

void TzuRectAnimation::ProcessAnimation() {
    const TzuPropRef& target = ResolvePropertyPath();
    if (!ResolvedTarget()) return;
    const float t = NormalizedTime();
    m_current->SetLeft(InterpolateSingle(m_startValue->Left(), m_stopValue->Left(), t));
    m_current->SetTop(InterpolateSingle(m_startValue->Top(), m_stopValue->Top(), t));
    m_current->SetRight(InterpolateSingle(m_startValue->Right(), m_stopValue->Right(), t));
    m_current->SetBottom(InterpolateSingle(m_startValue->Bottom(), m_stopValue->Bottom(), t));
    // Only bounds take bounds: any other object under that name is left alone.
    if (auto* b = As<TzuBounds>(AnimatedObject(target))) b->Assign(*m_current);
}

}  // namespace zu
