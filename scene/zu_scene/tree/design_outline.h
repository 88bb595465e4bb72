#pragma once
// The grey dashed outline that objects show while a scene is designed so they can be
// found: layouts, splitters and popups (which draw nothing of their own) and figures with no
// visible extent (an empty path, an image with nothing loaded).

#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuCanvas;
class TzuVisualObject;

// Whether object shows its outline now: designing, not locked, not painted off-screen.
bool ShowsDesignOutline(TzuVisualObject& object);
// Strokes box inset by half a pixel with a 1-wide dashed grey line at the given opacity
// and leaves the canvas dash solid again.
void DrawDesignOutline(TzuCanvas& canvas, const TzuRect& box, float opacity = 1);

}  // namespace zu
