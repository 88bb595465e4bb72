#pragma once
// TzuPaintBox draws nothing of its own: its OnPaint handler draws on the canvas, whose
// matrix is already the box's own, after the box's children have been painted.

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuPaintBox : public TzuVisualObject {
    ZU_CLASS(TzuPaintBox)
public:
    using TzuVisualObject::TzuVisualObject;
};

}  // namespace zu
