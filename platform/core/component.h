#pragma once
// TzuComponent adds ownership and names to persistent objects: an owner frees every
// component it owns; components linked by FreeNotification are told when the other goes.
// It also carries the loading/designing state and the hooks the component stream uses.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/persistent.h"

namespace zu {

enum class TzuOperation { opInsert, opRemove };

enum TzuComponentState : unsigned {
    csLoading = 1,  // being read from a stream: setters store without laying out
    csReading = 2,
    csDesigning = 4,  // being edited by a design tool
    csDestroying = 8,
};

class TzuComponent : public TzuPersistent {
    ZU_CLASS(TzuComponent)
public:
    explicit TzuComponent(TzuComponent* owner);
    ~TzuComponent() override;

    TzuComponent* Owner() const { return m_owner; }
    const std::string& Name() const { return m_name; }
    virtual void SetName(const std::string& name) { m_name = name; }
    int64_t Tag() const { return m_tag; }
    void SetTag(int64_t tag) { m_tag = tag; }

    int ComponentCount() const { return static_cast<int>(m_components.size() - m_head - m_holes); }
    TzuComponent* Components(int i) const;
    // Finds an owned component by name (ASCII case-insensitive).
    TzuComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TzuComponent* c);
    void RemoveComponent(TzuComponent* c);
    // Frees every owned component, last first.
    void DestroyComponents();

    // Links this component and c so that each is told (Notification, opRemove) when the
    // other is destroyed.
    void FreeNotification(TzuComponent* c);
    void RemoveFreeNotification(TzuComponent* c);
    virtual void Notification(TzuComponent* component, TzuOperation operation);

    unsigned ComponentState() const { return m_state; }
    bool IsLoading() const { return m_state & csLoading; }
    bool IsDesigning() const { return m_state & csDesigning; }
    bool IsDestroying() const { return m_state & csDestroying; }
    void SetLoading(bool on) { SetStateFlag(csLoading, on); }
    // Design state applies to this component and everything it owns.
    void SetDesigning(bool on, bool owned = true);
    // Run after a stream has been read into the component: clears the loading state.
    virtual void Loaded() { m_state &= ~unsigned(csLoading); }

    // Stream hooks. The writer enumerates the children to write with GetChildren; the
    // reader attaches a child read from a stream with SetParentComponent.
    virtual void GetChildren(const std::function<void(TzuComponent*)>& proc, TzuComponent* root);
    virtual TzuComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TzuComponent* /*parent*/) {}
    virtual bool HasParent() const { return false; }
    // Owner of the children read into this component; null means the stream's root.
    virtual TzuComponent* GetChildOwner() { return nullptr; }

protected:
    void SetStateFlag(unsigned flag, bool on) { m_state = on ? (m_state | flag) : (m_state & ~flag); }

private:
    // Drops the empty slots at both ends of the owned list; closes the gaps inside it when
    // they outnumber the components or when always is set.
    void Tidy(bool always) const;

    TzuComponent* m_owner = nullptr;
    // Owned components in order. A component that leaves empties its slot (found through
    // its m_ownerSlot), so an owner forgets any one of many components at constant cost;
    // slots before m_head and m_holes empty slots after it hold nothing.
    mutable std::vector<TzuComponent*> m_components;
    std::vector<TzuComponent*> m_freeNotifies;
    std::string m_name;
    int64_t m_tag = 0;
    unsigned m_state = 0;
    uint32_t m_ownerSlot = 0;
    mutable uint32_t m_head = 0;
    mutable uint32_t m_holes = 0;
};

}  // namespace zu
