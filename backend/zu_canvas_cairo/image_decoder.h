#pragma once
// Decodes the image formats the filter reads into a bitmap: PNG and JPEG straight into it,
// the others through gdk-pixbuf with each decoder's output taken as it really is. Every
// size is checked against the image pixel budget from the file's headers first.

#include <cstdint>
#include <span>

namespace zu {

class TzuBitmap;

// Replaces the bitmap by the decoded image, premultiplied. Fails, leaving the bitmap as it
// was, for unknown formats, damaged or truncated files and images beyond the budget.
bool DecodeImage(std::span<const uint8_t> data, TzuBitmap& bitmap);

}  // namespace zu
