// Painting, damage tracking, effects and hit testing of visual objects.

#include <algorithm>
#include <cmath>

#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/child_range.h"
#include "scene/zu_scene/tree/effect.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {
constexpr TzuColor kDragHighlightColor = 0xB2005ACC;

TzuEffect* EnabledEffect(TzuObject* o) {
    auto* e = As<TzuEffect>(o);
    return e && e->Enabled() ? e : nullptr;
}

// Restores a saved canvas state however the painting step ends.
struct SavedCanvas {
    TzuCanvas* canvas = nullptr;
    int index = -1;
    void Save(TzuCanvas* c) {
        canvas = c;
        index = c->SaveCanvas();
    }
    ~SavedCanvas() {
        if (canvas) canvas->RestoreCanvas(index);
    }
};
}  // namespace

TzuCanvas* TzuVisualObject::Canvas() const {
    if (m_canvasOverride) return m_canvasOverride;
    return Scene() ? Scene()->Canvas() : nullptr;
}

void TzuVisualObject::SetCanvasOverride(TzuCanvas* canvas) {
    m_canvasOverride = canvas;
    for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) v->SetCanvasOverride(canvas);
}

TzuBitmap* TzuVisualObject::EffectBitmap() const { return m_extra ? m_extra->effectBitmap.get() : nullptr; }

// ---- Damage ----

void TzuVisualObject::Repaint() {
    IzuScene* scene = Scene();
    bool designing = scene && scene->IsDesigning();
    if (!m_visible && scene && !designing) return;
    if (!scene || (designing && m_designHide)) return;
    if (scene->IsUpdating()) return;
    if (designing || AbsoluteVisible()) scene->AddUpdateRect(UpdateRect());
}

void TzuVisualObject::MarkUpdateRectStaleUp() {
    // Every ancestor's extent covers this one, so all of them must be recomputed, not only
    // the direct parent's. Update areas take in the children only up to the nearest
    // ancestor that clips them: that one's area, and those above it, stay as they are, so
    // a change deep in nested clipping boxes does not make every box above recompute.
    m_updateRectStale = true;
    m_extentStale = true;
    bool areaReaches = true;
    for (TzuVisualObject* p = VisualParent(); p; p = p->VisualParent()) {
        areaReaches = areaReaches && !p->m_clipChildren;
        if (areaReaches) p->m_updateRectStale = true;
        p->m_extentStale = true;
        p->m_childExtentsStale = true;
    }
}

void TzuVisualObject::InvalidateUpdateRectDown() {
    m_updateRectStale = true;
    m_hiddenDownStale = false;
    for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) {
        // A hidden subtree (the rows inside a closed tree item) is walked when it is needed,
        // not each time something above it moves.
        if (!v->m_visible) {
            v->m_updateRectStale = true;
            v->m_hiddenDownStale = true;
            continue;
        }
        v->InvalidateUpdateRectDown();
    }
}

void TzuVisualObject::InvalidateUpdateRect() {
    InvalidateUpdateRectDown();
    MarkUpdateRectStaleUp();
}

TzuRect TzuVisualObject::UpdateRect() {
    if (m_hiddenDownStale) InvalidateUpdateRectDown();
    if (!m_updateRectStale) return m_updateRect;
    TzuRect r = AbsoluteRect();
    IzuScene* scene = Scene();
    // While the scene is suspended or the object loads, the area is the object's own box;
    // it is not kept, so the next request outside that time covers the whole subtree again.
    if (!scene || scene->IsUpdating() || IsLoading()) return r;
    {
        // The nearest clipping ancestor's area is already cut by every clipping ancestor
        // above it: intersecting with each of them again made deep trees cost the square
        // of their depth.
        for (TzuVisualObject* a = VisualParent(); a; a = a->VisualParent()) {
            if (a->m_clipChildren) {
                RectIntersection(r, a->UpdateRect(), r);
                break;
            }
        }
        if (m_canFocus && m_isFocused) RectInflate(r, 5, 5);
        if (scene->IsDesigning()) {
            if (scene->DesignSelection() == this) {
                RectInflate(r, 4, 4);
                r.Top -= 13;
            }
            if (scene->DesignPlaceTarget() == this) {
                RectInflate(r, 1, 1);
                r.Top -= 20;
                if (r.Right - r.Left < 160) r.Right = r.Left + 160;
            }
        }
        if (!m_clipChildren && HasEffect()) {
            TzuRect e = EffectRect();
            TzuPoint pts[4] = {LocalToAbsolute({e.Left, e.Top}), LocalToAbsolute({e.Right, e.Top}),
                               LocalToAbsolute({e.Right, e.Bottom}), LocalToAbsolute({e.Left, e.Bottom})};
            r = RectUnion(r, PointsBounds(pts, 4));
        }
        if (!m_clipChildren) {
            for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) {
                if (v->m_visible) r = RectUnion(r, v->UpdateRect());
            }
        }
    }
    m_updateRect = r;
    m_updateRectStale = false;
    return r;
}

TzuRect TzuVisualObject::EffectRect() {
    TzuRect local = LocalRect();
    TzuRect r = local;
    for (int i = 0; i < ChildrenCount(); ++i) {
        if (TzuEffect* e = EnabledEffect(Children(i))) r = RectUnion(r, e->GetEffectRect(local));
    }
    return r;
}

void TzuVisualObject::InvalidateEffects() {
    TzuObject::InvalidateEffects();
    m_effectStale = true;
    for (TzuVisualObject* p = VisualParent(); p; p = p->VisualParent()) {
        if (p->HasEffect()) p->m_effectStale = true;
    }
}

void TzuVisualObject::ChildEffectChanged() {
    m_effectStale = true;
    // Erase what the old picture covered, then paint what the new one covers.
    Repaint();
    InvalidateUpdateRect();
    Repaint();
}

// ---- Painting ----

bool TzuVisualObject::NeedsPainting(TzuVisualObject* child) {
    IzuScene* scene = Scene();
    if (!scene) return true;
    int n = scene->UpdateRectCount();
    if (n == 0) return false;
    // The area covers the child's whole subtree and its effects, so one test per rectangle
    // decides; nothing of the child is touched when it misses them all.
    const TzuRect area = child->UpdateRect();
    for (int i = 0; i < n; ++i) {
        if (RectsIntersect(scene->UpdateRect(i), area)) return true;
    }
    return false;
}

void TzuVisualObject::PaintOwnContent() {
    TzuCanvas* cv = Canvas();
    TzuVisualObject* hole = nullptr;
    if (m_holeChild) {
        for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) {
            if (v->m_clipParent) {
                hole = v;
                break;
            }
        }
        m_holeChild = hole != nullptr;
    }
    SavedCanvas s2;
    if (hole) {
        s2.Save(cv);
        cv->SetMatrix(hole->AbsoluteMatrix());
        cv->ExcludeClipRect(hole->LocalRect());
        cv->SetMatrix(AbsoluteMatrix());
    }
    if (m_clipChildren) {
        SavedCanvas s3;
        s3.Save(cv);
        cv->SetMatrix(AbsoluteMatrix());
        cv->IntersectClipRect(ClipRect());
        Paint();
    } else {
        Paint();
    }
}

void TzuVisualObject::PaintChild(TzuVisualObject* q) {
    TzuCanvas* cv = Canvas();
    IzuScene* scene = Scene();
    bool designing = scene && scene->IsDesigning();
    bool hasEffect = q->HasEffect();
    bool paintAfter = hasEffect && q->HasPaintAfterEffect();

    if (designing || q->m_offscreen || NeedsPainting(q)) {
        SavedCanvas s;
        if (m_clipChildren && q->m_canClipped) {
            s.Save(cv);
            cv->SetMatrix(AbsoluteMatrix());
            cv->IntersectClipRect(ClipRect());
        }
        cv->SetMatrix(q->AbsoluteMatrix());
        q->BeforePaint();
        if (hasEffect && !paintAfter) q->PaintEffects();
        cv->SetMatrix(q->AbsoluteMatrix());
        if (!(hasEffect && q->HasDisablePaintEffect())) {
            q->PaintOwnContent();
            q->PaintChildren();
            if (q->m_extra && q->m_extra->onPaint) {
                cv->SetMatrix(q->AbsoluteMatrix());
                q->m_extra->onPaint(q, cv, q->LocalRect());
            }
        }
        q->AfterPaint();
        // The design selection is drawn by the scene, over everything.
        if (q->m_isDragOver && !q->DragDisableHighlight()) {
            SavedCanvas d;
            d.Save(cv);
            cv->SetMatrix(q->AbsoluteMatrix());
            TzuRect box = q->LocalRect();
            RectInflate(box, -1, -1);
            cv->Stroke()->SetStyle(zuBrushSolid);
            cv->SetStrokeCap(zuCapFlat);
            cv->SetStrokeJoin(zuJoinMiter);
            cv->Stroke()->SetColor(kDragHighlightColor);
            cv->SetStrokeDash(zuDashSolid);
            cv->SetStrokeThickness(3);
            cv->DrawRect(box, 1, 1, kAllCorners, 1, zuCornerRound);
        }
    }
    if (paintAfter) {
        cv->SetMatrix(q->AbsoluteMatrix());
        q->PaintEffects();
    }
}

void TzuVisualObject::PaintChildren() {
    if (!Canvas()) return;
    if (m_hiddenDownStale) InvalidateUpdateRectDown();
    IzuScene* scene = Scene();
    bool designing = scene && scene->IsDesigning();
    const ChildCull cull = PaintCull();
    int begin = 0, end = 0;
    cull.Range(ChildrenCount(), begin, end);
    for (int i = begin; i < std::min(end, ChildrenCount()); ++i) {
        TzuObject* c = Children(i);
        if (cull.SkipsKept(i, c) || !c->IsVisual()) continue;
        auto* q = static_cast<TzuVisualObject*>(c);
        if (!(q->m_visible || (designing && !q->m_locked))) continue;
        if (designing && q->m_designHide) continue;
        if (q->Scene() != scene) q->SetScene(scene);
        if (cull.Skips(q)) continue;
        if (m_clipChildren && !RectsIntersect(UpdateRect(), q->UpdateRect())) continue;
        PaintChild(q);
    }
}

void TzuVisualObject::PaintEffects() {
    if (!Scene() || ChildrenCount() == 0 || !HasEffect()) return;
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    SavedCanvas s;
    s.Save(cv);
    // Pictures are made at device resolution: on a canvas of device scale 2 an effect's
    // bitmap has twice the pixels per side and its radii and distances double with it.
    const int deviceScale = cv->DeviceScale();
    // Read without making the side record: most styled controls carry an effect that is
    // off, and the record would cost each of them a kilobyte.
    const int madeFor = m_extra ? m_extra->effectDeviceScale : 1;
    if (m_effectStale || HasDisablePaintEffect() || madeFor != deviceScale) {
        TzuPoint scale = AbsoluteScale();
        if (scale.X == 0 || scale.Y == 0) return;
        scale.X *= float(deviceScale);
        scale.Y *= float(deviceScale);
        if (madeFor != deviceScale) Extra().effectDeviceScale = deviceScale;
        for (int i = 0; i < ChildrenCount(); ++i) {
            TzuEffect* e = EnabledEffect(Children(i));
            if (!e) continue;
            TzuRect er = e->GetEffectRect(TzuRect{0, 0, m_width, m_height});
            RectScale(er, scale.X, scale.Y);
            er = RectNormalize(er);
            int bw = static_cast<int>(std::trunc(RectWidth(er)));
            int bh = static_cast<int>(std::trunc(RectHeight(er)));
            // An empty picture has nothing to show and no bitmap to hold it.
            if (bw <= 0 || bh <= 0) continue;
            auto& bitmap = Extra().effectBitmap;
            if (!bitmap)
                bitmap = std::make_unique<TzuBitmap>(bw, bh);
            else if (bitmap->Width() != bw || bitmap->Height() != bh)
                bitmap->SetSize(bw, bh);
            bitmap->Clear(0);
            TzuCanvas* bc = bitmap->Canvas();
            if (!bc) continue;
            {
                SavedCanvas s2;
                s2.Save(bc);
                bc->BeginScene();
                bc->SetMatrix(IdentityMatrix);
                TzuPoint o = e->GetEffectOffset();
                TzuRect target{o.X, o.Y, o.X + m_width, o.Y + m_height};
                RectScale(target, scale.X, scale.Y);
                PaintTo(bc, target, nullptr);
                bc->EndScene();
            }
            e->SetDeviceScale(deviceScale);
            e->ProcessEffect(bc, bitmap.get(), scale.X);
            RectScale(er, 1 / scale.X, 1 / scale.Y);
            cv->SetMatrix(AbsoluteMatrix());
            cv->DrawBitmap(*bitmap, TzuRect{0, 0, float(bw), float(bh)}, er, AbsoluteOpacity(),
                           m_rotateAngle == 0);
        }
        m_effectStale = false;
    } else if (TzuBitmap* bitmap = EffectBitmap()) {
        cv->SetMatrix(AbsoluteMatrix());
        TzuRect src{0, 0, float(bitmap->Width()), float(bitmap->Height())};
        for (int i = 0; i < ChildrenCount(); ++i) {
            if (TzuEffect* e = EnabledEffect(Children(i))) {
                cv->DrawBitmap(*bitmap, src, e->GetEffectRect(LocalRect()), AbsoluteOpacity(),
                               m_rotateAngle == 0);
            }
        }
    }
}

void TzuVisualObject::SetOffscreenTree(bool on) {
    m_offscreen = on;
    for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) v->SetOffscreenTree(on);
}

void TzuVisualObject::PaintTo(TzuCanvas* target, const TzuRect& r, TzuObject* parent) {
    IzuScene* scene = Scene();
    if (!scene || !target || m_width * m_height == 0) return;
    // Nested off-screen paints (an effect inside an effect) must not end the outer one's
    // suspension, nor one the scene had set itself.
    bool wasUpdating = scene->IsUpdating();
    scene->SetUpdating(true);
    bool wasRealigning = m_realigning;
    m_realigning = true;
    SetOffscreenTree(true);
    TzuCanvas* oldOverride = m_canvasOverride;
    SetCanvasOverride(target);
    int saved = target->SaveCanvas();

    TzuPoint oldPosition = m_position.GetPoint();
    TzuPoint oldScale = ScalePoint();
    TzuObject* oldParent = Parent();
    float oldAngle = m_rotateAngle;

    auto setScale = [this](const TzuPoint& p) {
        m_quietGeometry = true;
        Scale()->SetPoint(p);
        m_quietGeometry = false;
    };
    auto restore = [&] {
        m_rotateAngle = oldAngle;
        StorePosition(oldPosition.X, oldPosition.Y);
        setScale(oldScale);
        SetParentField(oldParent);
        MatrixChanged();
        InvalidateUpdateRect();
        RecalcAbsoluteMatrices();
        InvalidateOpacity();
        InvalidateEnabled();
        SetOffscreenTree(false);
        m_realigning = wasRealigning;
        target->RestoreCanvas(saved);
        SetCanvasOverride(oldOverride);
        scene->SetUpdating(wasUpdating);
    };
    try {
        SetParentField(parent);
        StorePosition(r.Left, r.Top);
        setScale(TzuPoint{(r.Right - r.Left) / m_width, (r.Bottom - r.Top) / m_height});
        m_rotateAngle = 0;
        MatrixChanged();
        target->SetMatrix(AbsoluteMatrix());
        BeforePaint();
        Paint();
        AfterPaint();
        PaintChildren();
    } catch (...) {
        // The object must not stay moved into the target's coordinates.
        restore();
        throw;
    }
    restore();
}

// ---- Hit testing ----

bool TzuVisualObject::IsHitTestable() const {
    if (IsSceneDesigning()) return !m_locked && !m_designHide;
    return m_hitTest;
}

bool TzuVisualObject::PointInObject(float x, float y) {
    // A collapsed (zero-scaled) object covers no area; the identity fallback of the
    // inverse would have it hit as if unscaled.
    if (std::fabs(MatrixDeterminant(AbsoluteMatrix())) < 1e-12f) return false;
    TzuPoint p = AbsoluteToLocal(TzuPoint{x, y});
    return p.X > 0 && p.X < m_width && p.Y > 0 && p.Y < m_height;
}

TzuVisualObject* TzuVisualObject::ObjectAtPoint(float x, float y) {
    bool designing = IsSceneDesigning();
    if (!m_visible && !designing) return nullptr;
    if (IsControl() && !designing && !AbsoluteEnabled()) return nullptr;
    if (m_clipChildren && !PointInObject(x, y)) return nullptr;
    if (!(designing && m_designHide)) {
        const ChildCull cull = PointCull(x, y);
        int begin = 0, end = 0;
        cull.Range(ChildrenCount(), begin, end);
        for (int i = std::min(end, ChildrenCount()) - 1; i >= begin; --i) {
            TzuObject* c = Children(i);
            if (cull.SkipsKept(i, c) || !c->IsVisual()) continue;
            auto* v = static_cast<TzuVisualObject*>(c);
            if (!v->m_visible && !designing) continue;
            if (cull.Skips(v)) continue;
            if (TzuVisualObject* hit = v->ObjectAtPoint(x, y)) return hit;
        }
    }
    return PointInObject(x, y) && IsHitTestable() ? this : nullptr;
}

}  // namespace zu
