#pragma once
// TzuEllipse fills and strokes the ellipse inscribed in its box, and is hit only inside
// that ellipse. The circle, pie and arc build on it.

#include "scene/zu_objects/shape.h"

namespace zu {

class TzuEllipse : public TzuShape {
    ZU_CLASS(TzuEllipse)
public:
    using TzuShape::TzuShape;
    bool PointInObject(float x, float y) override;

protected:
    void Paint() override;
    // The inscribed-ellipse test on a point in local coordinates.
    bool InEllipse(const TzuPoint& local) const;
};

}  // namespace zu
