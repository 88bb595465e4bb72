// The interaction side of visual objects: what a visual object does with the mouse, key,
// focus and drag calls of the scene's routing, and how it announces its state changes.

#include <cmath>

#include "platform/core/popup_menu.h"
#include "platform/core/win_control.h"
#include "scene/zu_scene/tree/access_notify.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {
TzuVisualObject::TzuPopupMenuHook g_popupMenuHook = nullptr;

constexpr uint16_t kContextMenuKey = 93;
}  // namespace

void TzuVisualObject::SetPopupMenuHook(TzuPopupMenuHook hook) { g_popupMenuHook = hook; }

void TzuVisualObject::AnnounceState(std::string_view name) {
    NotifyAccess(this, TzuAccessChange::State, name);
    StartTriggerAnimation(this, name);
    ApplyTriggerEffect(this, name);
}

// ---- Mouse ----

void TzuVisualObject::MouseEnter() {
    m_isMouseOver = true;
    TzuObjectGuard guard(this);
    AnnounceState("IsMouseOver");
    if (guard.Alive() && m_extra && m_extra->onMouseEnter) m_extra->onMouseEnter(this);
}

void TzuVisualObject::MouseLeave() {
    m_isMouseOver = false;
    TzuObjectGuard guard(this);
    AnnounceState("IsMouseOver");
    if (guard.Alive() && m_extra && m_extra->onMouseLeave) m_extra->onMouseLeave(this);
}

void TzuVisualObject::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    if (IsSceneDesigning()) {
        if (shift & ssDouble) Scene()->SetDesignDblClickObject(this);
    } else if (m_canFocus && !m_isFocused && Scene() && Scene()->Focused() != this) {
        SetFocus();
        if (!guard.Alive()) return;
    }
    if (m_extra && m_extra->onMouseDown) {
        m_extra->onMouseDown(this, button, shift, x, y);
        if (!guard.Alive()) return;
    }
    if (button == mbRight) {
        if (Scene()) ContextMenu(Scene()->LocalToScreen(LocalToAbsolute(TzuPoint{x, y})));
        return;
    }
    if (m_autoCapture) Capture();
    if (shift & ssDouble) {
        m_dblClickSeen = true;
        DblClick();
    } else if (button == mbLeft) {
        m_clickPending = true;
    }
}

void TzuVisualObject::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    if (m_extra && m_extra->onMouseMove) m_extra->onMouseMove(this, shift, x, y, dx, dy);
}

void TzuVisualObject::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    ReleaseCapture();
    if (m_extra && m_extra->onMouseUp) {
        m_extra->onMouseUp(this, button, shift, x, y);
        if (!guard.Alive()) return;
    }
    // A click needs the press and the release over the object; the press that completed
    // a double click does not click again.
    if (m_clickPending && !m_dblClickSeen && RectContainsPoint(TzuPoint{x, y}, LocalRect())) {
        m_clickPending = false;
        Click();
        if (!guard.Alive()) return;
    }
    m_clickPending = false;
    m_dblClickSeen = false;
}

void TzuVisualObject::MouseWheel(TzuShiftState shift, int wheelDelta, bool& handled) {
    if (!m_extra || !m_extra->onMouseWheel) return;
    TzuPoint pos = Scene() ? Scene()->MousePos() : TzuPoint{0, 0};
    m_extra->onMouseWheel(this, shift, wheelDelta, pos, handled);
}

void TzuVisualObject::Click() {
    if (m_extra && m_extra->onClick) m_extra->onClick(this);
}

void TzuVisualObject::DblClick() {
    if (m_extra && m_extra->onDblClick) m_extra->onDblClick(this);
}

void TzuVisualObject::ContextMenu(const TzuPoint& screen) {
    TzuComponent* menu = PopupMenu();
    if (!menu) return;
    const int x = int(std::lround(screen.X)), y = int(std::lround(screen.Y));
    if (g_popupMenuHook) {
        g_popupMenuHook(menu, this, x, y);
        return;
    }
    auto* popup = As<TzuPopupMenu>(menu);
    if (!popup) return;
    popup->SetPopupComponent(this);
    // The menu belongs over the scene's window, where the press or key happened.
    IzuWindow* near = nullptr;
    if (Scene()) {
        if (auto* control = As<TzuWinControl>(Scene()->SceneControl())) near = control->Window();
    }
    popup->Popup(x, y, near);
}

void TzuVisualObject::Capture() {
    if (Scene()) Scene()->SetCaptured(this);
}

void TzuVisualObject::ReleaseCapture() {
    if (Scene() && Scene()->Captured() == this) Scene()->SetCaptured(nullptr);
}

void TzuVisualObject::BeginAutoDrag() {
    if (Scene()) Scene()->BeginDrag(this);
}

// ---- Keyboard ----

void TzuVisualObject::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    if (key == kContextMenuKey) {
        const TzuRect r = LocalRect();
        if (Scene()) {
            const TzuPoint centre{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
            ContextMenu(Scene()->LocalToScreen(LocalToAbsolute(centre)));
        }
        return;
    }
    if (m_extra && m_extra->onKeyDown) m_extra->onKeyDown(key, keyChar, shift);
}

void TzuVisualObject::KeyUp(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    if (m_extra && m_extra->onKeyUp) m_extra->onKeyUp(key, keyChar, shift);
}

void TzuVisualObject::DialogKey(uint16_t& key, TzuShiftState shift) {
    TzuObjectGuard guard(this);
    // A receiver may add or remove children (or free this object); go by index and stop
    // when this object is gone.
    for (int i = 0; i < ChildrenCount() && key != 0; ++i) {
        TzuObject* c = Children(i);
        if (!c->IsVisual()) continue;
        auto* v = static_cast<TzuVisualObject*>(c);
        if (!v->m_visible || !v->m_enabled) continue;
        v->DialogKey(key, shift);
        if (!guard.Alive()) return;
    }
}

// ---- Focus ----

void TzuVisualObject::SetFocus() {
    if (m_canFocus && Scene()) Scene()->SetFocused(this);
}

void TzuVisualObject::EnterFocus() {
    if (!m_canFocus) return;
    TzuObjectGuard guard(this);
    for (TzuVisualObject* p = VisualParent(); p; p = p->VisualParent()) {
        TzuObjectGuard parent(p);
        p->ChildFocused(this);
        if (!guard.Alive() || !parent.Alive()) break;
    }
    if (!guard.Alive()) return;
    m_isFocused = true;
    InvalidateUpdateRect();
    Repaint();
    NotifyAccess(this, TzuAccessChange::Focus);
    if (!m_disableFocusEffect) AnnounceState("IsFocused");
}

void TzuVisualObject::KillFocus() {
    // Asked of whatever holds the focus, also an object that no longer accepts it, so the
    // focus never stays behind on it.
    if (!m_isFocused) return;
    // Repainted while still focused, so the focus margin is erased too.
    InvalidateUpdateRect();
    Repaint();
    m_isFocused = false;
    NotifyAccess(this, TzuAccessChange::Focus);
    if (!m_disableFocusEffect) AnnounceState("IsFocused");
}

// ---- Drag and drop ----

void TzuVisualObject::DragEnter(const TzuDragObject& data, const TzuPoint& point) {
    TzuObjectGuard guard(this);
    m_isDragOver = true;
    Repaint();
    AnnounceState("IsDragOver");
    if (guard.Alive() && m_extra && m_extra->onDragEnter) m_extra->onDragEnter(this, data, point);
}

void TzuVisualObject::DragOver(const TzuDragObject& data, const TzuPoint& point, bool& accept) {
    if (m_extra && m_extra->onDragOver) m_extra->onDragOver(this, data, point, accept);
}

void TzuVisualObject::DragDrop(const TzuDragObject& data, const TzuPoint& point) {
    TzuObjectGuard guard(this);
    m_isDragOver = false;
    Repaint();
    AnnounceState("IsDragOver");
    if (guard.Alive() && m_extra && m_extra->onDragDrop) m_extra->onDragDrop(this, data, point);
}

void TzuVisualObject::DragLeave() {
    TzuObjectGuard guard(this);
    m_isDragOver = false;
    Repaint();
    AnnounceState("IsDragOver");
    if (guard.Alive() && m_extra && m_extra->onDragLeave) m_extra->onDragLeave(this);
}

TzuVisualObject* TzuVisualObject::FindDragTarget(const TzuPoint& point, const TzuDragObject& data) {
    const bool designing = IsSceneDesigning();
    if (!m_visible && !designing) return nullptr;
    if (IsControl() && !designing && !AbsoluteEnabled()) return nullptr;
    TzuObjectGuard guard(this);
    // Under a clip, children that cannot hold the point are not asked; elsewhere every
    // child still hears DragOver.
    const ChildCull cull = m_clipChildren ? PointCull(point.X, point.Y) : ChildCull{};
    for (int i = ChildrenCount() - 1; i >= 0; --i) {
        TzuObject* c = Children(i);
        if (!c || cull.SkipsKept(i, c) || !c->IsVisual()) continue;
        auto* v = static_cast<TzuVisualObject*>(c);
        if (!v->m_visible && !designing) continue;
        if (designing && m_designHide) continue;
        if (m_clipChildren && !PointInObject(point.X, point.Y)) continue;
        if (cull.Skips(v)) continue;
        TzuVisualObject* r = v->FindDragTarget(point, data);
        if (!guard.Alive()) return nullptr;
        if (r) return r;
    }
    bool accept = false;
    DragOver(data, point, accept);
    if (!guard.Alive()) return nullptr;
    return PointInObject(point.X, point.Y) && IsHitTestable() && accept ? this : nullptr;
}

}  // namespace zu
