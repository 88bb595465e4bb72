#pragma once
// TzuBlurEffect replaces its parent's look by a blurred picture of it; Softness sets both
// the margin the picture grows by and the blur radius.

#include "scene/zu_scene/tree/effect.h"

namespace zu {

class TzuBlurEffect : public TzuEffect {
    ZU_CLASS(TzuBlurEffect)
public:
    explicit TzuBlurEffect(TzuComponent* owner);
    float Softness() const { return m_softness; }
    // Kept within [0, 9].
    void SetSoftness(float value);

    TzuRect GetEffectRect(const TzuRect& r) const override;
    TzuPoint GetEffectOffset() const override;
    void ProcessEffect(TzuCanvas* canvas, TzuBitmap* bitmap, float scale) override;

private:
    float Margin() const { return static_cast<float>(static_cast<int>(m_softness * 20)); }
    float m_softness = 0.3f;
};

}  // namespace zu
