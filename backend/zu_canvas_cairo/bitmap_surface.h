#pragma once
// The Cairo image surface that stands for a TzuBitmap: made over the bitmap's own pixels
// (no copy), kept as the bitmap's Handle, and released through its OnDestroyHandle before
// the pixels move or go. The bitmap owns the surface reference.

#include <cairo.h>

namespace zu {

class TzuBitmap;

// The bitmap's surface, made or remade on first use and marked current; never null, but
// check cairo_surface_status.
cairo_surface_t* BitmapSurface(TzuBitmap& bitmap);

// A new surface over the bitmap's pixels, owned by the caller (a bitmap canvas draws
// through its own one).
cairo_surface_t* CreateSurfaceOver(TzuBitmap& bitmap);

}  // namespace zu
