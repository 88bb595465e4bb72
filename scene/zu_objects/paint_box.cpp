#include "scene/zu_objects/paint_box.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuPaintBox::StaticClass() {
    // OnPaint is the visual object's own event, fired once per paint by the pipeline.
    static const TzuClass cls = ZuClass<TzuPaintBox, TzuVisualObject>("TzuPaintBox");
    return cls;
}

}  // namespace zu
