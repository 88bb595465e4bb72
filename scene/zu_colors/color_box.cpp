#include "scene/zu_colors/color_box.h"

#include <algorithm>
#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/canvas.h"

namespace zu {

namespace {
constexpr float kCheckSize = 10;
constexpr TzuColor kCheckLight = 0xFFFFFFFF;
constexpr TzuColor kCheckDark = 0xFFD3D3D3;
}  // namespace

void PaintCheckerboard(TzuCanvas& canvas, const TzuRect& r, float opacity) {
    canvas.Stroke()->SetStyle(zuBrushNone);
    canvas.Fill()->SetStyle(zuBrushSolid);
    canvas.Fill()->SetColor(kCheckLight);
    canvas.FillRect(r, 0, 0, kAllCorners, opacity, zuCornerRound);
    const float w = r.Right - r.Left, h = r.Bottom - r.Top;
    if (!(w > 0) || !(h > 0)) return;
    canvas.Fill()->SetColor(kCheckDark);
    // Cost follows the area shown: one square per 10 x 10 cell.
    const int columns = static_cast<int>(std::ceil(w / kCheckSize));
    const int rows = static_cast<int>(std::ceil(h / kCheckSize));
    for (int row = 0; row < rows; ++row)
        for (int col = (row + 1) % 2; col < columns; col += 2) {
            const float x = r.Left + col * kCheckSize, y = r.Top + row * kCheckSize;
            canvas.FillRect({x, y, std::min(x + kCheckSize, r.Right), std::min(y + kCheckSize, r.Bottom)}, 0,
                            0, kAllCorners, opacity, zuCornerRound);
        }
}

const TzuClass& TzuColorBox::StaticClass() {
    using P = ZuProps<TzuColorBox>;
    static const TzuPropInfo props[] = {
        P::String<&TzuColorBox::ColorText, &TzuColorBox::SetColorText>("Color"),
    };
    static const TzuClass cls = ZuClass<TzuColorBox, TzuControl>("TzuColorBox", props);
    return cls;
}

TzuColorBox::TzuColorBox(TzuComponent* owner) : TzuControl(owner) {
    SetWidth(40);
    SetHeight(40);
}

void TzuColorBox::SetColor(TzuColor value) {
    if (value == m_color) return;
    m_color = value;
    Repaint();
}

void TzuColorBox::Paint() {
    TzuControl::Paint();
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    const float opacity = AbsoluteOpacity();
    const TzuRect r = LocalRect();
    PaintCheckerboard(*cv, r, opacity);
    cv->Fill()->SetColor(m_color);
    cv->FillRect(r, 0, 0, kAllCorners, opacity, zuCornerRound);
}

}  // namespace zu
