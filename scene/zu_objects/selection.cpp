#include "scene/zu_objects/selection.h"

#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
constexpr TzuColor kFrameColor = 0xFF1072C5;
float Round(float v) { return std::nearbyint(v); }
}  // namespace

const TzuClass& TzuSelection::StaticClass() {
    using P = ZuProps<TzuSelection>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuSelection::ParentBounds, &TzuSelection::SetParentBounds>("ParentBounds").Default(1),
        P::Event<&TzuSelection::OnChange>("OnChange"),
        P::Bool<&TzuSelection::HideSelection, &TzuSelection::SetHideSelection>("HideSelection").Default(0),
        P::Int<&TzuSelection::MinSize, &TzuSelection::SetMinSize>("MinSize").Default(15),
        P::Event<&TzuSelection::OnTrack>("OnTrack"),
        P::Bool<&TzuSelection::Proportional, &TzuSelection::SetProportional>("Proportional").Default(0),
        P::Float<&TzuSelection::GripSize, &TzuSelection::SetGripSize>("GripSize").Default(3),
    };
    static const TzuClass cls = ZuClass<TzuSelection, TzuVisualObject>("TzuSelection", props);
    return cls;
}

TzuSelection::TzuSelection(TzuComponent* owner) : TzuVisualObject(owner) { SetAutoCapture(true); }

void TzuSelection::SetHideSelection(bool value) {
    if (value == m_hideSelection) return;
    m_hideSelection = value;
    Repaint();
}

void TzuSelection::SetGripSize(float value) {
    value = value < 1 ? 1 : value > 20 ? 20 : value;
    if (value == m_gripSize) return;
    Repaint();
    m_gripSize = value;
    InvalidateUpdateRect();
    Repaint();
}

TzuRect TzuSelection::AbsoluteRect() {
    // The grips stick out of the frame.
    TzuRect r = TzuVisualObject::AbsoluteRect();
    RectInflate(r, 5, 5);
    return r;
}

TzuRect TzuSelection::UpdateRect() {
    TzuRect r = TzuVisualObject::UpdateRect();
    RectInflate(r, m_gripSize / 2, m_gripSize / 2);
    return r;
}

TzuRect TzuSelection::GripRect(Grip grip) const {
    const float x = grip == kTopLeft || grip == kBottomLeft ? 0 : Width();
    const float y = grip == kTopLeft || grip == kTopRight ? 0 : Height();
    return TzuRect{x - m_gripSize, y - m_gripSize, x + m_gripSize, y + m_gripSize};
}

bool TzuSelection::InGrip(Grip grip, const TzuPoint& p) const { return RectContainsPoint(p, GripRect(grip)); }

bool TzuSelection::PointInObject(float x, float y) {
    if (TzuVisualObject::PointInObject(x, y)) return true;
    if (std::fabs(MatrixDeterminant(AbsoluteMatrix())) < 1e-12f) return false;
    const TzuPoint p = AbsoluteToLocal(TzuPoint{x, y});
    for (int g = 0; g < kGripCount; ++g) {
        if (InGrip(Grip(g), p)) return true;
    }
    return false;
}

void TzuSelection::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv || m_hideSelection) return;
    const float opacity = AbsoluteOpacity();
    cv->Fill()->SetStyle(zuBrushSolid);
    cv->Fill()->SetColor(0xFFFFFFFF);
    cv->Stroke()->SetStyle(zuBrushSolid);
    cv->Stroke()->SetColor(kFrameColor);
    cv->SetStrokeThickness(1);
    cv->SetStrokeDash(zuDashDash);
    cv->DrawRect(TzuRect{0.5f, 0.5f, Width() - 0.5f, Height() - 0.5f}, 0, 0, kAllCorners, opacity,
                 zuCornerRound);
    cv->SetStrokeDash(zuDashSolid);
    for (int g = 0; g < kGripCount; ++g) {
        cv->Fill()->SetColor(m_hot[g] ? 0xFFFF0000 : 0xFFFFFFFF);
        cv->FillEllipse(GripRect(Grip(g)), opacity);
        cv->DrawEllipse(GripRect(Grip(g)), opacity);
    }
}

// The inherited steps run handler code, which may free the frame: each override stops
// when it has gone.
void TzuSelection::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuVisualObject::MouseDown(button, shift, x, y);
    if (!guard.Alive()) return;
    m_down = TzuPoint{x, y};
    if (button != mbLeft) return;
    m_ratio = Width() / Height();
    // Grips are tried clockwise from the top-left; a press on none of them moves.
    for (Grip g : {kTopLeft, kTopRight, kBottomRight, kBottomLeft}) {
        if (InGrip(g, m_down)) {
            m_drag[g] = true;
            return;
        }
    }
    m_moving = true;
}

void TzuSelection::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuVisualObject::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive()) return;
    const TzuPoint p{x, y};
    if ((shift & (ssLeft | ssRight | ssMiddle | ssShift | ssAlt | ssCtrl)) == 0) {
        bool changed = false;
        for (Grip g : {kTopLeft, kTopRight, kBottomRight, kBottomLeft}) {
            const bool hot = InGrip(g, p);
            if (hot != m_hot[g]) {
                m_hot[g] = hot;
                changed = true;
            }
        }
        if (changed) Repaint();
        return;
    }
    if (!(shift & ssLeft)) return;
    m_current = p;
    if (m_moving) {
        MoveBy(p);
        return;
    }
    for (int g = 0; g < kGripCount; ++g) {
        if (m_drag[g]) {
            ResizeTo(Grip(g), p);
            return;
        }
    }
}

void TzuSelection::MoveBy(const TzuPoint& current) {
    float x = Position()->X() + (current.X - m_down.X);
    float y = Position()->Y() + (current.Y - m_down.Y);
    auto* parent = As<TzuVisualObject>(Parent());
    if (m_parentBounds && parent) {
        x = std::min(std::max(x, 0.0f), parent->Width() - Width());
        y = std::min(std::max(y, 0.0f), parent->Height() - Height());
        x = std::max(x, 0.0f);
        y = std::max(y, 0.0f);
    }
    Position()->SetPoint(TzuPoint{x, y});
    if (m_onTrack) m_onTrack(this);
}

void TzuSelection::ApplyMinSize(bool proportional) {
    const float m = float(m_minSize);
    if (m > Width()) SetWidth(m);
    if (proportional) {
        if (m > Width() / m_ratio) SetWidth(Round(m * m_ratio));
    } else if (m > Height()) {
        SetHeight(m);
    }
}

void TzuSelection::ResizeTo(Grip grip, const TzuPoint& local) {
    auto* parent = As<TzuVisualObject>(Parent());
    if (!parent) return;
    TzuPoint p = parent->AbsoluteToLocal(LocalToAbsolute(local));
    if (m_parentBounds) {
        p.X = std::min(std::max(p.X, 0.0f), parent->Width());
        p.Y = std::min(std::max(p.Y, 0.0f), parent->Height());
    }
    Repaint();
    const TzuPoint pos = Position()->GetPoint();
    const TzuPoint dn = m_down;
    TzuPoint d;
    switch (grip) {
        case kTopLeft: d = {pos.X - (p.X + dn.X), pos.Y - (p.Y + dn.Y)}; break;
        case kTopRight: d = {p.X - pos.X, pos.Y - (p.Y + dn.Y)}; break;
        case kBottomRight: d = {p.X - pos.X, p.Y - pos.Y}; break;
        default: d = {pos.X - (p.X + dn.X), p.Y - pos.Y}; break;
    }
    // D is a distance in the parent; as a direction it turns into this object's own units.
    d = AbsoluteToLocalVector(parent->LocalToAbsoluteVector(d));
    // A frame of no height (or width) has no proportions to keep.
    const bool proportional = m_proportional && m_ratio > 0 && std::isfinite(m_ratio);
    float x = pos.X, y = pos.Y;
    if (!proportional) {
        switch (grip) {
            case kTopLeft:
                SetWidth(Width() + d.X);
                SetHeight(Height() + d.Y);
                x = p.X + dn.X;
                y = p.Y + dn.Y;
                break;
            case kTopRight:
                SetWidth(d.X);
                SetHeight(Height() + d.Y);
                y = p.Y + dn.Y;
                break;
            case kBottomRight:
                SetWidth(d.X);
                SetHeight(d.Y);
                break;
            default:
                SetWidth(Width() + d.X);
                x = p.X + dn.X;
                SetHeight(d.Y);
                break;
        }
        ApplyMinSize(false);
    } else {
        const bool addsWidth = grip == kTopLeft || grip == kBottomLeft;
        const float w1 = addsWidth ? Width() + d.X : d.X;
        SetWidth(w1);
        ApplyMinSize(true);
        const float h = Round(Width() / m_ratio);
        if (addsWidth) x = p.X + dn.X - (Width() - w1);
        if (grip == kTopLeft || grip == kTopRight) y += Height() - h;
        SetHeight(h);
    }
    Position()->SetPoint(TzuPoint{x, y});
    Repaint();
    if (m_onTrack) m_onTrack(this);
}

void TzuSelection::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuVisualObject::MouseUp(button, shift, x, y);
    if (!guard.Alive()) return;
    bool changed = m_moving;
    for (bool& drag : m_drag) {
        changed = changed || drag;
        drag = false;
    }
    m_moving = false;
    if (changed && m_onChange) m_onChange(this);
}

void TzuSelection::MouseLeave() {
    TzuObjectGuard guard(this);
    TzuVisualObject::MouseLeave();
    if (!guard.Alive()) return;
    for (bool& hot : m_hot) hot = false;
    Repaint();
}

}  // namespace zu
