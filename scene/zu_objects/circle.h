#pragma once
// TzuCircle draws the largest circle centred in its box.

#include "scene/zu_objects/ellipse.h"

namespace zu {

class TzuCircle : public TzuEllipse {
    ZU_CLASS(TzuCircle)
public:
    using TzuEllipse::TzuEllipse;

protected:
    void Paint() override;
};

}  // namespace zu
