#pragma once
// ChildrenOf<T>(parent) walks the children of parent that are of class T, typed, in child
// order: `for (TzuVisualObject* v : ChildrenOf<TzuVisualObject>(*this))`. The walk goes by
// index and reads the child count at each step, so a child added during the walk is
// visited and one removed ends or shortens it safely, as an index loop would.

#include <iterator>
#include <type_traits>

#include "scene/zu_scene/tree/object.h"

namespace zu {

class TzuVisualObject;

template <class T>
class TzuChildRange {
public:
    class Iterator {
    public:
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        Iterator(const TzuObject* parent, int index) : m_parent(parent), m_index(index) { Skip(); }
        T* operator*() const { return static_cast<T*>(m_parent->Children(m_index)); }
        Iterator& operator++() {
            ++m_index;
            Skip();
            return *this;
        }
        // Any iterator at or past the last child equals the end.
        bool operator==(std::default_sentinel_t) const { return m_index >= m_parent->ChildrenCount(); }

    private:
        static bool Matches(TzuObject* child) {
            if constexpr (std::is_same_v<T, TzuObject>) {
                return true;
            } else if constexpr (std::is_same_v<T, TzuVisualObject>) {
                return child->IsVisual();  // one flag instead of a class walk
            } else {
                return As<T>(child) != nullptr;
            }
        }
        void Skip() {
            while (m_index < m_parent->ChildrenCount() && !Matches(m_parent->Children(m_index))) ++m_index;
        }
        const TzuObject* m_parent;
        int m_index;
    };

    explicit TzuChildRange(const TzuObject& parent) : m_parent(&parent) {}
    Iterator begin() const { return Iterator(m_parent, 0); }
    std::default_sentinel_t end() const { return {}; }

private:
    const TzuObject* m_parent;
};

template <class T>
TzuChildRange<T> ChildrenOf(const TzuObject& parent) {
    return TzuChildRange<T>(parent);
}

}  // namespace zu
