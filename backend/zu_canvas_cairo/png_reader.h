#pragma once
// Reads PNG files straight into a bitmap, row by row, so a decoded image is held once:
// no decoder copy beside the bitmap. Colour is taken as stored (no gamma correction),
// 16-bit samples are cut to 8 and every colour type ends as premultiplied B,G,R,A.

#include <cstdint>
#include <span>

namespace zu {

class TzuBitmap;

// Decodes a whole PNG file into bitmap. maxPixels bounds the image, checked from its
// header before anything is allocated. Fails, leaving the bitmap as it was, for damaged,
// truncated or too large images.
bool ReadPng(std::span<const uint8_t> data, int64_t maxPixels, TzuBitmap& bitmap);

}  // namespace zu
