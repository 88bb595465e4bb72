// Finding an object by resource name below another one. Style roots hold a hundred styles
// with their parts, and every control that is styled searches them: a subtree that takes
// a second long walk keeps an index of the first object under each name in the walk's own
// order, so the answer is the one the walk would give.

#include <memory>
#include <string_view>
#include <unordered_map>

#include "platform/core/persistent.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {

namespace {

// Hashes the ASCII lower case, so names equal under SameText hash alike.
struct NameHash {
    size_t operator()(std::string_view s) const {
        uint64_t h = 14695981039346656037ull;
        for (char c : s) {
            const auto b = static_cast<unsigned char>(c);
            h = (h ^ (b >= 'A' && b <= 'Z' ? b | 0x20u : b)) * 1099511628211ull;
        }
        return static_cast<size_t>(h);
    }
};

struct NameEqual {
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

// Below this many objects a walk costs less than keeping an index.
constexpr size_t kIndexFromVisited = 48;
constexpr uint32_t kStaleWalksBeforeRebuild = 4;

}  // namespace

// The first object under each name below one object. Keys view the objects' own names:
// they are only read while the index is valid, that is while no name below has changed.
struct TzuNameIndex {
    std::unordered_map<std::string_view, TzuObject*, NameHash, NameEqual> first;
    // Lookups served since the last build, and long walks made while it was stale: a
    // subtree that changes between all its lookups is not indexed again on every walk.
    uint32_t hits = 0;
    uint32_t staleWalks = 0;
};

namespace {

// Never freed: objects may go during static destruction.
std::unordered_map<const TzuObject*, std::unique_ptr<TzuNameIndex>>& NameIndexes() {
    static auto* indexes = new std::unordered_map<const TzuObject*, std::unique_ptr<TzuNameIndex>>;
    return *indexes;
}

TzuNameIndex& IndexOf(const TzuObject* o) { return *NameIndexes().find(o)->second; }

}  // namespace

TzuObject* TzuObject::FindResource(std::string_view name) {
    if (name.empty()) return nullptr;
    if (HasValidNameIndex()) return IndexedLookup(name);
    size_t visited = 0;
    TzuObject* found = FindResourceBelow(name, visited);
    if (visited >= kIndexFromVisited) IndexNamesIfWorthIt();
    return found;
}

TzuObject* TzuObject::FindResourceOutside(std::string_view name, const TzuObject* searched) {
    // An index gives the first match in walk order; nothing matches below `searched`, so
    // that is the first match outside it too.
    if (name.empty() || HasValidNameIndex()) return FindResource(name);
    size_t visited = 0;
    TzuObject* found = FindResourceBelow(name, visited, searched);
    if (visited >= kIndexFromVisited) IndexNamesIfWorthIt();
    return found;
}

TzuObject* TzuObject::IndexedLookup(std::string_view name) const {
    TzuNameIndex& index = IndexOf(this);
    ++index.hits;
    auto it = index.first.find(name);
    return it == index.first.end() ? nullptr : it->second;
}

TzuObject* TzuObject::FindResourceBelow(std::string_view name, size_t& visited, const TzuObject* skip) {
    for (int i = 0; i < ChildrenCount(); ++i) {
        TzuObject* child = (*m_children)[static_cast<size_t>(i)];
        ++visited;
        // Most names differ in length: that test saves the call for nearly every object.
        if (child->m_resourceName.size() == name.size() && SameText(child->m_resourceName, name))
            return child;
        // Style parts of a control belong to it: the search does not enter controls.
        if (child->IsControl() || child == skip) continue;
        if (child->HasValidNameIndex()) {
            if (TzuObject* found = child->IndexedLookup(name)) return found;
        } else if (TzuObject* found = child->FindResourceBelow(name, visited)) {
            return found;
        }
    }
    return nullptr;
}

void TzuObject::IndexNamesIfWorthIt() {
    std::unique_ptr<TzuNameIndex>& slot = NameIndexes()[this];
    if (!slot) {
        // The first long walk is only noted: a subtree searched once (the default style
        // read for the first control) costs no more than that walk.
        slot = std::make_unique<TzuNameIndex>();
        m_hasNameIndex = true;
        return;
    }
    if (m_nameIndexBuilt && slot->hits == 0 && ++slot->staleWalks < kStaleWalksBeforeRebuild) return;
    slot->first.clear();
    slot->hits = 0;
    slot->staleWalks = 0;
    m_nameIndexBuilt = true;
    m_namesClean = true;
    AddNamesBelow(*slot);
}

// Adds the names below this object in search order and marks the part walked as clean. A
// child with a valid index of its own gives its entries: each is the first in its
// subtree, and names met earlier in the walk keep their place. A child's stale index is
// dropped, as the walk is about to mark it clean.
void TzuObject::AddNamesBelow(TzuNameIndex& index) {
    for (int i = 0; i < ChildrenCount(); ++i) {
        TzuObject* child = (*m_children)[static_cast<size_t>(i)];
        if (!child->m_resourceName.empty()) index.first.try_emplace(child->m_resourceName, child);
        if (child->IsControl()) continue;
        if (child->HasValidNameIndex()) {
            for (const auto& [name, found] : IndexOf(child).first) index.first.try_emplace(name, found);
            continue;
        }
        child->DropNameIndex();
        child->m_namesClean = true;
        child->AddNamesBelow(index);
    }
}

void TzuObject::NamesChanged() {
    // An object that is not clean has no clean ancestor that depends on it: stop there.
    for (TzuObject* o = this; o && o->m_namesClean; o = o->m_parent) o->m_namesClean = false;
}

void TzuObject::DropNameIndex() {
    if (!m_hasNameIndex) return;
    m_hasNameIndex = false;
    m_nameIndexBuilt = false;
    NameIndexes().erase(this);
}

}  // namespace zu
