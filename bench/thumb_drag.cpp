// The cost of dragging a track's thumb: 1,000 pointer moves routed through a headless
// scene to the thumb, against setting the track's Value to the same 1,000 values directly.
// The difference is what routing, hit testing and the drag arithmetic add on top of the
// value change and thumb placement both sides do. The last line is the ratio, measured in
// this run with both sides interleaved.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/median_time.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_controls/thumb.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"

namespace zu {

using bench::MedianMicros;
namespace {

constexpr int kMoves = 1000;
constexpr int kLeft = 10, kTop = 10, kLength = 400;

class DragWorld {
public:
    DragWorld() {
        RegisterLibraryClasses();
        RegisterCairoBackend();
        m_form = new TzuForm(nullptr);
        m_form->SetBorderStyle(bsNone);
        m_form->SetBounds(0, 0, kLength + 2 * kLeft, 40);
        m_scene = new TzuScene(m_form);
        m_scene->SetParent(m_form);
        m_scene->SetAlign(alClient);
        auto* root = new TzuBackground(nullptr);
        m_scene->AddObject(root);
        m_track = new TzuTrack(nullptr);
        m_track->SetBounds(kLeft, kTop, kLength, 15);
        m_track->SetParent(root);
        m_form->Show();
        m_app.ProcessMessages();
    }
    ~DragWorld() {
        delete m_form;
        TzuAniThread::FreeInstance();
    }
    bool Ready() const { return m_track->Thumb() != nullptr; }
    // The pointer's x for move i: sweeping over the track and back.
    static int X(int i) { return kLeft + (i * 7) % kLength; }

    void Drag() {
        auto* window = static_cast<TzuHeadlessWindow*>(m_scene->Window());
        m_track->SetValue(0);
        const int y = kTop + 7;
        const int start = kLeft + 5;
        window->InjectMouseMove(start, y);
        window->InjectMouseDown(mbLeft, start, y, ssLeft);
        for (int i = 0; i < kMoves; ++i) window->InjectMouseMove(X(i), y, ssLeft);
        window->InjectMouseUp(mbLeft, X(kMoves - 1), y);
    }
    void SetValues() {
        m_track->SetValue(0);
        for (int i = 0; i < kMoves; ++i) m_track->SetValue(float(X(i) - kLeft) / kLength * 100);
    }
    float Value() const { return m_track->Value(); }

private:
    TzuHeadlessApplication m_app;
    TzuForm* m_form = nullptr;
    TzuScene* m_scene = nullptr;
    TzuTrack* m_track = nullptr;
};

DragWorld& World() {
    static DragWorld world;
    return world;
}

void BM_ThumbDrag1000(benchmark::State& state) {
    for (auto _ : state) World().Drag();
    benchmark::DoNotOptimize(World().Value());
}
BENCHMARK(BM_ThumbDrag1000)->Unit(benchmark::kMicrosecond);

void BM_SetValue1000(benchmark::State& state) {
    for (auto _ : state) World().SetValues();
    benchmark::DoNotOptimize(World().Value());
}
BENCHMARK(BM_SetValue1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zu

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!zu::World().Ready()) {
        std::fprintf(stderr, "bench_thumb_drag: the track has no thumb (no trackstyle)\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    double drag = 0, direct = 0;
    for (int block = 0; block < 5; ++block) {
        drag += zu::MedianMicros([] { zu::World().Drag(); }, 15);
        direct += zu::MedianMicros([] { zu::World().SetValues(); }, 15);
    }
    std::printf("ratio thumb_drag_vs_set_value %.3f (goal <= 2)\n", drag / direct);
    return 0;
}
