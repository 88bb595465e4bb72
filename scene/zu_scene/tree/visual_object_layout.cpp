// Layout of a visual object's children by their Align values.

#include <cmath>

#include "scene/zu_scene/tree/visual_object.h"
#include "scene/zu_scene/tree/child_range.h"

namespace zu {

namespace {
// Outer stacks first, then inner stacks, the client area, and the rest; anchored
// children last, because they work from the difference to the previous size.
constexpr TzuAlign kPassOrder[] = {
    vaMostTop, vaMostBottom, vaMostLeft, vaMostRight, vaTop, vaBottom, vaLeft, vaRight,
    vaClient, vaHorizontal, vaVertical, vaContents, vaCenter, vaHorzCenter, vaVertCenter,
    vaScale, vaFit, vaFitLeft, vaFitRight, vaTopRight, vaBottomLeft, vaBottomRight,
};

// Whether child goes before already listed l in a pass's order.
bool GoesBefore(TzuAlign a, TzuVisualObject* child, TzuVisualObject* l) {
    const TzuPosition* cp = child->Position();
    const TzuPosition* lp = l->Position();
    switch (a) {
        case vaTop: case vaMostTop: return cp->Y() < lp->Y();
        case vaLeft: case vaMostLeft: return cp->X() < lp->X();
        case vaRight: case vaMostRight: return cp->X() + child->Width() >= lp->X() + l->Width();
        case vaBottom: case vaMostBottom: return cp->Y() + child->Height() >= lp->Y() + l->Height();
        default: return false;
    }
}

bool KeepsOwnWidth(TzuAlign a) {
    switch (a) {
        case vaTopLeft: case vaTopRight: case vaBottomLeft: case vaBottomRight:
        case vaLeft: case vaRight: case vaMostLeft: case vaMostRight: case vaVertical:
            return true;
        default: return false;
    }
}

bool KeepsOwnHeight(TzuAlign a) {
    switch (a) {
        case vaTopLeft: case vaTopRight: case vaBottomLeft: case vaBottomRight:
        case vaTop: case vaBottom: case vaMostTop: case vaMostBottom: case vaHorizontal:
            return true;
        default: return false;
    }
}
}  // namespace

void TzuVisualObject::Realign() {
    if (IsDestroying() || (m_width > -2 && m_width < 2) || (m_height > -2 && m_height < 2) || m_realigning) return;
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
    for (TzuAlign a : kPassOrder) LayoutPass(a, r);

    if (m_lastWidth != m_width || m_lastHeight != m_height) m_effectStale = true;
    m_lastWidth = m_width;
    m_lastHeight = m_height;
    Repaint();
}

void TzuVisualObject::LayoutPass(TzuAlign align, TzuRect& r) {
    bool designing = IsSceneDesigning();
    std::vector<TzuVisualObject*> list;
    for (TzuVisualObject* k : ChildrenOf<TzuVisualObject>(*this)) {
        if (k->m_align != align || !(k->m_visible || designing)) continue;
        auto at = list.begin();
        while (at != list.end() && !GoesBefore(align, k, *at)) ++at;
        list.insert(at, k);
    }
    for (TzuVisualObject* k : list) {
        // A child's own layout may have hidden a sibling meanwhile.
        if (k->m_visible || designing) LayoutChild(k, align, r);
    }
}

void TzuVisualObject::LayoutChild(TzuVisualObject* k, TzuAlign a, TzuRect& r) {
    TzuRect pad = k->PaddingRect();
    float pL = pad.Left, pT = pad.Top, pR = pad.Right, pB = pad.Bottom;
    float ow = k->m_width + pL + pR;
    float oh = k->m_height + pT + pB;
    float w = r.Right - r.Left;
    if (w < 0 || KeepsOwnWidth(a)) w = ow;
    float h = r.Bottom - r.Top;
    if (h < 0 || KeepsOwnHeight(a)) h = oh;
    float x = r.Left, y = r.Top;
    if (a == vaVertical) x = k->m_position.X() - pL;
    if (a == vaHorizontal) y = k->m_position.Y() - pT;

    switch (a) {
        case vaTopRight:
            k->m_position.SetX(k->m_position.X() + m_width - m_lastWidth);
            return;
        case vaBottomLeft:
            k->m_position.SetY(k->m_position.Y() + m_height - m_lastHeight);
            return;
        case vaBottomRight:
            k->m_position.SetPoint(TzuPoint{k->m_position.X() + m_width - m_lastWidth,
                                            k->m_position.Y() + m_height - m_lastHeight});
            return;
        case vaTop: case vaMostTop: r.Top += h; break;
        case vaBottom: case vaMostBottom: r.Bottom -= h; y = r.Bottom; break;
        case vaLeft: case vaMostLeft: r.Left += w; break;
        case vaRight: case vaMostRight: r.Right -= w; x = r.Right; break;
        case vaContents:
            k->StorePosition(pL, pT);
            k->m_width = m_width - pL - pR;
            k->m_height = m_height - pT - pB;
            k->MatrixChanged();
            k->Realign();
            return;
        case vaCenter:
            x = r.Left + std::trunc((w - ow) / 2);
            y = r.Top + std::trunc((h - oh) / 2);
            w = ow;
            h = oh;
            break;
        case vaHorzCenter:
            x = r.Left + std::trunc((w - ow) / 2);
            w = ow;
            break;
        case vaVertCenter:
            y = r.Top + std::trunc((h - oh) / 2);
            h = oh;
            break;
        case vaScale:
            if (m_lastWidth > 0 && m_lastHeight > 0 && m_width > 0 && m_height > 0) {
                float sx = m_width / m_lastWidth, sy = m_height / m_lastHeight;
                k->StorePosition(k->m_position.X() * sx, k->m_position.Y() * sy);
                k->m_width *= sx;
                k->m_height *= sy;
                k->MatrixChanged();
                k->Realign();
            }
            return;
        case vaFit: case vaFitLeft: case vaFitRight: {
            TzuRect m = MarginsRect();
            TzuRect target{m.Left, m.Top, m_width - m.Right, m_height - m.Bottom};
            TzuRect o{k->m_position.X() - pL, k->m_position.Y() - pT, k->m_position.X() + k->m_width + pR,
                      k->m_position.Y() + k->m_height + pB};
            float t = RectFitInto(o, target);
            if (t < 1 && t > 0) {
                o = TzuRect{o.Left / t, o.Top / t, o.Right / t, o.Bottom / t};
                RectCenterIn(o, target);
            }
            if (a == vaFitLeft) RectOffset(o, target.Left - o.Left, 0);
            if (a == vaFitRight) RectOffset(o, target.Right - o.Right, 0);
            x = o.Left;
            y = o.Top;
            w = o.Right - o.Left;
            h = o.Bottom - o.Top;
            break;
        }
        default: break;
    }

    k->StorePosition(x + pL, y + pT);
    float nw = w - pL - pR, nh = h - pT - pB;
    if (nw != k->m_width || nh != k->m_height) {
        k->m_width = nw;
        k->m_height = nh;
        k->Realign();
    }
    k->MatrixChanged();

    float ow2 = k->m_width + pL + pR, oh2 = k->m_height + pT + pB;
    if (ow2 == w && oh2 == h) return;
    switch (a) {
        case vaTop: r.Top -= h - oh2; break;
        case vaBottom: r.Bottom += h - oh2; break;
        case vaLeft: r.Left -= w - ow2; break;
        case vaRight: r.Right += w - ow2; break;
        case vaClient: r.Right += w - ow2; r.Bottom += h - oh2; break;
        default: break;
    }
}

}  // namespace zu
