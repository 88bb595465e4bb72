#include "platform/core/component.h"

#include <algorithm>
#include <stdexcept>

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

TzuComponent* TzuComponent::Components(int i) const {
    if (m_holes) Tidy(true);
    if (i < 0 || i >= ComponentCount()) throw std::out_of_range("component index out of range");
    return m_components[m_head + static_cast<size_t>(i)];
}

TzuComponent* TzuComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (size_t i = m_head; i < m_components.size(); ++i) {
        TzuComponent* c = m_components[i];
        if (c && SameText(c->m_name, name)) return c;
    }
    return nullptr;
}

void TzuComponent::InsertComponent(TzuComponent* c) {
    if (!c || c->m_owner == this) return;
    if (c->m_owner) c->m_owner->RemoveComponent(c);
    if (m_components.size() >= UINT32_MAX) throw EzuError("too many components");
    c->m_ownerSlot = static_cast<uint32_t>(m_components.size());
    m_components.push_back(c);
    c->m_owner = this;
    Notification(c, TzuOperation::opInsert);
}

void TzuComponent::RemoveComponent(TzuComponent* c) {
    if (!c || c->m_owner != this) return;
    Notification(c, TzuOperation::opRemove);
    m_components[c->m_ownerSlot] = nullptr;
    ++m_holes;
    c->m_owner = nullptr;
    Tidy(false);
}

void TzuComponent::Tidy(bool always) const {
    while (m_head < m_components.size() && !m_components[m_head]) ++m_head, --m_holes;
    if (m_components.size() == m_head) {
        m_components.clear();
        m_head = m_holes = 0;
        return;
    }
    // The slot at m_head holds a component: every empty slot from the back is a hole.
    while (!m_components.back()) m_components.pop_back(), --m_holes;
    const size_t live = m_components.size() - m_head - m_holes;
    if (!always && m_head + m_holes <= live + 16) return;
    size_t to = 0;
    for (size_t from = m_head; from < m_components.size(); ++from) {
        if (TzuComponent* c = m_components[from]) {
            c->m_ownerSlot = static_cast<uint32_t>(to);
            m_components[to++] = c;
        }
    }
    m_components.resize(to);
    m_head = m_holes = 0;
}

void TzuComponent::DestroyComponents() {
    // Freeing one component may free others (a parent frees its children), which then
    // leave this list themselves; so always take the current last one.
    while (ComponentCount() > 0) {
        TzuComponent* c = m_components.back();
        m_components.pop_back();
        c->m_owner = nullptr;
        Tidy(false);
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
        for (int i = 0; i < ComponentCount(); ++i) Components(i)->SetDesigning(on, true);
    }
}

void TzuComponent::GetChildren(const std::function<void(TzuComponent*)>& /*proc*/, TzuComponent* /*root*/) {}

}  // namespace zu
