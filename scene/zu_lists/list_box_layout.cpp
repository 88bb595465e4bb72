// Placing a list box's items in rows and columns, finding them again by position, and
// the alternating row shading. Rows are laid out in index order, so positions only grow
// with the index: lookups by point halve the items instead of reading each.

#include <algorithm>
#include <cmath>

#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_lists/list_box.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

void TzuListBox::Realign() {
    if (m_inLayout || IsDestroying() || UpdateCount() > 0) return;
    if (IsLoading()) {
        TzuScrollBox::Realign();
        return;
    }
    TzuObjectGuard guard(this);
    m_inLayout = true;
    TzuScrollBox::Realign();
    // Bars that come or go change the viewport and so the layout: at most twice more.
    for (int pass = 0; pass < 3 && guard.Alive(); ++pass) {
        TzuVisualObject* vp = Viewport();
        const float w = vp ? vp->Width() : Width(), h = vp ? vp->Height() : Height();
        LayoutItems();
        if (!guard.Alive()) return;
        TzuScrollBox::Realign();
        if (!guard.Alive()) return;
        vp = Viewport();
        if (!vp || (vp->Width() == w && vp->Height() == h)) break;
    }
    m_inLayout = false;
    RebuildHighlight();
}

TzuRect TzuListBox::ContentBounds() {
    TzuVisualObject* vp = Viewport();
    if (!vp || !Content()) return TzuScrollBox::ContentBounds();
    return RectUnion(vp->LocalRect(), m_contentBounds);
}

void TzuListBox::LayoutItems() {
    TzuScrollContent* content = Content();
    if (!content || IsLoading()) return;
    TzuObjectGuard guard(this);
    const bool wasInLayout = m_inLayout;
    m_inLayout = true;
    // Item moves would each realign the content: held until all are placed.
    BeginUpdate();
    if (m_sortDue && m_sorted) SortItems();
    m_sortDue = false;
    TzuVisualObject* vp = Viewport();
    if (m_listStyle == zuListHorizontal)
        LayoutHorizontal(vp ? vp->Height() : Height());
    else
        LayoutVertical(vp ? vp->Width() : Width());
    if (!guard.Alive()) return;
    EndUpdate();
    m_inLayout = wasInLayout;
    if (m_listStyle == zuListHorizontal && m_itemIndex >= Count() && Count() > 0) m_itemIndex = Count() - 1;
    // In single selection the current item shows as selected.
    if (!m_multiSelect)
        if (TzuListBoxItem* item = ItemByIndex(m_itemIndex); item && !item->IsSelected()) {
            m_multiSelect = true;
            item->SetIsSelected(true);
            if (!guard.Alive()) return;
            m_multiSelect = false;
        }
}

void TzuListBox::SortItems() {
    TzuScrollContent* content = Content();
    if (!content) return;
    auto text = [](TzuObject* o) {
        auto* item = As<TzuListBoxItem>(o);
        return item ? item->Text() : std::u16string();
    };
    TzuListBoxItem* current = ItemByIndex(m_itemIndex);
    content->SortChildren([&](TzuObject* a, TzuObject* b) {
        auto* ia = As<TzuListBoxItem>(a);
        auto* ib = As<TzuListBoxItem>(b);
        if (m_onCompare && ia && ib) {
            int result = 0;
            m_onCompare(this, ia, ib, result);
            return result < 0;
        }
        const std::u16string ta = text(a), tb = text(b);
        return std::lexicographical_compare(
            ta.begin(), ta.end(), tb.begin(), tb.end(), [](char16_t x, char16_t y) {
                auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
                return fold(x) < fold(y);
            });
    });
    // The current item keeps being current where it went.
    if (current && !m_multiSelect) m_itemIndex = current->Index();
}

namespace {

// The size an object asks for: an item's own, not the one a layout gave it.
float OwnHeight(TzuVisualObject* v) {
    auto* item = As<TzuListBoxItem>(v);
    return item ? item->OwnHeight() : v->Height();
}
float OwnWidth(TzuVisualObject* v) {
    auto* item = As<TzuListBoxItem>(v);
    return item ? item->OwnWidth() : v->Width();
}

}  // namespace

void TzuListBox::Place(TzuVisualObject* v, float x, float y, float w, float h) {
    auto* item = As<TzuListBoxItem>(v);
    if (item) {
        item->m_ownWidth = item->OwnWidth();
        item->m_ownHeight = item->OwnHeight();
    }
    // Unmoved items are left alone: a move repaints the item and all below it.
    if (v->Position()->X() != x || v->Position()->Y() != y || v->Width() != w || v->Height() != h)
        v->SetBounds(x, y, w, h);
    if (item) {
        item->m_givenWidth = item->Width();
        item->m_givenHeight = item->Height();
    }
}

void TzuListBox::LayoutVertical(float w) {
    TzuScrollContent* content = Content();
    const int n = content->ChildrenCount();
    if (m_itemWidth != 0) m_columns = std::max(1, int(std::trunc(w / m_itemWidth)));
    const int cols = std::max(1, m_columns);
    const float colW = m_itemWidth != 0 ? m_itemWidth : w / float(cols);
    float y = 0;
    for (int start = 0; start < n; start += cols) {
        const int end = std::min(n, start + cols);
        float rowH = 0;
        for (int i = start; i < end; ++i) {
            auto* v = As<TzuVisualObject>(content->Children(i));
            if (!v || !v->Visible()) continue;
            const TzuRect pad = v->PaddingRect();
            const float h = m_itemHeight != 0 ? m_itemHeight : OwnHeight(v);
            rowH = std::max(rowH, h + pad.Top + pad.Bottom);
        }
        for (int i = start; i < end; ++i) {
            auto* v = As<TzuVisualObject>(content->Children(i));
            if (!v) continue;
            if (auto* item = As<TzuListBoxItem>(v)) item->m_index = i;
            const TzuRect pad = v->PaddingRect();
            const float x = colW * float(i - start) + pad.Left;
            // Hidden items keep their place in the order, with no height.
            if (!v->Visible())
                Place(v, x, y, colW, 0);
            else
                Place(v, x, y + pad.Top, colW, std::max(0.0f, rowH - pad.Top - pad.Bottom));
        }
        y += rowH;
    }
    const float width = m_itemWidth != 0 ? m_itemWidth * float(cols) : w;
    m_contentBounds = TzuRect{0, 0, width, y};
}

void TzuListBox::LayoutHorizontal(float h) {
    TzuScrollContent* content = Content();
    const int n = content->ChildrenCount();
    const int rows =
        m_itemHeight != 0 ? std::max(1, int(std::trunc(h / m_itemHeight))) : std::max(1, m_columns);
    float x = 0;
    for (int start = 0; start < n; start += rows) {
        const int end = std::min(n, start + rows);
        float colW = 0, rowH = 0;
        for (int i = start; i < end; ++i) {
            auto* v = As<TzuVisualObject>(content->Children(i));
            if (!v || !v->Visible()) continue;
            const TzuRect pad = v->PaddingRect();
            colW = std::max(colW, (m_itemWidth != 0 ? m_itemWidth : OwnWidth(v)) + pad.Left + pad.Right);
            rowH = std::max(rowH, (m_itemHeight != 0 ? m_itemHeight : OwnHeight(v)) + pad.Top + pad.Bottom);
        }
        for (int i = start; i < end; ++i) {
            auto* v = As<TzuVisualObject>(content->Children(i));
            if (!v) continue;
            if (auto* item = As<TzuListBoxItem>(v)) item->m_index = i;
            const TzuRect pad = v->PaddingRect();
            const float y = rowH * float(i - start) + pad.Top;
            if (!v->Visible())
                Place(v, x, y, 0, rowH);
            else
                Place(v, x + pad.Left, y, std::max(0.0f, colW - pad.Left - pad.Right),
                      std::max(0.0f, rowH - pad.Top - pad.Bottom));
        }
        x += colW;
    }
    m_contentBounds = TzuRect{0, 0, x, h};
}

void TzuListBox::ScrollToItem(TzuListBoxItem* item) {
    TzuVisualObject* vp = Viewport();
    if (!vp || !item) return;
    TzuRect r = item->ParentedRect();
    const TzuRect pad = item->PaddingRect();
    r = TzuRect{r.Left - pad.Left, r.Top - pad.Top, r.Right + pad.Right, r.Bottom + pad.Bottom};
    if (TzuScrollBar* v = VScrollBar(); v && v->Visible()) {
        float value = v->Value();
        if (r.Top < value)
            value = r.Top;
        else if (r.Bottom > value + vp->Height())
            value = r.Bottom - vp->Height();
        if (value != v->Value()) v->SetValue(value);
    }
    if (TzuScrollBar* hb = HScrollBar(); hb && hb->Visible()) {
        float value = hb->Value();
        if (r.Left < value)
            value = r.Left;
        else if (r.Right > value + vp->Width())
            value = r.Right - vp->Width();
        if (value != hb->Value()) hb->SetValue(value);
    }
}

int TzuListBox::FirstItemReaching(float at) const {
    // Items are placed in index order, so their far edges only grow along the list's axis.
    TzuScrollContent* content = Content();
    const bool horizontal = m_listStyle == zuListHorizontal;
    int lo = 0, hi = content ? content->ChildrenCount() : 0;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        auto* v = As<TzuVisualObject>(content->Children(mid));
        const TzuRect r = v ? v->ParentedRect() : TzuRect{};
        if ((horizontal ? r.Right : r.Bottom) < at)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

TzuListBoxItem* TzuListBox::ItemAtPoint(float x, float y) {
    TzuScrollContent* content = Content();
    if (!content) return nullptr;
    const TzuPoint p = content->AbsoluteToLocal(LocalToAbsolute({x, y}));
    const TzuRect clip = content->ClipRect();
    if (p.X < clip.Left || p.X >= clip.Right || p.Y < clip.Top || p.Y >= clip.Bottom) return nullptr;
    const bool horizontal = m_listStyle == zuListHorizontal;
    const int n = content->ChildrenCount();
    for (int i = FirstItemReaching(horizontal ? p.X : p.Y); i < n; ++i) {
        auto* item = As<TzuListBoxItem>(content->Children(i));
        if (!item) continue;
        const TzuRect r = item->ParentedRect();
        if ((horizontal ? r.Left : r.Top) > (horizontal ? p.X : p.Y)) break;
        if (item->Visible() && p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) return item;
    }
    return nullptr;
}

int TzuListBox::PageItems() {
    TzuVisualObject* vp = Viewport();
    TzuListBoxItem* item = ItemByIndex(std::max(0, m_itemIndex));
    if (!vp || !item) return std::max(1, m_columns);
    const TzuRect pad = item->PaddingRect();
    if (m_listStyle == zuListHorizontal) {
        const float w = item->Width() + pad.Left + pad.Right;
        const int per = w > 0 ? std::max(1, int(vp->Width() / w)) : 1;
        const int rows =
            m_itemHeight != 0 ? std::max(1, int(vp->Height() / m_itemHeight)) : std::max(1, m_columns);
        return per * rows;
    }
    const float h = item->Height() + pad.Top + pad.Bottom;
    const int rows = h > 0 ? std::max(1, int(vp->Height() / h)) : 1;
    return rows * std::max(1, m_columns);
}

void TzuListBox::PaintContent(TzuCanvas* canvas, const TzuRect& r) {
    if (!m_alternating || !StyleObject() || !canvas) return;
    TzuScrollContent* content = Content();
    const bool horizontal = m_listStyle == zuListHorizontal;
    const float opacity = AbsoluteOpacity();
    canvas->Fill()->Assign(m_alternatingBrush);
    const int n = content->ChildrenCount();
    for (int i = FirstItemReaching(horizontal ? r.Left : r.Top); i < n; ++i) {
        auto* item = As<TzuListBoxItem>(content->Children(i));
        if (!item) continue;
        const TzuRect ir = item->ParentedRect();
        if ((horizontal ? ir.Left : ir.Top) > (horizontal ? r.Right : r.Bottom)) break;
        if (i % 2 == 1 && item->Visible()) canvas->FillRect(ir, 0, 0, 0, opacity, zuCornerRound);
    }
}

}  // namespace zu

namespace zu {

void TzuListBox::PaintItemInto(TzuListBoxItem* item, TzuCanvas* canvas, TzuVisualObject& target) {
    if (!item || !canvas || item->ListBox() != this) return;
    IzuScene* scene = target.Scene();
    const bool wasUpdating = scene && scene->IsUpdating();
    // Nothing of the round trip may be seen: no repaint, no layout of the list.
    if (scene) scene->SetUpdating(true);
    BeginUpdate();
    const bool wasInLayout = m_inLayout;
    m_inLayout = true;
    const TzuRect old = item->ParentedRect();
    TzuObjectGuard guard(item);
    // Styled where it lives: during the paint it hangs under the target for a moment.
    item->ApplyStyleLookup();
    if (!guard.Alive()) return;
    Place(item, old.Left, old.Top, target.Width(), target.Height());
    item->PaintTo(canvas, TzuRect{0, 0, target.Width(), target.Height()}, &target);
    if (guard.Alive()) Place(item, old.Left, old.Top, RectWidth(old), RectHeight(old));
    m_inLayout = wasInLayout;
    EndUpdateUnchanged();
    if (scene) scene->SetUpdating(wasUpdating);
}

}  // namespace zu
