#include "scene/zu_scene/tree/visual_brush.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/tree/scene_intf.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {

// Objects being painted through a brush right now, innermost last.
std::vector<const TzuComponent*>& ActivePaints() {
    static std::vector<const TzuComponent*> active;
    return active;
}

TzuPoint Map(const TzuMatrix& m, float x, float y) {
    return TzuPoint{x * m.m11 + y * m.m21 + m.m31, x * m.m12 + y * m.m22 + m.m32};
}

// The object paints in canvas coordinates: rect is carried through the canvas matrix.
// A turned or slanted matrix gives the bounds of the turned rectangle (the fill's clip
// keeps the figure's outline).
TzuRect OnCanvas(const TzuMatrix& m, const TzuRect& r) {
    const TzuPoint a = Map(m, r.Left, r.Top), b = Map(m, r.Right, r.Bottom);
    if (m.m12 == 0 && m.m21 == 0) return TzuRect{a.X, a.Y, b.X, b.Y};
    const TzuPoint corners[4] = {a, Map(m, r.Right, r.Top), b, Map(m, r.Left, r.Bottom)};
    return PointsBounds(corners, 4);
}

}  // namespace

void PaintVisualBrush(TzuCanvas& canvas, TzuComponent* visual, const TzuRect& rect, float opacity) {
    auto* object = As<TzuVisualObject>(visual);
    if (!object || !object->Scene()) return;
    auto& active = ActivePaints();
    if (std::find(active.begin(), active.end(), object) != active.end()) return;
    IzuScene* scene = object->Scene();
    const bool wasUpdating = scene->IsUpdating();
    const float oldOpacity = object->Opacity();
    // The object's own painting loads the canvas pen; the figure being filled keeps its own.
    auto stroke = std::make_unique<TzuBrush>(zuBrushSolid, 0xFF000000);
    stroke->Assign(*canvas.Stroke());
    const float thickness = canvas.StrokeThickness();
    active.push_back(object);
    auto restore = [&] {
        object->SetOpacity(oldOpacity);
        scene->SetUpdating(wasUpdating);
        canvas.Stroke()->Assign(*stroke);
        canvas.SetStrokeThickness(thickness);
        active.pop_back();
    };
    try {
        // Changes made for this paint only must not ask the scene for a repaint.
        scene->SetUpdating(true);
        object->SetOpacity(opacity);
        object->PaintTo(&canvas, OnCanvas(canvas.Matrix(), rect), nullptr);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

}  // namespace zu
