#pragma once
// Pixel steps shared by the effects that colour and blur their parent's silhouette.

#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuBitmap;

// Recolours the silhouette in bitmap to color (straight alpha), blurs it with radius and
// then fades it out by the mask the silhouette had, shifted by (dx, dy): what remains is
// the part of the blur the object itself does not cover.
void BlurredSilhouette(TzuBitmap& bitmap, TzuColor color, int radius, int dx, int dy);

}  // namespace zu
