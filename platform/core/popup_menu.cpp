#include "platform/core/popup_menu.h"

#include "platform/core/application.h"

namespace zu {

// ---- Items ----

const TzuClass& TzuMenuItem::StaticClass() {
    using P = ZuProps<TzuMenuItem>;
    static const TzuPropInfo props[] = {
        P::WString<&TzuMenuItem::Caption, &TzuMenuItem::SetCaption>("Caption"),
        P::Bool<&TzuMenuItem::Checked, &TzuMenuItem::SetChecked>("Checked").Default(0),
        P::Bool<&TzuMenuItem::Enabled, &TzuMenuItem::SetEnabled>("Enabled").Default(1),
        P::String<&TzuMenuItem::Name, &TzuMenuItem::SetName>("Name"),
        P::Bool<&TzuMenuItem::Visible, &TzuMenuItem::SetVisible>("Visible").Default(1),
        P::Event<&TzuMenuItem::OnClick>("OnClick"),
    };
    static const TzuClass cls = ZuClass<TzuMenuItem, TzuPersistent>("TzuMenuItem", props);
    return cls;
}

void TzuMenuItem::Click() {
    if (m_onClick) m_onClick(this);
}

const TzuClass& TzuMenuItems::StaticClass() {
    static const TzuClass cls = ZuClass<TzuMenuItems, TzuPersistent>("TzuMenuItems");
    return cls;
}

TzuMenuItem* TzuMenuItems::Item(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_items[size_t(index)].get();
}

void TzuMenuItems::Clear() {
    m_items.clear();
    ++m_generation;
}

TzuMenuItem* TzuMenuItems::Add() {
    m_items.push_back(std::make_unique<TzuMenuItem>());
    ++m_generation;
    return m_items.back().get();
}

TzuMenuItem* TzuMenuItems::AddItem(const std::u16string& caption) {
    TzuMenuItem* item = Add();
    item->SetCaption(caption);
    return item;
}

void TzuMenuItems::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    m_items.erase(m_items.begin() + index);
    ++m_generation;
}

TzuMenuItem* TzuMenuItems::Find(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (const auto& item : m_items) {
        if (SameText(item->Name(), name)) return item.get();
    }
    return nullptr;
}

// ---- Menu ----

const TzuClass& TzuPopupMenu::StaticClass() {
    using P = ZuProps<TzuPopupMenu>;
    static const TzuPropInfo props[] = {
        P::Collection<&TzuPopupMenu::Items>("Items"),
        P::Event<&TzuPopupMenu::OnPopup>("OnPopup"),
    };
    static const TzuClass cls = ZuClass<TzuPopupMenu, TzuComponent>("TzuPopupMenu", props);
    return cls;
}

TzuPopupMenu::TzuPopupMenu(TzuComponent* owner)
    : TzuComponent(owner), m_self(std::make_shared<TzuPopupMenu*>(this)) {}

TzuPopupMenu::~TzuPopupMenu() {
    *m_self = nullptr;
    SetPopupComponent(nullptr);
}

void TzuPopupMenu::SetPopupComponent(TzuComponent* value) {
    if (value == m_popupComponent) return;
    // The old component keeps its link: it may name this menu as its own and rely on the
    // same link to hear when the menu goes.
    m_popupComponent = value;
    if (m_popupComponent) m_popupComponent->FreeNotification(this);
}

void TzuPopupMenu::Notification(TzuComponent* component, TzuOperation operation) {
    TzuComponent::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_popupComponent) m_popupComponent = nullptr;
}

bool TzuPopupMenu::Popup(int screenX, int screenY, IzuWindow* near) {
    TzuApplication* app = Application();
    if (!app || m_showing) return false;
    std::weak_ptr<TzuPopupMenu*> self = m_self;
    if (m_onPopup) {
        m_onPopup(this);
        if (self.expired()) return false;
    }
    std::vector<TzuMenuEntry> entries;
    std::vector<int> indexOf;  // entry -> item index
    for (int i = 0; i < m_items.Count(); ++i) {
        const TzuMenuItem* item = m_items.Item(i);
        if (!item->Visible()) continue;
        entries.push_back({item->Caption(), item->Enabled(), item->Checked(), item->IsSeparator()});
        indexOf.push_back(i);
    }
    if (entries.empty()) return false;
    m_showing = true;
    const uint64_t generation = m_items.Generation();
    app->ShowPopupMenu(
        near, entries, {screenX, screenY}, [self, indexOf = std::move(indexOf), generation](int entry) {
            const auto menu = self.lock();
            if (!menu || !*menu) return;
            const int item = entry >= 0 && size_t(entry) < indexOf.size() ? indexOf[size_t(entry)] : -1;
            (*menu)->Chosen(item, generation);
        });
    return true;
}

void TzuPopupMenu::Chosen(int itemIndex, uint64_t generation) {
    m_showing = false;
    // Items that changed while the menu was up are not the ones the user saw.
    if (itemIndex < 0 || generation != m_items.Generation()) return;
    TzuMenuItem* item = m_items.Item(itemIndex);
    if (item && item->Enabled() && !item->IsSeparator()) item->Click();
}

}  // namespace zu
