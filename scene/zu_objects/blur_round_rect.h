#pragma once
// TzuBlurRoundRect shows a round-ended bar blurred by Softness, from a cached picture.

#include "scene/zu_objects/blur_cache.h"
#include "scene/zu_objects/round_rect.h"

namespace zu {

class TzuBlurRoundRect : public TzuRoundRect {
    ZU_CLASS(TzuBlurRoundRect)
public:
    explicit TzuBlurRoundRect(TzuComponent* owner);
    float Softness() const { return m_softness; }
    void SetSoftness(float value);
    void SetCorners(TzuCorners value) override;

protected:
    void FillChanged() override;
    void Paint() override;

private:
    TzuBlurCache m_cache;
    float m_softness = 0.3f;
};

}  // namespace zu
