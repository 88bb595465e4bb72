#pragma once
// TzuPaintBox draws nothing of its own: its OnPaint handler draws on the canvas, whose
// matrix is already the box's own, as the box's own content: after the inherited painting
// and before the box's children, which stay on top of it.

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

using TzuPaintBoxEvent = TzuEvent<TzuPersistent*, TzuCanvas*>;

class TzuPaintBox : public TzuVisualObject {
    ZU_CLASS(TzuPaintBox)
public:
    using TzuVisualObject::TzuVisualObject;

    // Hides the visual object's OnPaint, which runs after the children.
    TzuPaintBoxEvent& OnPaint() { return m_onPaint; }
    void Paint() override;

private:
    TzuPaintBoxEvent m_onPaint;
};

}  // namespace zu
