#include "scene/zu_trees/tree_view.h"

#include <algorithm>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_trees/tree_view_item.h"

namespace zu {

const TzuClass& TzuTreeView::StaticClass() {
    using P = ZuProps<TzuTreeView>;
    using C = TzuTreeView;
    static const TzuPropInfo props[] = {
        P::Float<&C::ItemHeight, &C::SetItemHeight>("ItemHeight").Default(0),
        P::Bool<&C::HideSelectionUnfocused, &C::SetHideSelectionUnfocused>("HideSelectionUnfocused")
            .Default(1),
        P::Bool<&C::MultiSelect, &C::SetMultiSelect>("MultiSelect").Default(0),
        P::Bool<&C::ShowCheckboxes, &C::SetShowCheckboxes>("ShowCheckboxes").Default(0),
        P::Bool<&C::Sorted, &C::SetSorted>("Sorted").Default(0),
        P::Bool<&C::CanFocused, &C::SetCanFocused>("CanFocused").Default(1),
        P::Event<&C::OnChange>("OnChange"),
        P::Event<&C::OnChangeCheck>("OnChangeCheck"),
        P::Event<&C::OnCompare>("OnCompare"),
    };
    static const TzuClass cls = ZuClass<TzuTreeView, TzuScrollBox>("TzuTreeView", props);
    return cls;
}

TzuTreeView::TzuTreeView(TzuComponent* owner) : TzuScrollBox(owner) {
    SetBounds(0, 0, 100, 100);
    SetCanFocus(true);
    if (Content()) Content()->SetStylesChildrenWhenShown(true);
}

TzuTreeView::~TzuTreeView() {
    for (TzuTreeViewItem* item : m_selectedSet) item->m_selectedIn = nullptr;
    m_selectedSet.clear();
    m_selected = nullptr;
}

// ---- Properties ----

void TzuTreeView::SetItemHeight(float value) {
    if (value == m_itemHeight) return;
    m_itemHeight = value;
    Realign();
}

void TzuTreeView::SetHideSelectionUnfocused(bool value) {
    if (value == m_hideSelectionUnfocused) return;
    m_hideSelectionUnfocused = value;
    RebuildHighlight();
}

void TzuTreeView::SetMultiSelect(bool value) {
    if (value == m_multiSelect) return;
    m_multiSelect = value;
    if (value) return;
    // Back to single selection: only the current item stays selected.
    TzuObjectGuard guard(this);
    const std::vector<TzuTreeViewItem*> selected = m_selectedSet;
    m_selecting = true;
    for (TzuTreeViewItem* item : selected)
        if (item != m_selected && guard.Alive()) item->SetIsSelected(false);
    if (guard.Alive()) m_selecting = false;
    if (guard.Alive()) RebuildHighlight();
}

void TzuTreeView::SetShowCheckboxes(bool value) {
    if (value == m_showCheckboxes) return;
    m_showCheckboxes = value;
    // Items show it when next styled; the ones in view now are asked again.
    for (TzuTreeViewItem* item : m_visible)
        if (item->StyleObject()) item->RestyleWhenShown();
    Repaint();
}

void TzuTreeView::SetSorted(bool value) {
    if (value == m_sorted) return;
    m_sorted = value;
    m_sortDue = value;
    Realign();
}

// ---- Items ----

int TzuTreeView::Count() const {
    int n = 0;
    if (TzuScrollContent* c = Content())
        for (int i = 0; i < c->ChildrenCount(); ++i) n += As<TzuTreeViewItem>(c->Children(i)) != nullptr;
    return n;
}

TzuTreeViewItem* TzuTreeView::Item(int index) const {
    if (TzuScrollContent* c = Content())
        for (int i = 0; i < c->ChildrenCount(); ++i)
            if (auto* item = As<TzuTreeViewItem>(c->Children(i)); item && index-- == 0) return item;
    return nullptr;
}

TzuTreeViewItem* TzuTreeView::ItemByVisibleNumber(int number) const {
    return number >= 0 && number < VisibleCount() ? m_visible[size_t(number)] : nullptr;
}

std::vector<TzuTreeViewItem*> TzuTreeView::SelectedItems() const {
    std::vector<TzuTreeViewItem*> items = m_selectedSet;
    auto key = [](TzuTreeViewItem* i) {
        const int n = i->VisibleNumber();
        return n < 0 ? INT32_MAX : n;
    };
    std::stable_sort(items.begin(), items.end(),
                     [&](TzuTreeViewItem* a, TzuTreeViewItem* b) { return key(a) < key(b); });
    return items;
}

void TzuTreeView::MarkSelected(TzuTreeViewItem* item, bool selected) {
    if (selected && item->m_selectedIn != this) {
        if (item->m_selectedIn) item->m_selectedIn->ForgetItem(item);
        item->m_selectedIn = this;
        m_selectedSet.push_back(item);
    } else if (!selected && item->m_selectedIn == this) {
        ForgetItem(item);
    }
}

void TzuTreeView::ForgetItem(TzuTreeViewItem* item) {
    if (item == m_selected) m_selected = nullptr;
    auto it = std::find(m_selectedSet.begin(), m_selectedSet.end(), item);
    if (it != m_selectedSet.end()) {
        *it = m_selectedSet.back();
        m_selectedSet.pop_back();
    }
    item->m_selectedIn = nullptr;
}

void TzuTreeView::ItemSelectionChanged(TzuTreeViewItem* item) {
    if (item->TreeView() != this) return;
    MarkSelected(item, item->IsSelected());
    if (!item->IsSelected() && item == m_selected) m_selected = nullptr;
    // Selected from outside (the item's own property): it becomes the current item.
    if (item->IsSelected() && !m_selecting && item != m_selected) {
        SetSelected(item);
        return;
    }
    RebuildHighlight();
}

void TzuTreeView::SetSelected(TzuTreeViewItem* item) {
    if (item == m_selected && (!item || item->IsSelected())) return;
    if (item && item->TreeView() != this) return;
    TzuObjectGuard guard(this);
    m_selecting = true;
    if (!m_multiSelect)
        if (TzuTreeViewItem* old = m_selected; old && old != item) old->SetIsSelected(false);
    if (!guard.Alive()) return;
    m_selected = item;
    if (item) {
        // A hidden item is shown: every ancestor opens.
        bool opened = false;
        for (TzuTreeViewItem* p = item->ParentItem(); p; p = p->ParentItem()) {
            if (!p->IsExpanded()) {
                p->m_isExpanded = true;
                for (int i = 0; i < p->ChildrenCount(); ++i)
                    if (auto* sub = As<TzuTreeViewItem>(p->Children(i))) sub->SetVisible(true);
                p->UpdateButton();
                opened = true;
            }
        }
        if (opened) Realign();
        if (!guard.Alive()) return;
        item->SetIsSelected(true);
        if (!guard.Alive()) return;
        MarkSelected(item, true);
        ScrollToItem(item);
    }
    m_selecting = false;
    if (!guard.Alive()) return;
    if (m_onChange && !IsLoading()) m_onChange(this);
    if (guard.Alive()) RebuildHighlight();
}

void TzuTreeView::ItemCheckClicked(TzuTreeViewItem* item) {
    TzuObjectGuard guard(this);
    if (CanFocus() && !IsFocused()) SetFocus();
    if (!guard.Alive()) return;
    SetSelected(item);
    if (guard.Alive() && m_onChangeCheck) m_onChangeCheck(item);
}

void TzuTreeView::Clear() {
    TzuScrollContent* content = Content();
    if (!content) return;
    TzuObjectGuard guard(this);
    BeginUpdate();
    for (int i = content->ChildrenCount() - 1; i >= 0 && guard.Alive(); --i)
        if (As<TzuTreeViewItem>(content->Children(i))) delete content->Children(i);
    if (!guard.Alive()) return;
    m_selected = nullptr;
    m_visible.clear();
    EndUpdate();
    if (!guard.Alive()) return;
    ScrollTo(0, 0);
}

// ---- Highlight and style ----

void TzuTreeView::RebuildHighlight() {
    m_highlightRects.clear();
    if (IsLoading() || IsDestroying()) return;
    if (IsFocused() || !m_hideSelectionUnfocused) {
        const TzuPoint at = Content() ? Content()->Position()->GetPoint() : TzuPoint{};
        int last = -2;
        for (TzuTreeViewItem* item : SelectedItems()) {
            const int n = item->VisibleNumber();
            if (n < 0) break;
            const TzuRect r{at.X + item->m_contentX, at.Y + item->m_contentY,
                            at.X + item->m_contentX + item->Width(),
                            at.Y + item->m_contentY + item->Height()};
            AddHighlightRun(m_highlightRects, last, n, r);
        }
    }
    if (m_pool.Bound()) m_pool.Show(this, m_highlightRects, ViewportRectIn(this, Viewport()));
}

void TzuTreeView::ApplyStyle() {
    m_pool.Bind(As<TzuVisualObject>(FindResource("selection")));
    TzuScrollBox::ApplyStyle();
}

void TzuTreeView::FreeStyle() {
    m_pool.Release();
    m_highlightRects.clear();
    TzuScrollBox::FreeStyle();
}

void TzuTreeView::Notification(TzuComponent* component, TzuOperation operation) {
    TzuScrollBox::Notification(component, operation);
    if (operation == TzuOperation::opRemove) m_pool.Forget(component);
}

void TzuTreeView::HValueChanged() {
    TzuScrollBox::HValueChanged();
    if (!m_inLayout) RebuildHighlight();
}

void TzuTreeView::VValueChanged() {
    TzuScrollBox::VValueChanged();
    if (!m_inLayout) RebuildHighlight();
}

void TzuTreeView::EnterFocus() {
    TzuScrollBox::EnterFocus();
    RebuildHighlight();
}

void TzuTreeView::KillFocus() {
    TzuScrollBox::KillFocus();
    RebuildHighlight();
}

void TzuTreeView::Loaded() {
    TzuScrollBox::Loaded();
    // Items read as selected join the selection now that they know their tree.
    std::vector<TzuObject*> all;
    if (Content()) Content()->CollectObjects(all);
    for (TzuObject* o : all)
        if (auto* item = As<TzuTreeViewItem>(o); item && item->IsSelected()) {
            MarkSelected(item, true);
            if (!m_selected) m_selected = item;
        }
    RebuildHighlight();
}

}  // namespace zu
