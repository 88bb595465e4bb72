#pragma once
// The painter of visual brushes: a fill with a zuBrushVisual brush shows the brush's
// visual object, painted with its children into the filled rectangle. The scene installs
// it as the canvas's visual-brush painter when its classes are registered.

#include "scene/zu_scene/graphics/canvas.h"

namespace zu {

// Paints visual (a TzuVisualObject in a scene; anything else paints nothing) into rect on
// canvas at the given opacity. An object whose brush shows itself, directly or through
// others, is painted once, not endlessly.
void PaintVisualBrush(TzuCanvas& canvas, TzuComponent* visual, const TzuRect& rect, float opacity);

}  // namespace zu
