// Feeds value texts to their parsers. The first byte picks the parser ('0' colour,
// '1' number, '2' point, '3' rectangle, '4' tokens); the rest is the text. Besides not
// crashing, whatever a parser accepts must survive being written and read again.

#include "scene/zu_scene/types/value_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scene/zu_scene/types/colour.h"

namespace {

using namespace zu;

void Check(bool ok) {
    if (!ok) std::abort();
}

bool Near(float a, float b) { return std::fabs(a - b) <= 0.001f + std::fabs(a) * 2e-7f; }

void FuzzColour(std::string_view text) {
    TzuColor c = TextToColor(text);
    std::string written = ColorToText(c);
    Check(written.size() == 9 && written[0] == '#');
    Check(TextToColor(written) == c);
}

void FuzzFloat(std::string_view text) {
    double v;
    if (!TryTextToFloat(text, v)) return;
    Check(std::isfinite(v));
    // Writing may round to three decimals once; after that the value must be stable.
    double once;
    Check(TryTextToFloat(FloatToText(v), once));
    Check(std::fabs(once - v) <= 0.0005 + std::fabs(v) * 1e-15);
    double twice;
    Check(TryTextToFloat(FloatToText(once), twice));
    Check(twice == once);
}

void FuzzPoint(std::string_view text) {
    TzuPoint p = TextToPoint(text);
    TzuPoint once = TextToPoint(PointToText(p));
    Check(Near(p.X, once.X) && Near(p.Y, once.Y));
    Check(TextToPoint(PointToText(once)) == once);
}

void FuzzRect(std::string_view text) {
    TzuRect r = TextToRect(text);
    TzuRect once = TextToRect(RectToText(r));
    Check(Near(r.Left, once.Left) && Near(r.Top, once.Top) && Near(r.Right, once.Right) &&
          Near(r.Bottom, once.Bottom));
    Check(TextToRect(RectToText(once)) == once);
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

void FuzzTokens(std::string_view text) {
    const std::string_view delimiters = ",()", stops = "=";
    std::string rest(text);
    while (!rest.empty()) {
        size_t before = rest.size();
        std::string token = NextToken(rest, delimiters, stops);
        Check(token.find_first_of(",()=") == std::string::npos);
        Check(token.empty() || (!IsBlank(token.front()) && !IsBlank(token.back())));
        Check(rest.empty() || (!IsBlank(rest.front()) && !IsBlank(rest.back())));
        if (!rest.empty() && rest[0] == '=') {
            rest.erase(0, 1);  // a caller steps over the stop itself
        } else {
            Check(rest.size() < before);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (static_cast<uint8_t>(data[0] - '0') % 5) {
        case 0: FuzzColour(text); break;
        case 1: FuzzFloat(text); break;
        case 2: FuzzPoint(text); break;
        case 3: FuzzRect(text); break;
        case 4: FuzzTokens(text); break;
    }
    return 0;
}
