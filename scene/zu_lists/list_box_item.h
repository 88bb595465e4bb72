#pragma once
// TzuListBoxItem is one row of a list box or combo box: a text control whose style shows its
// text, its selected state (the "IsSelected" trigger) and an optional "check" box whose
// clicks are routed here. The item belongs to the list box's scrolled content; the list box
// keeps its index and place. An item does not take hits itself: the list box answers the
// pointer for it.

#include "scene/zu_controls/text_control.h"

namespace zu {

class TzuCheckBox;
class TzuListBox;

class TzuListBoxItem : public TzuTextControl {
    ZU_CLASS(TzuListBoxItem)
public:
    explicit TzuListBoxItem(TzuComponent* owner);
    ~TzuListBoxItem() override;

    bool IsSelected() const { return m_isSelected; }
    void SetIsSelected(bool value);
    bool IsChecked() const { return m_isChecked; }
    void SetIsChecked(bool value);
    // The owning list: the nearest list box above, or the list of the nearest combo box.
    TzuListBox* ListBox() const;
    // Position among the list's items, as the list box last laid them out.
    int ItemIndex() const { return m_index; }

    void Notification(TzuComponent* component, TzuOperation operation) override;
    // The size the item asks for. The list stretches items to their row or column; what
    // it gives is not taken as the item's own, so a row shrinks again when its tallest
    // item does. A size set since the list placed the item is the item's own.
    float OwnWidth() const { return Width() != m_givenWidth ? Width() : m_ownWidth; }
    float OwnHeight() const { return Height() != m_givenHeight ? Height() : m_ownHeight; }

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    void ParentChanged() override;

private:
    friend class TzuListBox;
    void CheckClicked();

    TzuCheckBox* m_check = nullptr;
    // The list box whose selected set holds this item, while it does.
    TzuListBox* m_selectedIn = nullptr;
    int m_index = -1;
    float m_ownWidth = 19;
    float m_ownHeight = 19;
    float m_givenWidth = -1;
    float m_givenHeight = -1;
    bool m_isSelected = false;
    bool m_isChecked = false;
    bool m_syncingCheck = false;  // the item sets its check box; not a click
};

}  // namespace zu
