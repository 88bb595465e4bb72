#pragma once
// TzuBevelEffect replaces its parent's look by an embossed picture of it, lit from
// Direction (degrees) over a blurred height map Size pixels wide.

#include "scene/zu_scene/tree/effect.h"

namespace zu {

class TzuBevelEffect : public TzuEffect {
    ZU_CLASS(TzuBevelEffect)
public:
    explicit TzuBevelEffect(TzuComponent* owner);
    float Direction() const { return m_direction; }
    void SetDirection(float value);
    int Size() const { return m_size; }
    void SetSize(int value);

    TzuRect GetEffectRect(const TzuRect& r) const override;
    TzuPoint GetEffectOffset() const override { return {5, 5}; }
    void ProcessEffect(TzuCanvas* canvas, TzuBitmap* bitmap, float scale) override;

private:
    float m_direction = 45;
    int m_size = 10;
};

}  // namespace zu
