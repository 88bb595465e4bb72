#pragma once
// TzuShadowEffect draws a blurred, coloured silhouette of its parent under it, moved by
// Distance in Direction (degrees; 45 points down and to the right).

#include <string>

#include "scene/zu_scene/tree/effect.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuShadowEffect : public TzuEffect {
    ZU_CLASS(TzuShadowEffect)
public:
    using TzuEffect::TzuEffect;
    float Distance() const { return m_distance; }
    void SetDistance(float value);
    float Softness() const { return m_softness; }
    // Kept within [0, 3].
    void SetSoftness(float value);
    TzuColor ShadowColor() const { return m_shadowColor; }
    std::string ShadowColorText() const { return ColorToText(m_shadowColor); }
    void SetShadowColor(TzuColor value);
    void SetShadowColorText(const std::string& text);
    float Opacity() const { return m_opacity; }
    // Kept within [0, 1].
    void SetOpacity(float value);
    float Direction() const { return m_direction; }
    void SetDirection(float value);

    TzuRect GetEffectRect(const TzuRect& r) const override;
    TzuPoint GetEffectOffset() const override;
    void ProcessEffect(TzuCanvas* canvas, TzuBitmap* bitmap, float scale) override;

private:
    float Margin() const { return float(int(m_softness * 20)); }
    // The shift of the shadow from its object, in local units.
    TzuPoint Shift() const;

    float m_distance = 3;
    float m_softness = 0.3f;
    TzuColor m_shadowColor = 0xFF000000;
    float m_opacity = 0.6f;
    float m_direction = 45;
};

}  // namespace zu
