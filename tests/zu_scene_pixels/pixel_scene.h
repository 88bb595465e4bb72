#pragma once
// A scene double that paints into real pixels: it owns a bitmap and a Cairo canvas over
// it, collects update rectangles, and paints its top-level objects the way the scene host
// does, clipped to the collected rectangles.

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "backend/zu_canvas_cairo/canvas_cairo.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/tree/frame_paint.h"
#include "scene/zu_scene/tree/scene_intf.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu::test {

class PixelScene : public IzuScene {
public:
    using CanvasMaker = std::function<std::unique_ptr<TzuCanvasCairo>(TzuBitmap&)>;
    // make lets a test put a canvas that watches the drawing in place of the plain one.
    PixelScene(int width, int height, const CanvasMaker& make = {})
        : m_bitmap(width, height),
          m_canvas(make ? make(m_bitmap) : std::make_unique<TzuCanvasCairo>(m_bitmap)) {}
    // A scene of width x height units painted at scale device pixels per unit, as on a
    // dense screen: the picture has scale times the pixels per side.
    PixelScene(int width, int height, int scale)
        : m_bitmap(width * scale, height * scale), m_canvas(std::make_unique<TzuCanvasCairo>(m_bitmap)) {
        m_canvas->SetDeviceScale(scale);
    }

    void AddObject(TzuObject* o) override {
        objects.push_back(o);
        o->SetScene(this);
    }
    void RemoveObject(TzuObject* o) override { std::erase(objects, o); }
    void BeginUpdate() override { updating = true; }
    void EndUpdate() override { updating = false; }
    void EndUpdateSilently() override { updating = false; }
    void AddUpdateRect(const TzuRect& r) override {
        if (!updating) rects.push_back(r);
    }
    bool IsUpdating() const override { return updating; }
    void SetUpdating(bool u) override { updating = u; }
    TzuCanvas* Canvas() const override { return m_canvas.get(); }
    TzuObject* Root() const override { return objects.empty() ? nullptr : objects.front(); }
    TzuComponent* SceneControl() override { return nullptr; }
    void Notification(TzuComponent*, TzuOperation) override {}
    int UpdateRectCount() const override { return static_cast<int>(rects.size()); }
    TzuRect UpdateRect(int i) const override { return rects[static_cast<size_t>(i)]; }

    // Union of the collected rectangles; (0,0,0,0) when none.
    TzuRect Damage() const { return RectsUnion(rects); }
    TzuRect Bounds() const {
        const float s = float(m_canvas->DeviceScale());
        return TzuRect{0, 0, float(m_bitmap.Width()) / s, float(m_bitmap.Height()) / s};
    }

    // One frame: the collected rectangles (the whole picture when there are none) are
    // cleared to `background` and the top-level objects painted into them.
    void Frame(TzuColor background = 0xFFFFFFFF) {
        if (rects.empty()) rects.push_back(Bounds());
        TzuCanvas* cv = m_canvas.get();
        PaintFrame(*cv, rects, objects, [&](TzuCanvas& c) {
            c.Fill()->SetStyle(zuBrushSolid);
            c.Fill()->SetColor(background);
            // Opacity 1 over an opaque colour replaces whatever the last frame left.
            c.FillRect(Bounds(), 0, 0, kAllCorners, 1, zuCornerRound);
        });
        cv->ResetClipRect();
        rects.clear();
    }

    const TzuBitmap& Picture() const { return m_bitmap; }
    uint32_t Pixel(int x, int y) const { return m_bitmap.ScanLine(y)[x]; }

    std::vector<TzuObject*> objects;
    std::vector<TzuRect> rects;
    bool updating = false;

private:
    TzuBitmap m_bitmap;
    std::unique_ptr<TzuCanvasCairo> m_canvas;
};

}  // namespace zu::test
