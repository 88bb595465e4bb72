#include "scene/zu_colors/color_quad.h"

#include <algorithm>
#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_colors/color_box.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
constexpr float kMarkerRadius = 5;

float Unit(float value) { return value > 0 ? std::min(value, 1.0f) : 0.0f; }
}  // namespace

void PaintColorMarker(TzuCanvas& canvas, const TzuPoint& centre, TzuColor color, float opacity) {
    const auto circle = [&](float r) {
        return TzuRect{centre.X - r, centre.Y - r, centre.X + r, centre.Y + r};
    };
    canvas.Fill()->SetStyle(zuBrushSolid);
    canvas.Fill()->SetColor(color);
    canvas.FillEllipse(circle(kMarkerRadius), opacity);
    canvas.Stroke()->SetStyle(zuBrushSolid);
    canvas.SetStrokeThickness(1);
    canvas.Stroke()->SetColor(0xFF000000);
    canvas.DrawEllipse(circle(kMarkerRadius - 0.5f), opacity);
    canvas.Stroke()->SetColor(0xFFFFFFFF);
    canvas.DrawEllipse(circle(kMarkerRadius - 1.5f), opacity);
}

const TzuClass& TzuColorQuad::StaticClass() {
    using P = ZuProps<TzuColorQuad>;
    using Q = TzuColorQuad;
    static const TzuPropInfo props[] = {
        P::Float<&Q::Hue, &Q::SetHue>("Hue").Default(0),
        P::Float<&Q::Sat, &Q::SetSat>("Sat").Default(1),
        P::Float<&Q::Lum, &Q::SetLum>("Lum").Default(0.5),
        P::Float<&Q::Alpha, &Q::SetAlpha>("Alpha").Default(1),
        P::Reference<&Q::ColorBox, &Q::SetColorBox>("ColorBox"),
        P::Event<&Q::OnChange>("OnChange"),
    };
    static const TzuClass cls = ZuClass<TzuColorQuad, TzuControl>("TzuColorQuad", props);
    return cls;
}

TzuColorQuad::TzuColorQuad(TzuComponent* owner) : TzuControl(owner) {
    SetAutoCapture(true);
    SetWidth(150);
    SetHeight(150);
}

TzuColorQuad::~TzuColorQuad() {
    if (m_colorBox) m_colorBox->RemoveFreeNotification(this);
    m_colorBox = nullptr;
}

TzuColor TzuColorQuad::Color() const {
    const auto alpha = static_cast<uint8_t>(std::lround(m_alpha * 255));
    return (HSLToRGB(m_hue, m_sat, m_lum) & 0x00FFFFFFu) | TzuColor(alpha) << 24;
}

void TzuColorQuad::SetHue(float value) {
    value = Unit(value);
    if (value == m_hue) return;
    m_hue = value;
    m_square.reset();
    Changed(true);
}

void TzuColorQuad::SetSat(float value) { SetSatLum(value, m_lum); }
void TzuColorQuad::SetLum(float value) { SetSatLum(m_sat, value); }

void TzuColorQuad::SetSatLum(float sat, float lum) {
    sat = Unit(sat);
    lum = Unit(lum);
    if (sat == m_sat && lum == m_lum) return;
    m_sat = sat;
    m_lum = lum;
    Changed(true);
}

void TzuColorQuad::SetAlpha(float value) {
    value = Unit(value);
    if (value == m_alpha) return;
    m_alpha = value;
    // The square and the marker do not show alpha: only the box follows.
    Changed(false);
}

void TzuColorQuad::SetColorBox(TzuColorBox* value) {
    if (value == m_colorBox) return;
    if (m_colorBox) m_colorBox->RemoveFreeNotification(this);
    m_colorBox = value;
    if (m_colorBox) m_colorBox->FreeNotification(this);
}

void TzuColorQuad::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == static_cast<TzuComponent*>(m_colorBox))
        m_colorBox = nullptr;
}

void TzuColorQuad::Changed(bool repaint) {
    TzuObjectGuard guard(this);
    if (m_colorBox) m_colorBox->SetColor(Color());
    if (repaint) Repaint();
    if (!IsLoading() && m_onChange) m_onChange(this);
}

void TzuColorQuad::BuildSquare() {
    const int w = std::max(1, static_cast<int>(Width()));
    const int h = std::max(1, static_cast<int>(Height()));
    auto square = std::make_unique<TzuBitmap>(w, h);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = square->ScanLine(y);
        const float lum = 1 - float(y) / float(h);
        for (int x = 0; x < w; ++x) row[x] = HSLToRGB(m_hue, float(x) / float(w), lum);
    }
    square->Changed();
    m_square = std::move(square);
}

void TzuColorQuad::Paint() {
    TzuControl::Paint();
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    // Built again only for a new hue or a new size; a drag just moves the marker.
    if (!m_square || m_square->Width() != std::max(1, static_cast<int>(Width())) ||
        m_square->Height() != std::max(1, static_cast<int>(Height())))
        BuildSquare();
    const float opacity = AbsoluteOpacity();
    const TzuRect whole{0, 0, float(m_square->Width()), float(m_square->Height())};
    cv->DrawBitmap(*m_square, whole, LocalRect(), opacity, false);
    PaintColorMarker(*cv, {m_sat * Width(), (1 - m_lum) * Height()}, Color() | 0xFF000000u, opacity);
}

TzuRect TzuColorQuad::UpdateRect() {
    // The marker sits on the edge at the extremes: its whole circle is painted.
    TzuRect r = TzuControl::UpdateRect();
    RectInflate(r, kMarkerRadius, kMarkerRadius);
    return r;
}

void TzuColorQuad::PickAt(float x, float y) {
    if (Width() == 0 || Height() == 0) return;
    SetSatLum(x / Width(), 1 - y / Height());
}

void TzuColorQuad::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || IsSceneDesigning()) return;
    m_dragging = true;
    PickAt(x, y);
}

void TzuColorQuad::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuControl::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_dragging) return;
    PickAt(x, y);
}

void TzuColorQuad::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    const bool dragging = m_dragging && button == mbLeft;
    if (button == mbLeft) m_dragging = false;
    if (dragging) PickAt(x, y);
    if (!guard.Alive()) return;
    TzuControl::MouseUp(button, shift, x, y);
}

}  // namespace zu
