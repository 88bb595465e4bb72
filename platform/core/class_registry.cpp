#include "platform/core/class_registry.h"

#include <map>
#include <string>

namespace zu {

namespace {
std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return out;
}

std::map<std::string, const TzuClass*>& Registry() {
    static std::map<std::string, const TzuClass*> registry;
    return registry;
}
}  // namespace

void RegisterClass(const TzuClass& cls) { Registry()[Lower(cls.name)] = &cls; }

const TzuClass* FindClass(std::string_view name) {
    auto& r = Registry();
    auto it = r.find(Lower(name));
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
