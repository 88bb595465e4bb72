#pragma once
// Keys the focused object takes itself before dialog receivers (default and cancel buttons,
// arrow navigation) and Tab navigation see them: a multi-line editor keeps Enter, the
// arrows and, when asked, Tab. The units above the scene install a question for their own
// classes; the scene asks each installed question about the focused object.

#include <cstdint>

#include "platform/core/window.h"

namespace zu {

class TzuVisualObject;

using TzuOwnKeyHook = bool (*)(TzuVisualObject* focused, uint16_t key, TzuShiftState shift);

// Adds a question; adding the same one twice keeps one.
void AddOwnKeyHook(TzuOwnKeyHook hook);
// True when an installed question says the focused object takes the key.
bool FocusedTakesKey(TzuVisualObject* focused, uint16_t key, TzuShiftState shift);

}  // namespace zu
