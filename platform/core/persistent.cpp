#include "platform/core/persistent.h"

#include <memory>
#include <vector>

#include "platform/core/event.h"
#include "platform/core/property.h"

namespace zu {

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x == y) continue;
        // Two bytes that differ only in bit 5 are the two cases of a letter, or differ.
        const unsigned lower = x | 0x20u;
        if ((x ^ y) != 0x20u || lower < 'a' || lower > 'z') return false;
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

// Case-blind hash of a property name from its length and three of its bytes, so it costs
// the same for every name; setting bit 5 makes the two cases of a letter equal. Names
// that collide only cost a comparison.
uint32_t NameHash(std::string_view name) {
    const size_t n = name.size();
    if (n == 0) return 0;
    auto at = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(name[i]) | 0x20u); };
    const uint32_t h = static_cast<uint32_t>(n) ^ (at(0) << 8) ^ (at(n / 2) << 16) ^ (at(n - 1) << 24);
    return (h * 0x9E3779B1u) ^ ((h * 0x9E3779B1u) >> 15);
}

// Open-addressing table from property name to entry, over a class and its bases; a
// derived class's entry hides a base entry of the same name. Each slot keeps the name's
// hash and length, so a probe compares text only when both already agree.
struct PropSlot {
    const TzuPropInfo* prop = nullptr;
    uint32_t hash = 0;
    uint32_t length = 0;
};

struct PropIndex {
    std::vector<PropSlot> slots;
    uint32_t mask = 0;
    std::vector<TzuStoredProp> stored;  // write order
};

const TzuPropInfo* Lookup(const PropIndex& index, std::string_view name) {
    const uint32_t hash = NameHash(name);
    for (uint32_t k = hash & index.mask;; k = (k + 1) & index.mask) {
        const PropSlot& slot = index.slots[k];
        if (!slot.prop) return nullptr;
        if (slot.hash != hash || slot.length != name.size()) continue;
        if (SameText(std::string_view(slot.prop->name, slot.length), name)) return slot.prop;
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
    index->slots.assign(size, PropSlot{});
    index->mask = static_cast<uint32_t>(size - 1);
    for (const TzuClass* c = &cls; c; c = c->parent) {
        for (int i = 0; i < c->propCount; ++i) {
            const TzuPropInfo* p = &c->props[i];
            const std::string_view name(p->name);
            const uint32_t hash = NameHash(name);
            for (uint32_t k = hash & index->mask;; k = (k + 1) & index->mask) {
                PropSlot& slot = index->slots[k];
                if (!slot.prop) {
                    slot = PropSlot{p, hash, static_cast<uint32_t>(name.size())};
                    break;
                }
                if (SameText(slot.prop->name, name)) break;  // hidden by a derived class
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
                if ((p->kind == TzuPropKind::Defined) != defined || Lookup(*index, p->name) != p) continue;
                // The rule without the object's own test, which runs for every object.
                TzuPropInfo general = *p;
                general.isStored = nullptr;
                const TzuStoreRule rule = PropStoreRule(nullptr, general);
                if (rule != TzuStoreRule::Never)
                    index->stored.push_back(
                        TzuStoredProp{p, p->name, p->isStored, rule == TzuStoreRule::Always});
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

std::span<const TzuStoredProp> TzuClass::StoredProperties() const { return IndexOf(*this).stored; }

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
