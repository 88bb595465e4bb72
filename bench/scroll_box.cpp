// Two costs of scroll boxes. One tick of the wheel's scroll glide with 1,000 children in
// the content, against setting the content's Position to the same offsets directly: what
// the animation, the bar and its change handler add. And the full repaint of a box scrolled
// by one row, with 10,000 rows against 100 in a single column and 10 rows visible: the
// repaint must cost what is visible, not what the content holds. The last lines are the
// ratios, measured in this run with both sides interleaved.

#include "scene/zu_controls/scroll_box.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/median_time.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_library/library.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"

namespace zu {

using bench::MedianMicros;
namespace {

constexpr float kRow = 30;
constexpr int kTicks = 20;

// One application (and with it one animation clock) for every box.
TzuHeadlessApplication& App() {
    static TzuHeadlessApplication app;
    return app;
}

// A headless form with one scroll box of rows x 100 x 30 rectangles, 10 rows visible.
class BoxWorld {
public:
    explicit BoxWorld(int rows) {
        App();
        RegisterLibraryClasses();
        RegisterCairoBackend();
        m_form = new TzuForm(nullptr);
        m_form->SetBorderStyle(bsNone);
        m_form->SetBounds(0, 0, 200, 340);
        m_scene = new TzuScene(m_form);
        m_scene->SetParent(m_form);
        m_scene->SetAlign(alClient);
        auto* root = new TzuBackground(nullptr);
        m_scene->AddObject(root);
        box = new TzuScrollBox(nullptr);
        box->SetParent(root);
        m_form->Show();
        App().ProcessMessages();
        // Ten rows fill the viewport beside the vertical bar.
        const float bar = box->VScrollBar() ? box->VScrollBar()->Width() : 0;
        box->SetBounds(10, 10, 100 + bar, 10 * kRow);
        box->BeginUpdate();
        for (int i = 0; i < rows; ++i) {
            auto* r = new TzuRectangle(nullptr);
            r->SetBounds(0, i * kRow, 100, kRow);
            r->Fill()->SetColor(i % 2 ? 0xFF406080 : 0xFF804060);
            r->SetParent(box);
        }
        box->EndUpdate();
        App().ProcessMessages();
    }
    ~BoxWorld() { delete m_form; }
    bool Ready() const { return box->VScrollBar() && box->VScrollBar()->Visible(); }

    // One glide down by three rows and kTicks steps of the clock through it (each step
    // also repaints what moved).
    void Glide() {
        box->SetAnimated(true);
        box->VScrollBar()->SetValue(0);
        box->ScrollTo(0, kRow * 3);
        for (int i = 0; i < kTicks; ++i) App().Advance(TzuAniThread::kInterval);
    }
    // The same offsets written straight to the content's Position, with the same clock steps.
    void Positions() {
        for (int i = 0; i < kTicks; ++i) {
            box->Content()->Position()->SetY(-kRow * 3 * float(i + 1) / kTicks);
            App().Advance(TzuAniThread::kInterval);
        }
    }
    float Offset() const { return box->Content()->Position()->Y(); }
    // Scrolled by one row (alternately down and back) and the box repainted in full.
    void ScrollAndPaint() {
        box->SetAnimated(false);
        auto* bar = box->VScrollBar();
        bar->SetValue(bar->Value() == kRow ? 0 : kRow);
        box->Repaint();
        App().ProcessMessages();
    }

    TzuScrollBox* box = nullptr;

private:
    TzuForm* m_form = nullptr;
    TzuScene* m_scene = nullptr;
};

BoxWorld& World(int rows) {
    static std::unique_ptr<BoxWorld> worlds[3];
    const int slot = rows == 1000 ? 0 : rows == 100 ? 1 : 2;
    if (!worlds[slot]) worlds[slot] = std::make_unique<BoxWorld>(rows);
    return *worlds[slot];
}

void BM_ScrollGlideTicks(benchmark::State& state) {
    for (auto _ : state) World(1000).Glide();
    benchmark::DoNotOptimize(World(1000).Offset());
}
BENCHMARK(BM_ScrollGlideTicks)->Unit(benchmark::kMicrosecond);

void BM_ContentPositions(benchmark::State& state) {
    for (auto _ : state) World(1000).Positions();
}
BENCHMARK(BM_ContentPositions)->Unit(benchmark::kMicrosecond);

void BM_ScrolledPaint(benchmark::State& state) {
    for (auto _ : state) World(int(state.range(0))).ScrollAndPaint();
}
BENCHMARK(BM_ScrolledPaint)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zu

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    for (int rows : {1000, 100, 10000}) {
        if (!zu::World(rows).Ready()) {
            std::fprintf(stderr, "bench_scroll_box: the box has no vertical bar (no scrollboxstyle)\n");
            return 1;
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    double glide = 0, direct = 0, big = 0, small = 0;
    for (int block = 0; block < 5; ++block) {
        glide += zu::MedianMicros([] { zu::World(1000).Glide(); }, 15);
        direct += zu::MedianMicros([] { zu::World(1000).Positions(); }, 15);
        big += zu::MedianMicros([] { zu::World(10000).ScrollAndPaint(); }, 15);
        small += zu::MedianMicros([] { zu::World(100).ScrollAndPaint(); }, 15);
    }
    std::printf("ratio scroll_tick_vs_position %.3f (goal <= 1.5)\n", glide / direct);
    std::printf("ratio scrolled_paint_10k_vs_100 %.3f (goal <= 2)\n", big / small);
    zu::TzuAniThread::FreeInstance();
    return 0;
}
