#pragma once
// TzuContent holds the items inside a styled container (list boxes, scroll boxes). Its
// children are streamed as children of its parent, and laying them out also lays out
// the parent, so a container follows changes of its content. A text control makes itself
// the content's painter, so its text is drawn inside the content's box, under the parts the
// style places above it; the painter is not owned and must unhook itself before it goes.

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuContent;

// Draws into a content part when it paints (text of text controls), in the content's local
// coordinates on its canvas.
class IzuContentPainter {
public:
    virtual ~IzuContentPainter() = default;
    virtual void PaintContent(TzuContent& content) = 0;
};

class TzuContent : public TzuVisualObject {
    ZU_CLASS(TzuContent)
public:
    using TzuVisualObject::TzuVisualObject;

    bool IsContent() const override { return true; }
    void Realign() override;
    IzuContentPainter* Painter() const { return m_painter; }
    // Null unhooks; repaints either way.
    void SetPainter(IzuContentPainter* painter);
    void Paint() override;

private:
    IzuContentPainter* m_painter = nullptr;
    bool m_realigningParent = false;
};

}  // namespace zu
