#pragma once
// One frame of a scene's top-level objects. The scene host paints every frame through
// PaintFrame, and so do the pixel tests and the benchmarks, so what they check and time is
// what a program shows.

#include <functional>
#include <span>
#include <vector>

#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuCanvas;
class TzuObject;

// More queued update rectangles than this are merged into their union.
inline constexpr size_t kMaxUpdateRects = 20;

// Clips the canvas to rects, lets background paint beneath everything (it may be empty),
// then paints each visible top-level object that meets a rectangle, with its subtree.
// Painting may add or remove top-level objects: the walk goes over a copy of objects and
// skips those no longer in it. overlay (may be empty) paints last, over everything, in
// the same clip. False when the canvas could not begin a scene.
bool PaintFrame(TzuCanvas& canvas, std::span<const TzuRect> rects, const std::vector<TzuObject*>& objects,
                const std::function<void(TzuCanvas&)>& background,
                const std::function<void(TzuCanvas&)>& overlay = {});

// The union of rects; (0,0,0,0) when there are none.
TzuRect RectsUnion(std::span<const TzuRect> rects);

}  // namespace zu
