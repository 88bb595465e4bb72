#pragma once
// TzuPersistent is the root of every streamable object: it knows its class (name, base,
// published properties, factory) and can copy itself from another object with Assign.
// Ownership is not handled here; components (component.h) add owners and names.

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zu {

class TzuPersistent;
class TzuComponent;
struct TzuPropInfo;
struct TzuMethodInfo;

// Errors raised by the library carry the system's own message text.
class EzuError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A property a stream may hold, in its class's write order, with what decides whether it
// is written worked out once: its name's length, its own stored test (the one part that
// depends on the object) and whether it is written whatever its value.
struct TzuStoredProp {
    const TzuPropInfo* prop;
    std::string_view name;
    bool (*isStored)(const TzuPersistent*);
    bool always;
};

// Static description of a class: one per class, chained to the base class.
struct TzuClass {
    const char* name;
    const TzuClass* parent;
    const TzuPropInfo* props = nullptr;  // this class's own published properties
    int propCount = 0;
    // Creates an instance; null for abstract classes. Value objects ignore the owner.
    TzuPersistent* (*create)(TzuComponent* owner) = nullptr;
    const TzuMethodInfo* methods = nullptr;  // published methods (event handlers)
    int methodCount = 0;
    // Hash index over the whole property chain, built on the first lookup (UI thread).
    mutable const void* propIndex = nullptr;
    // The registry's generation in which this class was last found registered under its
    // name (class_registry.h), so the question costs no lookup while nothing registers.
    mutable unsigned registeredIn = 0;

    bool InheritsFrom(const TzuClass& other) const;
    // Looks a published property up by name (ASCII case-insensitive), this class first,
    // then its bases.
    const TzuPropInfo* FindProperty(std::string_view name) const;
    // The stored properties of the whole chain in stream order: bases first, the
    // class-defined ones after all others; those nothing could set or write are left
    // out. Built with the index.
    std::span<const TzuStoredProp> StoredProperties() const;
    const TzuMethodInfo* FindMethod(std::string_view name) const;
};

class TzuPersistent {
public:
    TzuPersistent() = default;
    TzuPersistent(const TzuPersistent&) = delete;
    TzuPersistent& operator=(const TzuPersistent&) = delete;
    virtual ~TzuPersistent() = default;

    static const TzuClass& StaticClass();
    virtual const TzuClass& ClassType() const { return StaticClass(); }
    const char* ClassName() const { return ClassType().name; }
    bool InheritsFrom(const TzuClass& cls) const { return ClassType().InheritsFrom(cls); }
    template <class T>
    bool Is() const {
        return ClassType().InheritsFrom(T::StaticClass());
    }

    // Copies the state of source into this object. The default refuses, like the
    // framework's: "Cannot assign a <source class> to a <this class>".
    virtual void Assign(const TzuPersistent& source);

    // Free notification from a component this object holds a weak reference to.
    // Value objects override it to drop their link; components use Notification.
    virtual void FreeNotify(TzuPersistent* /*dying*/) {}
};

// Safe down-cast along the registered class chain; null when obj is not a T.
template <class T>
T* As(TzuPersistent* obj) {
    return obj && obj->Is<T>() ? static_cast<T*>(obj) : nullptr;
}
template <class T>
const T* As(const TzuPersistent* obj) {
    return obj && obj->Is<T>() ? static_cast<const T*>(obj) : nullptr;
}

// ASCII case-insensitive comparison used for every name in the system.
bool SameText(std::string_view a, std::string_view b);
// Whether text holds part anywhere, ASCII letters compared without case.
bool ContainsText(std::string_view text, std::string_view part);

}  // namespace zu

// Declares the class description of a class. Define StaticClass() in the .cpp with
// zu::MakeClass (property.h).
#define ZU_CLASS(Class)                                                        \
public:                                                                        \
    static const ::zu::TzuClass& StaticClass();                                \
    const ::zu::TzuClass& ClassType() const override { return StaticClass(); } \
                                                                               \
private:
