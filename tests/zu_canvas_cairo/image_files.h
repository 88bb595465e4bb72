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

// A PNG of any colour type (PNG_COLOR_TYPE_...), bit depth and interlacing, its samples
// drawn from seed among 0x00, 0x55, 0xAA and 0xFF bytes; withTransparent adds a
// transparency chunk (every palette entry's alpha, or the grey or colour of value 0).
TzuBytes Png(int width, int height, int colourType, int bitDepth, bool interlaced, bool withTransparent,
             uint32_t seed);

// A JPEG of 1 (grey), 3 (colour) or 4 (CMYK, stored inverted) channels of smooth
// gradients with some noise from seed, baseline or progressive.
TzuBytes Jpeg(int width, int height, int channels, bool progressive, uint32_t seed);

// An icon entry of 32-bit colour, every pixel colour (B,G,R,A in a 32-bit word).
TzuBytes IconBitmap(int size, uint32_t colour);
struct IconEntry {
    int size = 0;    // as the directory gives it (256 is written as 0)
    TzuBytes bytes;  // a bitmap entry (IconBitmap) or a whole PNG file
};
TzuBytes Icon(const std::vector<IconEntry>& entries);

}  // namespace zu::test
