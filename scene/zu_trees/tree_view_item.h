#pragma once
// TzuTreeViewItem is one node of a tree view: a text control whose sub-items are its own
// children, with an expander ("button" part, shown while it has sub-items) and a "check"
// part. Collapsing hides its sub-items once; the tree view lays out and numbers only what
// expanded items reach. The tree view keeps the item's place and visible number.

#include <cstdint>

#include "scene/zu_controls/text_control.h"

namespace zu {

class TzuCheckBox;
class TzuCustomButton;
class TzuTreeView;

class TzuTreeViewItem : public TzuTextControl {
    ZU_CLASS(TzuTreeViewItem)
public:
    explicit TzuTreeViewItem(TzuComponent* owner);
    ~TzuTreeViewItem() override;

    bool IsExpanded() const { return m_isExpanded; }
    void SetIsExpanded(bool value);
    bool IsSelected() const { return m_isSelected; }
    void SetIsSelected(bool value);
    bool IsChecked() const { return m_isChecked; }
    void SetIsChecked(bool value);

    TzuTreeView* TreeView() const;
    // The item this one is a sub-item of, or null for a top-level item.
    TzuTreeViewItem* ParentItem() const;
    int SubItemCount() const;
    TzuTreeViewItem* SubItem(int index) const;
    // Levels of items above this one (0 for a top-level item).
    int Level() const;
    // Position among the items expanded ancestors reach, as last laid out; -1 when hidden.
    int VisibleNumber() const;

    void AddObject(TzuObject* child) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;
    std::string ItemClass() const override { return "TzuTreeViewItem"; }
    // Sub-items are styled when they first show, not with their item.
    bool DefersChildStyle(const TzuObject* child) const override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    void BeforeRemoveObject(TzuObject* child) override;

private:
    friend class TzuTreeView;
    void CheckClicked();
    // Shows the expander while there are sub-items, in the expanded or collapsed state.
    void UpdateButton();
    void ShowButton(bool show);

    TzuCustomButton* m_button = nullptr;
    TzuCheckBox* m_check = nullptr;
    TzuTreeView* m_selectedIn = nullptr;
    // Laid out: the tree's layout pass, the number and the place in content coordinates.
    uint64_t m_pass = 0;
    int m_number = -1;
    float m_contentX = 0, m_contentY = 0;
    bool m_isExpanded = false;
    bool m_isSelected = false;
    bool m_isChecked = false;
    bool m_syncingCheck = false;
};

}  // namespace zu
