#include "scene/zu_effects/blur_effect.h"

#include "platform/core/property.h"
#include "scene/zu_effects/effect_pixels.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

const TzuClass& TzuBlurEffect::StaticClass() {
    using P = ZuProps<TzuBlurEffect>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuBlurEffect::Softness, &TzuBlurEffect::SetSoftness>("Softness").AlwaysStored(),
    };
    static const TzuClass cls = ZuClass<TzuBlurEffect, TzuEffect>("TzuBlurEffect", props);
    return cls;
}

TzuBlurEffect::TzuBlurEffect(TzuComponent* owner) : TzuEffect(owner) { SetDisablePaint(true); }

void TzuBlurEffect::SetSoftness(float value) {
    if (value == m_softness) return;
    RepaintEffectArea(*this);
    m_softness = value < 0 ? 0 : value > 9 ? 9 : value;
    EffectChanged();
}

TzuRect TzuBlurEffect::GetEffectRect(const TzuRect& r) const {
    TzuRect out = r;
    RectInflate(out, Margin(), Margin());
    return out;
}

TzuPoint TzuBlurEffect::GetEffectOffset() const { return {Margin(), Margin()}; }

void TzuBlurEffect::ProcessEffect(TzuCanvas*, TzuBitmap* bitmap, float) {
    // The radius is in screen pixels: the object's scale is deliberately not applied, the
    // screen's density is.
    if (bitmap && m_softness > 0) StackBlur(*bitmap, Scaled(static_cast<int>(m_softness * 15)));
}

}  // namespace zu
