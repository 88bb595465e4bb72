#include "scene/zu_objects/pie.h"

#include <cmath>

#include "scene/zu_objects/shape_props.h"

namespace zu {

const TzuClass& TzuPie::StaticClass() {
    using S = ShapeProps<TzuPie>;
    using P = ZuProps<TzuPie>;
    static const TzuPropInfo props[] = {
        S::Fill(),
        S::Stroke(),
        S::StrokeCap(),
        S::StrokeDash(),
        S::StrokeJoin(),
        S::StrokeThickness(),
        P::Float<&TzuPie::StartAngle, &TzuPie::SetStartAngle>("StartAngle").AlwaysStored(),
        P::Float<&TzuPie::EndAngle, &TzuPie::SetEndAngle>("EndAngle").AlwaysStored(),
    };
    static const TzuClass cls = ZuClass<TzuPie, TzuEllipse>("TzuPie", props);
    return cls;
}

void TzuPie::SetStartAngle(float value) {
    if (value == m_startAngle) return;
    m_startAngle = value;
    LookChanged();
}

void TzuPie::SetEndAngle(float value) {
    if (value == m_endAngle) return;
    m_endAngle = value;
    LookChanged();
}

void TzuPie::PiePath(TzuPathData& path) const {
    // The radii give way to the stroke whether or not a stroke is drawn.
    const float w = Width(), h = Height(), t = StrokeThickness();
    const TzuPoint c{w / 2, h / 2};
    path.MoveTo(c);
    path.AddArc(c, TzuPoint{(w - t) / 2, (h - t) / 2}, m_startAngle, m_endAngle - m_startAngle);
    path.LineTo(c);
    path.ClosePath();
}

void TzuPie::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    TzuPathData path;
    PiePath(path);
    const TzuRect b = path.GetBounds();
    const float opacity = AbsoluteOpacity();
    cv->FillPath(path, b, opacity);
    cv->DrawPath(path, b, opacity);
}

bool TzuPie::PointInObject(float x, float y) {
    if (std::fabs(MatrixDeterminant(AbsoluteMatrix())) < 1e-12f) return false;
    const TzuPoint local = AbsoluteToLocal(TzuPoint{x, y});
    TzuCanvas* cv = Canvas();
    if (!cv) return InEllipse(local);
    TzuPathData path;
    PiePath(path);
    return cv->PtInPath(local, path.GetBounds(), path);
}

}  // namespace zu
