// Memory per object and how frame and hit-test cost grow with the number of objects.
// Heap use is counted by replacing the global allocation functions of this program, so
// "bytes" below are what an object really costs: its own block plus everything it
// allocates. Painting goes to a canvas that draws nothing, so the times are the tree's
// own work (culling, matrices, brushes, opacity) and not rasterisation.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "bench/counting_allocator.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/visual_object.h"

using zu::bench::g_allocations;
using zu::bench::g_liveBytes;

using namespace zu;

namespace {

class BenchScene : public IzuScene {
public:
    void AddObject(TzuObject* o) override { o->SetScene(this); }
    void RemoveObject(TzuObject*) override {}
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void EndUpdateSilently() override {}
    void AddUpdateRect(const TzuRect&) override {}
    bool IsUpdating() const override { return updating; }
    void SetUpdating(bool u) override { updating = u; }
    TzuCanvas* Canvas() const override { return canvas; }
    TzuObject* Root() const override { return nullptr; }
    TzuComponent* SceneControl() override { return nullptr; }
    void Notification(TzuComponent*, TzuOperation) override {}
    int UpdateRectCount() const override { return static_cast<int>(rects.size()); }
    TzuRect UpdateRect(int i) const override { return rects[static_cast<size_t>(i)]; }
    std::vector<TzuRect> rects;
    TzuCanvas* canvas = nullptr;
    bool updating = false;
};

// Accepts every drawing call and draws nothing; counts the figures it was asked for.
class NullCanvas : public TzuCanvas {
public:
    NullCanvas() : TzuCanvas(false) {}
    long figures = 0;
    void SetClipRects(std::span<const TzuRect>) override {}
    void IntersectClipRect(const TzuRect&) override {}
    void ExcludeClipRect(const TzuRect&) override {}
    void ResetClipRect() override {}
    void DrawLine(const TzuPoint&, const TzuPoint&, float) override { ++figures; }
    void FillRect(const TzuRect&, float, float, TzuCorners, float, TzuCornerType) override { ++figures; }
    void DrawRect(const TzuRect&, float, float, TzuCorners, float, TzuCornerType) override { ++figures; }
    void FillEllipse(const TzuRect&, float) override { ++figures; }
    void DrawEllipse(const TzuRect&, float) override { ++figures; }
    bool PtInPath(const TzuPoint&, const TzuRect&, const TzuPathData&) override { return false; }
    void FillPath(const TzuPathData&, const TzuRect&, float) override { ++figures; }
    void DrawPath(const TzuPathData&, const TzuRect&, float) override { ++figures; }
    void DrawBitmap(TzuBitmap&, const TzuRect&, const TzuRect&, float, bool) override { ++figures; }
    void DrawThumbnail(TzuBitmap&, float, float) override {}
    void FillText(const TzuRect&, const std::u16string&, bool, float, TzuTextAlign, TzuTextAlign) override {}
    void MeasureText(TzuRect&, const std::u16string&, bool, TzuTextAlign, TzuTextAlign) override {}
    bool TextToPath(TzuPathData&, const TzuRect&, const std::u16string&, bool, TzuTextAlign,
                    TzuTextAlign) override {
        return false;
    }

protected:
    int SaveBackendState() override { return 0; }
    void RestoreBackendState(int) override {}
};

struct Footprint {
    std::size_t heap = 0;
    std::size_t allocations = 0;
};

// Heap bytes and allocations that make() leaves behind, the object's own block included.
template <class Make>
Footprint Measure(Make&& make) {
    const std::size_t bytes = g_liveBytes, count = g_allocations;
    auto* object = make();
    Footprint f{g_liveBytes - bytes, g_allocations - count};
    delete object;
    return f;
}

TzuRectangle* StyledRectangle() {
    auto* r = new TzuRectangle(nullptr);
    r->SetBounds(10, 10, 40, 20);
    r->Fill()->SetColor(0xFFBEBEBE);
    r->Stroke()->SetColor(0xFF4DF4FF);
    r->SetStrokeThickness(5);
    r->SetXRadius(8);
    r->SetYRadius(8);
    return r;
}

double Seconds(auto&& fn, int reps) {
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < reps; ++i) fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / reps;
}

// n styled rectangles spread over a 1000 x 1000 root.
struct World {
    BenchScene scene;
    NullCanvas canvas;
    std::unique_ptr<TzuVisualObject> root;
    std::size_t heapPerObject = 0;

    explicit World(int n) {
        scene.canvas = &canvas;
        root = std::make_unique<TzuVisualObject>(nullptr);
        scene.AddObject(root.get());
        root->SetBounds(0, 0, 1000, 1000);
        const std::size_t before = g_liveBytes;
        for (int i = 0; i < n; ++i) {
            TzuRectangle* r = StyledRectangle();
            r->Position()->SetPoint({float((i * 37) % 960), float((i * 53) % 960)});
            r->SetParent(root.get());
        }
        heapPerObject = (g_liveBytes - before) / std::size_t(n);
    }
    void Frame() {
        scene.rects.assign(1, TzuRect{0, 0, 1000, 1000});
        canvas.SetMatrix(root->AbsoluteMatrix());
        root->Paint();
        root->PaintChildren();
        scene.rects.clear();
    }
};

}  // namespace

int main() {
    const Footprint visual = Measure([] { return new TzuVisualObject(nullptr); });
    const Footprint plainRect = Measure([] { return new TzuRectangle(nullptr); });
    const Footprint styledRect = Measure(StyledRectangle);
    const Footprint brush = Measure([] { return new TzuBrush(zuBrushSolid, 0xFF000000); });
    // "heap" counts the object's own block as well, so it is the whole cost.
    std::printf("TzuVisualObject: sizeof %zu, heap %zu bytes in %zu blocks\n", sizeof(TzuVisualObject),
                visual.heap, visual.allocations);
    std::printf("TzuRectangle (defaults): sizeof %zu, heap %zu bytes in %zu blocks\n", sizeof(TzuRectangle),
                plainRect.heap, plainRect.allocations);
    std::printf("TzuRectangle (brushes, stroke, radii set): heap %zu bytes in %zu blocks\n", styledRect.heap,
                styledRect.allocations);
    // A rectangle holds two of these; their gradient, bitmap, resource and visual parts
    // are what take it past its own sizeof.
    std::printf("TzuBrush: sizeof %zu, heap %zu bytes in %zu blocks\n", sizeof(TzuBrush), brush.heap,
                brush.allocations);

    constexpr double kGoal = 1024;
    double repaintPerObject1k = 0, hitPerObject1k = 0, repaintPerObject100k = 0, hitPerObject100k = 0;
    std::size_t inTree = 0;
    for (int n : {1000, 10000, 100000}) {
        World w(n);
        w.Frame();  // warm the caches
        const long figures = w.canvas.figures;
        w.canvas.figures = 0;
        const double repaint = Seconds([&] { w.Frame(); }, n >= 100000 ? 5 : 20);
        int k = 0;
        // Points off every object: the walk visits all of them before giving up.
        const double hit =
            Seconds([&] { w.root->ObjectAtPoint(float(k++ % 1000), 999.5f); }, n >= 100000 ? 50 : 500);
        std::printf(
            "%6d rectangles: %zu heap bytes each in the tree, repaint %.3f ms (%ld figures), hit test %.3f "
            "us\n",
            n, w.heapPerObject, repaint * 1e3, figures, hit * 1e6);
        if (n == 1000) repaintPerObject1k = repaint / n, hitPerObject1k = hit / n;
        if (n == 100000) {
            repaintPerObject100k = repaint / n, hitPerObject100k = hit / n;
            inTree = w.heapPerObject;
        }
    }

    std::printf("value visual_object_bytes %zu\n", visual.heap);
    std::printf("value rectangle_bytes %zu\n", styledRect.heap);
    std::printf("value brush_bytes %zu\n", brush.heap);
    std::printf("value rectangle_bytes_in_tree %zu\n", inTree);
    std::printf("ratio rectangle_bytes_vs_1KiB_goal %.3f\n", double(styledRect.heap) / kGoal);
    // 1.0 means linear growth: the cost per object does not change with the tree's size.
    std::printf("ratio repaint_per_object_100k_vs_1k %.2f\n", repaintPerObject100k / repaintPerObject1k);
    std::printf("ratio hittest_per_object_100k_vs_1k %.2f\n", hitPerObject100k / hitPerObject1k);
    return 0;
}
