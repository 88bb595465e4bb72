#pragma once
// TzuContent holds the items inside a styled container (list boxes, scroll boxes). Its
// children are streamed as children of its parent, and laying them out also lays out
// the parent, so a container follows changes of its content.

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuContent : public TzuVisualObject {
    ZU_CLASS(TzuContent)
public:
    using TzuVisualObject::TzuVisualObject;

    bool IsContent() const override { return true; }
    void Realign() override;

private:
    bool m_realigningParent = false;
};

}  // namespace zu
