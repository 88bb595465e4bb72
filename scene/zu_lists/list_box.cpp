#include "scene/zu_lists/list_box.h"

#include <algorithm>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "platform/core/variant.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_scene/tree/brush_object.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
const char* const kListStyleNames[] = {"zuListVertical", "zuListHorizontal"};
}  // namespace

const TzuEnumInfo kListStyleEnum{"TzuListStyle", kListStyleNames, 2};

const TzuClass& TzuListBox::StaticClass() {
    using P = ZuProps<TzuListBox>;
    using C = TzuListBox;
    static const TzuPropInfo props[] = {
        P::Int<&C::Columns, &C::SetColumns>("Columns").Default(1),
        P::Float<&C::ItemWidth, &C::SetItemWidth>("ItemWidth").Default(0),
        P::Float<&C::ItemHeight, &C::SetItemHeight>("ItemHeight").Default(0),
        P::Enum<&C::ListStyle, &C::SetListStyle>("ListStyle", kListStyleEnum).Default(zuListVertical),
        P::Bool<&C::MultiSelect, &C::SetMultiSelect>("MultiSelect").Default(0),
        P::Bool<&C::Sorted, &C::SetSorted>("Sorted").Default(0),
        P::Bool<&C::ShowCheckboxes, &C::SetShowCheckboxes>("ShowCheckboxes").Default(0),
        P::Bool<&C::AlternatingRowBackground, &C::SetAlternatingRowBackground>("AlternatingRowBackground")
            .Default(0),
        P::Bool<&C::HideSelectionUnfocused, &C::SetHideSelectionUnfocused>("HideSelectionUnfocused")
            .Default(1),
        P::Int<&C::ItemIndex, &C::SetItemIndex>("ItemIndex").Default(0),
        P::Bool<&C::CanFocused, &C::SetCanFocused>("CanFocused").Default(1),
        P::Event<&C::OnChange>("OnChange"),
        P::Event<&C::OnChangeCheck>("OnChangeCheck"),
        P::Event<&C::OnCompare>("OnCompare"),
    };
    static const TzuClass cls = ZuClass<TzuListBox, TzuScrollBox>("TzuListBox", props);
    return cls;
}

TzuListBox::TzuListBox(TzuComponent* owner) : TzuScrollBox(owner) {
    SetBounds(0, 0, 100, 100);
    SetCanFocus(true);
    if (Content()) Content()->SetStylesChildrenWhenShown(true);
}

TzuListBox::~TzuListBox() {
    for (TzuListBoxItem* item : m_selected) item->m_selectedIn = nullptr;
    m_selected.clear();
}

// ---- Properties ----

void TzuListBox::SetColumns(int value) {
    value = std::max(1, value);
    if (value == m_columns) return;
    m_columns = value;
    Realign();
}

void TzuListBox::SetItemWidth(float value) {
    if (value == m_itemWidth) return;
    m_itemWidth = value;
    Realign();
}

void TzuListBox::SetItemHeight(float value) {
    if (value == m_itemHeight) return;
    m_itemHeight = value;
    Realign();
}

void TzuListBox::SetListStyle(TzuListStyle value) {
    if (value == m_listStyle) return;
    m_listStyle = value;
    Realign();
}

void TzuListBox::SetMultiSelect(bool value) {
    if (value == m_multiSelect) return;
    m_multiSelect = value;
    if (!value) ClearSelection();
}

void TzuListBox::SetSorted(bool value) {
    if (value == m_sorted) return;
    m_sorted = value;
    m_sortDue = value;
    Realign();
}

void TzuListBox::SetShowCheckboxes(bool value) {
    if (value == m_showCheckboxes) return;
    m_showCheckboxes = value;
    // Rows not styled yet pick the setting up when they are.
    for (int i = 0; i < Count(); ++i) {
        TzuListBoxItem* item = ItemByIndex(i);
        if (item && item->StyleObject()) item->RestyleWhenShown();
    }
    Repaint();
}

void TzuListBox::SetAlternatingRowBackground(bool value) {
    if (value == m_alternating) return;
    m_alternating = value;
    Repaint();
}

void TzuListBox::SetHideSelectionUnfocused(bool value) {
    if (value == m_hideSelectionUnfocused) return;
    m_hideSelectionUnfocused = value;
    RebuildHighlight();
}

// ---- Items ----

int TzuListBox::Count() const { return Content() ? Content()->ChildrenCount() : 0; }

TzuListBoxItem* TzuListBox::ItemByIndex(int index) const {
    return Content() ? As<TzuListBoxItem>(Content()->Children(index)) : nullptr;
}

int TzuListBox::IndexOf(TzuListBoxItem* item) const {
    // The index of the last layout holds unless items moved since.
    if (item->m_index >= 0 && ItemByIndex(item->m_index) == item) return item->m_index;
    return item->Parent() == Content() ? item->Index() : -1;
}

std::vector<TzuListBoxItem*> TzuListBox::SelectedItems() const {
    std::vector<TzuListBoxItem*> items = m_selected;
    std::sort(items.begin(), items.end(),
              [](TzuListBoxItem* a, TzuListBoxItem* b) { return a->m_index < b->m_index; });
    return items;
}

void TzuListBox::MarkSelected(TzuListBoxItem* item, bool selected) {
    if (!item) return;
    if (selected && item->m_selectedIn != this) {
        if (item->m_selectedIn) item->m_selectedIn->ForgetSelected(item);
        item->m_selectedIn = this;
        m_selected.push_back(item);
    } else if (!selected && item->m_selectedIn == this) {
        ForgetSelected(item);
        item->m_selectedIn = nullptr;
    }
}

void TzuListBox::ForgetSelected(TzuListBoxItem* item) {
    auto it = std::find(m_selected.begin(), m_selected.end(), item);
    if (it == m_selected.end()) return;
    *it = m_selected.back();
    m_selected.pop_back();
}

void TzuListBox::ItemSelectionChanged(TzuListBoxItem* item) {
    if (item->ListBox() != this) return;
    MarkSelected(item, item->IsSelected());
    if (item->IsSelected() && !m_multiSelect && !m_inLayout) {
        // In single selection the newly selected item becomes the current one.
        const int index = IndexOf(item);
        if (index >= 0 && index != m_itemIndex) {
            SetItemIndex(index);
            return;
        }
    }
    RebuildHighlight();
}

void TzuListBox::ClearSelection() {
    TzuObjectGuard guard(this);
    const std::vector<TzuListBoxItem*> selected = m_selected;
    for (TzuListBoxItem* item : selected) {
        if (!guard.Alive()) return;
        item->SetIsSelected(false);
    }
    if (guard.Alive()) RebuildHighlight();
}

void TzuListBox::SelectRange(int from, int to) {
    if (from > to) std::swap(from, to);
    from = std::max(from, 0);
    to = std::min(to, Count() - 1);
    const bool multi = m_multiSelect;
    // Items select themselves one by one; a single-selection box must not chase each one.
    m_multiSelect = true;
    TzuObjectGuard guard(this);
    for (int i = from; i <= to && guard.Alive(); ++i)
        if (TzuListBoxItem* item = ItemByIndex(i)) item->SetIsSelected(true);
    if (!guard.Alive()) return;
    m_multiSelect = multi;
    RebuildHighlight();
}

void TzuListBox::SetItemIndex(int value) {
    if (value == m_itemIndex) return;
    TzuObjectGuard guard(this);
    if (!m_multiSelect)
        if (TzuListBoxItem* old = ItemByIndex(m_itemIndex)) old->SetIsSelected(false);
    if (!guard.Alive()) return;
    m_itemIndex = value;
    TzuListBoxItem* item = ItemByIndex(value);
    if (item && !IsLoading()) {
        ScrollToItem(item);
        const bool multi = m_multiSelect;
        m_multiSelect = true;  // the item must not call back into SetItemIndex
        item->SetIsSelected(true);
        if (!guard.Alive()) return;
        m_multiSelect = multi;
        PushBindingValue();
        if (!guard.Alive()) return;
        if (m_onChange) m_onChange(item);
        if (!guard.Alive()) return;
    }
    RebuildHighlight();
}

void TzuListBox::ItemCheckClicked(TzuListBoxItem* item) {
    TzuObjectGuard guard(this);
    if (CanFocus() && !IsFocused()) SetFocus();
    if (!guard.Alive()) return;
    SetItemIndex(IndexOf(item));
    if (guard.Alive() && m_onChangeCheck) m_onChangeCheck(item);
}

// ---- Highlight ----

TzuRect TzuListBox::ItemRectInBox(TzuListBoxItem* item) {
    TzuRect r = item->ParentedRect();
    if (TzuScrollContent* c = Content()) {
        const TzuPoint at = c->Position()->GetPoint();
        RectOffset(r, at.X, at.Y);
    }
    return r;
}

void TzuListBox::RebuildHighlight() {
    m_highlightRects.clear();
    if (IsLoading() || IsDestroying()) return;
    const bool show = IsFocused() || ShowsSelectionUnfocused();
    if (show) {
        const std::vector<TzuListBoxItem*> items = SelectedItems();
        int last = -2;
        for (TzuListBoxItem* item : items) {
            if (!item->Visible()) continue;
            AddHighlightRun(m_highlightRects, last, item->m_index, ItemRectInBox(item));
        }
    }
    if (!m_pool.Bound()) return;
    // Only what the viewport shows is highlighted: the pool lives in the style, unclipped.
    m_pool.Show(this, m_highlightRects, ViewportRectIn(this, Viewport()));
}

// ---- Style ----

void TzuListBox::ApplyStyle() {
    m_pool.Bind(As<TzuVisualObject>(FindResource("selection")));
    if (auto* brush = As<TzuBrushObject>(FindResource("AlternatingRowBackground")))
        m_alternatingBrush.Assign(*brush->Brush());
    TzuScrollBox::ApplyStyle();
}

void TzuListBox::FreeStyle() {
    // The copies are children of the style: they go with it.
    m_pool.Release();
    m_highlightRects.clear();
    TzuScrollBox::FreeStyle();
}

void TzuListBox::Notification(TzuComponent* component, TzuOperation operation) {
    TzuScrollBox::Notification(component, operation);
    if (operation != TzuOperation::opRemove) return;
    m_pool.Forget(component);
}

void TzuListBox::HValueChanged() {
    TzuScrollBox::HValueChanged();
    if (!m_inLayout) RebuildHighlight();
}

void TzuListBox::VValueChanged() {
    TzuScrollBox::VValueChanged();
    if (!m_inLayout) RebuildHighlight();
}

void TzuListBox::EnterFocus() {
    TzuScrollBox::EnterFocus();
    RebuildHighlight();
}

void TzuListBox::KillFocus() {
    TzuScrollBox::KillFocus();
    RebuildHighlight();
}

void TzuListBox::Loaded() {
    TzuScrollBox::Loaded();
    // Items read as selected join the selection now that they know their list.
    for (int i = 0; i < Count(); ++i) {
        TzuListBoxItem* item = ItemByIndex(i);
        if (item && item->IsSelected()) MarkSelected(item, true);
    }
    if (!m_multiSelect)
        if (TzuListBoxItem* item = ItemByIndex(m_itemIndex)) {
            const bool multi = m_multiSelect;
            m_multiSelect = true;
            item->SetIsSelected(true);
            m_multiSelect = multi;
        }
    RebuildHighlight();
}

// ---- Data ----

TzuVariant TzuListBox::GetData() { return int64_t(m_itemIndex); }

void TzuListBox::SetData(const TzuVariant& value) {
    if (const auto* text = std::get_if<std::string>(&value); text && text->starts_with("zumet")) {
        DataTextToMethod(*text, m_onChange);
        return;
    }
    SetItemIndex(int(std::clamp<int64_t>(VariantToInt(value), -1, std::max(Count() - 1, -1))));
}

// ---- Kinds ----

const TzuClass& TzuHorzListBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHorzListBox, TzuListBox>("TzuHorzListBox");
    return cls;
}

TzuHorzListBox::TzuHorzListBox(TzuComponent* owner) : TzuListBox(owner) { SetListStyle(zuListHorizontal); }

const TzuClass& TzuHudListBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudListBox, TzuListBox>("TzuHudListBox");
    return cls;
}

const TzuClass& TzuHudHorzListBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudHorzListBox, TzuHorzListBox>("TzuHudHorzListBox");
    return cls;
}

TzuHudHorzListBox::TzuHudHorzListBox(TzuComponent* owner) : TzuHorzListBox(owner) {
    SetResourceWhenShown("hudlistboxstyle");
}

}  // namespace zu
