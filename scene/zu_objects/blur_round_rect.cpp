#include "scene/zu_objects/blur_round_rect.h"

namespace zu {

const TzuClass& TzuBlurRoundRect::StaticClass() {
    using P = ZuProps<TzuBlurRoundRect>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuBlurRoundRect::Softness, &TzuBlurRoundRect::SetSoftness>("Softness").AlwaysStored(),
    };
    static const TzuClass cls = ZuClass<TzuBlurRoundRect, TzuRoundRect>("TzuBlurRoundRect", props);
    return cls;
}

TzuBlurRoundRect::TzuBlurRoundRect(TzuComponent* owner) : TzuRoundRect(owner) {
    Stroke()->SetStyle(zuBrushNone);
}

void TzuBlurRoundRect::SetSoftness(float value) {
    if (value == m_softness) return;
    m_softness = value;
    m_cache.Invalidate();
    Repaint();
}

void TzuBlurRoundRect::SetCorners(TzuCorners value) {
    TzuRoundRect::SetCorners(value);
    m_cache.Invalidate();
}

void TzuBlurRoundRect::FillChanged() {
    TzuRoundRect::FillChanged();
    m_cache.Invalidate();
}

void TzuBlurRoundRect::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    float opacity = AbsoluteOpacity();
    m_cache.Paint(*cv, Width(), Height(), BlurRadius(m_softness), opacity,
                  [&](TzuCanvas& bc, const TzuRect& q) {
                      float r = RectHeight(q) / 2;
                      bc.Fill()->Assign(*Fill());
                      bc.FillRect(q, r, r, Corners(), opacity, zuCornerRound);
                      bc.Stroke()->Assign(*Stroke());
                      bc.DrawRect(q, r, r, Corners(), opacity, zuCornerRound);
                  });
}

}  // namespace zu
