#include "scene/zu_objects/design_outline.h"

#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/scene_intf.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

bool ShowsDesignOutline(TzuVisualObject& object) {
    return object.Scene() && object.Scene()->IsDesigning() && !object.Locked() && !object.PaintingOffscreen();
}

void DrawDesignOutline(TzuCanvas& canvas, float width, float height) {
    canvas.SetStrokeThickness(1);
    canvas.SetStrokeDash(zuDashDash);
    canvas.Stroke()->SetStyle(zuBrushSolid);
    canvas.Stroke()->SetColor(0xA0909090);
    canvas.DrawRect(TzuRect{0.5f, 0.5f, width - 0.5f, height - 0.5f}, 0, 0, kAllCorners, 1, zuCornerRound);
    canvas.SetStrokeDash(zuDashSolid);
}

}  // namespace zu
