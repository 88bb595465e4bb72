#pragma once
// TzuListBox shows TzuListBoxItem children in columns (or, horizontally, in rows) inside a
// scroll box, with single or multiple selection, check boxes, sorting, alternating row
// shading and type-ahead. The items live in the scrolled content in index order; the box
// places them, keeps the set of selected items (so a change of one selection costs the
// same at any item count) and a pool of copies of its style's "selection" part that
// highlight the selected rows. Item styles are applied as rows first show, so a long list
// costs what is visible. The box owns its selection pool and brush; items are children.
// TzuHorzListBox starts horizontal; the HUD kinds differ by style.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/event.h"
#include "scene/zu_controls/scroll_box.h"
#include "scene/zu_lists/highlight_pool.h"
#include "scene/zu_lists/type_ahead.h"
#include "scene/zu_scene/graphics/brush.h"

namespace zu {

class TzuListBoxItem;

enum TzuListStyle : int { zuListVertical, zuListHorizontal };
extern const TzuEnumInfo kListStyleEnum;

// Compares two items for a sorted list: result < 0 puts a first.
using TzuListCompareEvent = TzuEvent<TzuPersistent*, TzuListBoxItem*, TzuListBoxItem*, int&>;

class TzuListBox : public TzuScrollBox {
    ZU_CLASS(TzuListBox)
public:
    explicit TzuListBox(TzuComponent* owner);
    ~TzuListBox() override;

    // ---- Published ----
    int Columns() const { return m_columns; }
    void SetColumns(int value);
    float ItemWidth() const { return m_itemWidth; }
    void SetItemWidth(float value);
    float ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(float value);
    TzuListStyle ListStyle() const { return m_listStyle; }
    void SetListStyle(TzuListStyle value);
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool value);
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool value);
    bool ShowCheckboxes() const { return m_showCheckboxes; }
    void SetShowCheckboxes(bool value);
    bool AlternatingRowBackground() const { return m_alternating; }
    void SetAlternatingRowBackground(bool value);
    bool HideSelectionUnfocused() const { return m_hideSelectionUnfocused; }
    void SetHideSelectionUnfocused(bool value);
    int ItemIndex() const { return m_itemIndex; }
    virtual void SetItemIndex(int value);
    bool CanFocused() const { return CanFocus(); }
    void SetCanFocused(bool value) { SetCanFocus(value); }
    TzuNotifyEvent& OnChange() { return m_onChange; }
    TzuNotifyEvent& OnChangeCheck() { return m_onChangeCheck; }
    TzuListCompareEvent& OnCompare() { return m_onCompare; }

    // ---- Items ----
    int Count() const;
    TzuListBoxItem* ItemByIndex(int index) const;
    // The item's index among the items, -1 when it is not one of them.
    int IndexOf(TzuListBoxItem* item) const;
    TzuListBoxItem* Selected() const { return ItemByIndex(m_itemIndex); }
    // The item under a point in the box's coordinates, or null.
    TzuListBoxItem* ItemAtPoint(float x, float y);
    void ClearSelection();
    // Selects the items between both indices (either order), inclusive.
    void SelectRange(int from, int to);
    // The selected items, in index order.
    std::vector<TzuListBoxItem*> SelectedItems() const;
    // The highlight rectangles shown now, in the box's coordinates (one per run of
    // consecutive selected items).
    const std::vector<TzuRect>& HighlightRects() const { return m_highlightRects; }
    // Scrolls just enough to show the whole item with its padding.
    void ScrollToItem(TzuListBoxItem* item);
    // Type-ahead for a control that keys the list from outside (a closed combo box).
    int TypeAheadFrom(char16_t c) { return TypeAhead(c); }
    // Whether a type-ahead prefix is being typed (a space then belongs to it).
    bool TypingAhead() const;
    // Whether a typed character goes to type-ahead.
    bool TakesTypeAhead(char16_t c, TzuShiftState shift) const {
        return c >= u' ' && (c != u' ' || TypingAhead()) && !(shift & (ssCtrl | ssAlt));
    }
    // Paints an item into another object (a combo box's content part) at that object's
    // size, as if it were there, and puts it back unseen.
    void PaintItemInto(TzuListBoxItem* item, TzuCanvas* canvas, TzuVisualObject& target);
    // Lays the items out now (the box does it on every realign).
    void LayoutItems();
    std::string ItemClass() const override { return "TzuListBoxItem"; }

    void Realign() override;
    TzuRect ContentBounds() override;
    void PaintContent(TzuCanvas* canvas, const TzuRect& r) override;
    void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void EnterFocus() override;
    void KillFocus() override;
    void Loaded() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;
    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;

    // ---- Called by items ----
    void ItemSelectionChanged(TzuListBoxItem* item);
    void ItemCheckClicked(TzuListBoxItem* item);
    void ForgetSelected(TzuListBoxItem* item);

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    void HValueChanged() override;
    void VValueChanged() override;
    // Whether the highlight shows while the box is not focused.
    virtual bool ShowsSelectionUnfocused() const { return !m_hideSelectionUnfocused; }
    // Moves the current item by a key; shift extends a multiple selection.
    void MoveTo(int index, TzuShiftState shift);
    // Type-ahead: the next item after the current one whose text starts with what was
    // typed within the last second; -1 when none.
    int TypeAhead(char16_t c);
    // Rows (vertical lists) or columns (horizontal) that fit the viewport.
    int PageItems();
    void RebuildHighlight();

private:
    void SortItems();
    // The first item whose far edge along the list's axis reaches a content coordinate.
    int FirstItemReaching(float at) const;
    void LayoutVertical(float w);
    void LayoutHorizontal(float h);
    // Sets an item's bounds as the layout's, not as its own size.
    static void Place(TzuVisualObject* v, float x, float y, float w, float h);
    void MarkSelected(TzuListBoxItem* item, bool selected);
    TzuRect ItemRectInBox(TzuListBoxItem* item);

    std::vector<TzuListBoxItem*> m_selected;  // unordered; few in the common case
    TzuHighlightPool m_pool{this};            // copies of the "selection" part
    std::vector<TzuRect> m_highlightRects;
    TzuBrush m_alternatingBrush{zuBrushSolid, 0x20000000};
    TzuNotifyEvent m_onChange, m_onChangeCheck;
    TzuListCompareEvent m_onCompare;
    TzuRect m_contentBounds{};
    TzuTypeAhead m_typeAhead;
    float m_trackScroll = 0;
    float m_itemWidth = 0;
    float m_itemHeight = 0;
    int m_columns = 1;
    int m_itemIndex = 0;
    int m_anchor = -1;
    TzuListStyle m_listStyle = zuListVertical;
    bool m_multiSelect = false;
    bool m_sorted = false;
    bool m_sortDue = false;
    bool m_showCheckboxes = false;
    bool m_alternating = false;
    bool m_hideSelectionUnfocused = true;
    bool m_inLayout = false;
    bool m_dragging = false;
    bool m_trackPress = false;
};

class TzuHorzListBox : public TzuListBox {
    ZU_CLASS(TzuHorzListBox)
public:
    explicit TzuHorzListBox(TzuComponent* owner);
};

class TzuHudListBox : public TzuListBox {
    ZU_CLASS(TzuHudListBox)
public:
    using TzuListBox::TzuListBox;
};

class TzuHudHorzListBox : public TzuHorzListBox {
    ZU_CLASS(TzuHudHorzListBox)
public:
    explicit TzuHudHorzListBox(TzuComponent* owner);
};

}  // namespace zu
