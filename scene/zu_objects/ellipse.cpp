#include "scene/zu_objects/ellipse.h"

#include <cmath>

#include "scene/zu_objects/shape_props.h"

namespace zu {

const TzuClass& TzuEllipse::StaticClass() {
    using S = ShapeProps<TzuEllipse>;
    static const TzuPropInfo props[] = {
        S::Fill(), S::Stroke(), S::StrokeCap(), S::StrokeDash(), S::StrokeJoin(), S::StrokeThickness(),
    };
    static const TzuClass cls = ZuClass<TzuEllipse, TzuShape>("TzuEllipse", props);
    return cls;
}

void TzuEllipse::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    const TzuRect r = GetShapeRect();
    const float opacity = AbsoluteOpacity();
    cv->FillEllipse(r, opacity);
    cv->DrawEllipse(r, opacity);
}

bool TzuEllipse::InEllipse(const TzuPoint& p) const {
    const double w = Width(), h = Height();
    if (w * h == 0) return false;
    const double dx = (2 * p.X - w) / w, dy = (2 * p.Y - h) / h;
    return dx * dx + dy * dy <= 1;
}

bool TzuEllipse::PointInObject(float x, float y) {
    if (std::fabs(MatrixDeterminant(AbsoluteMatrix())) < 1e-12f) return false;
    return InEllipse(AbsoluteToLocal(TzuPoint{x, y}));
}

}  // namespace zu
