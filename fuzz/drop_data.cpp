// Dropped data from other programs: the first byte picks a URI list or text, the rest is
// the selection's bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/gtk/drop_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto decoded =
        zu::DecodeDropData(data[0] & 1 ? "text/uri-list" : "text/plain;charset=utf-8", bytes);
    // Whatever is delivered is something: a name or a text.
    if (decoded && decoded->Files.empty() && decoded->Text.empty()) __builtin_trap();
    return 0;
}
