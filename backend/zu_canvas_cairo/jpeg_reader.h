#pragma once
// Reads JPEG files straight into a bitmap, scanline by scanline, so a decoded photo is
// held once. Grey and colour files come out as opaque B,G,R,A; four-channel (CMYK) files
// are taken as inverted, as the common editors write them.

#include <cstdint>
#include <span>

namespace zu {

class TzuBitmap;

// Decodes a whole JPEG file into bitmap. maxPixels bounds the image, checked from its
// header before anything is allocated. Fails, leaving the bitmap as it was, for damaged,
// truncated or too large images.
bool ReadJpeg(std::span<const uint8_t> data, int64_t maxPixels, TzuBitmap& bitmap);

}  // namespace zu
