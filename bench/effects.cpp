// The effects' own processing of an already painted picture, against the blur or copy
// that bounds it, and a tiled path against one repeated Cairo pattern, in one run.
//
// Blurring effects: an object of 200 x 60 and of 1772 x 170 (a rounded box) painted into a
// picture enlarged by the effect's margin; each round restores the picture and runs
// ProcessEffect, the baseline restores a bitmap of the same size and runs StackBlur at the
// effect's radius. The reflection is set against restoring and copying the same bitmap.
// Tiling: a 4 x 4 triangle path tiled over a 1000 x 1000 TzuPath, painted through the
// canvas, against filling 1000 x 1000 once with a repeating 4 x 4 Cairo pattern holding
// the same triangle. CPU time, interleaved rounds, the best round of each kept.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <cairo.h>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "backend/zu_canvas_cairo/canvas_cairo.h"
#include "scene/zu_effects/bevel_effect.h"
#include "scene/zu_effects/glow_effect.h"
#include "scene/zu_effects/inner_glow_effect.h"
#include "scene/zu_effects/reflection_effect.h"
#include "scene/zu_effects/shadow_effect.h"
#include "scene/zu_objects/path.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/stack_blur.h"
#include "scene/zu_scene/tree/scene_intf.h"

using namespace zu;

namespace {

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Best per-call time of each of two jobs over interleaved rounds.
std::pair<double, double> Race(const std::function<void()>& a, const std::function<void()>& b, int calls) {
    double bestA = 1e30, bestB = 1e30;
    for (int round = 0; round < 7; ++round) {
        double t = CpuSeconds();
        for (int i = 0; i < calls; ++i) a();
        bestA = std::min(bestA, (CpuSeconds() - t) / calls);
        t = CpuSeconds();
        for (int i = 0; i < calls; ++i) b();
        bestB = std::min(bestB, (CpuSeconds() - t) / calls);
    }
    return {bestA, bestB};
}

// A painted picture: a rounded box of w x h at (margin, margin) in a transparent picture.
std::unique_ptr<TzuBitmap> PaintedPicture(int w, int h, int margin) {
    auto b = std::make_unique<TzuBitmap>(w + 2 * margin, h + 2 * margin);
    TzuCanvas* cv = b->Canvas();
    cv->Fill()->SetColor(0xFF3070C0);
    const float m = float(margin);
    cv->FillRect(TzuRect{m, m, m + w, m + h}, 8, 8, kAllCorners, 1, zuCornerRound);
    cv->EndScene();
    return b;
}

void Report(const char* name, int w, int h, double effect, double baseline, const char* against) {
    std::printf("%s %dx%d: %.3f ms, %s %.3f ms\n", name, w, h, effect * 1e3, against, baseline * 1e3);
}

// The scene double that hands out the canvas the path paints into.
class CanvasScene : public IzuScene {
public:
    explicit CanvasScene(TzuCanvas* c) : canvas(c) {}
    void AddObject(TzuObject* o) override { o->SetScene(this); }
    void RemoveObject(TzuObject*) override {}
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void EndUpdateSilently() override {}
    void AddUpdateRect(const TzuRect&) override {}
    bool IsUpdating() const override { return false; }
    void SetUpdating(bool) override {}
    TzuCanvas* Canvas() const override { return canvas; }
    TzuObject* Root() const override { return nullptr; }
    TzuComponent* SceneControl() override { return nullptr; }
    void Notification(TzuComponent*, TzuOperation) override {}
    int UpdateRectCount() const override { return 1; }
    TzuRect UpdateRect(int) const override { return TzuRect{0, 0, 1000, 1000}; }
    TzuCanvas* canvas;
};

double TileVsPattern() {
    constexpr int kSide = 1000;
    TzuBitmap target(kSide, kSide);
    TzuCanvasCairo canvas(target);
    CanvasScene scene(&canvas);
    TzuPath path(nullptr);
    scene.AddObject(&path);
    path.SetBounds(0, 0, kSide, kSide);
    path.Stroke()->SetStyle(zuBrushNone);
    path.Fill()->SetColor(0xFF3070C0);
    path.SetWrapMode(zuPathTile);
    path.Data()->SetData("M 2,0 L 4,4 L 0,4 Z");
    const auto tiled = [&] {
        canvas.SetMatrix(IdentityMatrix);
        TzuVisualObject& object = path;
        object.BeforePaint();
        object.Paint();
        object.AfterPaint();
        canvas.EndScene();
    };

    std::vector<uint32_t> pixels(size_t(kSide) * kSide);
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(pixels.data()), CAIRO_FORMAT_ARGB32, kSide, kSide, kSide * 4);
    cairo_t* cr = cairo_create(surface);
    const auto pattern = [&] {
        cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
        cairo_t* tc = cairo_create(tile);
        cairo_move_to(tc, 2, 0);
        cairo_line_to(tc, 4, 4);
        cairo_line_to(tc, 0, 4);
        cairo_close_path(tc);
        cairo_set_fill_rule(tc, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_set_source_rgb(tc, 0x30 / 255.0, 0x70 / 255.0, 0xC0 / 255.0);
        cairo_fill(tc);
        cairo_destroy(tc);
        cairo_pattern_t* p = cairo_pattern_create_for_surface(tile);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
        cairo_set_source(cr, p);
        cairo_rectangle(cr, 0, 0, kSide, kSide);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_surface_destroy(tile);
        cairo_surface_flush(surface);
    };
    const auto [ours, cairoTime] = Race(tiled, pattern, 10);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    std::printf("tile 4x4 over %dx%d: %.3f ms, cairo pattern %.3f ms\n", kSide, kSide, ours * 1e3,
                cairoTime * 1e3);
    return ours / cairoTime;
}

}  // namespace

int main() {
    RegisterCairoBackend(false);
    const int sizes[][2] = {{200, 60}, {1772, 170}};
    struct Blurring {
        const char* name;
        std::function<std::unique_ptr<TzuEffect>()> make;
        int radius;
    };
    const std::vector<Blurring> blurring = {
        {"glow", [] { return std::make_unique<TzuGlowEffect>(nullptr); }, int(0.4f * 10 + 5)},
        {"shadow", [] { return std::make_unique<TzuShadowEffect>(nullptr); }, int(0.3f * 10 + 5)},
        {"inner_glow", [] { return std::make_unique<TzuInnerGlowEffect>(nullptr); }, int(0.4f * 10 + 5)},
        {"bevel", [] { return std::make_unique<TzuBevelEffect>(nullptr); }, 10},
    };
    for (const Blurring& kind : blurring) {
        double effectTotal = 0, blurTotal = 0;
        for (const auto& size : sizes) {
            std::unique_ptr<TzuEffect> effect = kind.make();
            const int margin = int(effect->GetEffectOffset().X);
            const auto source = PaintedPicture(size[0], size[1], margin);
            TzuBitmap work, plain;
            work.Assign(*source);
            plain.Assign(*source);
            const int64_t n = source->PixelCount();
            const int calls = size[0] > 1000 ? 10 : 100;
            const auto [e, b] = Race(
                [&] {
                    MovePixels(source->Bits(), work.Bits(), n);
                    effect->ProcessEffect(work.Canvas(), &work, 1);
                },
                [&] {
                    MovePixels(source->Bits(), plain.Bits(), n);
                    StackBlur(plain, kind.radius);
                },
                calls);
            Report(kind.name, source->Width(), source->Height(), e, b, "stackblur");
            effectTotal += e;
            blurTotal += b;
        }
        std::printf("ratio %s_vs_stackblur %.3f\n", kind.name, effectTotal / blurTotal);
    }
    {
        double effectTotal = 0, copyTotal = 0;
        for (const auto& size : sizes) {
            TzuReflectionEffect effect(nullptr);
            const auto source = PaintedPicture(size[0], size[1], 2);
            TzuBitmap work, copy;
            work.Assign(*source);
            copy.Assign(*source);
            const int64_t n = source->PixelCount();
            std::vector<uint32_t> spare(static_cast<size_t>(n));
            const auto [e, c] = Race(
                [&] {
                    MovePixels(source->Bits(), work.Bits(), n);
                    effect.ProcessEffect(nullptr, &work, 1);
                },
                [&] {
                    MovePixels(source->Bits(), copy.Bits(), n);
                    MovePixels(copy.Bits(), spare.data(), n);
                },
                size[0] > 1000 ? 20 : 200);
            Report("reflection", source->Width(), source->Height(), e, c, "copy");
            effectTotal += e;
            copyTotal += c;
        }
        std::printf("ratio reflection_vs_copy %.3f\n", effectTotal / copyTotal);
    }
    std::printf("ratio tile_vs_pattern %.3f\n", TileVsPattern());
    return 0;
}
