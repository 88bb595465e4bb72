// Feeds path data to its two readers. The first byte picks the form: even for the text
// form, odd for the binary "Path" block; the rest is the input. Besides not crashing,
// whatever a reader accepts must survive being written and read again: exactly for the
// binary form, within the three written decimals for the text form.

#include "scene/zu_scene/graphics/path_data.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace zu;

void Check(bool ok) {
    if (!ok) std::abort();
}

// Writing rounds to three decimals; reading back rounds to the nearest single.
bool Near(float a, float b) { return std::fabs(a - b) <= 0.000501f + std::fabs(a) * 1.2e-7f; }

// Measuring must not crash either, whatever was read.
void Measure(const TzuPathData& path) {
    (void)path.GetBounds();
    (void)path.FlattenToPolygon(0.25f);
}

void FuzzText(std::string_view text) {
    TzuPathData first;
    const bool complete = first.ParseData(text);
    Measure(first);
    if (!complete) return;
    const std::string written = first.GetData();
    TzuPathData second;
    Check(second.ParseData(written));
    const auto& a = first.Points();
    const auto& b = second.Points();
    Check(a.size() == b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        Check(a[i].Kind == b[i].Kind);
        Check(Near(a[i].Point.X, b[i].Point.X) && Near(a[i].Point.Y, b[i].Point.Y));
    }
}

void FuzzBinary(const uint8_t* data, size_t size) {
    TzuPathData first;
    if (!first.LoadFromBytes(TzuBytes(data, data + size))) {
        Check(first.IsEmpty());
        return;
    }
    Measure(first);
    (void)first.GetData();
    const TzuBytes written = first.SaveToBytes();
    TzuPathData second;
    Check(second.LoadFromBytes(written));
    Check(second.Points() == first.Points());
    Check(second.SaveToBytes() == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    if (data[0] % 2 == 0)
        FuzzText(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    else
        FuzzBinary(data + 1, size - 1);
    return 0;
}
