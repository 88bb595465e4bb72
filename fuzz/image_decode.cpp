// Feeds arbitrary bytes to the image filter's decoder: it must fail or succeed cleanly,
// never crash, hang or allocate for an unchecked header.

#include <cstddef>
#include <cstdint>
#include <span>

#include "backend/zu_canvas_cairo/filter_pixbuf.h"
#include "scene/zu_scene/graphics/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zu::TzuFilterPixbuf filter;
    zu::TzuBitmap bitmap;
    filter.LoadFromStream(std::span<const uint8_t>(data, size), bitmap);
    return 0;
}
