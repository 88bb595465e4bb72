#pragma once
// TzuSidesRectangle strokes only some sides of its box; the fill reaches the box's edge
// where no stroke is drawn.

#include "scene/zu_objects/rectangle.h"

namespace zu {

class TzuSidesRectangle : public TzuRectangle {
    ZU_CLASS(TzuSidesRectangle)
public:
    using TzuRectangle::TzuRectangle;
    TzuSides Sides() const { return m_sides; }
    void SetSides(TzuSides value);

protected:
    void Paint() override;

private:
    TzuSides m_sides = kAllSides;
};

}  // namespace zu
