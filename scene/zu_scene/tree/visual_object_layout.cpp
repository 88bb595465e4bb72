// Layout of a visual object's children by their Align values.

#include <algorithm>
#include <cmath>

#include "scene/zu_scene/tree/child_range.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {
// Outer stacks first, then inner stacks, the client area, and the rest; anchored
// children last, because they work from the difference to the previous size.
constexpr TzuAlign kPassOrder[] = {
    vaMostTop, vaMostBottom, vaMostLeft, vaMostRight, vaTop,        vaBottom,      vaLeft,       vaRight,
    vaClient,  vaHorizontal, vaVertical, vaContents,  vaCenter,     vaHorzCenter,  vaVertCenter, vaScale,
    vaFit,     vaFitLeft,    vaFitRight, vaTopRight,  vaBottomLeft, vaBottomRight,
};

// Whether child goes before already listed l in a pass's order.
bool GoesBefore(TzuAlign a, TzuVisualObject* child, TzuVisualObject* l) {
    const TzuPosition* cp = child->Position();
    const TzuPosition* lp = l->Position();
    switch (a) {
        case vaTop:
        case vaMostTop: return cp->Y() < lp->Y();
        case vaLeft:
        case vaMostLeft: return cp->X() < lp->X();
        case vaRight:
        case vaMostRight: return cp->X() + child->Width() >= lp->X() + l->Width();
        case vaBottom:
        case vaMostBottom: return cp->Y() + child->Height() >= lp->Y() + l->Height();
        default: return false;
    }
}

bool KeepsOwnWidth(TzuAlign a) {
    switch (a) {
        case vaTopLeft:
        case vaTopRight:
        case vaBottomLeft:
        case vaBottomRight:
        case vaLeft:
        case vaRight:
        case vaMostLeft:
        case vaMostRight:
        case vaVertical: return true;
        default: return false;
    }
}

bool KeepsOwnHeight(TzuAlign a) {
    switch (a) {
        case vaTopLeft:
        case vaTopRight:
        case vaBottomLeft:
        case vaBottomRight:
        case vaTop:
        case vaBottom:
        case vaMostTop:
        case vaMostBottom:
        case vaHorizontal: return true;
        default: return false;
    }
}
}  // namespace

void TzuVisualObject::Realign() {
    if (IsDestroying() || (m_width > -2 && m_width < 2) || (m_height > -2 && m_height < 2) || m_realigning)
        return;
    if (IsLoading()) {
        m_lastWidth = m_width;
        m_lastHeight = m_height;
        return;
    }
    if (ChildrenCount() == 0) return;
    m_realigning = true;
    struct Reset {
        TzuVisualObject* o;
        ~Reset() { o->m_realigning = false; }
    } reset{this};

    bool anyAligned = false;
    for (TzuVisualObject* k : ChildrenOf<TzuVisualObject>(*this)) {
        if ((anyAligned = k->m_align != vaNone)) break;
    }
    if (!anyAligned) return;

    TzuRect r = TzuRect{0, 0, m_width, m_height};
    if (m_margins) r = m_margins->MarginRect(r);
    // Only the passes some child asks for run. Laying a child out runs its own code, which
    // may change a sibling's alignment, so the set is taken again after every pass.
    auto alignsPresent = [this] {
        uint64_t mask = 0;
        for (TzuVisualObject* k : ChildrenOf<TzuVisualObject>(*this)) {
            if (k->m_align < 64) mask |= uint64_t{1} << k->m_align;
        }
        return mask;
    };
    uint64_t present = alignsPresent();
    for (TzuAlign a : kPassOrder) {
        if (!(present & (uint64_t{1} << a))) continue;
        LayoutPass(a, r);
        present = alignsPresent();
    }

    if (m_lastWidth != m_width || m_lastHeight != m_height) m_effectStale = true;
    m_lastWidth = m_width;
    m_lastHeight = m_height;
    Repaint();
}

void TzuVisualObject::LayoutPass(TzuAlign align, TzuRect& r) {
    const bool designing = IsSceneDesigning();
    auto placed = [align, designing](const TzuVisualObject* k) {
        return k->m_align == align && (k->m_visible || designing);
    };
    size_t n = 0;
    for (TzuVisualObject* k : ChildrenOf<TzuVisualObject>(*this)) n += placed(k) ? 1 : 0;
    // A pass places a handful of children as a rule: they are ordered on the stack, and
    // styling a control lays out its style without a heap block per pass.
    constexpr size_t kOnStack = 16;
    TzuVisualObject* onStack[kOnStack];
    std::vector<TzuVisualObject*> onHeap(n > kOnStack ? n : 0);
    TzuVisualObject** list = n > kOnStack ? onHeap.data() : onStack;
    size_t count = 0;
    for (TzuVisualObject* k : ChildrenOf<TzuVisualObject>(*this)) {
        if (!placed(k)) continue;
        size_t at = 0;
        while (at < count && !GoesBefore(align, k, list[at])) ++at;
        std::move_backward(list + at, list + count, list + count + 1);
        list[at] = k;
        ++count;
    }
    for (size_t i = 0; i < count; ++i) {
        // A child's own layout may have hidden a sibling meanwhile.
        if (list[i]->m_visible || designing) LayoutChild(list[i], align, r);
    }
}

float TzuVisualObject::AnchoredX(const TzuVisualObject* child, const TzuRect& padding) const {
    const float x = child->m_position.X();
    if (x != 0) return x + m_width - m_lastWidth;
    return m_width - MarginsRect().Right - padding.Right - child->m_width;
}

float TzuVisualObject::AnchoredY(const TzuVisualObject* child, const TzuRect& padding) const {
    const float y = child->m_position.Y();
    if (y != 0) return y + m_height - m_lastHeight;
    return m_height - MarginsRect().Bottom - padding.Bottom - child->m_height;
}

bool TzuVisualObject::PlaceWithoutSlot(TzuVisualObject* child, TzuAlign align, const TzuRect& padding) {
    TzuPosition& pos = child->m_position;
    switch (align) {
        // Anchored to a corner: moved by how much this object grew since the last layout.
        // A child still at the origin on an anchored axis has no distance to keep yet (every
        // object starts there and streams leave that position out, as styles made for any
        // size do): it goes flush into its corner, and keeps that distance from then on.
        case vaTopRight: pos.SetX(AnchoredX(child, padding)); return true;
        case vaBottomLeft: pos.SetY(AnchoredY(child, padding)); return true;
        case vaBottomRight:
            pos.SetPoint(TzuPoint{AnchoredX(child, padding), AnchoredY(child, padding)});
            return true;
        case vaContents:
            // The whole box, margins ignored.
            child->StorePosition(padding.Left, padding.Top);
            child->m_width = m_width - padding.Left - padding.Right;
            child->m_height = m_height - padding.Top - padding.Bottom;
            child->MatrixChanged();
            child->Realign();
            return true;
        case vaScale:
            // Position and size scale with this object's size since the last layout.
            if (m_lastWidth > 0 && m_lastHeight > 0 && m_width > 0 && m_height > 0) {
                const float sx = m_width / m_lastWidth, sy = m_height / m_lastHeight;
                child->StorePosition(pos.X() * sx, pos.Y() * sy);
                child->m_width *= sx;
                child->m_height *= sy;
                child->MatrixChanged();
                child->Realign();
            }
            return true;
        default: return false;
    }
}

TzuRect TzuVisualObject::FitSlot(TzuVisualObject* child, TzuAlign align, const TzuRect& padding) {
    const TzuRect m = MarginsRect();
    const TzuRect target{m.Left, m.Top, m_width - m.Right, m_height - m.Bottom};
    const float x = child->m_position.X(), y = child->m_position.Y();
    TzuRect outer{x - padding.Left, y - padding.Top, x + child->m_width + padding.Right,
                  y + child->m_height + padding.Bottom};
    const float t = RectFitInto(outer, target);
    if (t < 1 && t > 0) {
        outer = TzuRect{outer.Left / t, outer.Top / t, outer.Right / t, outer.Bottom / t};
        RectCenterIn(outer, target);
    }
    if (align == vaFitLeft) RectOffset(outer, target.Left - outer.Left, 0);
    if (align == vaFitRight) RectOffset(outer, target.Right - outer.Right, 0);
    return outer;
}

void TzuVisualObject::LayoutChild(TzuVisualObject* child, TzuAlign align, TzuRect& space) {
    const TzuRect padding = child->PaddingRect();
    if (PlaceWithoutSlot(child, align, padding)) return;

    // The child's outer size (its box with its padding) and the slot it gets in space.
    const float ownWidth = child->m_width + padding.Left + padding.Right;
    const float ownHeight = child->m_height + padding.Top + padding.Bottom;
    float width = space.Right - space.Left;
    if (width < 0 || KeepsOwnWidth(align)) width = ownWidth;
    float height = space.Bottom - space.Top;
    if (height < 0 || KeepsOwnHeight(align)) height = ownHeight;
    float x = space.Left, y = space.Top;
    if (align == vaVertical) x = child->m_position.X() - padding.Left;
    if (align == vaHorizontal) y = child->m_position.Y() - padding.Top;

    switch (align) {
        // Stacks take their slot off one side of the space left.
        case vaTop:
        case vaMostTop: space.Top += height; break;
        case vaBottom:
        case vaMostBottom:
            space.Bottom -= height;
            y = space.Bottom;
            break;
        case vaLeft:
        case vaMostLeft: space.Left += width; break;
        case vaRight:
        case vaMostRight:
            space.Right -= width;
            x = space.Right;
            break;
        case vaCenter:
            x = space.Left + std::trunc((width - ownWidth) / 2);
            y = space.Top + std::trunc((height - ownHeight) / 2);
            width = ownWidth;
            height = ownHeight;
            break;
        case vaHorzCenter:
            x = space.Left + std::trunc((width - ownWidth) / 2);
            width = ownWidth;
            break;
        case vaVertCenter:
            y = space.Top + std::trunc((height - ownHeight) / 2);
            height = ownHeight;
            break;
        case vaFit:
        case vaFitLeft:
        case vaFitRight: {
            const TzuRect fit = FitSlot(child, align, padding);
            x = fit.Left;
            y = fit.Top;
            width = fit.Right - fit.Left;
            height = fit.Bottom - fit.Top;
            break;
        }
        default: break;
    }

    child->StorePosition(x + padding.Left, y + padding.Top);
    const float newWidth = width - padding.Left - padding.Right,
                newHeight = height - padding.Top - padding.Bottom;
    if (newWidth != child->m_width || newHeight != child->m_height) {
        child->m_width = newWidth;
        child->m_height = newHeight;
        child->Realign();
    }
    child->MatrixChanged();

    // A child that did not take its whole slot (it keeps a minimum or maximum size of its
    // own) gives the rest back to the space.
    const float usedWidth = child->m_width + padding.Left + padding.Right;
    const float usedHeight = child->m_height + padding.Top + padding.Bottom;
    if (usedWidth == width && usedHeight == height) return;
    switch (align) {
        case vaTop: space.Top -= height - usedHeight; break;
        case vaBottom: space.Bottom += height - usedHeight; break;
        case vaLeft: space.Left -= width - usedWidth; break;
        case vaRight: space.Right += width - usedWidth; break;
        case vaClient:
            space.Right += width - usedWidth;
            space.Bottom += height - usedHeight;
            break;
        default: break;
    }
}

}  // namespace zu
