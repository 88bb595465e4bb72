#pragma once
// What quillorn-display and the programs that hand it text agree on: the title a sender
// finds the window by, the copy-data tag the display acts on and the shape of the payload
// (two lines of 20 UTF-16 units each).

#include <array>
#include <cstddef>
#include <cstdint>

namespace zu {

inline constexpr char kDisplayTitle[] = "QuillornDisplay";
inline constexpr uint32_t kDisplayCopyDataTag = 53456;
inline constexpr int kDisplayLineUnits = 20;
inline constexpr size_t kDisplayPayloadBytes = 2 * kDisplayLineUnits * 2;

// The title as the form's caption takes it.
inline constexpr auto kDisplayCaptionUnits = [] {
    std::array<char16_t, sizeof kDisplayTitle> units{};
    for (size_t i = 0; i < sizeof kDisplayTitle; ++i) units[i] = char16_t(kDisplayTitle[i]);
    return units;
}();
inline constexpr const char16_t* kDisplayCaption = kDisplayCaptionUnits.data();

}  // namespace zu
