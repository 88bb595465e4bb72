#include "scene/zu_effects/glow_effect.h"

#include "platform/core/property.h"
#include "scene/zu_effects/effect_pixels.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

const TzuClass& TzuGlowEffect::StaticClass() {
    using P = ZuProps<TzuGlowEffect>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuGlowEffect::Softness, &TzuGlowEffect::SetSoftness>("Softness").Default(0.4f),
        P::String<&TzuGlowEffect::GlowColorText, &TzuGlowEffect::SetGlowColorText>("GlowColor")
            .CopiedAs<&TzuGlowEffect::GlowColor, &TzuGlowEffect::SetGlowColor>(),
        P::Float<&TzuGlowEffect::Opacity, &TzuGlowEffect::SetOpacity>("Opacity").Default(0.9f),
    };
    static const TzuClass cls = ZuClass<TzuGlowEffect, TzuEffect>("TzuGlowEffect", props);
    return cls;
}

void TzuGlowEffect::SetSoftness(float value) {
    if (value == m_softness) return;
    RepaintEffectArea(*this);
    m_softness = value < 0 ? 0 : value > 9 ? 9 : value;
    EffectChanged();
}

void TzuGlowEffect::SetGlowColorText(const std::string& text) { SetGlowColor(TextToColor(text)); }

void TzuGlowEffect::SetGlowColor(TzuColor c) {
    if (c == m_glowColor) return;
    m_glowColor = c;
    EffectChanged();
}

void TzuGlowEffect::SetOpacity(float value) {
    if (value == m_opacity) return;
    m_opacity = value < 0 ? 0 : value > 1 ? 1 : value;
    EffectChanged();
}

TzuRect TzuGlowEffect::GetEffectRect(const TzuRect& r) const {
    TzuRect out = r;
    RectInflate(out, Margin(), Margin());
    return out;
}

TzuPoint TzuGlowEffect::GetEffectOffset() const { return {Margin(), Margin()}; }

void TzuGlowEffect::ProcessEffect(TzuCanvas*, TzuBitmap* bitmap, float) {
    if (bitmap)
        BlurredSilhouette(*bitmap, ColorWithOpacity(m_glowColor, m_opacity), Scaled(BlurRadius()), 0, 0);
}

}  // namespace zu
