#pragma once
// The grey dashed outline that figures with no visible extent of their own (an empty path,
// an image with nothing loaded) show while a scene is designed, so they can be found.

#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuCanvas;
class TzuVisualObject;

// Whether object shows its outline now: designing, not locked, not painted off-screen.
bool ShowsDesignOutline(TzuVisualObject& object);
// Strokes the box (0, 0, width, height) inset by half a pixel with a 1-wide dashed grey
// line and leaves the canvas dash solid again.
void DrawDesignOutline(TzuCanvas& canvas, float width, float height);

}  // namespace zu
