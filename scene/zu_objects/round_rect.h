#pragma once
// TzuRoundRect is a bar with fully rounded ends: its corner radius is half its shorter side.

#include "scene/zu_objects/shape.h"

namespace zu {

class TzuRoundRect : public TzuShape {
    ZU_CLASS(TzuRoundRect)
public:
    using TzuShape::TzuShape;
    TzuCorners Corners() const { return m_corners; }
    virtual void SetCorners(TzuCorners value);

protected:
    void Paint() override;

private:
    TzuCorners m_corners = kAllCorners;
};

}  // namespace zu
