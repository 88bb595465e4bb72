#pragma once
// TzuTreeView shows a hierarchy of TzuTreeViewItem objects in a scroll box: top-level items
// are children of the scrolled content, sub-items children of their item. It stacks what
// expanded items reach, indented 19 per level, numbers it in that order, and keeps the
// selected items, the highlight (copies of its style's "selection" part) and type-ahead.
// A layout walks only the items that show, so a large collapsed tree costs what is in
// view. The items are children; the tree only points at the selected ones.

#include <cstdint>
#include <vector>

#include "platform/core/event.h"
#include "scene/zu_controls/scroll_box.h"
#include "scene/zu_lists/highlight_pool.h"
#include "scene/zu_lists/type_ahead.h"

namespace zu {

class TzuTreeViewItem;

// Compares two items of a sorted tree: result < 0 puts a first.
using TzuTreeCompareEvent = TzuEvent<TzuPersistent*, TzuTreeViewItem*, TzuTreeViewItem*, int&>;

class TzuTreeView : public TzuScrollBox {
    ZU_CLASS(TzuTreeView)
public:
    explicit TzuTreeView(TzuComponent* owner);
    ~TzuTreeView() override;

    // ---- Published ----
    float ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(float value);
    bool HideSelectionUnfocused() const { return m_hideSelectionUnfocused; }
    void SetHideSelectionUnfocused(bool value);
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool value);
    bool ShowCheckboxes() const { return m_showCheckboxes; }
    void SetShowCheckboxes(bool value);
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool value);
    bool CanFocused() const { return CanFocus(); }
    void SetCanFocused(bool value) { SetCanFocus(value); }
    TzuNotifyEvent& OnChange() { return m_onChange; }
    TzuNotifyEvent& OnChangeCheck() { return m_onChangeCheck; }
    TzuTreeCompareEvent& OnCompare() { return m_onCompare; }

    // ---- Items ----
    // Top-level items.
    int Count() const;
    TzuTreeViewItem* Item(int index) const;
    TzuTreeViewItem* Selected() const { return m_selected; }
    // Selects the item alone (in single selection), expanding its ancestors and scrolling
    // it into view; null clears the selection.
    void SetSelected(TzuTreeViewItem* item);
    // The items that show, in their visible numbers' order.
    int VisibleCount() const { return int(m_visible.size()); }
    TzuTreeViewItem* ItemByVisibleNumber(int number) const;
    // The selected items in visible order, then the hidden ones.
    std::vector<TzuTreeViewItem*> SelectedItems() const;
    TzuTreeViewItem* ItemAtPoint(float x, float y);
    // Frees every item and scrolls back to the top.
    void Clear();
    const std::vector<TzuRect>& HighlightRects() const { return m_highlightRects; }
    void ScrollToItem(TzuTreeViewItem* item);
    // Counts layout passes: an item's number holds only for the pass that gave it.
    uint64_t LayoutPass() const { return m_pass; }
    std::string ItemClass() const override { return "TzuTreeViewItem"; }

    void Realign() override;
    TzuRect ContentBounds() override;
    void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void EnterFocus() override;
    void KillFocus() override;
    void Loaded() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

    // ---- Called by items ----
    void ItemSelectionChanged(TzuTreeViewItem* item);
    void ItemCheckClicked(TzuTreeViewItem* item);
    void ForgetItem(TzuTreeViewItem* item);

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    void HValueChanged() override;
    void VValueChanged() override;

private:
    void Layout(float width);
    void PlaceItem(TzuTreeViewItem* item, int level, TzuPoint parentAt, float& y, float width);
    void SortTopLevel();
    void MarkSelected(TzuTreeViewItem* item, bool selected);
    void SelectVisibleRange(int from, int to);
    void MoveTo(int number, TzuShiftState shift);
    void RebuildHighlight();

    std::vector<TzuTreeViewItem*> m_visible;
    std::vector<TzuTreeViewItem*> m_selectedSet;
    std::vector<TzuRect> m_highlightRects;
    TzuHighlightPool m_pool{this};
    TzuTypeAhead m_typeAhead;
    TzuNotifyEvent m_onChange, m_onChangeCheck;
    TzuTreeCompareEvent m_onCompare;
    TzuTreeViewItem* m_selected = nullptr;
    TzuRect m_contentBounds{};
    uint64_t m_pass = 1;
    float m_itemHeight = 0;
    int m_anchor = -1;
    char16_t m_swallowChar = 0;
    bool m_hideSelectionUnfocused = true;
    bool m_multiSelect = false;
    bool m_showCheckboxes = false;
    bool m_sorted = false;
    bool m_sortDue = false;
    bool m_inLayout = false;
    bool m_selecting = false;
};

}  // namespace zu
