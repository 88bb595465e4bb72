// A string list box of 100,000 strings against one of 1,000, in the same window: building
// the items (per string), a pointer move over the list with its hover and hint, changing
// the current item far from the last one, and one full repaint after scrolling by a row.
// Each must cost what shows, not what the list holds. Also the heap bytes one string item
// costs in the large list. The last lines are the ratios, both sides interleaved.

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/counting_allocator.h"
#include "bench/median_time.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_library/library.h"
#include "scene/zu_lists/string_lists.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"

namespace zu {
namespace {

TzuHeadlessApplication& App() {
    static TzuHeadlessApplication app;
    return app;
}

class ListWorld {
public:
    ListWorld() {
        App();
        RegisterLibraryClasses();
        RegisterCairoBackend();
        m_form = new TzuForm(nullptr);
        m_form->SetBorderStyle(bsNone);
        m_form->SetBounds(0, 0, 240, 260);
        m_scene = new TzuScene(m_form);
        m_scene->SetParent(m_form);
        m_scene->SetAlign(alClient);
        m_root = new TzuBackground(nullptr);
        m_scene->AddObject(m_root);
        m_form->Show();
        App().ProcessMessages();
    }
    ~ListWorld() {
        delete list;
        delete m_form;
    }
    // A fresh list of n strings, shown once.
    void Build(int n) {
        delete list;
        list = nullptr;
        auto* l = new TzuStringListBox(nullptr);
        l->SetBounds(10, 10, 200, 230);
        l->SetHint(u"a list");
        l->SetShowHint(true);
        l->Items()->BeginUpdate();
        for (int i = 0; i < n; ++i)
            l->Items()->Add(u"string number " + std::u16string(1, char16_t(u'a' + i % 26)));
        l->SetParent(m_root);
        l->Items()->EndUpdate();
        list = l;
        App().ProcessMessages();
    }
    // Scrolled to the middle, so that both lists show rows far from their start.
    void Middle() {
        list->SetItemIndex(list->Count() / 2);
        App().ProcessMessages();
    }
    void Move() {
        m_flip = !m_flip;
        window()->InjectMouseMove(60, m_flip ? 60 : 100);
        App().ProcessMessages();
    }
    void Select() {
        m_flip = !m_flip;
        list->SetItemIndex(list->Count() / 2 + (m_flip ? 40 : 0));
        App().ProcessMessages();
    }
    void ScrollAndPaint() {
        TzuScrollBar* bar = list->VScrollBar();
        m_flip = !m_flip;
        bar->SetValue(bar->Value() + (m_flip ? 19 : -19));
        list->Repaint();
        App().ProcessMessages();
    }
    TzuHeadlessWindow* window() const { return static_cast<TzuHeadlessWindow*>(m_scene->Window()); }

    TzuStringListBox* list = nullptr;

private:
    TzuForm* m_form = nullptr;
    TzuScene* m_scene = nullptr;
    TzuBackground* m_root = nullptr;
    bool m_flip = false;
};

}  // namespace
}  // namespace zu

int main() {
    using zu::bench::MedianMicros;
    zu::ListWorld small, big;
    // Building: per string, the large list against the small one.
    double buildBig = 0, buildSmall = 0;
    for (int block = 0; block < 3; ++block) {
        buildBig += MedianMicros([&] { big.Build(100000); }, 3) / 100000;
        buildSmall += MedianMicros([&] { small.Build(1000); }, 9) / 1000;
    }
    // Bytes: what a list of 100,000 strings holds once shown, per string.
    big.Build(0);
    const size_t before = zu::bench::g_liveBytes;
    big.Build(100000);
    const double bytesPerItem = double(zu::bench::g_liveBytes - before) / 100000;
    if (!big.list->VScrollBar() || !big.list->VScrollBar()->Visible()) {
        std::fprintf(stderr, "bench_list_box: the list has no vertical bar (no listboxstyle)\n");
        return 1;
    }
    small.Build(1000);
    big.Middle();
    small.Middle();
    const double move = zu::bench::InterleavedRatio([&] { big.Move(); }, [&] { small.Move(); }, 20);
    const double select = zu::bench::InterleavedRatio([&] { big.Select(); }, [&] { small.Select(); }, 20);
    const double paint =
        zu::bench::InterleavedRatio([&] { big.ScrollAndPaint(); }, [&] { small.ScrollAndPaint(); }, 10);
    std::printf("ratio build_per_item_100k_vs_1k %.3f (goal <= 1.5)\n", buildBig / buildSmall);
    std::printf("ratio pointer_move_100k_vs_1k %.3f (goal <= 1.5)\n", move);
    std::printf("ratio select_100k_vs_1k %.3f (goal <= 1.5)\n", select);
    std::printf("ratio scrolled_paint_100k_vs_1k %.3f (goal <= 2)\n", paint);
    std::printf("bytes_per_string_item %.0f (goal <= 2048)\n", bytesPerItem);
    std::printf("build_per_item_us %.3f (100k) %.3f (1k)\n", buildBig / 3, buildSmall / 3);
    zu::TzuAniThread::FreeInstance();
    return 0;
}
