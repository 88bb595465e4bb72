#include "platform/core/component.h"

#include <algorithm>

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuComponent::StaticClass() {
    using P = ZuProps<TzuComponent>;
    static const TzuPropInfo props[] = {
        P::String<&TzuComponent::Name>("Name").NotStored(),
        P::Int<&TzuComponent::Tag, &TzuComponent::SetTag>("Tag").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuComponent, TzuPersistent>("TComponent", props);
    return cls;
}

TzuComponent::TzuComponent(TzuComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TzuComponent::~TzuComponent() {
    m_state |= csDestroying;
    // Tell every linked component that we go; they drop their references to us.
    while (!m_freeNotifies.empty()) {
        TzuComponent* other = m_freeNotifies.back();
        m_freeNotifies.pop_back();
        auto& back = other->m_freeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, TzuOperation::opRemove);
    }
    DestroyComponents();
    if (m_owner) m_owner->RemoveComponent(this);
}

TzuComponent* TzuComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TzuComponent* c : m_components) {
        if (SameText(c->m_name, name)) return c;
    }
    return nullptr;
}

void TzuComponent::InsertComponent(TzuComponent* c) {
    if (!c || c->m_owner == this) return;
    if (c->m_owner) c->m_owner->RemoveComponent(c);
    m_components.push_back(c);
    c->m_owner = this;
    Notification(c, TzuOperation::opInsert);
}

void TzuComponent::RemoveComponent(TzuComponent* c) {
    if (!c || c->m_owner != this) return;
    Notification(c, TzuOperation::opRemove);
    m_components.erase(std::remove(m_components.begin(), m_components.end(), c), m_components.end());
    c->m_owner = nullptr;
}

void TzuComponent::DestroyComponents() {
    // Freeing one component may free others (a parent frees its children), which then
    // leave this list themselves; so always take the current last one.
    while (!m_components.empty()) {
        TzuComponent* c = m_components.back();
        m_components.pop_back();
        c->m_owner = nullptr;
        delete c;
    }
}

void TzuComponent::FreeNotification(TzuComponent* c) {
    if (!c || c == this) return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), c) == m_freeNotifies.end()) {
        m_freeNotifies.push_back(c);
        c->m_freeNotifies.push_back(this);
    }
}

void TzuComponent::RemoveFreeNotification(TzuComponent* c) {
    if (!c) return;
    m_freeNotifies.erase(std::remove(m_freeNotifies.begin(), m_freeNotifies.end(), c), m_freeNotifies.end());
    c->m_freeNotifies.erase(std::remove(c->m_freeNotifies.begin(), c->m_freeNotifies.end(), this),
                            c->m_freeNotifies.end());
}

void TzuComponent::Notification(TzuComponent* /*component*/, TzuOperation /*operation*/) {}

void TzuComponent::SetDesigning(bool on, bool owned) {
    SetStateFlag(csDesigning, on);
    if (owned) {
        for (TzuComponent* c : m_components) c->SetDesigning(on, true);
    }
}

void TzuComponent::GetChildren(const std::function<void(TzuComponent*)>& /*proc*/, TzuComponent* /*root*/) {}

}  // namespace zu
