#include "scene/zu_objects/paint_box.h"

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/canvas.h"

namespace zu {

const TzuClass& TzuPaintBox::StaticClass() {
    using P = ZuProps<TzuPaintBox>;
    static const TzuPropInfo props[] = {
        P::Event<&TzuPaintBox::OnPaint>("OnPaint"),
    };
    static const TzuClass cls = ZuClass<TzuPaintBox, TzuVisualObject>("TzuPaintBox", props);
    return cls;
}

void TzuPaintBox::Paint() {
    TzuVisualObject::Paint();
    TzuCanvas* cv = Canvas();
    if (!m_onPaint || !cv) return;
    cv->SetMatrix(AbsoluteMatrix());
    m_onPaint(this, cv);
}

}  // namespace zu
