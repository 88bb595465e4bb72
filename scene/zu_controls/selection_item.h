#pragma once
// TzuSelectionItem is a styled mark laid over a chosen entry (of a list, a design surface);
// the mouse passes through it to what it marks.

#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuSelectionItem : public TzuControl {
    ZU_CLASS(TzuSelectionItem)
public:
    explicit TzuSelectionItem(TzuComponent* owner) : TzuControl(owner) { SetHitTest(false); }
};

}  // namespace zu
