// Frame cost of the scene tree against drawing the same rectangles straight through the
// canvas, the cost of a small repaint, and how repaint and hit testing grow with size.

#include <cstdio>
#include <memory>
#include <vector>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/median_time.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/frame_paint.h"
#include "scene/zu_scene/tree/visual_object.h"

using namespace zu;

namespace {

class BenchScene : public IzuScene {
public:
    void AddObject(TzuObject* o) override {
        o->SetScene(this);
        roots.push_back(o);
    }
    void RemoveObject(TzuObject*) override {}
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void EndUpdateSilently() override {}
    void AddUpdateRect(const TzuRect& r) override { rects.push_back(r); }
    bool IsUpdating() const override { return updating; }
    void SetUpdating(bool u) override { updating = u; }
    TzuCanvas* Canvas() const override { return canvas; }
    TzuObject* Root() const override { return roots.empty() ? nullptr : roots.front(); }
    TzuComponent* SceneControl() override { return nullptr; }
    void Notification(TzuComponent*, TzuOperation) override {}
    int UpdateRectCount() const override { return static_cast<int>(rects.size()); }
    TzuRect UpdateRect(int i) const override { return rects[static_cast<size_t>(i)]; }
    std::vector<TzuObject*> roots;
    std::vector<TzuRect> rects;
    TzuCanvas* canvas = nullptr;
    bool updating = false;
};

// The smallest painting object: fills its box through the canvas.
class FillBox : public TzuVisualObject {
public:
    using TzuVisualObject::TzuVisualObject;
    void Paint() override { Canvas()->FillRect(LocalRect(), 0, 0, 0, AbsoluteOpacity(), zuCornerRound); }
};

struct World {
    BenchScene scene;
    std::unique_ptr<TzuCanvas> canvas;
    std::unique_ptr<TzuVisualObject> root;
    std::vector<TzuRect> boxes;

    explicit World(int n) {
        canvas = TzuCanvas::CreateBuffered(1000, 1000);
        canvas->Fill()->SetColor(0x8040A0E0);
        scene.canvas = canvas.get();
        root = std::make_unique<TzuVisualObject>(nullptr);
        scene.AddObject(root.get());
        root->SetBounds(0, 0, 1000, 1000);
        for (int i = 0; i < n; ++i) {
            auto* b = new FillBox(nullptr);
            float x = float((i * 37) % 960), y = float((i * 53) % 960);
            b->SetBounds(x, y, 40, 40);
            b->SetParent(root.get());
            boxes.push_back(TzuRect{x, y, x + 40, y + 40});
        }
    }
    void Frame(const TzuRect& area) {
        scene.rects.assign(1, area);
        PaintFrame(*canvas, scene.rects, scene.roots, nullptr);
        canvas->ResetClipRect();
        scene.rects.clear();
    }
    // The same boxes straight through the canvas, under the same clip as Frame: the
    // difference is then the tree's own work, not the cost of clipping.
    void Direct(const TzuRect& area) {
        scene.rects.assign(1, area);
        // Clipped as PaintFrame clips: the rectangles are in scene pixels, so the matrix
        // the last box left behind must not move them.
        canvas->BeginScene();
        canvas->ResetClipRect();
        canvas->SetMatrix(IdentityMatrix);
        canvas->SetClipRects(scene.rects);
        for (const TzuRect& r : boxes) {
            TzuMatrix m = IdentityMatrix;
            m.m31 = r.Left;
            m.m32 = r.Top;
            canvas->SetMatrix(m);
            canvas->FillRect(TzuRect{0, 0, 40, 40}, 0, 0, 0, 1, zuCornerRound);
        }
        canvas->EndScene();
        canvas->ResetClipRect();
        scene.rects.clear();
    }
};

}  // namespace

int main() {
    RegisterCairoBackend();
    const TzuRect full{0, 0, 1000, 1000};
    using zu::bench::InterleavedRatio;
    using zu::bench::MedianMicros;

    World w(1000);
    w.Frame(full);  // warm caches
    const double scene = MedianMicros([&] { w.Frame(full); }, 30);
    const double direct = MedianMicros([&] { w.Direct(full); }, 30);
    // One small object changes: repaint only its damage.
    auto* one = static_cast<TzuVisualObject*>(w.root->Children(500));
    auto smallRepaint = [&] {
        w.scene.rects.clear();
        one->Position()->SetX(one->Position()->X() == 0 ? 1 : 0);
        TzuRect area = w.scene.rects.empty() ? one->UpdateRect() : w.scene.rects.front();
        for (const TzuRect& r : w.scene.rects) area = RectUnion(area, r);
        w.Frame(area);
    };
    std::printf("full repaint, 1000 objects: %.3f ms (direct canvas %.3f ms)\n", scene / 1e3, direct / 1e3);
    std::printf("small repaint: %.3f ms\n", MedianMicros(smallRepaint, 200) / 1e3);

    // A plain object allocates nothing beyond itself until its spacing records, scale or
    // event slots are first used.
    std::printf("bytes per TzuVisualObject (sizeof): %zu\n", sizeof(TzuVisualObject));

    World big(100000);
    big.Frame(full);
    int k = 0;
    auto hit1k = [&] { w.root->ObjectAtPoint(float(k++ % 1000), 500); };
    auto hit100k = [&] { big.root->ObjectAtPoint(float(k++ % 1000), 500); };
    {
        World mid(10000);
        mid.Frame(full);
        std::printf("%6d objects: repaint %.3f ms, hit test %.3f us\n", 1000, scene / 1e3,
                    MedianMicros(hit1k, 9, 200) / 200);
        std::printf("%6d objects: repaint %.3f ms, hit test %.3f us\n", 10000,
                    MedianMicros([&] { mid.Frame(full); }, 9) / 1e3,
                    MedianMicros([&] { mid.root->ObjectAtPoint(float(k++ % 1000), 500); }, 9, 200) / 200);
        std::printf("%6d objects: repaint %.3f ms, hit test %.3f us\n", 100000,
                    MedianMicros([&] { big.Frame(full); }, 3) / 1e3, MedianMicros(hit100k, 9, 200) / 200);
    }

    // Each ratio times its two sides interleaved in the same run, so machine load falls on both.
    std::printf("ratio scene_vs_canvas %.3f\n",
                InterleavedRatio([&] { w.Frame(full); }, [&] { w.Direct(full); }, 2));
    std::printf("ratio small_vs_full_repaint %.4f\n", InterleavedRatio(
                                                          smallRepaint, [&] { w.Frame(full); }, 2));
    std::printf("ratio repaint_100k_vs_1k %.1f\n",
                InterleavedRatio([&] { big.Frame(full); }, [&] { w.Frame(full); }, 1, 3));
    std::printf("ratio hittest_100k_vs_1k %.1f\n", InterleavedRatio(hit100k, hit1k, 200));
    return 0;
}
