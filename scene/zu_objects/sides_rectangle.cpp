#include "scene/zu_objects/sides_rectangle.h"

namespace zu {

const TzuClass& TzuSidesRectangle::StaticClass() {
    using P = ZuProps<TzuSidesRectangle>;
    static const TzuPropInfo props[] = {
        P::SetOf<&TzuSidesRectangle::Sides, &TzuSidesRectangle::SetSides>("Sides", kSideEnum)
            .Default(kAllSides),
    };
    static const TzuClass cls = ZuClass<TzuSidesRectangle, TzuRectangle>("TzuSidesRectangle", props);
    return cls;
}

void TzuSidesRectangle::SetSides(TzuSides value) {
    if (value == m_sides) return;
    m_sides = value;
    Repaint();
}

void TzuSidesRectangle::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    TzuRect r = GetShapeRect();
    float h = r.Left;  // half the stroke when it is drawn, else 0
    TzuRect f = r;
    if (!(m_sides & SideBit(zuSideTop))) f.Top -= h;
    if (!(m_sides & SideBit(zuSideLeft))) f.Left -= h;
    if (!(m_sides & SideBit(zuSideBottom))) f.Bottom += h;
    if (!(m_sides & SideBit(zuSideRight))) f.Right += h;
    float opacity = AbsoluteOpacity();
    cv->FillRect(f, xRadius(), yRadius(), Corners(), opacity, CornerType());
    cv->DrawRectSides(r, xRadius(), yRadius(), Corners(), m_sides, opacity, CornerType());
}

}  // namespace zu
