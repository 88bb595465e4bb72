#pragma once
// The group box kinds.

#include "scene/zu_controls/text_control.h"

namespace zu {

// A captioned frame around other controls, wearing "groupboxstyle"; it takes no focus.
class TzuGroupBox : public TzuTextControl {
    ZU_CLASS(TzuGroupBox)
public:
    explicit TzuGroupBox(TzuComponent* owner);
};

class TzuHudGroupBox : public TzuGroupBox {
    ZU_CLASS(TzuHudGroupBox)
public:
    using TzuGroupBox::TzuGroupBox;
};

}  // namespace zu
