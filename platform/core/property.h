#pragma once
// Published properties: a static table per class (TzuClass::props), built at compile time
// from member-function pointers. Each entry carries type-erased accessors, so writing a
// resolved property costs one indirect call plus the setter itself. Streams, triggers,
// animations and bindings all reach published state through this table.
//
// Defining a class's table in its .cpp:
//
//   const TzuClass& TzuBounds::StaticClass() {
//       using P = ZuProps<TzuBounds>;
//       static const TzuPropInfo props[] = {
//           P::Float<&TzuBounds::Left, &TzuBounds::SetLeft>("Left").NotStored(),
//           P::Defined<&TzuBounds::ReadRect, &TzuBounds::WriteRect, &TzuBounds::RectStored>("Rect"),
//       };
//       static const TzuClass cls = ZuClass<TzuBounds, TzuPersistent>("TzuBounds", props);
//       return cls;
//   }

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/variant.h"

namespace zu {

enum class TzuPropKind : uint8_t {
    Integer,     // any integral type, streamed as an integer
    Float,       // single or double, streamed as an extended float
    Enum,        // enumeration by value name (Booleans too: "False", "True")
    Set,         // bit set over an enumeration, streamed as [a, b]
    String,      // 8-bit (UTF-8 in memory) string
    WString,     // UTF-16 string
    Object,      // owned sub-object: streamed as dotted paths into it
    Reference,   // reference to another component, streamed by name
    Event,       // event slot, streamed as a published method name
    Defined,     // class-defined stream property with its own value
    Collection,  // owned collection of items, each with its own published properties
};

// An owned, ordered collection of persistent items (gradient points, list items) that the
// stream writes as <item ... end> blocks. Items belong to the collection.
class TzuCollection {
public:
    virtual ~TzuCollection() = default;
    virtual int Count() const = 0;
    virtual TzuPersistent* Item(int index) const = 0;
    virtual void Clear() = 0;
    // Appends a new default item and returns it.
    virtual TzuPersistent* Add() = 0;
};

// Value names of an enumeration, indexed by ordinal value.
struct TzuEnumInfo {
    const char* typeName;
    const char* const* names;
    int count;

    // Ordinal of a value name (ASCII case-insensitive), -1 when unknown.
    int ValueOf(std::string_view name) const;
    const char* NameOf(int64_t value) const { return value >= 0 && value < count ? names[value] : ""; }
};

extern const TzuEnumInfo kBooleanEnum;

struct TzuPropInfo {
    const char* name = "";
    TzuPropKind kind = TzuPropKind::Integer;
    bool stored = true;       // false: never written to a stream
    bool always = false;      // written whatever its value
    bool hasDefault = false;  // ordinal/float default given (else written when non-zero)
    int64_t defOrd = 0;
    double defFloat = 0;
    double floatLimit = 1.7976931348623157e308;        // largest magnitude the setter's type holds
    const TzuEnumInfo* enumInfo = nullptr;             // Enum and Set
    const TzuClass* (*objClass)() = nullptr;           // Object and Reference: the declared class
    bool (*isStored)(const TzuPersistent*) = nullptr;  // per-object stored rule

    int64_t (*getOrd)(const TzuPersistent*) = nullptr;
    void (*setOrd)(TzuPersistent*, int64_t) = nullptr;
    double (*getFloat)(const TzuPersistent*) = nullptr;
    void (*setFloat)(TzuPersistent*, double) = nullptr;
    std::string (*getStr)(const TzuPersistent*) = nullptr;
    void (*setStr)(TzuPersistent*, const std::string&) = nullptr;
    std::u16string (*getWStr)(const TzuPersistent*) = nullptr;
    void (*setWStr)(TzuPersistent*, const std::u16string&) = nullptr;
    TzuPersistent* (*getObj)(const TzuPersistent*) = nullptr;
    void (*setObj)(TzuPersistent*, TzuPersistent*) = nullptr;
    TzuEventBase* (*getEvent)(TzuPersistent*) = nullptr;
    TzuCollection* (*getCollection)(TzuPersistent*) = nullptr;
    TzuStreamValue (*writeValue)(const TzuPersistent*) = nullptr;
    void (*readValue)(TzuPersistent*, const TzuStreamValue&) = nullptr;
    // For text and class-defined values: copies the value straight to another object of
    // the class and answers true, where that gives exactly what writing the value and
    // reading it back would (a colour behind its text, a point with whole coordinates)
    // and the written value would not be empty; false leaves the copy to the written
    // value. Clones skip the text this way.
    bool (*copyValue)(const TzuPersistent* from, TzuPersistent* to) = nullptr;

    // Whether d can be stored by a Float property without becoming infinite.
    bool FloatFits(double d) const { return d == d && d <= floatLimit && d >= -floatLimit; }

    bool ReadOnly() const {
        switch (kind) {
            case TzuPropKind::Integer:
            case TzuPropKind::Enum:
            case TzuPropKind::Set: return !setOrd;
            case TzuPropKind::Float: return !setFloat;
            case TzuPropKind::String: return !setStr;
            case TzuPropKind::WString: return !setWStr;
            case TzuPropKind::Reference: return !setObj;
            case TzuPropKind::Object: return false;  // written into, not replaced
            case TzuPropKind::Event: return false;
            case TzuPropKind::Defined: return !readValue;
            case TzuPropKind::Collection: return false;
        }
        return true;
    }

    // Builder modifiers, usable in constant tables.
    constexpr TzuPropInfo NotStored() const {
        TzuPropInfo p = *this;
        p.stored = false;
        return p;
    }
    constexpr TzuPropInfo AlwaysStored() const {
        TzuPropInfo p = *this;
        p.always = true;
        return p;
    }
    constexpr TzuPropInfo Default(double v) const {
        TzuPropInfo p = *this;
        p.hasDefault = true;
        p.defOrd = static_cast<int64_t>(v);
        p.defFloat = v;
        return p;
    }
    template <auto Pred>
    TzuPropInfo StoredIf() const;
    // copyValue by Set(Get()): the text always reads back as exactly the value.
    template <auto Get, auto Set>
    TzuPropInfo CopiedAs() const;
    // copyValue by Copy, a member bool (const C& from) with copyValue's answer.
    template <auto Copy>
    TzuPropInfo CopiedBy() const;
};

namespace detail {
template <class T>
struct Getter;
template <class C, class R>
struct Getter<R (C::*)() const> {
    using Class = C;
    using Result = std::remove_cvref_t<R>;
};
template <class C, class R>
struct Getter<R (C::*)()> {
    using Class = C;
    using Result = std::remove_cvref_t<R>;
};

template <class T>
struct Setter;
template <class C, class A>
struct Setter<void (C::*)(A)> {
    using Class = C;
    using Arg = std::remove_cvref_t<A>;
};

template <class T>
struct Copier;
template <class C>
struct Copier<bool (C::*)(const C&)> {
    using Class = C;
};

template <class E>
int64_t ToOrd(E v) {
    if constexpr (std::is_enum_v<E>)
        return static_cast<int64_t>(v);
    else
        return static_cast<int64_t>(v);
}
}  // namespace detail

// Table builders for class C. The getter and setter are member-function pointers given as
// template arguments; a setter of nullptr makes the property read-only.
template <class C>
struct ZuProps {
    template <auto Get, auto Set = nullptr>
    static TzuPropInfo Int(const char* name) {
        TzuPropInfo p;
        p.name = name;
        p.kind = TzuPropKind::Integer;
        p.getOrd = &GetOrd<Get>;
        if constexpr (!std::is_same_v<decltype(Set), std::nullptr_t>) p.setOrd = &SetOrd<Set>;
        return p;
    }
    template <auto Get, auto Set = nullptr>
    static TzuPropInfo Float(const char* name) {
        TzuPropInfo p;
        p.name = name;
        p.kind = TzuPropKind::Float;
        p.getFloat = &GetFloat<Get>;
        if constexpr (!std::is_same_v<decltype(Set), std::nullptr_t>) {
            p.setFloat = &SetFloat<Set>;
            p.floatLimit =
                static_cast<double>(std::numeric_limits<typename detail::Setter<decltype(Set)>::Arg>::max());
        }
        return p;
    }
    template <auto Get, auto Set = nullptr>
    static TzuPropInfo Bool(const char* name) {
        TzuPropInfo p = Int<Get, Set>(name);
        p.kind = TzuPropKind::Enum;
        p.enumInfo = &kBooleanEnum;
        return p;
    }
    template <auto Get, auto Set = nullptr>
    static TzuPropInfo Enum(const char* name, const TzuEnumInfo& info) {
        TzuPropInfo p = Int<Get, Set>(name);
        p.kind = TzuPropKind::Enum;
        p.enumInfo = &info;
        return p;
    }
    // A set over info's values: bit n set means value n is a member.
    template <auto Get, auto Set = nullptr>
    static TzuPropInfo SetOf(const char* name, const TzuEnumInfo& info) {
        TzuPropInfo p = Int<Get, Set>(name);
        p.kind = TzuPropKind::Set;
        p.enumInfo = &info;
        return p;
    }
    template <auto Get, auto Set = nullptr>
    static TzuPropInfo String(const char* name) {
        TzuPropInfo p;
        p.name = name;
        p.kind = TzuPropKind::String;
        p.getStr = &GetStr<Get>;
        if constexpr (!std::is_same_v<decltype(Set), std::nullptr_t>) p.setStr = &SetStr<Set>;
        return p;
    }
    template <auto Get, auto Set = nullptr>
    static TzuPropInfo WString(const char* name) {
        TzuPropInfo p;
        p.name = name;
        p.kind = TzuPropKind::WString;
        p.getWStr = &GetWStr<Get>;
        if constexpr (!std::is_same_v<decltype(Set), std::nullptr_t>) p.setWStr = &SetWStr<Set>;
        return p;
    }
    // An owned sub-object (brush, font, bounds...): the getter returns a pointer to it.
    template <auto Get>
    static TzuPropInfo Object(const char* name) {
        using R = std::remove_pointer_t<typename detail::Getter<decltype(Get)>::Result>;
        TzuPropInfo p;
        p.name = name;
        p.kind = TzuPropKind::Object;
        p.getObj = &GetObj<Get>;
        p.objClass = &ClassOf<R>;
        return p;
    }
    // A reference to another component, streamed by name and resolved after loading.
    template <auto Get, auto Set = nullptr>
    static TzuPropInfo Reference(const char* name) {
        using R = std::remove_pointer_t<typename detail::Getter<decltype(Get)>::Result>;
        TzuPropInfo p;
        p.name = name;
        p.kind = TzuPropKind::Reference;
        p.getObj = &GetObj<Get>;
        if constexpr (!std::is_same_v<decltype(Set), std::nullptr_t>) p.setObj = &SetRef<Set>;
        p.objClass = &ClassOf<R>;
        return p;
    }
    // An event slot: the getter returns a reference to the TzuEvent member.
    template <auto Get>
    static TzuPropInfo Event(const char* name) {
        TzuPropInfo p;
        p.name = name;
        p.kind = TzuPropKind::Event;
        p.getEvent = &GetEvent<Get>;
        return p;
    }
    // An owned collection: the getter returns a pointer to a TzuCollection (or a subclass).
    template <auto Get>
    static TzuPropInfo Collection(const char* name) {
        TzuPropInfo p;
        p.name = name;
        p.kind = TzuPropKind::Collection;
        p.getCollection = [](TzuPersistent* o) -> TzuCollection* { return (static_cast<C*>(o)->*Get)(); };
        return p;
    }
    // A class-defined stream property: Read(const TzuStreamValue&), Write() const, and
    // Stored() const deciding whether it is written.
    template <auto Read, auto Write, auto Stored = nullptr>
    static TzuPropInfo Defined(const char* name) {
        TzuPropInfo p;
        p.name = name;
        p.kind = TzuPropKind::Defined;
        p.readValue = [](TzuPersistent* o, const TzuStreamValue& v) { (static_cast<C*>(o)->*Read)(v); };
        p.writeValue = [](const TzuPersistent* o) -> TzuStreamValue {
            return (static_cast<const C*>(o)->*Write)();
        };
        if constexpr (!std::is_same_v<decltype(Stored), std::nullptr_t>) p.isStored = &Pred<Stored>;
        return p;
    }

    template <auto P>
    static bool Pred(const TzuPersistent* o) {
        return (static_cast<const C*>(o)->*P)();
    }

private:
    template <class T>
    static const TzuClass* ClassOf() {
        return &T::StaticClass();
    }
    template <auto Get>
    static int64_t GetOrd(const TzuPersistent* o) {
        return detail::ToOrd((static_cast<const C*>(o)->*Get)());
    }
    template <auto Set>
    static void SetOrd(TzuPersistent* o, int64_t v) {
        using A = typename detail::Setter<decltype(Set)>::Arg;
        (static_cast<C*>(o)->*Set)(static_cast<A>(v));
    }
    template <auto Get>
    static double GetFloat(const TzuPersistent* o) {
        return static_cast<double>((static_cast<const C*>(o)->*Get)());
    }
    template <auto Set>
    static void SetFloat(TzuPersistent* o, double v) {
        using A = typename detail::Setter<decltype(Set)>::Arg;
        (static_cast<C*>(o)->*Set)(static_cast<A>(v));
    }
    template <auto Get>
    static std::string GetStr(const TzuPersistent* o) {
        return std::string((static_cast<const C*>(o)->*Get)());
    }
    template <auto Set>
    static void SetStr(TzuPersistent* o, const std::string& v) {
        (static_cast<C*>(o)->*Set)(v);
    }
    template <auto Get>
    static std::u16string GetWStr(const TzuPersistent* o) {
        return std::u16string((static_cast<const C*>(o)->*Get)());
    }
    template <auto Set>
    static void SetWStr(TzuPersistent* o, const std::u16string& v) {
        (static_cast<C*>(o)->*Set)(v);
    }
    template <auto Get>
    static TzuPersistent* GetObj(const TzuPersistent* o) {
        return const_cast<TzuPersistent*>(
            static_cast<const TzuPersistent*>((static_cast<const C*>(o)->*Get)()));
    }
    template <auto Set>
    static void SetRef(TzuPersistent* o, TzuPersistent* v) {
        using A = std::remove_pointer_t<typename detail::Setter<decltype(Set)>::Arg>;
        (static_cast<C*>(o)->*Set)(v ? As<A>(v) : nullptr);
    }
    template <auto Get>
    static TzuEventBase* GetEvent(TzuPersistent* o) {
        return &(static_cast<C*>(o)->*Get)();
    }
};

template <auto Pred>
TzuPropInfo TzuPropInfo::StoredIf() const {
    using C = typename detail::Getter<decltype(Pred)>::Class;
    TzuPropInfo p = *this;
    p.isStored = &ZuProps<C>::template Pred<Pred>;
    return p;
}

template <auto Get, auto Set>
TzuPropInfo TzuPropInfo::CopiedAs() const {
    using C = typename detail::Getter<decltype(Get)>::Class;
    TzuPropInfo p = *this;
    p.copyValue = [](const TzuPersistent* from, TzuPersistent* to) {
        (static_cast<C*>(to)->*Set)((static_cast<const C*>(from)->*Get)());
        return true;
    };
    return p;
}

template <auto Copy>
TzuPropInfo TzuPropInfo::CopiedBy() const {
    using C = typename detail::Copier<decltype(Copy)>::Class;
    TzuPropInfo p = *this;
    p.copyValue = [](const TzuPersistent* from, TzuPersistent* to) {
        return (static_cast<C*>(to)->*Copy)(*static_cast<const C*>(from));
    };
    return p;
}

namespace detail {
template <class C>
TzuPersistent* Create(TzuComponent* owner) {
    if constexpr (std::is_constructible_v<C, TzuComponent*>)
        return new C(owner);
    else
        return new C();
}
}  // namespace detail

// The class description of C with base B. The factory is made when C is concrete:
// components are created with their owner, value objects without.
template <class C, class B>
TzuClass ZuClass(const char* name, std::span<const TzuPropInfo> props = {},
                 std::span<const TzuMethodInfo> methods = {}) {
    TzuClass c{name,
               &B::StaticClass(),
               props.data(),
               static_cast<int>(props.size()),
               nullptr,
               methods.data(),
               static_cast<int>(methods.size())};
    if constexpr (!std::is_abstract_v<C> &&
                  (std::is_constructible_v<C, TzuComponent*> || std::is_default_constructible_v<C>)) {
        c.create = &detail::Create<C>;
    }
    return c;
}

// ---- Access by name and path -------------------------------------------------------

// A property resolved on a particular object; empty (prop == nullptr) when not found.
struct TzuPropRef {
    TzuPersistent* object = nullptr;
    const TzuPropInfo* prop = nullptr;
    explicit operator bool() const { return prop != nullptr; }
};

// Resolves a dotted path ("Fill.Color", "Parent.Position.Y") starting at obj, walking
// through Object and Reference properties. Done once; writes then go through the result.
TzuPropRef ResolveProperty(TzuPersistent* obj, std::string_view path);

// Value access on a resolved property, converting between kinds the way streams and
// triggers do (numbers <-> text, enumeration names <-> ordinals). They return false
// (and change nothing) when the value does not fit the property.
bool SetPropValue(const TzuPropRef& ref, const TzuVariant& value);
TzuVariant GetPropValue(const TzuPropRef& ref);
// Text form of a property value: numbers in "." notation, enumeration value names,
// "True"/"False", sets as "[a,b]", object references by name.
std::string GetPropText(const TzuPropRef& ref);
bool SetPropText(const TzuPropRef& ref, std::string_view text);

// What decides whether a property is written, before its value is read: never (not
// stored, its stored-test says no, or nothing could set or write it), whatever the value,
// or unless the value is the default.
enum class TzuStoreRule { Never, UnlessDefault, Always };
inline TzuStoreRule PropStoreRule(const TzuPersistent* obj, const TzuPropInfo& p) {
    if (!p.stored) return TzuStoreRule::Never;
    if (p.isStored && !p.isStored(obj)) return TzuStoreRule::Never;
    bool writable = true;
    switch (p.kind) {
        case TzuPropKind::Integer:
        case TzuPropKind::Enum:
        case TzuPropKind::Set: writable = p.setOrd != nullptr; break;
        case TzuPropKind::Float: writable = p.setFloat != nullptr; break;
        case TzuPropKind::String: writable = p.setStr != nullptr; break;
        case TzuPropKind::WString: writable = p.setWStr != nullptr; break;
        case TzuPropKind::Reference: writable = p.setObj != nullptr; break;
        // A defined property is written by its own function; without one there is nothing to write.
        case TzuPropKind::Defined: writable = p.writeValue != nullptr; break;
        case TzuPropKind::Object:
        case TzuPropKind::Event:
        case TzuPropKind::Collection: break;
    }
    if (!writable) return TzuStoreRule::Never;
    return p.always && !p.ReadOnly() ? TzuStoreRule::Always : TzuStoreRule::UnlessDefault;
}

// Whether the property should be written for this object: stored, not read-only (except
// objects, events and defined properties) and not at its default.
bool IsPropStored(const TzuPersistent* obj, const TzuPropInfo& prop);

// Visits every published property of obj's class, base classes first.
template <class F>
void ForEachProperty(const TzuClass& cls, F&& fn) {
    if (cls.parent) ForEachProperty(*cls.parent, fn);
    for (int i = 0; i < cls.propCount; ++i) fn(cls.props[i]);
}

}  // namespace zu
