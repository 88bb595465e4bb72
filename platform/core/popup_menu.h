#pragma once
// TzuPopupMenu is a non-visual component holding the items of a context menu; the owner
// frees it. Visual objects name it in their PopupMenu property: a right press or the
// context-menu key pops it up through the application object, and the chosen item's
// OnClick runs. The menu owns its items (a collection streamed inside the menu).
//
// Usage:
//   auto* menu = new zu::TzuPopupMenu(form);
//   auto* copy = menu->Items()->AddItem(u"Copy");
//   copy->OnClick().Set([](zu::TzuPersistent* item) { ... });
//   shape->SetPopupMenu(menu);

#include <memory>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/event.h"
#include "platform/core/property.h"
#include "platform/core/window.h"

namespace zu {

class IzuWindow;

// One entry of a popup menu. A caption of "-" makes it a separator line.
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
    // Fired with the item as sender when the item is chosen.
    TzuNotifyEvent& OnClick() { return m_onClick; }
    // Fires OnClick.
    void Click();

private:
    std::u16string m_caption;
    std::string m_name;
    TzuNotifyEvent m_onClick;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_visible = true;
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
    // Counts changes of the list, so that a menu on screen can tell that its items went.
    uint64_t Generation() const { return m_generation; }

private:
    std::vector<std::unique_ptr<TzuMenuItem>> m_items;
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
    void Chosen(int itemIndex, uint64_t generation);

    TzuMenuItems m_items;
    TzuNotifyEvent m_onPopup;
    TzuComponent* m_popupComponent = nullptr;
    // Shared with the pending choice callback, which must not reach a freed menu.
    std::shared_ptr<TzuPopupMenu*> m_self;
    bool m_showing = false;
};

}  // namespace zu
