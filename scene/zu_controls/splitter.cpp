#include "scene/zu_controls/splitter.h"

#include <algorithm>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/design_outline.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
bool IsLeftRight(TzuAlign a) { return a == vaLeft || a == vaRight || a == vaMostLeft || a == vaMostRight; }
bool IsTopBottom(TzuAlign a) { return a == vaTop || a == vaBottom || a == vaMostTop || a == vaMostBottom; }
}  // namespace

const TzuClass& TzuSplitter::StaticClass() {
    using P = ZuProps<TzuSplitter>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuSplitter::MinSize, &TzuSplitter::SetMinSize>("MinSize"),
        P::Bool<&TzuSplitter::ShowGrip, &TzuSplitter::SetShowGrip>("ShowGrip").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuSplitter, TzuControl>("TzuSplitter", props);
    return cls;
}

TzuSplitter::TzuSplitter(TzuComponent* owner) : TzuControl(owner) {
    SetWidth(5);
    SetAlign(vaLeft);
    UpdateCursor();
}

TzuSplitter::~TzuSplitter() { SetTarget(nullptr); }

bool TzuSplitter::Horizontal() const { return !IsTopBottom(Align()); }

void TzuSplitter::SetAlign(TzuAlign value) {
    TzuControl::SetAlign(value);
    UpdateCursor();
}

void TzuSplitter::UpdateCursor() { SetCursor(Horizontal() ? cursors::crSizeWE : cursors::crSizeNS); }

void TzuSplitter::SetShowGrip(bool value) {
    if (value == m_showGrip) return;
    m_showGrip = value;
    if (auto* grip = As<TzuVisualObject>(FindResource("grip"))) grip->SetVisible(m_showGrip);
}

void TzuSplitter::ApplyStyle() {
    TzuControl::ApplyStyle();
    if (auto* grip = As<TzuVisualObject>(FindResource("grip"))) grip->SetVisible(m_showGrip);
}

void TzuSplitter::SetTarget(TzuVisualObject* target) {
    if (target == m_target) return;
    if (m_target) RemoveFreeNotification(m_target);
    m_target = target;
    if (m_target) FreeNotification(m_target);
}

void TzuSplitter::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_target) {
        m_target = nullptr;
        m_dragging = false;
    }
}

TzuVisualObject* TzuSplitter::FindTarget() {
    auto* parent = As<TzuVisualObject>(Parent());
    if (!parent) return nullptr;
    const TzuRect me = ParentedRect();
    TzuPoint probe{};
    switch (Align()) {
        case vaTop: probe = {me.Left, me.Top - 1}; break;
        case vaLeft:
        case vaMostLeft: probe = {me.Left - 1, me.Top}; break;
        case vaRight:
        case vaMostRight: probe = {me.Right + 1, me.Top}; break;
        case vaBottom: probe = {me.Left, me.Bottom + 1}; break;
        default: return nullptr;
    }
    const bool leftRight = Horizontal();
    for (int i = 0; i < parent->ChildrenCount(); ++i) {
        auto* c = As<TzuVisualObject>(parent->Children(i));
        if (!c || c == this || c->Locked() || !c->Visible()) continue;
        if (leftRight ? !IsLeftRight(c->Align()) : !IsTopBottom(c->Align())) continue;
        TzuRect r = c->ParentedRect();
        // A collapsed sibling still counts: it is widened by one towards the splitter.
        if (r.Right - r.Left <= 0) {
            if (probe.X < r.Left)
                r.Left -= 1;
            else
                r.Right += 1;
        }
        if (r.Bottom - r.Top <= 0) {
            if (probe.Y < r.Top)
                r.Top -= 1;
            else
                r.Bottom += 1;
        }
        if (probe.X >= r.Left && probe.X <= r.Right && probe.Y >= r.Top && probe.Y <= r.Bottom) return c;
    }
    return nullptr;
}

float TzuSplitter::PendingSize(float x, float y) {
    if (!m_target) return 0;
    const float delta = Horizontal() ? x - m_pressPoint.X : y - m_pressPoint.Y;
    float size = 0;
    switch (Align()) {
        case vaTop:
        case vaLeft:
        case vaMostLeft: size = m_pressSize + delta; break;
        default: size = m_pressSize - delta; break;
    }
    if (size < m_minSize)
        size = m_minSize;
    else if (size > m_maxSize)
        size = std::max(m_maxSize, m_minSize);
    return size;
}

void TzuSplitter::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || IsSceneDesigning()) return;
    SetTarget(FindTarget());
    if (!m_target) return;
    m_dragging = true;
    Capture();
    // Points are taken in the parent's units: the splitter itself moves while it drags.
    m_pressPoint = {x + ParentedRect().Left, y + ParentedRect().Top};
    auto* parent = As<TzuVisualObject>(Parent());
    const bool leftRight = Horizontal();
    const TzuRect margins = parent->MarginsRect();
    float room = leftRight ? parent->Width() - margins.Left - margins.Right
                           : parent->Height() - margins.Top - margins.Bottom;
    for (int i = 0; i < parent->ChildrenCount(); ++i) {
        auto* c = As<TzuVisualObject>(parent->Children(i));
        if (!c || !c->Visible()) continue;
        const TzuRect pad = c->PaddingRect();
        if (leftRight && IsLeftRight(c->Align())) room -= c->Width() + pad.Left + pad.Right;
        if (!leftRight && (c->Align() == vaTop || c->Align() == vaBottom))
            room -= c->Height() + pad.Top + pad.Bottom;
    }
    m_maxSize = room - m_minSize + (leftRight ? m_target->Width() : m_target->Height());
    m_pressSize = leftRight ? m_target->Width() : m_target->Height();
    m_lastSize = m_pressSize;
}

void TzuSplitter::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuControl::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_dragging || !m_target) return;
    const TzuRect me = ParentedRect();
    const float size = PendingSize(x + me.Left, y + me.Top);
    if (size == m_lastSize) return;
    TzuVisualObject* t = m_target;
    switch (Align()) {
        case vaTop: t->SetHeight(size); break;
        case vaLeft:
        case vaMostLeft: t->SetWidth(size); break;
        case vaRight:
        case vaMostRight:
            // The target's right edge stays where it is.
            t->Position()->SetX(t->Position()->X() + t->Width() - size);
            t->SetWidth(size);
            break;
        default:
            t->Position()->SetY(t->Position()->Y() + t->Height() - size);
            t->SetHeight(size);
            break;
    }
    m_lastSize = size;
}

void TzuSplitter::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    m_dragging = false;
    SetTarget(nullptr);
    TzuControl::MouseUp(button, shift, x, y);
}

void TzuSplitter::AfterPaint() {
    TzuControl::AfterPaint();
    TzuCanvas* cv = Canvas();
    if (!cv || !IsSceneDesigning()) return;
    DrawDesignOutline(*cv, LocalRect(), AbsoluteOpacity());
}

}  // namespace zu
