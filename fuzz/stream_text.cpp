// Converts arbitrary text to the binary component stream. Input the conversion refuses
// with an error is a result like any other; input it accepts must convert back to text,
// and that text to the very same bytes, since the two conversions are meant to be exact
// inverses.

#include "platform/core/stream_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/persistent.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<uint8_t> binary;
    try {
        binary = zu::ObjectTextToBinary(text);
    } catch (const zu::EzuError&) {
        return 0;
    }
    const std::string written = zu::ObjectBinaryToText(binary);  // must not raise
    if (zu::ObjectTextToBinary(written) != binary) std::abort();
    return 0;
}
