// The cost of a hover on a styled button: the pointer entering and leaving a TzuButton
// (the state announcement, the trigger dispatch through its style and the animations it
// stops and starts) against calling exactly those Stop and Start operations directly on
// the same animations. The ratio at the end is measured in this run, interleaved so both
// sides see the same load.

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
#include "scene/zu_controls/button.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/animation.h"
#include "scene/zu_scene/tree/background.h"

namespace zu {
namespace {

// A styled button in a scene on a form, as a user meets it, and the trigger animations
// of its style in style order. Both sides repaint through the same scene.
struct HoverWorld {
    HoverWorld() {
        form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 120, 60);
        auto* scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        auto* root = new TzuBackground(nullptr);
        scene->AddObject(root);
        button = new TzuButton(nullptr);
        button->SetBounds(10, 10, 80, 22);
        button->SetParent(root);
        form->Show();
        app.ProcessMessages();
        if (TzuObject* bg = button->FindResource("background")) {
            for (int i = 0; i < bg->ChildrenCount(); ++i) {
                if (auto* a = As<TzuAnimation>(bg->Children(i)); a && !a->Trigger().empty())
                    animations.push_back(a);
            }
        }
    }
    ~HoverWorld() {
        delete form;
        TzuAniThread::FreeInstance();
    }

    // What the pointer does: in, then out again.
    void Hover() {
        button->MouseEnter();
        button->MouseLeave();
    }
    // What that dispatch comes down to: every triggered animation stopped, then the one
    // whose trigger matches started, once for entering and once for leaving.
    void Direct() {
        for (TzuAnimation* a : animations) a->Stop();
        animations[0]->Start();
        for (TzuAnimation* a : animations) a->Stop();
        animations[1]->Start();
    }

    TzuHeadlessApplication app;
    TzuForm* form = nullptr;
    TzuButton* button = nullptr;
    std::vector<TzuAnimation*> animations;
};

HoverWorld* g_world = nullptr;

void BM_HoverEnterLeave(benchmark::State& state) {
    for (auto _ : state) g_world->Hover();
}
BENCHMARK(BM_HoverEnterLeave)->Unit(benchmark::kMicrosecond);

void BM_DirectStopStart(benchmark::State& state) {
    for (auto _ : state) g_world->Direct();
}
BENCHMARK(BM_DirectStopStart)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zu

int main(int argc, char** argv) {
    zu::RegisterLibraryClasses();
    zu::RegisterCairoBackend();
    zu::HoverWorld world;
    if (world.animations.size() != 4) {
        std::fprintf(stderr, "bench_button_hover: buttonstyle has %zu triggered animations, not 4\n",
                     world.animations.size());
        return 1;
    }
    zu::g_world = &world;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("ratio hover_vs_direct_start %.3f (goal <= 2)\n",
                zu::bench::InterleavedRatio([&] { world.Hover(); }, [&] { world.Direct(); }, 200));
    return 0;
}
