// Culling of children by their extent: paints and hit tests pass over children that
// cannot reach the damaged area, the clip or the point, at the cost of a few comparisons.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "scene/zu_scene/tree/child_range.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {

TzuRect MapBounds(const TzuRect& r, const TzuMatrix& m) {
    const TzuPoint pts[4] = {
        PointFromVector(VectorTransform(TzuVector{r.Left, r.Top, 1}, m)),
        PointFromVector(VectorTransform(TzuVector{r.Right, r.Top, 1}, m)),
        PointFromVector(VectorTransform(TzuVector{r.Right, r.Bottom, 1}, m)),
        PointFromVector(VectorTransform(TzuVector{r.Left, r.Bottom, 1}, m)),
    };
    return PointsBounds(pts, 4);
}

// Written so that a NaN anywhere keeps the child: only a proven gap skips it.
bool Apart(const TzuRect& a, const TzuRect& b) {
    return a.Right < b.Left || b.Right < a.Left || a.Bottom < b.Top || b.Bottom < a.Top;
}

// Rounding in the mapped matrices must never cost a pixel that should show.
constexpr float kSlack = 1;

// Below this many children a walk reads the children themselves.
constexpr int kKeptExtentsFrom = 16;
constexpr int kPointCullFrom = 8;

// The extent of a child that must always be looked at.
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr TzuRect kEverywhere{-kInf, -kInf, kInf, kInf};

}  // namespace

bool TzuVisualObject::ComputeLocalExtent(TzuRect& extent) {
    TzuRect r = RectNormalize(TzuRect{0, 0, m_width, m_height});
    bool known = !HasScreenOutset();
    if (known && HasEffect()) r = RectUnion(r, EffectRect());
    if (known && !m_clipChildren && ChildrenCount() > 0) {
        const TzuMatrix toLocal = ChildrenMatrix();
        for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) {
            if (!v->m_visible) continue;
            TzuRect e;
            if (!v->LocalExtent(e)) {
                known = false;
                break;
            }
            r = RectUnion(r, MapBounds(e, toLocal));
        }
    }
    extent = MapBounds(r, m_localMatrix);
    // A broken matrix (NaN) gives no box at all.
    if (!(extent.Left <= extent.Right && extent.Top <= extent.Bottom)) known = false;
    // Outside a scene or while loading, sizes change without telling anyone: nothing is kept.
    if (Scene() && !IsLoading()) {
        m_extent = extent;
        m_extentKnown = known;
        m_extentStale = false;
    }
    return known;
}

void TzuVisualObject::InvalidateExtentDown() {
    m_extentStale = true;
    m_childExtentsStale = true;
    for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this)) v->InvalidateExtentDown();
}

const std::vector<TzuVisualObject::ChildExtent>* TzuVisualObject::KeptChildExtents() {
    const int n = ChildrenCount();
    if (n < kKeptExtentsFrom) {
        if (m_childExtents) m_childExtents->list.clear();
        return nullptr;
    }
    if (!m_childExtents) m_childExtents = std::make_unique<KeptExtents>();
    std::vector<ChildExtent>& kept = m_childExtents->list;
    const uint64_t generation = TreeGeneration();
    if (!m_childExtentsStale && kept.size() == size_t(n)) {
        if (m_childExtents->generation == generation) return &kept;
        // Reordered children announce nothing of their own: the pointers tell.
        for (int i = 0; i < n && !m_childExtentsStale; ++i)
            m_childExtentsStale = kept[size_t(i)].child != Children(i);
        if (!m_childExtentsStale) {
            m_childExtents->generation = generation;
            return &kept;
        }
    }
    m_childExtents->generation = generation;
    kept.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        TzuObject* c = Children(i);
        ChildExtent& e = kept[size_t(i)];
        e = ChildExtent{c, kEverywhere, true};
        if (!c->IsVisual()) continue;
        auto* v = static_cast<TzuVisualObject*>(c);
        e.canClipped = v->m_canClipped;
        // Outside a scene or while loading, a child changes unannounced: it is always read.
        TzuRect r;
        if (v->Scene() && !v->IsLoading() && v->LocalExtent(r)) e.extent = r;
    }
    m_childExtentsStale = false;
    // Ordered extents (rows or columns of a list) let walks find their span by halving.
    bool xs = true, ys = true, clipped = true;
    for (size_t i = 0; i < kept.size(); ++i) {
        const TzuRect& e = kept[i].extent;
        clipped = clipped && kept[i].canClipped;
        if (!(std::isfinite(e.Left) && std::isfinite(e.Top) && std::isfinite(e.Right) &&
              std::isfinite(e.Bottom))) {
            xs = ys = false;
            break;
        }
        if (i == 0) continue;
        const TzuRect& p = kept[i - 1].extent;
        xs = xs && p.Left <= e.Left && p.Right <= e.Right;
        ys = ys && p.Top <= e.Top && p.Bottom <= e.Bottom;
        if (!xs && !ys) break;
    }
    m_childExtents->sortedAxis = ys ? 2 : xs ? 1 : 0;
    m_childExtents->allClipped = clipped;
    return &kept;
}

void TzuVisualObject::ChildCull::Range(int count, int& begin, int& end) const {
    begin = 0;
    end = count;
    if (!extents || keep || sortedAxis == 0 || extents->size() != size_t(count)) return;
    const bool y = sortedAxis == 2;
    float lo = -kInf, hi = kInf;
    auto narrow = [&](float a, float b) {
        lo = std::max(lo, a);
        hi = std::min(hi, b);
    };
    if (hasDamage) y ? narrow(damage.Top, damage.Bottom) : narrow(damage.Left, damage.Right);
    if (hasClip && allClipped) y ? narrow(clip.Top, clip.Bottom) : narrow(clip.Left, clip.Right);
    if (hasPoint) y ? narrow(point.Y - kSlack, point.Y + kSlack) : narrow(point.X - kSlack, point.X + kSlack);
    // NaN bounds prove nothing: everything is walked.
    if (!(lo <= hi) && !(lo > hi)) return;
    const auto& list = *extents;
    // The first child not wholly before lo, and the first wholly after hi.
    begin = int(std::partition_point(
                    list.begin(), list.end(),
                    [&](const ChildExtent& e) { return (y ? e.extent.Bottom : e.extent.Right) < lo; }) -
                list.begin());
    end = int(std::partition_point(
                  list.begin() + begin, list.end(),
                  [&](const ChildExtent& e) { return !((y ? e.extent.Top : e.extent.Left) > hi); }) -
              list.begin());
}

bool TzuVisualObject::SceneToChildren(TzuMatrix& m) {
    m = MatrixMultiply(ChildrenMatrix(), AbsoluteMatrix());
    const float det = MatrixDeterminant(m);
    if (!std::isfinite(det) || std::fabs(det) < 1e-12f) return false;
    MatrixInvert(m);
    return true;
}

TzuVisualObject::ChildCull TzuVisualObject::PaintCull() {
    ChildCull cull;
    IzuScene* scene = Scene();
    // Design mode marks and widens objects in screen pixels: everything is looked at.
    if (!scene || scene->IsDesigning()) return cull;
    // Off-screen paints (effects, visual brushes) ignore the scene's damage.
    if (!m_offscreen && scene->UpdateRectCount() > 0) {
        TzuMatrix toChildren;
        if (SceneToChildren(toChildren)) {
            TzuRect damage = scene->UpdateRect(0);
            for (int i = 1; i < scene->UpdateRectCount(); ++i)
                damage = RectUnion(damage, scene->UpdateRect(i));
            cull.damage = MapBounds(damage, toChildren);
            RectInflate(cull.damage, kSlack, kSlack);
            cull.hasDamage = true;
        }
    }
    if (m_clipChildren) {
        TzuMatrix toChildren = ChildrenMatrix();
        if (std::fabs(MatrixDeterminant(toChildren)) >= 1e-12f) {
            MatrixInvert(toChildren);
            cull.clip = MapBounds(ClipRect(), toChildren);
            RectInflate(cull.clip, kSlack, kSlack);
            cull.hasClip = true;
        }
    }
    if (cull.hasDamage || cull.hasClip) {
        cull.extents = KeptChildExtents();
        if (cull.extents) {
            cull.sortedAxis = m_childExtents->sortedAxis;
            cull.allClipped = m_childExtents->allClipped;
        }
        for (TzuObject* o = scene->Focused(); o; o = o->Parent()) {
            if (o->Parent() == this) {
                cull.keep = o;
                break;
            }
        }
    }
    return cull;
}

TzuVisualObject::ChildCull TzuVisualObject::PointCull(float x, float y) {
    ChildCull cull;
    // Among a few children the inverse matrix costs more than the walks it spares: the
    // pointer's hit test runs on every move.
    if (ChildrenCount() < kPointCullFrom || !Scene() || IsSceneDesigning()) return cull;
    TzuMatrix toChildren;
    if (!SceneToChildren(toChildren)) return cull;
    cull.point = PointFromVector(VectorTransform(TzuVector{x, y, 1}, toChildren));
    cull.hasPoint = std::isfinite(cull.point.X) && std::isfinite(cull.point.Y);
    if (cull.hasPoint) cull.extents = KeptChildExtents();
    if (cull.extents) {
        cull.sortedAxis = m_childExtents->sortedAxis;
        cull.allClipped = m_childExtents->allClipped;
    }
    return cull;
}

bool TzuVisualObject::ChildCull::Skips(TzuVisualObject* child) const {
    if (!(hasDamage || hasClip || hasPoint) || child == keep) return false;
    TzuRect e;
    return child->LocalExtent(e) && SkipsExtent(e, child->m_canClipped);
}

bool TzuVisualObject::ChildCull::SkipsKept(int index, const TzuObject* child) const {
    if (!extents || size_t(index) >= extents->size() || child == keep) return false;
    const ChildExtent& e = (*extents)[size_t(index)];
    return e.child == child && SkipsExtent(e.extent, e.canClipped);
}

bool TzuVisualObject::ChildCull::SkipsExtent(TzuRect e, bool canClipped) const {
    if (hasDamage && Apart(e, damage)) return true;
    // A child that may leave the clip is judged by the damage alone.
    if (hasClip && canClipped && Apart(e, clip)) return true;
    if (hasPoint) {
        RectInflate(e, kSlack, kSlack);
        if (!RectContainsPoint(point, e)) return true;
    }
    return false;
}

}  // namespace zu
