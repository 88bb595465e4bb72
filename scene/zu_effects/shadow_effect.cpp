#include "scene/zu_effects/shadow_effect.h"

#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_effects/effect_pixels.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

const TzuClass& TzuShadowEffect::StaticClass() {
    using P = ZuProps<TzuShadowEffect>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuShadowEffect::Distance, &TzuShadowEffect::SetDistance>("Distance").Default(3),
        P::Float<&TzuShadowEffect::Softness, &TzuShadowEffect::SetSoftness>("Softness").Default(0.3f),
        P::String<&TzuShadowEffect::ShadowColorText, &TzuShadowEffect::SetShadowColorText>("ShadowColor")
            .CopiedAs<&TzuShadowEffect::ShadowColor, &TzuShadowEffect::SetShadowColor>(),
        P::Float<&TzuShadowEffect::Opacity, &TzuShadowEffect::SetOpacity>("Opacity").Default(0.6f),
        P::Float<&TzuShadowEffect::Direction, &TzuShadowEffect::SetDirection>("Direction").Default(45),
    };
    static const TzuClass cls = ZuClass<TzuShadowEffect, TzuEffect>("TzuShadowEffect", props);
    return cls;
}

void TzuShadowEffect::SetDistance(float value) {
    if (value == m_distance) return;
    RepaintEffectArea(*this);
    m_distance = value;
    EffectChanged();
}

void TzuShadowEffect::SetSoftness(float value) {
    if (value == m_softness) return;
    RepaintEffectArea(*this);
    m_softness = value < 0 ? 0 : value > 3 ? 3 : value;
    EffectChanged();
}

void TzuShadowEffect::SetShadowColorText(const std::string& text) { SetShadowColor(TextToColor(text)); }

void TzuShadowEffect::SetShadowColor(TzuColor c) {
    if (c == m_shadowColor) return;
    m_shadowColor = c;
    EffectChanged();
}

void TzuShadowEffect::SetOpacity(float value) {
    if (value == m_opacity) return;
    m_opacity = value < 0 ? 0 : value > 1 ? 1 : value;
    EffectChanged();
}

void TzuShadowEffect::SetDirection(float value) {
    if (value == m_direction) return;
    RepaintEffectArea(*this);
    m_direction = value;
    EffectChanged();
}

TzuPoint TzuShadowEffect::Shift() const {
    const float a = DegreesToRadians(m_direction);
    return {m_distance * std::cos(a), m_distance * std::sin(a)};
}

TzuRect TzuShadowEffect::GetEffectRect(const TzuRect& r) const {
    TzuRect out = r;
    RectInflate(out, Margin(), Margin());
    const TzuPoint d = Shift();
    RectOffset(out, d.X, d.Y);
    return out;
}

TzuPoint TzuShadowEffect::GetEffectOffset() const { return {Margin(), Margin()}; }

void TzuShadowEffect::ProcessEffect(TzuCanvas*, TzuBitmap* bitmap, float scale) {
    if (!bitmap) return;
    const TzuPoint d = Shift();
    // Where the object itself will be drawn, no shadow shows through it.
    const int dx = -int(std::nearbyint(scale * d.X)), dy = -int(std::nearbyint(scale * d.Y));
    BlurredSilhouette(*bitmap, ColorWithOpacity(m_shadowColor, m_opacity), Scaled(int(m_softness * 10 + 5)),
                      dx, dy);
}

}  // namespace zu
