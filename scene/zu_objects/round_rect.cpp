#include "scene/zu_objects/round_rect.h"

#include "scene/zu_objects/shape_props.h"

namespace zu {

const TzuClass& TzuRoundRect::StaticClass() {
    using S = ShapeProps<TzuRoundRect>;
    using P = ZuProps<TzuRoundRect>;
    static const TzuPropInfo props[] = {
        S::Fill(),
        S::Stroke(),
        S::StrokeCap(),
        S::StrokeDash(),
        S::StrokeJoin(),
        S::StrokeThickness(),
        P::SetOf<&TzuRoundRect::Corners, &TzuRoundRect::SetCorners>("Corners", kCornerEnum)
            .Default(kAllCorners),
    };
    static const TzuClass cls = ZuClass<TzuRoundRect, TzuShape>("TzuRoundRect", props);
    return cls;
}

void TzuRoundRect::SetCorners(TzuCorners value) {
    if (value == m_corners) return;
    m_corners = value;
    Repaint();
}

void TzuRoundRect::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    TzuRect r = GetShapeRect();
    float radius = Height() >= Width() ? RectWidth(r) / 2 : RectHeight(r) / 2;
    float opacity = AbsoluteOpacity();
    cv->FillRect(r, radius, radius, m_corners, opacity, zuCornerRound);
    cv->DrawRect(r, radius, radius, m_corners, opacity, zuCornerRound);
}

}  // namespace zu
