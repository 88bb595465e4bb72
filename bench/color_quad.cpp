// Dragging in a colour quad against setting its saturation and luminance in code: 1,000
// pointer moves with the left button down against 1,000 direct sets of the same values,
// each followed by the frame it causes. The square is cached per hue, so a drag costs the
// routing of the move and the marker, not a new square; the ratio shows it.

#include "scene/zu_colors/color_quad.h"

#include <cstdio>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "bench/median_time.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_colors/color_box.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"

namespace zu {
namespace {

constexpr int kSteps = 1000;
constexpr int kLeft = 20, kTop = 20, kSide = 200;

int Run() {
    TzuHeadlessApplication app;
    RegisterLibraryClasses();
    RegisterCairoBackend();
    auto* form = new TzuForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 300, 260);
    auto* scene = new TzuScene(form);
    scene->SetParent(form);
    scene->SetAlign(alClient);
    auto* root = new TzuBackground(nullptr);
    scene->AddObject(root);
    auto* quad = new TzuColorQuad(nullptr);
    quad->SetBounds(kLeft, kTop, kSide, kSide);
    quad->SetHue(0.6f);
    quad->SetParent(root);
    auto* box = new TzuColorBox(nullptr);
    box->SetBounds(240, 20, 40, 40);
    box->SetParent(root);
    quad->SetColorBox(box);
    form->Show();
    app.ProcessMessages();
    auto* window = static_cast<TzuHeadlessWindow*>(scene->Window());

    // Both sides visit the same points of the square, one frame after each.
    const auto point = [](int i) { return (i * 37) % kSide; };
    const auto drag = [&] {
        window->InjectMouseMove(kLeft + 100, kTop + 100);
        window->InjectMouseDown(mbLeft, kLeft + 100, kTop + 100, ssLeft);
        for (int i = 0; i < kSteps; ++i) {
            window->InjectMouseMove(kLeft + point(i), kTop + point(i + 1), ssLeft);
            app.ProcessMessages();
        }
        window->InjectMouseUp(mbLeft, kLeft + 100, kTop + 100);
    };
    const auto set = [&] {
        for (int i = 0; i < kSteps; ++i) {
            quad->SetSatLum(float(point(i)) / kSide, 1 - float(point(i + 1)) / kSide);
            app.ProcessMessages();
        }
    };
    const TzuBitmap* square = quad->Square();
    const double ratio = bench::InterleavedRatio(drag, set, 1, 3);
    if (quad->Square() != square) std::fprintf(stderr, "bench_color_quad: the square was built again\n");
    std::printf("ratio quad_drag_vs_set %.3f (goal <= 2)\n", ratio);
    delete form;
    TzuAniThread::FreeInstance();
    return 0;
}

}  // namespace
}  // namespace zu

int main() { return zu::Run(); }
