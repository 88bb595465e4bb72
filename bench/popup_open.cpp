// The cost of opening a popup and closing it again, with its first frame painted: the
// popup leaves its tree for a window and scene of its own, is placed and styled, and
// goes back. The baseline builds the same window by hand - a borderless form with a
// transparent scene holding a panel of the popup's size - paints its first frame and
// frees it. The difference is what placement, the move between trees and restyling add.
// The last line is the ratio, measured in this run with both sides interleaved.

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
#include "scene/zu_controls/panel.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/popup.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"

namespace zu {

using bench::MedianMicros;
namespace {

constexpr float kWidth = 160, kHeight = 120;

class PopupWorld {
public:
    PopupWorld() {
        RegisterLibraryClasses();
        RegisterCairoBackend();
        m_form = new TzuForm(nullptr);
        m_form->SetBorderStyle(bsNone);
        m_form->SetBounds(0, 0, 400, 300);
        m_scene = new TzuScene(m_form);
        m_scene->SetParent(m_form);
        m_scene->SetAlign(alClient);
        auto* root = new TzuBackground(nullptr);
        m_scene->AddObject(root);
        auto* target = new TzuPanel(nullptr);
        target->SetBounds(20, 20, 100, 30);
        target->SetParent(root);
        m_popup = new TzuPopup(nullptr);
        m_popup->SetBounds(0, 0, kWidth, kHeight);
        m_popup->SetPlacementTarget(target);
        m_popup->SetParent(root);
        auto* panel = new TzuPanel(nullptr);
        panel->SetAlign(vaClient);
        panel->SetParent(m_popup);
        m_form->Show();
        m_app.ProcessMessages();
    }
    ~PopupWorld() {
        delete m_form;
        TzuAniThread::FreeInstance();
    }
    bool Works() {
        m_popup->Open();
        const bool open = m_popup->IsOpen() && m_popup->PopupForm();
        m_popup->Close();
        return open && !m_popup->IsOpen();
    }
    void OpenAndClose() {
        m_popup->Open();
        m_app.ProcessMessages();
        m_popup->Close();
    }
    void ByHand() {
        auto* form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(20, 50, int(kWidth), int(kHeight));
        auto* scene = new TzuScene(form);
        scene->SetTransparency(true);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        auto* panel = new TzuPanel(nullptr);
        panel->SetBounds(0, 0, kWidth, kHeight);
        scene->AddObject(panel);
        form->Show();
        m_app.ProcessMessages();
        delete form;
    }
    bool Open() const { return m_popup->IsOpen(); }

private:
    TzuHeadlessApplication m_app;
    TzuForm* m_form = nullptr;
    TzuScene* m_scene = nullptr;
    TzuPopup* m_popup = nullptr;
};

PopupWorld& World() {
    static PopupWorld world;
    return world;
}

void BM_PopupOpenClose(benchmark::State& state) {
    for (auto _ : state) World().OpenAndClose();
    benchmark::DoNotOptimize(World().Open());
}
BENCHMARK(BM_PopupOpenClose)->Unit(benchmark::kMicrosecond);

void BM_WindowByHand(benchmark::State& state) {
    for (auto _ : state) World().ByHand();
    benchmark::DoNotOptimize(World().Open());
}
BENCHMARK(BM_WindowByHand)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zu

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (!zu::World().Works()) {
        std::fprintf(stderr, "bench_popup_open: the popup did not open and close\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    double popup = 0, byHand = 0;
    for (int block = 0; block < 5; ++block) {
        popup += zu::MedianMicros([] { zu::World().OpenAndClose(); }, 15);
        byHand += zu::MedianMicros([] { zu::World().ByHand(); }, 15);
    }
    std::printf("ratio popup_open_close_vs_window_by_hand %.3f (goal <= 2)\n", popup / byHand);
    return 0;
}
