// The cost of one pointer move of a design-time drag with line snapping on, among 10,000
// siblings against the same among 100: each move snaps the dragged object against every
// visible sibling and looks for the object under the pointer to place it into. Both sides
// pay per sibling, so the ratio shows how far that stays a plain walk (100 x the siblings
// gives at most about 100 x the time) and nothing worse. It also reports the heap
// allocations of one move, which should be none. Painting is left out: it is the same for
// both sides and is measured by the painting benchmarks.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/counting_allocator.h"
#include "bench/median_time.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"

namespace zu {
namespace {

constexpr int kMoves = 200;

class DesignWorld {
public:
    // side x side siblings, 8 x 6 each on a 10 x 7 raster.
    explicit DesignWorld(int side) {
        RegisterSceneClasses();
        RegisterCairoBackend();
        m_form = new TzuForm(nullptr);
        m_form->SetBorderStyle(bsNone);
        m_form->SetBounds(0, 0, 1020, 720);
        m_form->SetDesigning(true);
        m_scene = new TzuScene(m_form);
        m_scene->SetParent(m_form);
        m_scene->SetAlign(alClient);
        auto* root = new TzuBackground(nullptr);
        m_scene->AddObject(root);
        const float sx = 1000.0f / float(side), sy = 700.0f / float(side);
        for (int i = 0; i < side * side; ++i) {
            auto* v = new TzuVisualObject(nullptr);
            v->SetBounds(float(i % side) * sx, float(i / side) * sy, sx * 0.8f, sy * 0.8f);
            v->SetParent(root);
        }
        m_dragged = new TzuVisualObject(nullptr);
        m_dragged->SetBounds(5, 5, 20, 20);
        m_dragged->SetParent(root);
        m_form->Show();
        m_app.ProcessMessages();
    }
    ~DesignWorld() { delete m_form; }

    TzuHeadlessWindow* Window() const { return static_cast<TzuHeadlessWindow*>(m_scene->Window()); }
    void Press() {
        m_dragged->SetBounds(5, 5, 20, 20);
        Window()->InjectMouseDown(mbLeft, 10, 10);
    }
    // The pointer sweeps across the whole scene on a path that is not on the raster.
    void Moves() {
        for (int i = 0; i < kMoves; ++i)
            Window()->InjectMouseMove(10 + (i * 37) % 980, 10 + (i * 23) % 680, ssLeft);
    }
    void Release() {
        Window()->InjectMouseUp(mbLeft, 10, 10);
        // The queued repaints are dropped, not painted: only the moves are timed.
        m_app.ProcessMessages();
    }
    void Drag() {
        Press();
        Moves();
        Release();
    }
    bool Selected() const { return m_scene->DesignSelection() == m_dragged; }

private:
    TzuHeadlessApplication m_app;
    TzuForm* m_form = nullptr;
    TzuScene* m_scene = nullptr;
    TzuVisualObject* m_dragged = nullptr;
};

DesignWorld& Big() {
    static DesignWorld world(100);
    return world;
}
DesignWorld& Small() {
    static DesignWorld world(10);
    return world;
}

void BM_DesignDrag10k(benchmark::State& state) {
    for (auto _ : state) Big().Drag();
}
BENCHMARK(BM_DesignDrag10k)->Unit(benchmark::kMicrosecond);

void BM_DesignDrag100(benchmark::State& state) {
    for (auto _ : state) Small().Drag();
}
BENCHMARK(BM_DesignDrag100)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zu

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    zu::Big().Drag();
    zu::Small().Drag();
    if (!zu::Big().Selected() || !zu::Small().Selected()) {
        std::fprintf(stderr, "bench_design_drag: the press did not select the dragged object\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Allocations of the moves alone, the press and the release left out.
    zu::Big().Press();
    zu::Big().Moves();
    const std::size_t before = zu::bench::g_allocations;
    zu::Big().Moves();
    const std::size_t allocations = zu::bench::g_allocations - before;
    zu::Big().Release();
    double big = 0, small = 0;
    for (int block = 0; block < 5; ++block) {
        big += zu::bench::MedianMicros([] { zu::Big().Drag(); }, 5);
        small += zu::bench::MedianMicros([] { zu::Small().Drag(); }, 5);
    }
    std::printf("design drag per move: %.1f us among 10,000 siblings, %.2f us among 100\n",
                big / 5 / zu::kMoves, small / 5 / zu::kMoves);
    std::printf("allocations per move among 10,000 siblings: %.2f\n", double(allocations) / zu::kMoves);
    std::printf("ratio design_drag_10k_vs_100 %.3f (goal <= 100)\n", big / small);
    return 0;
}
