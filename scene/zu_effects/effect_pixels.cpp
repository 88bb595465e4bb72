#include "scene/zu_effects/effect_pixels.h"

#include <vector>

#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

void BlurredSilhouette(TzuBitmap& bitmap, TzuColor color, int radius, int dx, int dy) {
    const std::vector<uint8_t> mask = bitmap.CreateAlphaMask();
    bitmap.FillColor(color);
    StackBlur(bitmap, radius);
    bitmap.ApplyAlphaMask(mask, dx, dy);
}

}  // namespace zu
