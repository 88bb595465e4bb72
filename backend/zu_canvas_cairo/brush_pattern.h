#pragma once
// Turns a brush into a Cairo source pattern for one figure. The caller owns the pattern.

#include <cairo.h>

#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/types/geometry.h"

namespace zu {

struct TzuBrushPattern {
    cairo_pattern_t* pattern = nullptr;  // null: the figure paints nothing
    // A bitmap pattern carries no colour to fade: the caller paints it with this alpha.
    double paintAlpha = 1;
};

// The brush a resource brush stands for (following chains), else brush itself.
const TzuBrush& ResolveBrush(const TzuBrush& brush);

// A canvas brush naming a shared brush becomes a copy of it before it is used, so the
// canvas then holds the style, colour and parts it draws with.
void TakeSharedBrush(TzuBrush& brush);

// rect is the figure's area in local coordinates; forStroke selects the pen's rules
// (gradients always linear, bitmap stretch without the stroke allowance).
// Visual and none brushes give no pattern.
TzuBrushPattern CreateBrushPattern(const TzuBrush& brush, const TzuRect& rect, float opacity,
                                   float strokeThickness, bool forStroke);

}  // namespace zu
