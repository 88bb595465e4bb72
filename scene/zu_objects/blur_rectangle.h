#pragma once
// TzuBlurRectangle shows its rectangle blurred by Softness, from a cached picture.

#include "scene/zu_objects/blur_cache.h"
#include "scene/zu_objects/rectangle.h"

namespace zu {

class TzuBlurRectangle : public TzuRectangle {
    ZU_CLASS(TzuBlurRectangle)
public:
    explicit TzuBlurRectangle(TzuComponent* owner);
    float Softness() const { return m_softness; }
    void SetSoftness(float value);
    void SetXRadius(float value) override;
    void SetYRadius(float value) override;
    void SetCorners(TzuCorners value) override;
    void SetCornerType(TzuCornerType value) override;
    const TzuBlurCache& BlurCache() const { return m_cache; }

protected:
    void FillChanged() override;
    void Paint() override;

private:
    TzuBlurCache m_cache;
    float m_softness = 0.3f;
};

}  // namespace zu
