#include "scene/zu_objects/blur_rectangle.h"

namespace zu {

const TzuClass& TzuBlurRectangle::StaticClass() {
    using P = ZuProps<TzuBlurRectangle>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuBlurRectangle::Softness, &TzuBlurRectangle::SetSoftness>("Softness").AlwaysStored(),
    };
    static const TzuClass cls = ZuClass<TzuBlurRectangle, TzuRectangle>("TzuBlurRectangle", props);
    return cls;
}

TzuBlurRectangle::TzuBlurRectangle(TzuComponent* owner) : TzuRectangle(owner) {
    Stroke()->SetStyle(zuBrushNone);
}

void TzuBlurRectangle::SetSoftness(float value) {
    if (value == m_softness) return;
    m_softness = value;
    m_cache.Invalidate();
    Repaint();
}

void TzuBlurRectangle::SetXRadius(float value) {
    TzuRectangle::SetXRadius(value);
    m_cache.Invalidate();
}

void TzuBlurRectangle::SetYRadius(float value) {
    TzuRectangle::SetYRadius(value);
    m_cache.Invalidate();
}

void TzuBlurRectangle::SetCorners(TzuCorners value) {
    TzuRectangle::SetCorners(value);
    m_cache.Invalidate();
}

void TzuBlurRectangle::SetCornerType(TzuCornerType value) {
    TzuRectangle::SetCornerType(value);
    m_cache.Invalidate();
}

void TzuBlurRectangle::FillChanged() {
    TzuRectangle::FillChanged();
    m_cache.Invalidate();
}

void TzuBlurRectangle::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    float opacity = AbsoluteOpacity();
    m_cache.Paint(*cv, Width(), Height(), BlurRadius(m_softness), opacity,
                  [&](TzuCanvas& bc, const TzuRect& q) {
                      bc.Fill()->Assign(*Fill());
                      bc.FillRect(q, xRadius(), yRadius(), Corners(), opacity, CornerType());
                      bc.Stroke()->Assign(*Stroke());
                      bc.DrawRect(q, xRadius(), yRadius(), Corners(), opacity, CornerType());
                  });
}

}  // namespace zu
