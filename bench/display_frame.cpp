// One full frame of the display program's scene (1760 x 158: black background, stroked
// rounded panel with two lines of 96-pixel bold text, blurred with softness 0.3) painted
// through the scene objects, against the same pixels made by hand with Cairo, Pango and
// StackBlur: panel and text into a 1772 x 170 picture at (6, 6), blur of radius 4, the
// picture drawn onto the black frame at (-6, -6). Both the centred and the stretched text
// are timed; the frames are first compared pixel by pixel. CPU time, interleaved rounds.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include <pango/pangocairo.h>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "backend/zu_canvas_cairo/canvas_cairo.h"
#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/stack_blur.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_scene/tree/frame_paint.h"

using namespace zu;

namespace {

constexpr int kWidth = 1760, kHeight = 158, kMargin = 6, kRadius = 4;
constexpr const char* kFamily = "DejaVu Sans";
constexpr const char16_t* kText = u"Hello\r\nWorld";
constexpr const char* kTextUtf8 = "Hello\r\nWorld";

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The whole frame is damaged every time, as when the window is exposed.
class FrameScene : public IzuScene {
public:
    explicit FrameScene(TzuCanvas* c) : canvas(c) {}
    void AddObject(TzuObject* o) override {
        o->SetScene(this);
        roots.push_back(o);
    }
    void RemoveObject(TzuObject*) override {}
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void EndUpdateSilently() override {}
    void AddUpdateRect(const TzuRect&) override {}
    bool IsUpdating() const override { return false; }
    void SetUpdating(bool) override {}
    TzuCanvas* Canvas() const override { return canvas; }
    TzuObject* Root() const override { return roots.empty() ? nullptr : roots.front(); }
    TzuComponent* SceneControl() override { return nullptr; }
    void Notification(TzuComponent*, TzuOperation) override {}
    int UpdateRectCount() const override { return 1; }
    TzuRect UpdateRect(int) const override { return TzuRect{0, 0, kWidth, kHeight}; }
    std::vector<TzuObject*> roots;
    TzuCanvas* canvas;
};

struct SceneFrame {
    TzuBitmap bitmap{kWidth, kHeight};
    TzuCanvasCairo canvas{bitmap};
    FrameScene scene{&canvas};
    std::unique_ptr<TzuBackground> root = std::make_unique<TzuBackground>(nullptr);

    explicit SceneFrame(bool stretch) {
        scene.AddObject(root.get());
        root->SetBounds(0, 0, kWidth, kHeight);
        root->Fill()->SetStyle(zuBrushSolid);
        root->Fill()->SetColor(0xFF000000);
        auto* panel = new TzuRectangle(nullptr);
        panel->SetParent(root.get());
        panel->SetAlign(vaClient);
        panel->Fill()->SetColor(0xFFBEBEBE);
        panel->Stroke()->SetColor(0xFF4DF4FF);
        panel->SetStrokeThickness(5);
        panel->SetXRadius(50);
        panel->SetYRadius(50);
        auto* text = new TzuText(nullptr);
        text->SetParent(panel);
        text->SetAlign(vaClient);
        text->Fill()->SetColor(0xFFF5C116);
        text->Font()->SetFamily(kFamily);
        text->Font()->SetSize(96);
        text->Font()->SetStyle(zuFontBold);
        text->SetText(kText);
        text->SetStretch(stretch);
        auto* blur = new TzuBlurEffect(nullptr);
        blur->SetParent(panel);
        blur->SetSoftness(0.3f);
    }
    void Frame() {
        const TzuRect whole{0, 0, float(bitmap.Width()), float(bitmap.Height())};
        PaintFrame(canvas, std::span(&whole, 1), {root.get()}, nullptr);
    }
    const uint32_t* Pixels() const { return bitmap.Bits(); }
};

void AddRoundedRect(cairo_t* cr, double l, double t, double r, double b, double radius) {
    // Quarter ellipses as one cubic each, as the canvas draws its corners.
    const double k = kCornerK * radius;
    cairo_move_to(cr, l, t + radius);
    cairo_curve_to(cr, l, t + k, l + k, t, l + radius, t);
    cairo_line_to(cr, r - radius, t);
    cairo_curve_to(cr, r - k, t, r, t + k, r, t + radius);
    cairo_line_to(cr, r, b - radius);
    cairo_curve_to(cr, r, b - k, r - k, b, r - radius, b);
    cairo_line_to(cr, l + radius, b);
    cairo_curve_to(cr, l + k, b, l, b - k, l, b - radius);
    cairo_close_path(cr);
}

struct DirectFrame {
    bool stretch;
    cairo_surface_t* picture =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth + 2 * kMargin, kHeight + 2 * kMargin);
    cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
    PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
    PangoLayout* layout = nullptr;

    explicit DirectFrame(bool s) : stretch(s) {
        if (cairo_image_surface_get_stride(picture) != 4 * (kWidth + 2 * kMargin)) std::abort();
        pango_context_set_round_glyph_positions(context, FALSE);
        cairo_font_options_t* options = cairo_font_options_create();
        // Unhinted; sub-pixel smoothing only where glyphs stay at their natural size.
        cairo_font_options_set_antialias(options, stretch ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_SUBPIXEL);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(context, options);
        cairo_font_options_destroy(options);
        layout = pango_layout_new(context);
        PangoFontDescription* font = pango_font_description_from_string(kFamily);
        pango_font_description_set_weight(font, PANGO_WEIGHT_BOLD);
        pango_font_description_set_absolute_size(font, 96.0 * PANGO_SCALE);
        pango_layout_set_font_description(layout, font);
        pango_font_description_free(font);
        pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
        pango_layout_set_text(layout, kTextUtf8, -1);
    }
    ~DirectFrame() {
        g_object_unref(layout);
        g_object_unref(context);
        cairo_surface_destroy(frame);
        cairo_surface_destroy(picture);
    }
    void Frame() {
        cairo_t* cr = cairo_create(picture);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        // The stroke lies inside the panel: its path runs half the thickness in.
        AddRoundedRect(cr, kMargin + 2.5, kMargin + 2.5, kMargin + kWidth - 2.5, kMargin + kHeight - 2.5, 50);
        cairo_set_source_rgb(cr, 0xBE / 255.0, 0xBE / 255.0, 0xBE / 255.0);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0x4D / 255.0, 0xF4 / 255.0, 0xFF / 255.0);
        cairo_set_line_width(cr, 5);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        cairo_stroke(cr);
        // The scene draws opaque text at alpha 0.99; so does this copy, to compare pixels.
        cairo_set_source_rgba(cr, 0xF5 / 255.0, 0xC1 / 255.0, 0x16 / 255.0, 0.99);
        pango_cairo_update_context(cr, context);
        pango_layout_context_changed(layout);
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        const double lx = double(logical.x) / PANGO_SCALE, ly = double(logical.y) / PANGO_SCALE;
        const double lw = double(logical.width) / PANGO_SCALE, lh = double(logical.height) / PANGO_SCALE;
        cairo_translate(cr, kMargin, kMargin);
        if (stretch) {
            cairo_scale(cr, kWidth / lw, kHeight / lh);
            cairo_move_to(cr, -lx, -ly);
        } else {
            cairo_move_to(cr, (kWidth - lw) / 2 - lx, (kHeight - lh) / 2 - ly);
        }
        pango_cairo_show_layout(cr, layout);
        cairo_destroy(cr);
        cairo_surface_flush(picture);
        StackBlur(reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(picture)), kWidth + 2 * kMargin,
                  kHeight + 2 * kMargin, kRadius);
        cairo_surface_mark_dirty(picture);
        cr = cairo_create(frame);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        cairo_set_source_surface(cr, picture, -kMargin, -kMargin);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(frame);
    }
    const uint32_t* Pixels() const {
        return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(frame));
    }
};

// Largest channel difference, and how many pixels differ by more than a few levels.
bool SamePixels(const char* name, const uint32_t* a, const uint32_t* b) {
    int worst = 0;
    long off = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        int d = 0;
        for (int s = 0; s < 32; s += 8)
            d = std::max(d, std::abs(int((a[i] >> s) & 255) - int((b[i] >> s) & 255)));
        worst = std::max(worst, d);
        off += d > 8;
    }
    // Glyph edges may round differently; anything systematic moves far more pixels.
    const bool same = off <= kWidth * kHeight / 200;
    std::printf("pixels %s: max channel difference %d, %ld pixels off by more than 8 -> %s\n", name, worst,
                off, same ? "same" : "DIFFERENT");
    return same;
}

struct Timing {
    double scene = 0, direct = 0;
};

Timing Measure(SceneFrame& s, DirectFrame& d, int rounds, int perRound) {
    Timing t;
    for (int r = 0; r < rounds; ++r) {
        double t0 = CpuSeconds();
        for (int i = 0; i < perRound; ++i) s.Frame();
        double t1 = CpuSeconds();
        for (int i = 0; i < perRound; ++i) d.Frame();
        double t2 = CpuSeconds();
        t.scene += t1 - t0;
        t.direct += t2 - t1;
    }
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    RegisterCairoBackend(false);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const int perRound = 10;
    Timing total;
    bool same = true;
    for (bool stretch : {false, true}) {
        const char* name = stretch ? "stretched" : "centred";
        SceneFrame s(stretch);
        DirectFrame d(stretch);
        s.Frame();
        d.Frame();
        same = SamePixels(name, s.Pixels(), d.Pixels()) && same;
        Measure(s, d, 1, 3);  // warm caches on both sides
        const Timing t = Measure(s, d, rounds, perRound);
        const int frames = rounds * perRound;
        std::printf("display_frame_%s: scene %.3f ms, direct %.3f ms per frame (CPU)\n", name,
                    1e3 * t.scene / frames, 1e3 * t.direct / frames);
        std::printf("ratio display_frame_vs_direct_%s %.3f\n", name, t.scene / t.direct);
        total.scene += t.scene;
        total.direct += t.direct;
    }
    std::printf("ratio display_frame_vs_direct %.3f\n", total.scene / total.direct);
    return same ? 0 : 1;
}
