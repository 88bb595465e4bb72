// The cost of the default style. The first style lookup that reaches it reads the embedded
// stream and applies the found style; that is set against reading the same stream with
// LoadObjectFromStream directly, so what the lookup adds on top of the read shows. Freeing
// the loaded style (FreeDefaultStyle) lets the first lookup happen again and again. Also
// the heap bytes the loaded style holds, and the gallery's first paint (load the scene,
// style every control from a cold default style, paint) against painting it a second time.
// The ratios at the end are measured in this run on the process's CPU clock, interleaved
// so both sides see the same conditions.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <time.h>

#include "app/scene_file/scene_file.h"
#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/counting_allocator.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/object_stream.h"

using zu::bench::g_liveBytes;

namespace zu {
namespace {

std::span<const uint8_t> StyleBytes() {
    const std::string_view bytes = DefaultStyleStream();
    return {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
}

// A button asking for its style with no scene around it: the lookup falls through to the
// default style, which is not loaded yet.
void FirstLookup() {
    FreeDefaultStyle();
    TzuButton button(nullptr);
    button.SetResource("buttonstyle");
    benchmark::DoNotOptimize(button.StyleObject());
}

// The same stream read into a tree of objects and freed again.
void ReadStream() {
    std::unique_ptr<TzuObject> root(LoadObjectFromStream(nullptr, StyleBytes(), {}, TzuUnknownClasses::Skip));
    benchmark::DoNotOptimize(root.get());
}

// The gallery under a headless form, as zu-render shows it.
struct Gallery {
    explicit Gallery(const std::vector<uint8_t>& data) {
        form = std::make_unique<TzuForm>(nullptr);
        form->SetBorderStyle(bsNone);
        TzuWinPoint size;
        scene = LoadSceneFile(*form, data, size, [](const std::string&) {});
        scene->SetAlign(alClient);
        width = size.X;
        height = size.Y;
        form->SetBounds(0, 0, width, height);
        form->Show();
    }
    // Everything invalid again and painted by the application's paint pass.
    void Repaint(TzuHeadlessApplication& app) {
        scene->Window()->Invalidate({0, 0, width, height});
        app.ProcessMessages();
    }

    std::unique_ptr<TzuForm> form;
    TzuCustomScene* scene = nullptr;
    int width = 0, height = 0;
};

TzuHeadlessApplication* g_app = nullptr;
std::vector<uint8_t> g_gallery;

void FirstPaint() {
    FreeDefaultStyle();
    Gallery gallery(g_gallery);
    g_app->ProcessMessages();
    benchmark::DoNotOptimize(gallery.scene);
}

void BM_FirstLookupLoadingTheDefaultStyle(benchmark::State& state) {
    for (auto _ : state) FirstLookup();
}
BENCHMARK(BM_FirstLookupLoadingTheDefaultStyle)->Unit(benchmark::kMillisecond);

void BM_ReadDefaultStyleStream(benchmark::State& state) {
    for (auto _ : state) ReadStream();
}
BENCHMARK(BM_ReadDefaultStyleStream)->Unit(benchmark::kMillisecond);

void BM_GalleryFirstPaint(benchmark::State& state) {
    for (auto _ : state) FirstPaint();
}
BENCHMARK(BM_GalleryFirstPaint)->Unit(benchmark::kMillisecond);

void BM_GallerySecondPaint(benchmark::State& state) {
    Gallery gallery(g_gallery);
    g_app->ProcessMessages();
    for (auto _ : state) gallery.Repaint(*g_app);
}
BENCHMARK(BM_GallerySecondPaint)->Unit(benchmark::kMillisecond);

// CPU time of this process: the machine is shared, and other processes' load would
// otherwise land on whichever side happened to run while they did.
double CpuMicros() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

template <class F>
double MedianMicros(F&& run, int rounds) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const double start = CpuMicros();
        run();
        times.push_back(CpuMicros() - start);
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[size_t(rounds / 2)];
}

double Ratio(const std::function<void()>& a, const std::function<void()>& b) {
    double ta = 0, tb = 0;
    for (int block = 0; block < 5; ++block) {
        ta += MedianMicros(a, 21);
        tb += MedianMicros(b, 21);
    }
    return ta / tb;
}

size_t LoadedStyleBytes() {
    FreeDefaultStyle();
    const size_t before = g_liveBytes;
    LoadDefaultStyle();
    return g_liveBytes - before;
}

}  // namespace
}  // namespace zu

int main(int argc, char** argv) {
    zu::RegisterLibraryClasses();
    zu::RegisterCairoBackend();
    std::string error;
    if (!zu::ReadSceneFile(ZU_SOURCE_DIR "/resources/gallery.txt", zu::g_gallery, error)) {
        std::fprintf(stderr, "bench_default_style: %s\n", error.c_str());
        return 1;
    }
    zu::TzuHeadlessApplication app;
    zu::g_app = &app;
    if (!zu::LoadDefaultStyle()) {
        std::fprintf(stderr, "bench_default_style: the default style does not load\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("default style stream bytes %zu\n", zu::DefaultStyleStream().size());
    std::printf("default style loaded heap bytes %zu\n", zu::LoadedStyleBytes());
    std::printf("ratio default_style_load_vs_read %.3f (goal <= 1.1)\n",
                zu::Ratio(zu::FirstLookup, zu::ReadStream));
    zu::Gallery second(zu::g_gallery);
    app.ProcessMessages();
    std::printf("ratio gallery_first_paint_vs_second %.2f (reported)\n",
                zu::Ratio(zu::FirstPaint, [&] { second.Repaint(app); }));
    second.form.reset();
    zu::TzuAniThread::FreeInstance();
    return 0;
}
