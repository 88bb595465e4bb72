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
        P::Bool<&TzuMenuItem::AutoCheck, &TzuMenuItem::SetAutoCheck>("AutoCheck").Default(0),
        P::Bool<&TzuMenuItem::RadioItem, &TzuMenuItem::SetRadioItem>("RadioItem").Default(0),
        P::Int<&TzuMenuItem::GroupIndex, &TzuMenuItem::SetGroupIndex>("GroupIndex").Default(0),
        P::Collection<&TzuMenuItem::Items>("Items"),
        P::Event<&TzuMenuItem::OnClick>("OnClick"),
    };
    static const TzuClass cls = ZuClass<TzuMenuItem, TzuPersistent>("TzuMenuItem", props);
    return cls;
}

TzuMenuItems* TzuMenuItem::Items() {
    if (!m_items) {
        m_items = std::make_unique<TzuMenuItems>();
        m_items->m_parentItem = this;
    }
    return m_items.get();
}

bool TzuMenuItem::HasItems() const { return m_items && m_items->Count() > 0; }

void TzuMenuItem::Click() {
    if (m_radioItem) {
        if (m_list) {
            for (int i = 0; i < m_list->Count(); ++i) {
                TzuMenuItem* other = m_list->Item(i);
                if (other != this && other->m_radioItem && other->m_groupIndex == m_groupIndex)
                    other->m_checked = false;
            }
        }
        m_checked = true;
    } else if (m_autoCheck) {
        m_checked = !m_checked;
    }
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

void TzuMenuItems::Changed() {
    for (TzuMenuItems* list = this; list; list = list->m_parentItem ? list->m_parentItem->m_list : nullptr)
        ++list->m_generation;
}

void TzuMenuItems::Clear() {
    m_items.clear();
    Changed();
}

TzuMenuItem* TzuMenuItems::Add() {
    m_items.push_back(std::make_unique<TzuMenuItem>());
    m_items.back()->m_list = this;
    Changed();
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
    Changed();
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
    std::vector<TzuMenuItem*> itemOf;  // entry, in choice order -> item
    AddEntries(m_items, entries, itemOf);
    if (entries.empty()) return false;
    m_showing = true;
    const uint64_t generation = m_items.Generation();
    app->ShowPopupMenu(
        near, entries, {screenX, screenY}, [self, itemOf = std::move(itemOf), generation](int entry) {
            const auto menu = self.lock();
            if (!menu || !*menu) return;
            TzuMenuItem* item = entry >= 0 && size_t(entry) < itemOf.size() ? itemOf[size_t(entry)] : nullptr;
            (*menu)->Chosen(item, generation);
        });
    return true;
}

void TzuPopupMenu::AddEntries(TzuMenuItems& items, std::vector<TzuMenuEntry>& entries,
                              std::vector<TzuMenuItem*>& itemOf) {
    for (int i = 0; i < items.Count(); ++i) {
        TzuMenuItem* item = items.Item(i);
        if (!item->Visible()) continue;
        TzuMenuEntry entry;
        entry.Caption = item->Caption();
        entry.Enabled = item->Enabled();
        entry.Checked = item->Checked();
        entry.Separator = item->IsSeparator();
        entry.CheckItem = item->AutoCheck();
        entry.RadioItem = item->RadioItem();
        entry.GroupIndex = item->GroupIndex();
        itemOf.push_back(item);
        if (item->HasItems()) {
            // The submenu's entries follow their item in choice order.
            std::vector<TzuMenuEntry> sub;
            AddEntries(*item->Items(), sub, itemOf);
            entry.Submenu = std::move(sub);
        }
        entries.push_back(std::move(entry));
    }
}

void TzuPopupMenu::Chosen(TzuMenuItem* item, uint64_t generation) {
    m_showing = false;
    // Items that changed while the menu was up are not the ones the user saw.
    if (!item || generation != m_items.Generation()) return;
    if (item->Enabled() && !item->IsSeparator() && !item->HasItems()) item->Click();
}

}  // namespace zu
