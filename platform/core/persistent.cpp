#include "platform/core/persistent.h"

#include <memory>
#include <vector>

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

bool ContainsText(std::string_view text, std::string_view part) {
    if (part.size() > text.size()) return false;
    if (part.empty()) return true;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    const char first = lower(part[0]);
    // Compared in place: this runs for every trigger animation on every hover.
    for (size_t i = 0; i + part.size() <= text.size(); ++i) {
        if (lower(text[i]) != first) continue;
        size_t k = 1;
        while (k < part.size() && lower(text[i + k]) == lower(part[k])) ++k;
        if (k == part.size()) return true;
    }
    return false;
}

bool TzuClass::InheritsFrom(const TzuClass& other) const {
    for (const TzuClass* c = this; c; c = c->parent) {
        if (c == &other) return true;
    }
    return false;
}

namespace {

uint32_t NameHash(std::string_view name) {
    uint32_t h = 2166136261u;
    for (char c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return h;
}

// Open-addressing table from property name to entry, over a class and its bases; a
// derived class's entry hides a base entry of the same name.
struct PropIndex {
    std::vector<const TzuPropInfo*> slots;
    uint32_t mask = 0;
    std::vector<const TzuPropInfo*> stored;  // write order
};

const TzuPropInfo* Lookup(const PropIndex& index, std::string_view name) {
    for (uint32_t k = NameHash(name) & index.mask;; k = (k + 1) & index.mask) {
        const TzuPropInfo* p = index.slots[k];
        if (!p || SameText(p->name, name)) return p;
    }
}

std::vector<std::unique_ptr<PropIndex>>& AllIndexes() {
    static std::vector<std::unique_ptr<PropIndex>> all;
    return all;
}

const PropIndex& IndexOf(const TzuClass& cls) {
    if (cls.propIndex) return *static_cast<const PropIndex*>(cls.propIndex);
    auto index = std::make_unique<PropIndex>();
    size_t count = 0;
    for (const TzuClass* c = &cls; c; c = c->parent) count += static_cast<size_t>(c->propCount);
    size_t size = 8;
    while (size < count * 2) size *= 2;
    index->slots.assign(size, nullptr);
    index->mask = static_cast<uint32_t>(size - 1);
    for (const TzuClass* c = &cls; c; c = c->parent) {
        for (int i = 0; i < c->propCount; ++i) {
            const TzuPropInfo* p = &c->props[i];
            for (uint32_t k = NameHash(p->name) & index->mask;; k = (k + 1) & index->mask) {
                if (!index->slots[k]) {
                    index->slots[k] = p;
                    break;
                }
                if (SameText(index->slots[k]->name, p->name)) break;  // hidden by a derived class
            }
        }
    }
    // Writing walks this list for every object; a flat list keeps it off the class chain.
    std::vector<const TzuClass*> chain;
    for (const TzuClass* c = &cls; c; c = c->parent) chain.insert(chain.begin(), c);
    for (bool defined : {false, true}) {
        for (const TzuClass* c : chain) {
            for (int i = 0; i < c->propCount; ++i) {
                const TzuPropInfo* p = &c->props[i];
                if (p->stored && (p->kind == TzuPropKind::Defined) == defined && Lookup(*index, p->name) == p)
                    index->stored.push_back(p);
            }
        }
    }
    cls.propIndex = index.get();
    AllIndexes().push_back(std::move(index));
    return *AllIndexes().back();
}

}  // namespace

const TzuPropInfo* TzuClass::FindProperty(std::string_view name) const {
    return Lookup(IndexOf(*this), name);
}

std::span<const TzuPropInfo* const> TzuClass::StoredProperties() const { return IndexOf(*this).stored; }

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
