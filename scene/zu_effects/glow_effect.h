#pragma once
// TzuGlowEffect surrounds its parent with a blurred halo of GlowColor, drawn under it.

#include <string>

#include "scene/zu_scene/tree/effect.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuGlowEffect : public TzuEffect {
    ZU_CLASS(TzuGlowEffect)
public:
    using TzuEffect::TzuEffect;
    float Softness() const { return m_softness; }
    // Kept within [0, 9].
    void SetSoftness(float value);
    TzuColor GlowColor() const { return m_glowColor; }
    std::string GlowColorText() const { return ColorToText(m_glowColor); }
    void SetGlowColor(TzuColor value);
    void SetGlowColorText(const std::string& text);
    float Opacity() const { return m_opacity; }
    // Kept within [0, 1].
    void SetOpacity(float value);

    TzuRect GetEffectRect(const TzuRect& r) const override;
    TzuPoint GetEffectOffset() const override;
    void ProcessEffect(TzuCanvas* canvas, TzuBitmap* bitmap, float scale) override;

protected:
    virtual float Margin() const { return float(int(m_softness * 23) + 4); }
    int BlurRadius() const { return int(m_softness * 10 + 5); }

private:
    float m_softness = 0.4f;
    TzuColor m_glowColor = 0xFFFFD700;
    float m_opacity = 0.9f;
};

}  // namespace zu
