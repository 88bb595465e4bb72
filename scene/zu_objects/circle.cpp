#include "scene/zu_objects/circle.h"

namespace zu {

const TzuClass& TzuCircle::StaticClass() {
    static const TzuClass cls = ZuClass<TzuCircle, TzuEllipse>("TzuCircle");
    return cls;
}

void TzuCircle::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    const float m = MaxSingle(Width(), Height());
    TzuRect s{0, 0, m, m};
    RectFitInto(s, GetShapeRect());
    const float opacity = AbsoluteOpacity();
    cv->FillEllipse(s, opacity);
    cv->DrawEllipse(s, opacity);
}

}  // namespace zu
