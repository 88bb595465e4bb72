// Feeds SVG path text to its reader. Besides not crashing, whatever was read (a whole
// text or the part before its first error) must come back exactly from its canonical
// text, and the canonical text must be read whole.

#include "scene/zu_scene/graphics/svg_path.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scene/zu_scene/graphics/path_data.h"

namespace {

using namespace zu;

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TzuPathData first;
    (void)ParseSvgPath(text, first);
    (void)first.GetBounds();
    (void)first.FlattenToPolygon(0.25f);
    const std::string canonical = SvgPathText(first);
    TzuPathData second;
    Check(ParseSvgPath(canonical, second));
    Check(second.Points() == first.Points());
    Check(SvgPathText(second) == canonical);
    return 0;
}
