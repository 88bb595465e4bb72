#pragma once
// TzuPopupBox is a button that picks one of its Items: a click opens a menu of the items
// centred on the box, with the chosen one checked, and choosing sets ItemIndex and shows
// that item as the text. It owns its item list and its menu. The HUD popup box differs
// only by its style.

#include <memory>

#include "scene/zu_controls/custom_button.h"
#include "scene/zu_scene/types/wide_strings.h"

namespace zu {

class TzuPopupMenu;

class TzuPopupBox : public TzuCustomButton {
    ZU_CLASS(TzuPopupBox)
public:
    explicit TzuPopupBox(TzuComponent* owner);
    ~TzuPopupBox() override;

    TzuWideStringList* Items() const { return const_cast<TzuWideStringList*>(&m_items); }
    void SetItems(const TzuWideStrings& value) { m_items.Assign(value); }
    int ItemIndex() const { return m_itemIndex; }
    // An index outside the items selects nothing: the text is cleared and ItemIndex is -1.
    void SetItemIndex(int value);
    // Selects the item with that text, or nothing when there is none.
    void SetText(const std::u16string& value) override;
    TzuNotifyEvent& OnChange() { return m_onChange; }
    // The menu of the last click, or null before the first.
    TzuPopupMenu* Menu() const { return m_menu.get(); }

    void SetData(const TzuVariant& value) override;
    void Click() override;
    void Loaded() override;

private:
    void ShowItem(int index);

    TzuWideStringList m_items;
    std::unique_ptr<TzuPopupMenu> m_menu;
    TzuNotifyEvent m_onChange;
    int m_itemIndex = -1;
};

class TzuHudPopupBox : public TzuPopupBox {
    ZU_CLASS(TzuHudPopupBox)
public:
    explicit TzuHudPopupBox(TzuComponent* owner) : TzuPopupBox(owner) {}
};

}  // namespace zu
