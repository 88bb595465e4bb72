#pragma once
// Where a caret may stand inside a text: between user-perceived characters, never inside
// a surrogate pair or between a base character and its combining marks. Caret steps,
// deletions and selections of the text controls move by these positions. The rendering
// backend installs a hook that asks its text shaper; without one a built-in rule keeps
// surrogate pairs and the common combining marks together.

#include <cstdint>
#include <string_view>
#include <vector>

namespace zu {

// Fills stops with text.size() + 1 flags: stops[i] is true when the caret may stand before
// UTF-16 unit i. Position 0 and text.size() are always stops.
using TzuCursorStopsHook = void (*)(std::u16string_view text, std::vector<uint8_t>& stops);
void SetCursorStopsHook(TzuCursorStopsHook hook);
TzuCursorStopsHook CursorStopsHook();

// The flags for the whole text (through the hook, else the built-in rule).
std::vector<uint8_t> CursorStops(std::u16string_view text);
// The next cursor position after pos (text.size() at the end), and the previous one
// before pos (0 at the start). Only a short stretch around pos is examined, so a step
// costs the same in a long text as in a short one. pos is clamped into 0..size.
int NextCursorPos(std::u16string_view text, int pos);
int PrevCursorPos(std::u16string_view text, int pos);
// pos itself when it is a cursor position, else the previous one.
int CursorPosAtOrBefore(std::u16string_view text, int pos);

}  // namespace zu
