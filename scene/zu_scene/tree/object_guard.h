#pragma once
// TzuObjectGuard is a weak reference to a scene object that empties itself when the object
// is freed. Input dispatch holds one across every call into handler code, since a handler
// may free the object it runs on (a click that closes its panel) or one of its ancestors.
// The guard registers with the object's free-notify list and unregisters when it goes.

#include "scene/zu_scene/tree/object.h"

namespace zu {

class TzuObjectGuard final : public TzuPersistent {
public:
    explicit TzuObjectGuard(TzuObject* object) : m_object(object) {
        if (m_object) m_object->AddFreeNotify(this);
    }
    ~TzuObjectGuard() override {
        if (m_object) m_object->RemoveFreeNotify(this);
    }
    bool Alive() const { return m_object != nullptr; }
    TzuObject* Get() const { return m_object; }
    void FreeNotify(TzuPersistent* dying) override {
        if (dying == m_object) m_object = nullptr;
    }

private:
    TzuObject* m_object;
};

}  // namespace zu
