#pragma once
// Steps shared by the effects: colouring and blurring the parent's silhouette, and
// repainting the area a picture covers before a setter moves or shrinks it.

#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuBitmap;
class TzuEffect;

// Repaints the area effect's picture covers now, so that a change that moves or shrinks
// the picture leaves none of it behind (the change itself then repaints the new area).
void RepaintEffectArea(TzuEffect& effect);

// Recolours the silhouette in bitmap to color (straight alpha), blurs it with radius and
// then fades it out by the mask the silhouette had, shifted by (dx, dy): what remains is
// the part of the blur the object itself does not cover.
void BlurredSilhouette(TzuBitmap& bitmap, TzuColor color, int radius, int dx, int dy);

}  // namespace zu
