#pragma once
// The hook through which scene objects tell an accessibility bridge what changed. The
// bridge (a higher unit) installs it; without one each report is a test of a null pointer,
// so scenes nobody reads aloud pay nothing.

#include <cstdint>
#include <string_view>

namespace zu {

class TzuObject;

enum class TzuAccessChange : uint8_t {
    State,     // a named state was announced ("IsChecked", "IsPressed", ...)
    Focus,     // the object gained or lost the focus
    Value,     // the value of a range control moved
    Text,      // the text (or the caption) of a control changed
    Children,  // a child was added to or removed from the object
};

using TzuAccessNotify = void (*)(TzuObject* object, TzuAccessChange change, std::string_view state);

void SetAccessNotify(TzuAccessNotify hook);

namespace detail {
extern TzuAccessNotify g_accessNotify;
}

inline void NotifyAccess(TzuObject* object, TzuAccessChange change, std::string_view state = {}) {
    if (detail::g_accessNotify) detail::g_accessNotify(object, change, state);
}

}  // namespace zu
