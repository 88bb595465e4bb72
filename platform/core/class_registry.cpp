#include "platform/core/class_registry.h"

#include <map>
#include <string>
#include <unordered_map>

namespace zu {

namespace {
std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return out;
}

// Case-blind hashing and comparison, so a lookup needs no lowered copy of the name. The
// hash takes the length and the last bytes (class names share their first ones); bit 5
// set makes both cases of a letter equal.
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const {
        size_t h = s.size();
        const size_t from = s.size() > 12 ? s.size() - 12 : 0;
        for (size_t i = from; i < s.size(); ++i)
            h = (h ^ (static_cast<unsigned char>(s[i]) | 0x20u)) * 1099511628211u;
        return h ^ (h >> 29);
    }
};
struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

// Sorted by lowered name for listing; the hashed table answers lookups while streams load.
std::map<std::string, const TzuClass*>& Registry() {
    static std::map<std::string, const TzuClass*> registry;
    return registry;
}
std::unordered_map<std::string, const TzuClass*, NameHash, NameEqual>& Lookup() {
    static std::unordered_map<std::string, const TzuClass*, NameHash, NameEqual> lookup;
    return lookup;
}
unsigned g_generation = 1;  // moves on with every registration
}  // namespace

void RegisterClass(const TzuClass& cls) {
    ++g_generation;
    std::string key = Lower(cls.name);
    Registry()[key] = &cls;
    Lookup()[std::move(key)] = &cls;
}

bool IsRegisteredClass(const TzuClass& cls) {
    if (cls.registeredIn == g_generation) return true;
    if (FindClass(cls.name) != &cls) return false;
    cls.registeredIn = g_generation;
    return true;
}

const TzuClass* FindClass(std::string_view name) {
    auto& r = Lookup();
    auto it = r.find(name);
    return it == r.end() ? nullptr : it->second;
}

TzuPersistent* CreateObject(std::string_view className, TzuComponent* owner) {
    const TzuClass* cls = FindClass(className);
    return cls && cls->create ? cls->create(owner) : nullptr;
}

std::vector<const TzuClass*> RegisteredClasses() {
    std::vector<const TzuClass*> out;
    for (auto& [name, cls] : Registry()) out.push_back(cls);
    return out;
}

}  // namespace zu
