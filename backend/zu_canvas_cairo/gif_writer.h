#pragma once
// Writes a bitmap as a single-frame GIF: the colours are reduced to 255 by median cut and
// the last palette entry is kept for pixels that are mostly transparent.

#include "platform/core/variant.h"

namespace zu {

class TzuBitmap;

// Appends the GIF to data; false (data unchanged) when encoding fails.
bool WriteGif(TzuBytes& data, const TzuBitmap& bitmap);

}  // namespace zu
