#pragma once
// Small image files built byte by byte, for decoding tests that need a layout the library's
// own encoders never write: a TIFF with either kind of alpha, a GIF whose frames differ
// from its screen, an icon file of chosen entries.

#include <cstdint>
#include <vector>

#include "platform/core/variant.h"

namespace zu::test {

// An uncompressed 8-bit RGBA TIFF, pixels R,G,B,A row by row; extraSamples 1 means the
// colour is premultiplied (associated alpha), 2 straight (unassociated).
TzuBytes TiffRgba(int width, int height, const std::vector<uint8_t>& rgba, int extraSamples);

struct GifFrame {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<uint8_t> indices;  // width x height colour indices 0..3
};
// A GIF of a screen size and frames; colours 0..3 are black, red, green, blue, and index 0
// is transparent.
TzuBytes Gif(int screenWidth, int screenHeight, const std::vector<GifFrame>& frames);

// An icon entry of 32-bit colour, every pixel colour (B,G,R,A in a 32-bit word).
TzuBytes IconBitmap(int size, uint32_t colour);
struct IconEntry {
    int size = 0;    // as the directory gives it (256 is written as 0)
    TzuBytes bytes;  // a bitmap entry (IconBitmap) or a whole PNG file
};
TzuBytes Icon(const std::vector<IconEntry>& entries);

}  // namespace zu::test
