#include "scene/zu_objects/arc.h"

#include "scene/zu_objects/shape_props.h"

namespace zu {

const TzuClass& TzuArc::StaticClass() {
    using S = ShapeProps<TzuArc>;
    using P = ZuProps<TzuArc>;
    static const TzuPropInfo props[] = {
        S::Fill(),
        S::Stroke(),
        S::StrokeCap(),
        S::StrokeDash(),
        S::StrokeJoin(),
        S::StrokeThickness(),
        P::Float<&TzuArc::StartAngle, &TzuArc::SetStartAngle>("StartAngle").AlwaysStored(),
        P::Float<&TzuArc::EndAngle, &TzuArc::SetEndAngle>("EndAngle").AlwaysStored(),
    };
    static const TzuClass cls = ZuClass<TzuArc, TzuEllipse>("TzuArc", props);
    return cls;
}

TzuArc::TzuArc(TzuComponent* owner) : TzuEllipse(owner) {
    // Streams compare with the brush's own defaults, so the arc's fill defaults to none.
    Fill()->Assign(TzuBrush(zuBrushNone, Fill()->Color()));
}

void TzuArc::SetStartAngle(float value) {
    if (value == m_startAngle) return;
    m_startAngle = value;
    LookChanged();
}

void TzuArc::SetEndAngle(float value) {
    if (value == m_endAngle) return;
    m_endAngle = value;
    LookChanged();
}

void TzuArc::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    const float w = Width(), h = Height(), t = StrokeThickness();
    const TzuPoint c{w / 2, h / 2}, radius{(w - t) / 2, (h - t) / 2};
    const float opacity = AbsoluteOpacity();
    // The arc's sweep is EndAngle itself, not its distance from StartAngle.
    cv->FillArc(c, radius, m_startAngle, m_endAngle, opacity);
    cv->DrawArc(c, radius, m_startAngle, m_endAngle, opacity);
}

}  // namespace zu
