#pragma once
// TzuColorBox is a swatch: a colour painted at the box's opacity over a checkerboard, so
// that a colour's transparency shows. It paints itself and owns nothing.

#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuCanvas;

// Fills r white and lays grey 10 x 10 squares over it from its top left, the squares
// whose row and column differ in parity: the ground a translucent colour is judged on.
void PaintCheckerboard(TzuCanvas& canvas, const TzuRect& r, float opacity);

class TzuColorBox : public TzuControl {
    ZU_CLASS(TzuColorBox)
public:
    explicit TzuColorBox(TzuComponent* owner);

    TzuColor Color() const { return m_color; }
    void SetColor(TzuColor value);
    // The published "Color": colour text.
    std::string ColorText() const { return ColorToText(m_color); }
    void SetColorText(const std::string& text) { SetColor(TextToColor(text)); }

    void Paint() override;

private:
    TzuColor m_color = 0xFFFF0000;
};

}  // namespace zu
