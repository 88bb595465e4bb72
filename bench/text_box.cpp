// Typing into text boxes. One character typed at the end of a box holding 100,000
// characters, from the key to the painted frame, against the same in a box of 100: the
// keystroke must cost what shows, not what the box holds. The keystroke is undone after
// each measurement (Backspace, also painted) so both boxes keep their length. Also the
// heap bytes of one empty text box once its style is applied. The last lines are the
// ratio, measured in this run with both sides interleaved, and the size.

#include "scene/zu_text/text_box.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/counting_allocator.h"
#include "bench/median_time.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"

namespace zu {

using bench::MedianMicros;
namespace {

TzuHeadlessApplication& App() {
    static TzuHeadlessApplication app;
    return app;
}

// A headless form with one focused text box of `length` characters, caret at the end.
class BoxWorld {
public:
    explicit BoxWorld(int length) {
        App();
        RegisterLibraryClasses();
        RegisterCairoBackend();
        m_form = new TzuForm(nullptr);
        m_form->SetBorderStyle(bsNone);
        m_form->SetBounds(0, 0, 300, 60);
        m_scene = new TzuScene(m_form);
        m_scene->SetParent(m_form);
        m_scene->SetAlign(alClient);
        root = new TzuBackground(nullptr);
        m_scene->AddObject(root);
        box = new TzuTextBox(nullptr);
        box->SetParent(root);
        box->SetBounds(10, 10, 200, 21);
        m_form->Show();
        App().ProcessMessages();
        std::u16string text;
        for (int i = 0; i < length; ++i) text += char16_t(i % 10 == 9 ? u' ' : u'a' + i % 26);
        box->SetText(text);
        box->SetFocus();
        Window()->InjectKey(keys::End);
        App().ProcessMessages();
    }
    ~BoxWorld() { delete m_form; }
    TzuHeadlessWindow* Window() const { return static_cast<TzuHeadlessWindow*>(m_scene->Window()); }
    // One character typed and painted, then taken back and painted.
    void Keystroke() {
        Window()->InjectKeyChar(u'x');
        Window()->PaintPending();
        Window()->InjectKey(keys::Backspace);
        Window()->PaintPending();
    }

    TzuBackground* root = nullptr;
    TzuTextBox* box = nullptr;

private:
    TzuForm* m_form = nullptr;
    TzuScene* m_scene = nullptr;
};

BoxWorld& World(int length) {
    static std::unique_ptr<BoxWorld> worlds[2];
    auto& w = worlds[length == 100 ? 0 : 1];
    if (!w) w = std::make_unique<BoxWorld>(length);
    return *w;
}

void BM_Keystroke(benchmark::State& state) {
    for (auto _ : state) World(int(state.range(0))).Keystroke();
}
BENCHMARK(BM_Keystroke)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Heap bytes of an empty text box on the scene once painted (style applied).
std::size_t EmptyBoxBytes() {
    BoxWorld& w = World(100);
    const std::size_t before = bench::g_liveBytes;
    auto* box = new TzuTextBox(nullptr);
    box->SetParent(w.root);
    box->SetBounds(10, 35, 100, 21);
    App().ProcessMessages();
    w.Window()->PaintPending();
    const std::size_t bytes = bench::g_liveBytes - before;
    delete box;
    return bytes;
}

}  // namespace
}  // namespace zu

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (zu::World(100000).box->Text().size() != 100000 || zu::World(100).box->Text().size() != 100) {
        std::fprintf(stderr, "bench_text_box: the boxes did not take their text\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    double big = 0, small = 0;
    for (int block = 0; block < 5; ++block) {
        big += zu::MedianMicros([] { zu::World(100000).Keystroke(); }, 20);
        small += zu::MedianMicros([] { zu::World(100).Keystroke(); }, 20);
    }
    std::printf("ratio keystroke_100k_vs_100 %.3f (goal <= 2)\n", big / small);
    std::printf("value empty_text_box_bytes %zu\n", zu::EmptyBoxBytes());
    zu::TzuAniThread::FreeInstance();
    return 0;
}
