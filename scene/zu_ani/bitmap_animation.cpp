#include "scene/zu_ani/bitmap_animation.h"

#include "scene/zu_ani/animated_value.h"
#include "scene/zu_scene/graphics/canvas.h"

namespace zu {

const TzuClass& TzuBitmapAnimation::StaticClass() {
    using P = ZuProps<TzuBitmapAnimation>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuBitmapAnimation::StartValue>("StartValue"),
        P::Object<&TzuBitmapAnimation::StopValue>("StopValue"),
        P::String<&TzuAnimation::PropertyName, &TzuAnimation::SetPropertyName>("PropertyName"),
    };
    static const TzuClass cls = ZuClass<TzuBitmapAnimation, TzuAnimation>("TzuBitmapAnimation", props);
    return cls;
}

TzuBitmapAnimation::TzuBitmapAnimation(TzuComponent* owner)
    : TzuAnimation(owner),
      m_startValue(std::make_unique<TzuBitmap>(1, 1)),
      m_stopValue(std::make_unique<TzuBitmap>(1, 1)),
      m_work(std::make_unique<TzuBitmap>(1, 1)) {}

TzuBitmapAnimation::~TzuBitmapAnimation() = default;

void TzuBitmapAnimation::ProcessAnimation() {
    if (!Parent() || PropertyName().empty()) return;
    auto* target = As<TzuBitmap>(AnimatedObject(ResolvePropertyPath()));
    if (!target) return;
    m_work->Assign(*m_startValue);
    if (TzuCanvas* canvas = m_work->Canvas()) {
        const TzuRect src{0, 0, float(m_startValue->Width()), float(m_startValue->Height())};
        const TzuRect dst{0, 0, float(m_stopValue->Width()), float(m_stopValue->Height())};
        if (canvas->BeginScene()) {
            canvas->DrawBitmap(*m_stopValue, src, dst, NormalizedTime(), false);
            canvas->EndScene();
        }
        m_work->Changed();
    }
    target->Assign(*m_work);
}

}  // namespace zu
