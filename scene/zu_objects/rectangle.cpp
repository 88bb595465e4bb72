#include "scene/zu_objects/rectangle.h"

#include "scene/zu_objects/shape_props.h"

namespace zu {

const TzuClass& TzuRectangle::StaticClass() {
    using S = ShapeProps<TzuRectangle>;
    using P = ZuProps<TzuRectangle>;
    static const TzuPropInfo props[] = {
        S::Fill(),
        S::Stroke(),
        S::StrokeCap(),
        S::StrokeDash(),
        S::StrokeJoin(),
        S::StrokeThickness(),
        P::Float<&TzuRectangle::xRadius, &TzuRectangle::SetXRadius>("xRadius").AlwaysStored(),
        P::Float<&TzuRectangle::yRadius, &TzuRectangle::SetYRadius>("yRadius").AlwaysStored(),
        P::SetOf<&TzuRectangle::Corners, &TzuRectangle::SetCorners>("Corners", kCornerEnum)
            .Default(kAllCorners),
        P::Enum<&TzuRectangle::CornerType, &TzuRectangle::SetCornerType>("CornerType", kCornerTypeEnum)
            .Default(zuCornerRound),
    };
    static const TzuClass cls = ZuClass<TzuRectangle, TzuShape>("TzuRectangle", props);
    return cls;
}

void TzuRectangle::SetXRadius(float value) {
    if (value == m_xRadius) return;
    m_xRadius = value;
    LookChanged();
}

void TzuRectangle::SetYRadius(float value) {
    if (value == m_yRadius) return;
    m_yRadius = value;
    LookChanged();
}

void TzuRectangle::SetCorners(TzuCorners value) {
    if (value == m_corners) return;
    m_corners = value;
    Repaint();
}

void TzuRectangle::SetCornerType(TzuCornerType value) {
    if (value == m_cornerType) return;
    m_cornerType = value;
    LookChanged();
}

void TzuRectangle::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    TzuRect r = GetShapeRect();
    float opacity = AbsoluteOpacity();
    cv->FillRect(r, m_xRadius, m_yRadius, m_corners, opacity, m_cornerType);
    cv->DrawRect(r, m_xRadius, m_yRadius, m_corners, opacity, m_cornerType);
}

}  // namespace zu
