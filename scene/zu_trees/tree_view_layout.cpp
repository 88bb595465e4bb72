// Numbering and placing a tree view's items: only what expanded items reach is walked,
// in pre-order, each item indented 19 per level and stacked below the one before.

#include <algorithm>

#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_trees/tree_view.h"
#include "scene/zu_trees/tree_view_item.h"

namespace zu {

namespace {
constexpr float kIndent = 19;
}  // namespace

void TzuTreeView::Realign() {
    if (m_inLayout || IsDestroying() || UpdateCount() > 0) return;
    if (IsLoading()) {
        TzuScrollBox::Realign();
        return;
    }
    TzuObjectGuard guard(this);
    m_inLayout = true;
    TzuScrollBox::Realign();
    for (int pass = 0; pass < 3 && guard.Alive(); ++pass) {
        TzuVisualObject* vp = Viewport();
        const float w = vp ? vp->Width() : Width(), h = vp ? vp->Height() : Height();
        BeginUpdate();
        Layout(w);
        if (!guard.Alive()) return;
        EndUpdate();
        TzuScrollBox::Realign();
        if (!guard.Alive()) return;
        vp = Viewport();
        if (!vp || (vp->Width() == w && vp->Height() == h)) break;
    }
    m_inLayout = false;
    // A selected item that a collapse hid passes the selection to its nearest shown ancestor.
    if (m_selected && m_selected->VisibleNumber() < 0) {
        TzuTreeViewItem* p = m_selected->ParentItem();
        while (p && p->VisibleNumber() < 0) p = p->ParentItem();
        if (p) {
            SetSelected(p);
            return;
        }
    }
    RebuildHighlight();
}

TzuRect TzuTreeView::ContentBounds() {
    TzuVisualObject* vp = Viewport();
    if (!vp || !Content()) return TzuScrollBox::ContentBounds();
    return RectUnion(vp->LocalRect(), m_contentBounds);
}

void TzuTreeView::SortTopLevel() {
    auto less = [this](TzuObject* a, TzuObject* b) {
        auto* ia = As<TzuTreeViewItem>(a);
        auto* ib = As<TzuTreeViewItem>(b);
        if (!ia || !ib) return false;
        if (m_onCompare) {
            int result = 0;
            m_onCompare(this, ia, ib, result);
            return result < 0;
        }
        const std::u16string &ta = ia->Text(), &tb = ib->Text();
        return std::lexicographical_compare(
            ta.begin(), ta.end(), tb.begin(), tb.end(), [](char16_t x, char16_t y) {
                auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
                return fold(x) < fold(y);
            });
    };
    Content()->SortChildren(less);
}

void TzuTreeView::Layout(float width) {
    TzuScrollContent* content = Content();
    if (!content) return;
    if (m_sortDue && m_sorted) SortTopLevel();
    m_sortDue = false;
    ++m_pass;
    m_visible.clear();
    float y = 0;
    for (int i = 0; i < content->ChildrenCount(); ++i)
        if (auto* item = As<TzuTreeViewItem>(content->Children(i)); item && item->Visible())
            PlaceItem(item, 0, TzuPoint{0, 0}, y, width);
    m_contentBounds = TzuRect{0, 0, width, std::max(y, 1.0f)};
}

void TzuTreeView::PlaceItem(TzuTreeViewItem* item, int level, TzuPoint parentAt, float& y, float width) {
    const TzuRect pad = item->PaddingRect();
    const float h = m_itemHeight != 0 ? m_itemHeight : item->Height();
    const float x = kIndent * float(level) + pad.Left;
    const float top = y + pad.Top;
    // Sub-items are children of their item: placed relative to it.
    const TzuRect place{x - parentAt.X, top - parentAt.Y, 0, 0};
    const float w = std::max(0.0f, width - pad.Left - pad.Right - kIndent * float(level));
    // Unmoved items are left alone: a move repaints the item and all below it.
    if (item->Position()->X() != place.Left || item->Position()->Y() != place.Top || item->Width() != w ||
        item->Height() != h)
        item->SetBounds(place.Left, place.Top, w, h);
    item->m_pass = m_pass;
    item->m_number = int(m_visible.size());
    item->m_contentX = x;
    item->m_contentY = top;
    m_visible.push_back(item);
    y += h + pad.Top + pad.Bottom;
    if (!item->IsExpanded()) return;
    for (int i = 0; i < item->ChildrenCount(); ++i)
        if (auto* sub = As<TzuTreeViewItem>(item->Children(i)); sub && sub->Visible())
            PlaceItem(sub, level + 1, TzuPoint{x, top}, y, width);
}

void TzuTreeView::ScrollToItem(TzuTreeViewItem* item) {
    TzuVisualObject* vp = Viewport();
    TzuScrollBar* v = VScrollBar();
    if (!vp || !item || !v || !v->Visible() || item->VisibleNumber() < 0) return;
    const TzuRect pad = item->PaddingRect();
    const float top = item->m_contentY - pad.Top, bottom = item->m_contentY + item->Height() + pad.Bottom;
    float value = v->Value();
    if (top < value)
        value = top;
    else if (bottom > value + vp->Height())
        value = bottom - vp->Height();
    if (value != v->Value()) v->SetValue(value);
}

TzuTreeViewItem* TzuTreeView::ItemAtPoint(float x, float y) {
    TzuScrollContent* content = Content();
    if (!content) return nullptr;
    const TzuPoint p = content->AbsoluteToLocal(LocalToAbsolute({x, y}));
    const TzuRect clip = content->ClipRect();
    if (p.X < clip.Left || p.X >= clip.Right || p.Y < clip.Top || p.Y >= clip.Bottom) return nullptr;
    // Shown items stand in number order, top to bottom.
    auto it = std::partition_point(m_visible.begin(), m_visible.end(),
                                   [&](TzuTreeViewItem* i) { return i->m_contentY + i->Height() <= p.Y; });
    if (it == m_visible.end()) return nullptr;
    TzuTreeViewItem* item = *it;
    return p.Y >= item->m_contentY && p.X >= item->m_contentX && p.X < item->m_contentX + item->Width()
               ? item
               : nullptr;
}

}  // namespace zu
