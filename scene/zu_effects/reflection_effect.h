#pragma once
// TzuReflectionEffect draws a mirror image of its parent below it, Offset apart, fading
// from Opacity at the parent's edge to nothing over Length of its height.

#include "scene/zu_scene/tree/effect.h"

namespace zu {

class TzuReflectionEffect : public TzuEffect {
    ZU_CLASS(TzuReflectionEffect)
public:
    using TzuEffect::TzuEffect;
    int Offset() const { return m_offset; }
    void SetOffset(int value);
    float Opacity() const { return m_opacity; }
    void SetOpacity(float value);
    float Length() const { return m_length; }
    // Kept within [0.1, 1].
    void SetLength(float value);

    TzuRect GetEffectRect(const TzuRect& r) const override;
    TzuPoint GetEffectOffset() const override { return {2, 2}; }
    void ProcessEffect(TzuCanvas* canvas, TzuBitmap* bitmap, float scale) override;

private:
    int m_offset = 0;
    float m_opacity = 0.5f;
    float m_length = 0.5f;
};

}  // namespace zu
