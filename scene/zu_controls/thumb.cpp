#include "scene/zu_controls/thumb.h"

#include "platform/core/property.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

const TzuClass& TzuThumb::StaticClass() {
    using P = ZuProps<TzuThumb>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuThumb::IsPressed>("IsPressed").NotStored(),
    };
    static const TzuClass cls = ZuClass<TzuThumb, TzuControl>("TzuThumb", props);
    return cls;
}

TzuThumb::TzuThumb(TzuComponent* owner) : TzuControl(owner) {
    SetCanFocus(false);
    SetAutoCapture(true);
}

TzuThumb::~TzuThumb() { m_track = nullptr; }

void TzuThumb::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || !AbsoluteEnabled()) return;
    m_dragging = true;
    m_pressPoint = TzuPoint{x, y};
    AnnounceState("IsPressed");
    if (guard.Alive() && m_track && m_track->CanFocus()) m_track->SetFocus();
}

void TzuThumb::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuControl::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_dragging || !m_track || !AbsoluteEnabled()) return;
    auto* parent = As<TzuVisualObject>(Parent());
    if (!parent) return;
    const TzuPoint inTrack = m_track->AbsoluteToLocal(LocalToAbsolute(TzuPoint{x, y}));
    const bool horizontal = m_track->Orientation() == zuHorizontal;
    m_track->DragTo(horizontal ? inTrack.X : inTrack.Y, horizontal ? m_pressPoint.X : m_pressPoint.Y);
}

void TzuThumb::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseUp(button, shift, x, y);
    if (!guard.Alive() || !m_dragging) return;
    if (m_track) {
        m_track->EndDrag();
        if (!guard.Alive()) return;
    }
    m_dragging = false;
    AnnounceState("IsPressed");
}

}  // namespace zu
