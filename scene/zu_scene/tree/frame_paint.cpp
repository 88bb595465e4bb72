#include "scene/zu_scene/tree/frame_paint.h"

#include <algorithm>

#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

TzuRect RectsUnion(std::span<const TzuRect> rects) {
    if (rects.empty()) return {};
    TzuRect u = rects.front();
    for (const TzuRect& r : rects) u = RectUnion(u, r);
    return u;
}

bool PaintFrame(TzuCanvas& canvas, std::span<const TzuRect> rects, const std::vector<TzuObject*>& objects,
                const std::function<void(TzuCanvas&)>& background,
                const std::function<void(TzuCanvas&)>& overlay) {
    if (!canvas.BeginScene()) return false;
    canvas.ResetClipRect();
    canvas.SetMatrix(IdentityMatrix);
    canvas.SetClipRects(rects);
    if (background) background(canvas);

    canvas.SetStrokeThickness(1);
    canvas.SetStrokeCap(zuCapFlat);
    canvas.SetStrokeJoin(zuJoinMiter);
    canvas.SetStrokeDash(zuDashSolid);
    canvas.Stroke()->SetStyle(zuBrushSolid);
    canvas.Fill()->SetStyle(zuBrushSolid);

    const std::vector<TzuObject*> walk = objects;
    for (TzuObject* o : walk) {
        if (std::find(objects.begin(), objects.end(), o) == objects.end()) continue;
        auto* v = As<TzuVisualObject>(o);
        if (!v || !v->Visible()) continue;
        const TzuRect area = v->UpdateRect();
        // An object that only touches a rectangle's edge has nothing to show in it.
        TzuRect common;
        if (std::none_of(rects.begin(), rects.end(),
                         [&](const TzuRect& r) { return RectIntersection(r, area, common); })) {
            continue;
        }
        canvas.SetMatrix(v->AbsoluteMatrix());
        v->BeforePaint();
        v->Paint();
        v->AfterPaint();
        v->PaintChildren();
        if (v->HasExtra() && v->OnPaint()) {
            canvas.SetMatrix(v->AbsoluteMatrix());
            v->OnPaint()(v, &canvas, v->LocalRect());
        }
    }
    if (overlay) overlay(canvas);
    canvas.EndScene();
    return true;
}

}  // namespace zu
