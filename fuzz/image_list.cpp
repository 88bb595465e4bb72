// Feeds arbitrary bytes to an image list as its streamed image set: the read must either
// take every image or raise and leave the list as it was, never crash or allocate for an
// unchecked count. What it takes must write back to the same bytes.

#include "scene/zu_scene/graphics/image_list.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "scene/zu_scene/graphics/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = [] {
        zu::RegisterCairoBackend();
        return true;
    }();
    (void)registered;
    zu::TzuImageList images(nullptr);
    images.SetSize(2, 2);
    images.Add(zu::TzuBitmap(2, 2));
    try {
        images.ReadImages(zu::TzuBytes(data, data + size));
    } catch (const zu::EzuError&) {
        if (images.Count() != 1 || images.Width() != 2 || images.Height() != 2) std::abort();
        return 0;
    }
    zu::TzuImageList copy(nullptr);
    copy.ReadImages(images.WriteImages());
    if (copy.Count() != images.Count() || copy.Width() != images.Width()) std::abort();
    return 0;
}
