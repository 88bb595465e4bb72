#pragma once
// TzuRectangle fills and strokes its box with optionally rounded, bevelled or inset
// corners.

#include "scene/zu_objects/shape.h"

namespace zu {

class TzuRectangle : public TzuShape {
    ZU_CLASS(TzuRectangle)
public:
    using TzuShape::TzuShape;
    float xRadius() const { return m_xRadius; }
    virtual void SetXRadius(float value);
    float yRadius() const { return m_yRadius; }
    virtual void SetYRadius(float value);
    TzuCorners Corners() const { return m_corners; }
    virtual void SetCorners(TzuCorners value);
    TzuCornerType CornerType() const { return m_cornerType; }
    virtual void SetCornerType(TzuCornerType value);

protected:
    void Paint() override;

private:
    float m_yRadius = 0;
    float m_xRadius = 0;
    TzuCorners m_corners = kAllCorners;
    TzuCornerType m_cornerType = zuCornerRound;
};

}  // namespace zu
