#pragma once
// TzuInnerGlowEffect lets the glow colour bleed inwards from the edge of its parent's
// silhouette and draws it over the parent.

#include "scene/zu_effects/glow_effect.h"

namespace zu {

class TzuInnerGlowEffect : public TzuGlowEffect {
    ZU_CLASS(TzuInnerGlowEffect)
public:
    explicit TzuInnerGlowEffect(TzuComponent* owner);
    void ProcessEffect(TzuCanvas* canvas, TzuBitmap* bitmap, float scale) override;

protected:
    float Margin() const override { return float(int(Softness() * 20)); }
};

}  // namespace zu
