#pragma once
// TzuTypeAhead finds an item by the letters typed at a list: letters typed within a second
// of each other make one prefix, matched without regard to case; a fresh letter searches
// from after the current item, a growing prefix from the current item itself, and one
// letter repeated steps through the items starting with it. The list owns it.

#include <cstdint>
#include <functional>
#include <string>

namespace zu {

class TzuTypeAhead {
public:
    // Whether a prefix is being typed (a blank then belongs to it).
    bool Active() const;
    // The index of the item matched after typing c, or -1; text(i) gives item i's text,
    // or null for an item that cannot be chosen.
    int Type(char16_t c, int count, int current, const std::function<const std::u16string*(int)>& text);

private:
    int Search(int from, int count, const std::function<const std::u16string*(int)>& text) const;

    std::u16string m_typed;
    int64_t m_at = 0;
};

}  // namespace zu
