#include "platform/core/persistent.h"

#include "platform/core/event.h"
#include "platform/core/property.h"

namespace zu {

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

bool TzuClass::InheritsFrom(const TzuClass& other) const {
    for (const TzuClass* c = this; c; c = c->parent) {
        if (c == &other) return true;
    }
    return false;
}

const TzuPropInfo* TzuClass::FindProperty(std::string_view name) const {
    for (const TzuClass* c = this; c; c = c->parent) {
        for (int i = 0; i < c->propCount; ++i) {
            if (SameText(c->props[i].name, name)) return &c->props[i];
        }
    }
    return nullptr;
}

const TzuMethodInfo* TzuClass::FindMethod(std::string_view name) const {
    for (const TzuClass* c = this; c; c = c->parent) {
        for (int i = 0; i < c->methodCount; ++i) {
            if (SameText(c->methods[i].name, name)) return &c->methods[i];
        }
    }
    return nullptr;
}

const TzuClass& TzuPersistent::StaticClass() {
    static const TzuClass cls{"TPersistent", nullptr};
    return cls;
}

void TzuPersistent::Assign(const TzuPersistent& source) {
    throw EzuError(std::string("Cannot assign a ") + source.ClassName() + " to a " + ClassName());
}

}  // namespace zu
