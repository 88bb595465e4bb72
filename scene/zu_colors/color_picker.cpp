#include "scene/zu_colors/color_picker.h"

#include <algorithm>

#include "platform/core/property.h"
#include "scene/zu_colors/color_quad.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
constexpr float kMarkerRadius = 5;
constexpr float kStripLum = 0.5f;
constexpr float kStripSat = 0.9f;
}  // namespace

const TzuClass& TzuColorPicker::StaticClass() {
    using P = ZuProps<TzuColorPicker>;
    using C = TzuColorPicker;
    static const TzuPropInfo props[] = {
        P::Float<&C::Hue, &C::SetHue>("Hue").Default(0),
        P::Reference<&C::ColorQuad, &C::SetColorQuad>("ColorQuad"),
    };
    static const TzuClass cls = ZuClass<TzuColorPicker, TzuControl>("TzuColorPicker", props);
    return cls;
}

TzuColorPicker::TzuColorPicker(TzuComponent* owner) : TzuControl(owner) {
    SetAutoCapture(true);
    SetWidth(20);
    SetHeight(150);
}

TzuColorPicker::~TzuColorPicker() {
    if (m_colorQuad) m_colorQuad->RemoveFreeNotification(this);
    m_colorQuad = nullptr;
}

void TzuColorPicker::SetHue(float value) {
    value = value > 0 ? std::min(value, 1.0f) : 0.0f;
    if (value == m_hue) return;
    m_hue = value;
    TzuObjectGuard guard(this);
    if (m_colorQuad) m_colorQuad->SetHue(m_hue);
    if (guard.Alive()) Repaint();
}

void TzuColorPicker::SetColorQuad(TzuColorQuad* value) {
    if (value == m_colorQuad) return;
    if (m_colorQuad) m_colorQuad->RemoveFreeNotification(this);
    m_colorQuad = value;
    if (m_colorQuad) m_colorQuad->FreeNotification(this);
}

void TzuColorPicker::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == static_cast<TzuComponent*>(m_colorQuad))
        m_colorQuad = nullptr;
}

void TzuColorPicker::SetColor(TzuColor color) {
    float h = 0, s = 0, l = 0;
    RGBToHSL(color, h, s, l);
    TzuObjectGuard guard(this);
    SetHue(h);
    if (!guard.Alive() || !m_colorQuad) return;
    TzuColorQuad* quad = m_colorQuad;
    TzuObjectGuard quadGuard(quad);
    quad->SetAlpha(ColorAlpha(color) / 255.0f);
    if (quadGuard.Alive()) quad->SetHue(h);
    if (quadGuard.Alive()) quad->SetSatLum(s, l);
}

void TzuColorPicker::Paint() {
    TzuControl::Paint();
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    const int w = std::max(1, static_cast<int>(Width()));
    const int h = std::max(1, static_cast<int>(Height()));
    if (!m_strip || m_strip->Width() != w || m_strip->Height() != h) {
        m_strip = std::make_unique<TzuBitmap>(w, h);
        for (int y = 0; y < h; ++y)
            FillPixels(m_strip->ScanLine(y), w, HSLToRGB(float(y) / float(h), kStripSat, kStripLum));
        m_strip->Changed();
    }
    const float opacity = AbsoluteOpacity();
    const TzuRect whole{0, 0, float(m_strip->Width()), float(m_strip->Height())};
    cv->DrawBitmap(*m_strip, whole, LocalRect(), opacity, false);
    PaintColorMarker(*cv, {Width() / 2, m_hue * Height()}, HSLToRGB(m_hue, kStripSat, kStripLum), opacity);
}

TzuRect TzuColorPicker::UpdateRect() {
    // The strip is narrower than the marker: the whole circle is painted.
    TzuRect r = TzuControl::UpdateRect();
    RectInflate(r, kMarkerRadius, 0);
    return r;
}

void TzuColorPicker::PickAt(float y) {
    if (Height() != 0) SetHue(y / Height());
}

void TzuColorPicker::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || IsSceneDesigning()) return;
    m_dragging = true;
    PickAt(y);
}

void TzuColorPicker::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuControl::MouseMove(shift, x, y, dx, dy);
    if (guard.Alive() && m_dragging) PickAt(y);
}

void TzuColorPicker::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    const bool dragging = m_dragging && button == mbLeft;
    if (button == mbLeft) m_dragging = false;
    if (dragging) PickAt(y);
    if (guard.Alive()) TzuControl::MouseUp(button, shift, x, y);
}

}  // namespace zu
