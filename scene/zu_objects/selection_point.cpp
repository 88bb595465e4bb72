#include "scene/zu_objects/selection_point.h"

#include <algorithm>
#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/scene_intf.h"

namespace zu {

const TzuClass& TzuSelectionPoint::StaticClass() {
    using P = ZuProps<TzuSelectionPoint>;
    static const TzuPropInfo props[] = {
        P::Event<&TzuSelectionPoint::OnChange>("OnChange"),
        P::Event<&TzuSelectionPoint::OnTrack>("OnTrack"),
        P::Bool<&TzuSelectionPoint::ParentBounds, &TzuSelectionPoint::SetParentBounds>("ParentBounds")
            .Default(1),
        P::Float<&TzuSelectionPoint::GripSize, &TzuSelectionPoint::SetGripSize>("GripSize").Default(3),
    };
    static const TzuClass cls = ZuClass<TzuSelectionPoint, TzuVisualObject>("TzuSelectionPoint", props);
    return cls;
}

TzuSelectionPoint::TzuSelectionPoint(TzuComponent* owner) : TzuVisualObject(owner) {
    SetAutoCapture(true);
    TzuVisualObject::SetWidth(2 * m_gripSize);
    TzuVisualObject::SetHeight(2 * m_gripSize);
}

void TzuSelectionPoint::SetWidth(float) { TzuVisualObject::SetWidth(2 * m_gripSize); }
void TzuSelectionPoint::SetHeight(float) { TzuVisualObject::SetHeight(2 * m_gripSize); }

void TzuSelectionPoint::SetGripSize(float value) {
    value = value < 1 ? 1 : value > 20 ? 20 : value;
    if (value == m_gripSize) return;
    Repaint();
    m_gripSize = value;
    SetWidth(0);
    SetHeight(0);
    InvalidateUpdateRect();
    Repaint();
}

TzuRect TzuSelectionPoint::UpdateRect() {
    // The figure is centred on the position, half of it outside the object's box.
    TzuRect r = TzuVisualObject::UpdateRect();
    RectInflate(r, m_gripSize + 1, m_gripSize + 1);
    return r;
}

bool TzuSelectionPoint::PointInObject(float x, float y) {
    if (std::fabs(MatrixDeterminant(AbsoluteMatrix())) < 1e-12f) return false;
    const TzuPoint p = AbsoluteToLocal(TzuPoint{x, y});
    return p.X > -m_gripSize && p.X < m_gripSize && p.Y > -m_gripSize && p.Y < m_gripSize;
}

void TzuSelectionPoint::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    const bool selected = Scene() && Scene()->IsDesigning() && Scene()->DesignSelection() == this;
    cv->SetStrokeThickness(1);
    cv->Stroke()->SetStyle(zuBrushSolid);
    cv->Stroke()->SetColor(0xFF1072C5);
    cv->Fill()->SetStyle(zuBrushSolid);
    cv->Fill()->SetColor(IsMouseOver() || selected ? 0xFFFF0000 : 0xFFFFFFFF);
    const TzuRect r{-m_gripSize, -m_gripSize, m_gripSize, m_gripSize};
    const float opacity = AbsoluteOpacity();
    cv->FillEllipse(r, opacity);
    cv->DrawEllipse(r, opacity);
}

void TzuSelectionPoint::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuVisualObject::MouseDown(button, shift, x, y);
    if (!guard.Alive()) return;
    if (button == mbLeft) m_dragging = true;
}

void TzuSelectionPoint::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuVisualObject::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive()) return;
    auto* parent = As<TzuVisualObject>(Parent());
    if (!m_dragging || !parent) return;
    TzuPoint p = parent->AbsoluteToLocal(LocalToAbsolute(TzuPoint{x, y}));
    if (m_parentBounds) {
        p.X = std::clamp(p.X, 0.0f, std::max(parent->Width(), 0.0f));
        p.Y = std::clamp(p.Y, 0.0f, std::max(parent->Height(), 0.0f));
    }
    Position()->SetPoint(p);
    if (m_onTrack) m_onTrack(this);
}

void TzuSelectionPoint::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuVisualObject::MouseUp(button, shift, x, y);
    if (!guard.Alive()) return;
    const bool dropped = m_dragging;
    m_dragging = false;
    if (dropped && m_onChange) m_onChange(this);
}

void TzuSelectionPoint::MouseEnter() {
    TzuObjectGuard guard(this);
    TzuVisualObject::MouseEnter();
    if (!guard.Alive()) return;
    Repaint();
}

void TzuSelectionPoint::MouseLeave() {
    TzuObjectGuard guard(this);
    TzuVisualObject::MouseLeave();
    if (!guard.Alive()) return;
    Repaint();
}

}  // namespace zu
