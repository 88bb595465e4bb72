// Cost of routing pointer moves through the scene host: a pointer sweeping cell by cell
// over a grid of objects, every move changing the hovered object (leave, enter, their
// announcements and the move itself), against bare ObjectAtPoint calls at the same points
// on the same tree. The last lines are the ratios of the two, measured in this run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/median_time.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/visual_object.h"

using namespace zu;
using zu::bench::MedianMicros;

namespace {

constexpr int kCell = 8;

// A form with a scene whose root holds side x side cells, each a hit-testable object.
class Grid {
public:
    explicit Grid(int side) : m_side(side) {
        m_form = std::make_unique<TzuForm>(nullptr);
        m_form->SetBorderStyle(bsNone);
        m_form->SetBounds(0, 0, side * kCell, side * kCell);
        m_scene = new TzuScene(m_form.get());
        m_scene->SetParent(m_form.get());
        m_scene->SetAlign(alClient);
        auto* root = new TzuVisualObject(nullptr);
        root->SetHitTest(false);
        m_scene->AddObject(root);
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                auto* cell = new TzuVisualObject(nullptr);
                cell->SetBounds(float(x * kCell), float(y * kCell), kCell, kCell);
                cell->SetParent(root);
            }
        }
        m_form->Show();
        // The sweep visits every cell once, in rows, moving to each cell's centre.
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) m_points.push_back({x * kCell + kCell / 2, y * kCell + kCell / 2});
        }
    }

    void SweepRouted() {
        auto* window = static_cast<TzuHeadlessWindow*>(m_scene->Window());
        for (const TzuWinPoint& p : m_points) window->InjectMouseMove(p.X, p.Y);
    }
    void SweepHitTest() {
        for (const TzuWinPoint& p : m_points)
            benchmark::DoNotOptimize(m_scene->ObjectAtPoint(float(p.X), float(p.Y)));
    }
    size_t Points() const { return m_points.size(); }

private:
    int m_side;
    std::unique_ptr<TzuForm> m_form;
    TzuScene* m_scene = nullptr;
    std::vector<TzuWinPoint> m_points;
};

void BM_RouteMove400(benchmark::State& state) {
    Grid grid(20);
    for (auto _ : state) grid.SweepRouted();
    state.SetItemsProcessed(state.iterations() * int64_t(grid.Points()));
}
BENCHMARK(BM_RouteMove400)->Unit(benchmark::kMicrosecond);

void BM_HitTest400(benchmark::State& state) {
    Grid grid(20);
    for (auto _ : state) grid.SweepHitTest();
    state.SetItemsProcessed(state.iterations() * int64_t(grid.Points()));
}
BENCHMARK(BM_HitTest400)->Unit(benchmark::kMicrosecond);

// Interleaved rounds, so both sides see the same machine load.
double Ratio(int side, int rounds) {
    Grid grid(side);
    grid.SweepRouted();  // every cell has been entered once before timing
    double routed = 0, hit = 0;
    for (int block = 0; block < 5; ++block) {
        routed += MedianMicros([&] { grid.SweepRouted(); }, rounds);
        hit += MedianMicros([&] { grid.SweepHitTest(); }, rounds);
    }
    return routed / hit;
}

}  // namespace

int main(int argc, char** argv) {
    RegisterSceneClasses();
    RegisterCairoBackend();
    TzuHeadlessApplication app;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("ratio route_move_vs_hit_test %.3f\n", Ratio(20, 40));
    std::printf("ratio route_move_vs_hit_test_10k %.3f\n", Ratio(100, 3));
    return 0;
}
