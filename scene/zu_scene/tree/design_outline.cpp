#include "scene/zu_scene/tree/design_outline.h"

#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/scene_intf.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

bool ShowsDesignOutline(TzuVisualObject& object) {
    return object.Scene() && object.Scene()->IsDesigning() && !object.Locked() && !object.PaintingOffscreen();
}

void DrawDesignOutline(TzuCanvas& canvas, const TzuRect& box, float opacity) {
    canvas.SetStrokeThickness(1);
    canvas.SetStrokeDash(zuDashDash);
    canvas.Stroke()->SetStyle(zuBrushSolid);
    canvas.Stroke()->SetColor(0xA0909090);
    const TzuRect r{box.Left + 0.5f, box.Top + 0.5f, box.Right - 0.5f, box.Bottom - 0.5f};
    canvas.DrawRect(r, 0, 0, kAllCorners, opacity, zuCornerRound);
    canvas.SetStrokeDash(zuDashSolid);
}

}  // namespace zu
