#pragma once
// TzuPopupMenu is a non-visual component holding the items of a context menu; the owner
// frees it. Visual objects name it in their PopupMenu property: a right press or the
// context-menu key pops it up through the application object, and the chosen item's
// OnClick runs. The menu owns its items (a collection streamed inside the menu); an item
// owns the items of its submenu the same way.
//
// Usage:
//   auto* menu = new zu::TzuPopupMenu(form);
//   auto* copy = menu->Items()->AddItem(u"Copy");
//   copy->OnClick().Set([](zu::TzuPersistent* item) { ... });
//   shape->SetPopupMenu(menu);
//   auto* grid = menu->Items()->AddItem(u"Grid");
//   auto* snap = grid->Items()->AddItem(u"Snap to grid");
//   snap->SetRadioItem(true);  // exclusive within its GroupIndex

#include <memory>
#include <string>
#include <vector>

#include "platform/core/application.h"
#include "platform/core/component.h"
#include "platform/core/event.h"
#include "platform/core/property.h"
#include "platform/core/window.h"

namespace zu {

class IzuWindow;
class TzuMenuItems;

// One entry of a popup menu. A caption of "-" makes it a separator line. An item with
// items of its own opens them as a submenu and is not clicked itself.
class TzuMenuItem : public TzuPersistent {
    ZU_CLASS(TzuMenuItem)
public:
    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(const std::u16string& value) { m_caption = value; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    bool Checked() const { return m_checked; }
    void SetChecked(bool value) { m_checked = value; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { m_visible = value; }
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value) { m_name = value; }
    bool IsSeparator() const { return m_caption == u"-"; }
    // Shown with a tick box; a click toggles Checked before OnClick runs.
    bool AutoCheck() const { return m_autoCheck; }
    void SetAutoCheck(bool value) { m_autoCheck = value; }
    // Shown as one of an exclusive choice: the radio items of the same GroupIndex in the
    // same list. A click checks it and clears the others before OnClick runs.
    bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool value) { m_radioItem = value; }
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value) { m_groupIndex = value; }
    // The submenu's items, created empty on first use.
    TzuMenuItems* Items();
    bool HasItems() const;
    // Fired with the item as sender when the item is chosen.
    TzuNotifyEvent& OnClick() { return m_onClick; }
    // Applies AutoCheck or RadioItem, then fires OnClick.
    void Click();

private:
    friend class TzuMenuItems;
    std::u16string m_caption;
    std::string m_name;
    TzuNotifyEvent m_onClick;
    TzuMenuItems* m_list = nullptr;  // the list holding this item
    std::unique_ptr<TzuMenuItems> m_items;
    int m_groupIndex = 0;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_visible = true;
    bool m_autoCheck = false;
    bool m_radioItem = false;
};

// The items of a popup menu, in menu order; the collection owns them.
class TzuMenuItems : public TzuPersistent, public TzuCollection {
    ZU_CLASS(TzuMenuItems)
public:
    int Count() const override { return static_cast<int>(m_items.size()); }
    TzuMenuItem* Item(int index) const override;
    void Clear() override;
    TzuMenuItem* Add() override;
    TzuMenuItem* AddItem(const std::u16string& caption);
    void Delete(int index);
    // The item of that name (ASCII case-insensitive), or null.
    TzuMenuItem* Find(std::string_view name) const;
    // The item holding this list as its submenu; null for a menu's own items.
    TzuMenuItem* ParentItem() const { return m_parentItem; }
    // Counts changes of the list and of every submenu inside it, so that a menu on screen
    // can tell that its items went.
    uint64_t Generation() const { return m_generation; }

private:
    friend class TzuMenuItem;
    void Changed();

    std::vector<std::unique_ptr<TzuMenuItem>> m_items;
    TzuMenuItem* m_parentItem = nullptr;
    uint64_t m_generation = 0;
};

class TzuPopupMenu : public TzuComponent {
    ZU_CLASS(TzuPopupMenu)
public:
    explicit TzuPopupMenu(TzuComponent* owner);
    ~TzuPopupMenu() override;

    TzuMenuItems* Items() const { return const_cast<TzuMenuItems*>(&m_items); }
    // The component the menu was last popped up for (the object right-clicked), or null.
    TzuComponent* PopupComponent() const { return m_popupComponent; }
    void SetPopupComponent(TzuComponent* value);
    // Fired just before the menu shows, so a handler can adjust the items.
    TzuNotifyEvent& OnPopup() { return m_onPopup; }
    // Shows the visible items at a screen point, over the window near (may be null). The
    // chosen item is clicked later; a choice is dropped when the menu or its items changed
    // in between. False when there is nothing to show or no application object.
    bool Popup(int screenX, int screenY, IzuWindow* near = nullptr);
    bool IsShowing() const { return m_showing; }
    void Notification(TzuComponent* component, TzuOperation operation) override;

private:
    // Appends the visible items' entries, and their items in choice order to itemOf.
    static void AddEntries(TzuMenuItems& items, std::vector<TzuMenuEntry>& entries,
                           std::vector<TzuMenuItem*>& itemOf);
    void Chosen(TzuMenuItem* item, uint64_t generation);

    TzuMenuItems m_items;
    TzuNotifyEvent m_onPopup;
    TzuComponent* m_popupComponent = nullptr;
    // Shared with the pending choice callback, which must not reach a freed menu.
    std::shared_ptr<TzuPopupMenu*> m_self;
    bool m_showing = false;
};

}  // namespace zu
