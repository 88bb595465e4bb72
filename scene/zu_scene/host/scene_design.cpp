// Design-time editing of the scene: while a scene is designed the mouse selects objects
// and moves, resizes and rotates the selection by its handles, snapping to a grid or to
// the siblings' edges and centre lines; Alt-dragging over another object places the
// selection into it; Delete frees it. The designer program hears of every step through
// its design hook.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/core/class_registry.h"
#include "platform/core/utf.h"
#include "scene/zu_scene/host/design_hook.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {

// Moves snap to a sibling's line closer than this, resized edges to one within kEdgeSnap.
constexpr float kLineSnap = 2;
constexpr float kEdgeSnap = 4;

TzuVisualObject* Visual(TzuObject* o) {
    return o && o->IsVisual() ? static_cast<TzuVisualObject*>(o) : nullptr;
}

// The box of an object in its parent's coordinates.
TzuRect BoxInParent(TzuVisualObject& v) {
    const TzuPoint p = v.Position()->GetPoint();
    return {p.X, p.Y, p.X + v.Width(), p.Y + v.Height()};
}

// The first of a's three lines (low edge, centre, high edge) closer than limit to one of
// b's; the shift that aligns them exactly, and the line, or false.
bool FirstClosePair(float a0, float a1, float b0, float b1, float limit, float& shift, float& line) {
    const float a[3] = {a0, (a0 + a1) / 2, a1};
    const float b[3] = {b0, (b0 + b1) / 2, b1};
    for (float av : a) {
        for (float bv : b) {
            if (std::fabs(av - bv) < limit) {
                shift = bv - av;
                line = bv;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

// ---- State ----

void TzuCustomScene::SetSceneDesigning(bool on) {
    if (on == m_designing) return;
    if (!on) {
        DesignSelect(nullptr);
        m_designList.clear();
        m_designPlaceTarget = nullptr;
        m_designSnapSiblings.clear();
        m_designGrip = TzuDesignGrip::None;
    }
    m_designing = on;
    if (IzuDesignHook* hook = DesignHook()) {
        if (on)
            hook->SceneCreated(*this);
        else
            hook->SceneDestroyed(*this);
    }
    AddUpdateRect({0, 0, float(ClientWidth()), float(ClientHeight())});
}

void TzuCustomScene::DesignSelect(TzuObject* object) {
    if (object == m_designSelection) return;
    RepaintDesignOverlay();
    TzuVisualObject* old = Visual(m_designSelection);
    m_designSelection = object;
    m_designGrip = TzuDesignGrip::None;
    m_designHot = TzuDesignGrip::None;
    // Their update areas grow and shrink by the handles.
    if (old) old->InvalidateUpdateRect();
    if (TzuVisualObject* v = Visual(object)) v->InvalidateUpdateRect();
    RepaintDesignOverlay();
    if (m_designing && !IsDestroying()) {
        if (IzuDesignHook* hook = DesignHook()) hook->SelectionChanged(*this, object);
    }
}

void TzuCustomScene::DesignStepDone() {
    m_designChanged = false;
    if (IzuDesignHook* hook = DesignHook()) hook->DesignStepDone(*this);
}

std::u16string TzuCustomScene::DesignPlaceHint() const {
    if (!m_designPlaceTarget) return {};
    std::string name = m_designPlaceTarget->Name();
    if (name.empty()) name = m_designPlaceTarget->ClassName();
    return u"ALT-drag to place into [" + Utf8ToUtf16(name) + u"]";
}

bool TzuCustomScene::DesignDeleteSelection() {
    TzuObject* sel = m_designSelection;
    // The root and other top-level objects stay: a scene without its root has nothing to
    // hold the next object, and a popup belongs to its owner.
    if (!sel || !sel->Parent()) return false;
    TzuObject* parent = sel->Parent();
    RepaintDesignOverlay();
    DesignSelect(parent);
    delete sel;
    DesignStepDone();
    return true;
}

// ---- Hit testing ----

TzuVisualObject* TzuCustomScene::DesignObjectAt(const TzuPoint& p, const TzuObject* skip) {
    // The tree's own hit test at design time, with one subtree left out (the selection
    // while it is dragged over the objects it may be placed into).
    struct Walk {
        const TzuObject* skip;
        TzuVisualObject* At(TzuVisualObject& v, const TzuPoint& p) const {
            if (&v == skip) return nullptr;
            if (v.ClipChildren() && !v.PointInObject(p.X, p.Y)) return nullptr;
            if (!v.DesignHide()) {
                for (int i = v.ChildrenCount() - 1; i >= 0; --i) {
                    TzuVisualObject* c = Visual(v.Children(i));
                    if (!c) continue;
                    if (TzuVisualObject* hit = At(*c, p)) return hit;
                }
            }
            return v.PointInObject(p.X, p.Y) && v.IsHitTestable() ? &v : nullptr;
        }
    };
    const Walk walk{skip};
    for (size_t i = m_objects.size(); i-- > 0;) {
        TzuVisualObject* v = Visual(m_objects[i]);
        if (!v) break;
        if (TzuVisualObject* hit = walk.At(*v, p)) return hit;
    }
    return nullptr;
}

TzuDesignGrip TzuCustomScene::DesignHandleAt(const TzuPoint& p) {
    TzuVisualObject* sel = Visual(m_designSelection);
    if (!sel || !sel->HasDesignFrame() || sel->DesignHide()) return TzuDesignGrip::None;
    return DesignHandleAtLocal(sel->AbsoluteToLocal(p), sel->Width(), sel->Height());
}

bool TzuCustomScene::DesignHitTest(const TzuPoint& p) {
    if (m_designGrip != TzuDesignGrip::None || m_objects.empty()) return true;
    if (DesignObjectAt(p)) return true;
    TzuVisualObject* sel = Visual(m_designSelection);
    return sel && RectContainsPoint(sel->AbsoluteToLocal(p), sel->LocalRect());
}

// ---- Press ----

void TzuCustomScene::CreateDesignRoot() {
    auto* root = As<TzuVisualObject>(CreateObject("TzuBackground", TzuComponent::Owner()));
    if (!root) return;
    std::string name = "Root";
    if (IzuDesignHook* hook = DesignHook()) {
        std::string unique = hook->UniqueName(*this, name);
        if (!unique.empty()) name = std::move(unique);
    }
    root->SetName(name);
    AddObject(root);
    m_designChanged = true;
}

void TzuCustomScene::DesignMouseDown(TzuMouseButton button, TzuShiftState shift, const TzuPoint& p,
                                     bool doubleClick) {
    if (m_objects.empty()) CreateDesignRoot();
    if (button == mbRight) {
        SetDesignDropPoint(p);
        if (TzuDesignMenuHook menu = DesignMenuHook()) {
            const TzuPoint screen = LocalToScreen(p);
            menu(*this, p, int(screen.X), int(screen.Y));
        }
        return;
    }
    if (button != mbLeft) return;
    m_designPress = p;
    m_designLast = p;
    TzuVisualObject* sel = Visual(m_designSelection);
    if (const TzuDesignGrip grip = DesignHandleAt(p); grip != TzuDesignGrip::None) {
        m_designGrip = grip;
        m_designStartBox = BoxInParent(*sel);
        if (IzuDesignHook* hook = DesignHook()) hook->SelectionChanged(*this, sel);
        return;
    }
    TzuVisualObject* hit = DesignObjectAt(p);
    if (doubleClick && hit && hit == sel) {
        // The object's own design-time double-click action (an expander folds).
        SetDesignDblClickObject(hit);
        hit->DblClick();
        return;
    }
    if (shift & ssCtrl) {
        if (!hit) return;
        auto it = std::find(m_designList.begin(), m_designList.end(), hit);
        if (it == m_designList.end())
            m_designList.push_back(hit);
        else if (m_designSelection &&
                 std::find(m_designList.begin(), m_designList.end(), m_designSelection) == m_designList.end())
            *it = m_designSelection;
        else
            m_designList.erase(it);
        hit->Repaint();
        if (IzuDesignHook* hook = DesignHook()) hook->SelectionListChanged(*this, m_designList);
        return;
    }
    DesignSelect(hit);
    // Only objects inside the tree move; the root and other top-level objects are placed by
    // the scene.
    if (hit && Visual(hit->Parent())) {
        m_designGrip = TzuDesignGrip::Move;
        m_designStartBox = BoxInParent(*hit);
    }
}

// ---- Move ----

void TzuCustomScene::DesignMouseMove(TzuShiftState shift, const TzuPoint& p) {
    if (m_designGrip == TzuDesignGrip::None || !(shift & ssLeft)) {
        DesignSetHot(DesignHandleAt(p));
        return;
    }
    TzuVisualObject* sel = Visual(m_designSelection);
    if (!sel) {
        m_designGrip = TzuDesignGrip::None;
        return;
    }
    TzuObjectGuard guard(sel);
    RepaintDesignOverlay();
    switch (m_designGrip) {
        case TzuDesignGrip::Move: DesignMove(shift, p); break;
        case TzuDesignGrip::Rotate: DesignRotate(p); break;
        default: DesignResize(p); break;
    }
    m_designLast = p;
    if (guard.Alive()) RepaintDesignOverlay();
}

void TzuCustomScene::DesignSetHot(TzuDesignGrip hot) {
    if (hot == m_designHot) return;
    RepaintDesignOverlay();
    m_designHot = hot;
    RepaintDesignOverlay();
}

void TzuCustomScene::DesignMove(TzuShiftState shift, const TzuPoint& p) {
    auto& sel = *Visual(m_designSelection);
    auto* parent = Visual(sel.Parent());
    if (!parent) return;
    // The whole travel since the press, so grid snapping never loses the remainders of
    // small steps.
    const TzuPoint travel = parent->AbsoluteToLocalVector({p.X - m_designPress.X, p.Y - m_designPress.Y});
    TzuPoint pos{SnapToGrid(m_designStartBox.Left + travel.X), SnapToGrid(m_designStartBox.Top + travel.Y)};
    m_designSnapSiblings.clear();
    m_designHasSnapX = m_designHasSnapY = false;
    if (m_designSnapToLines) DesignSnapLines(sel, pos);
    if (pos != sel.Position()->GetPoint()) {
        TzuObjectGuard guard(&sel);
        sel.Position()->SetPoint(pos);
        m_designChanged = true;
        // A handler of the move may have freed it.
        if (!guard.Alive()) return;
    }
    DesignPlaceInto(shift, p);
}

void TzuCustomScene::DesignSnapLines(TzuVisualObject& sel, TzuPoint& pos) {
    TzuObject* parent = sel.Parent();
    const float w = sel.Width(), h = sel.Height();
    for (int i = 0, n = parent->ChildrenCount(); i < n && !(m_designHasSnapX && m_designHasSnapY); ++i) {
        TzuVisualObject* s = Visual(parent->Children(i));
        if (!s || s == &sel || !s->Visible() || s->DesignHide()) continue;
        const TzuRect b = BoxInParent(*s);
        float shift = 0, line = 0;
        bool used = false;
        if (!m_designHasSnapX && FirstClosePair(pos.X, pos.X + w, b.Left, b.Right, kLineSnap, shift, line)) {
            pos.X += shift;
            m_designSnapX = line;
            m_designHasSnapX = used = true;
        }
        if (!m_designHasSnapY && FirstClosePair(pos.Y, pos.Y + h, b.Top, b.Bottom, kLineSnap, shift, line)) {
            pos.Y += shift;
            m_designSnapY = line;
            m_designHasSnapY = used = true;
        }
        if (used) m_designSnapSiblings.push_back(s);
    }
}

void TzuCustomScene::DesignPlaceInto(TzuShiftState shift, const TzuPoint& p) {
    auto& sel = *Visual(m_designSelection);
    // The selection and everything inside it are left out, so it is never placed into
    // itself or one of its own children.
    TzuVisualObject* target = DesignObjectAt(p, &sel);
    if (target == sel.Parent()) target = nullptr;
    if (target != m_designPlaceTarget) {
        if (TzuVisualObject* old = Visual(m_designPlaceTarget)) old->InvalidateUpdateRect();
        m_designPlaceTarget = target;
        if (target) target->InvalidateUpdateRect();
    }
    if (!target || !(shift & ssAlt)) return;
    // Into the target, keeping the place on the screen.
    const TzuPoint before = sel.LocalToAbsolute({0, 0});
    sel.SetParent(target);
    const TzuPoint after = sel.LocalToAbsolute({0, 0});
    const TzuPoint fix = target->AbsoluteToLocalVector({before.X - after.X, before.Y - after.Y});
    const TzuPoint pos = sel.Position()->GetPoint();
    sel.Position()->SetPoint({pos.X + fix.X, pos.Y + fix.Y});
    m_designPlaceTarget = nullptr;
    m_designSnapSiblings.clear();
    m_designHasSnapX = m_designHasSnapY = false;
    // The drag goes on from here in the new parent.
    m_designPress = p;
    m_designStartBox = BoxInParent(sel);
    m_designChanged = true;
}

void TzuCustomScene::DesignRotate(const TzuPoint& p) {
    auto& sel = *Visual(m_designSelection);
    const TzuPoint c = sel.LocalToAbsolute({sel.Width() / 2, sel.Height() / 2});
    const float ax = m_designLast.X - c.X, ay = m_designLast.Y - c.Y;
    const float bx = p.X - c.X, by = p.Y - c.Y;
    const float la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    if (la == 0 || lb == 0) return;
    const float cosine = std::clamp((ax * bx + ay * by) / (la * lb), -1.0f, 1.0f);
    const float degrees = std::acos(cosine) * 180 / std::numbers::pi_v<float>;
    const float cross = ax * by - ay * bx;
    if (degrees == 0 || cross == 0) return;
    sel.SetRotateAngle(sel.RotateAngle() + (cross > 0 ? degrees : -degrees));
    m_designChanged = true;
}

void TzuCustomScene::DesignResize(const TzuPoint& p) {
    auto& sel = *Visual(m_designSelection);
    auto* parent = Visual(sel.Parent());
    if (!parent) return;
    const int dx = DesignGripDX(m_designGrip), dy = DesignGripDY(m_designGrip);
    const TzuPoint travel = parent->AbsoluteToLocalVector({p.X - m_designPress.X, p.Y - m_designPress.Y});
    TzuRect b = m_designStartBox;
    float& xEdge = dx < 0 ? b.Left : b.Right;
    float& yEdge = dy < 0 ? b.Top : b.Bottom;
    if (dx) xEdge = SnapToGrid(xEdge + travel.X);
    if (dy) yEdge = SnapToGrid(yEdge + travel.Y);
    m_designSnapSiblings.clear();
    m_designHasSnapX = m_designHasSnapY = false;
    if (m_designSnapToLines) {
        for (int i = 0, n = parent->ChildrenCount(); i < n; ++i) {
            TzuVisualObject* s = Visual(parent->Children(i));
            if (!s || s == &sel || !s->Visible() || s->DesignHide()) continue;
            const TzuRect e = BoxInParent(*s);
            bool used = false;
            for (float line : {e.Left, e.Right}) {
                if (dx && !m_designHasSnapX && std::fabs(xEdge - line) < kEdgeSnap) {
                    xEdge = m_designSnapX = line;
                    m_designHasSnapX = used = true;
                }
            }
            for (float line : {e.Top, e.Bottom}) {
                if (dy && !m_designHasSnapY && std::fabs(yEdge - line) < kEdgeSnap) {
                    yEdge = m_designSnapY = line;
                    m_designHasSnapY = used = true;
                }
            }
            if (used) m_designSnapSiblings.push_back(s);
        }
    }
    // An edge dragged past the opposite one stops there.
    if (dx < 0) b.Left = std::min(b.Left, b.Right);
    if (dx > 0) b.Right = std::max(b.Right, b.Left);
    if (dy < 0) b.Top = std::min(b.Top, b.Bottom);
    if (dy > 0) b.Bottom = std::max(b.Bottom, b.Top);
    if (b == BoxInParent(sel)) return;
    sel.SetBounds(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
    m_designChanged = true;
}

// ---- Release ----

void TzuCustomScene::DesignMouseUp() {
    const TzuDesignGrip grip = m_designGrip;
    RepaintDesignOverlay();
    if (TzuVisualObject* old = Visual(m_designPlaceTarget)) old->InvalidateUpdateRect();
    m_designPlaceTarget = nullptr;
    m_designSnapSiblings.clear();
    m_designHasSnapX = m_designHasSnapY = false;
    m_designGrip = TzuDesignGrip::None;
    TzuVisualObject* sel = Visual(m_designSelection);
    if (sel && grip != TzuDesignGrip::None && grip != TzuDesignGrip::Rotate) {
        if (TzuObject* parent = sel->Parent()) parent->Realign();
    }
    RepaintDesignOverlay();
    if (m_designChanged) DesignStepDone();
}

}  // namespace zu
