// Typing into a memo, from the key to the painted frame: one character typed and taken
// back at the end of a 10,000-line memo against the same at the end of a 100-line memo.
// The memo keeps a layout per line and paints only the rows in view, so the two should
// cost about the same. The ratio at the end is measured in this run, interleaved.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/median_time.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_text/memo.h"

namespace zu {
namespace {

// A focused memo of `lines` lines on a form, its caret at the end of the text.
struct MemoWorld {
    MemoWorld(TzuHeadlessApplication& app, int lines) : app(app) {
        form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 400, 300);
        scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        auto* root = new TzuBackground(nullptr);
        scene->AddObject(root);
        memo = new TzuMemo(nullptr);
        memo->SetBounds(10, 10, 360, 260);
        memo->SetParent(root);
        std::u16string text;
        for (int i = 0; i < lines; ++i)
            text += u"The quick brown fox jumps over the lazy dog " +
                    std::u16string(1, char16_t(u'a' + i % 26)) + u"\n";
        memo->SetText(text);
        form->Show();
        app.ProcessMessages();
        memo->SetFocus();
        window()->InjectKey(keys::End, ssCtrl);
        app.ProcessMessages();
    }
    ~MemoWorld() { delete form; }
    TzuHeadlessWindow* window() const { return static_cast<TzuHeadlessWindow*>(scene->Window()); }

    // A character typed and painted, then taken back and painted.
    void Keystroke() {
        window()->InjectKeyChar(u'x');
        app.ProcessMessages();
        window()->InjectKey(keys::Backspace);
        app.ProcessMessages();
    }

    TzuHeadlessApplication& app;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
    TzuMemo* memo = nullptr;
};

MemoWorld* g_large = nullptr;
MemoWorld* g_small = nullptr;

void BM_Keystroke10kLines(benchmark::State& state) {
    for (auto _ : state) g_large->Keystroke();
}
BENCHMARK(BM_Keystroke10kLines)->Unit(benchmark::kMicrosecond);

void BM_Keystroke100Lines(benchmark::State& state) {
    for (auto _ : state) g_small->Keystroke();
}
BENCHMARK(BM_Keystroke100Lines)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zu

int main(int argc, char** argv) {
    zu::RegisterLibraryClasses();
    zu::RegisterCairoBackend();
    {
        zu::TzuHeadlessApplication app;
        zu::MemoWorld large(app, 10000), small(app, 100);
        const std::u16string before = large.memo->Text();
        large.Keystroke();
        if (large.memo->Text() != before || large.memo->LineCount() != 10001) {
            std::fprintf(stderr, "bench_memo_keystroke: typing and Backspace did not restore the text\n");
            return 1;
        }
        zu::g_large = &large;
        zu::g_small = &small;
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        std::printf("ratio memo_keystroke_10k_vs_100 %.3f (goal <= 2)\n",
                    zu::bench::InterleavedRatio([&] { large.Keystroke(); }, [&] { small.Keystroke(); }, 20));
    }
    zu::TzuAniThread::FreeInstance();
    return 0;
}
