#pragma once
// The text shaper's cursor positions (Pango's log attributes) for the text controls,
// installed as the cursor-stops hook by RegisterCairoBackend.

#include <cstdint>
#include <string_view>
#include <vector>

namespace zu {

void PangoCursorStops(std::u16string_view text, std::vector<uint8_t>& stops);

}  // namespace zu
