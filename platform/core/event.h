#pragma once
// Events: a slot that calls either a C++ callable (code wiring, e.g. a value object's
// OnChange set by its holder) or a published method of some object, bound by name when a
// stream is read. Published methods are listed per class (TzuClass::methods) with a typed
// thunk; binding checks that the method's signature matches the event's.

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/core/persistent.h"

namespace zu {

template <class... Args>
const void* SignatureId() {
    static const char id = 0;
    return &id;
}

struct TzuMethodInfo {
    const char* name;
    void (*thunk)();        // really void(*)(TzuPersistent*, Args...)
    const void* signature;  // SignatureId<Args...>()
};

class TzuEventBase {
public:
    explicit TzuEventBase(const void* signature) : m_signature(signature) {}
    // Binds a published method of target; refuses (false) a method of another signature.
    bool Bind(TzuPersistent* target, const TzuMethodInfo* method) {
        if (method && method->signature != m_signature) return false;
        m_data = method ? target : nullptr;
        m_method = method;
        ResetCallable();
        return true;
    }
    TzuPersistent* Data() const { return m_data; }
    const TzuMethodInfo* Method() const { return m_method; }
    // The bound method's name, empty for code wiring or none.
    std::string_view MethodName() const { return m_method ? m_method->name : ""; }
    virtual bool Assigned() const { return m_method != nullptr; }
    virtual ~TzuEventBase() = default;
    // Whether both slots call the same handler: the same method of the same object, or
    // copies of the same code wiring (a callable keeps its identity when the slot is copied).
    bool SameHandler(const TzuEventBase& other) const {
        if (m_method) return m_method == other.m_method && m_data == other.m_data;
        return m_callableId != 0 && m_callableId == other.m_callableId;
    }

protected:
    virtual void ResetCallable() = 0;
    static uint64_t NextCallableId() {
        static uint64_t next = 0;
        return ++next;
    }
    TzuPersistent* m_data = nullptr;
    const TzuMethodInfo* m_method = nullptr;
    const void* m_signature;
    uint64_t m_callableId = 0;  // 0: no code wiring
};

template <class... Args>
class TzuEvent : public TzuEventBase {
public:
    TzuEvent() : TzuEventBase(SignatureId<Args...>()) {}
    TzuEvent(const TzuEvent&) = default;
    TzuEvent& operator=(const TzuEvent&) = default;

    template <class F>
    void Set(F&& fn) {
        m_fn = std::forward<F>(fn);
        m_data = nullptr;
        m_method = nullptr;
        m_callableId = m_fn ? NextCallableId() : 0;
    }
    void Clear() {
        m_fn = nullptr;
        m_data = nullptr;
        m_method = nullptr;
        m_callableId = 0;
    }
    bool Assigned() const override { return m_fn || m_method; }
    explicit operator bool() const { return Assigned(); }

    void operator()(Args... args) const {
        if (m_fn) {
            m_fn(args...);
        } else if (m_method) {
            reinterpret_cast<void (*)(TzuPersistent*, Args...)>(m_method->thunk)(m_data, args...);
        }
    }

private:
    void ResetCallable() override {
        m_fn = nullptr;
        m_callableId = 0;
    }
    std::function<void(Args...)> m_fn;
};

using TzuNotifyEvent = TzuEvent<TzuPersistent*>;

namespace detail {
template <class T>
struct MethodTraits;
template <class C, class... A>
struct MethodTraits<void (C::*)(A...)> {
    using Class = C;
    static const void* Signature() { return SignatureId<A...>(); }
    template <auto M>
    static void Thunk(TzuPersistent* self, A... a) {
        (static_cast<C*>(self)->*M)(a...);
    }
    template <auto M>
    static auto ThunkPtr() {
        return reinterpret_cast<void (*)()>(&Thunk<M>);
    }
};
}  // namespace detail

// A published method entry: ZuMethod<&TMyForm::FormCreate>("FormCreate").
template <auto M>
TzuMethodInfo ZuMethod(const char* name) {
    using T = detail::MethodTraits<decltype(M)>;
    return TzuMethodInfo{name, T::template ThunkPtr<M>(), T::Signature()};
}

}  // namespace zu
