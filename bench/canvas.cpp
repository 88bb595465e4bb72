// One frame of the display program (a rounded, stroked panel with two lines of 96-pixel
// bold text, 1760 x 158) drawn through the Cairo canvas and, as the baseline, directly with
// Cairo and Pango. The last line is the ratio of the two, measured in this run.

#include "scene/zu_scene/graphics/canvas.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <pango/pangocairo.h>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "backend/zu_canvas_cairo/font_map.h"
#include "bench/median_time.h"

using zu::bench::MedianMicros;

namespace {

constexpr int kWidth = 1760;
constexpr int kHeight = 158;
constexpr float kRadius = 20;
const char16_t* const kText = u"Platform 7 to Lakeside\nDeparts 12:45 on time";
const char* const kTextUtf8 = "Platform 7 to Lakeside\nDeparts 12:45 on time";

struct CanvasFrame {
    std::unique_ptr<zu::TzuCanvas> canvas;
    CanvasFrame() {
        zu::RegisterCairoBackend(false);
        canvas = zu::TzuCanvas::CreateBuffered(kWidth, kHeight);
        canvas->Font()->SetFamily("DejaVu Sans");
        canvas->Font()->SetSize(96);
        canvas->Font()->SetStyle(zu::zuFontBold);
        canvas->Font()->SetClearType(false);
        canvas->SetStrokeThickness(4);
    }
    void Draw() {
        zu::TzuCanvas& c = *canvas;
        c.ClearRect(zu::TzuRect{0, 0, kWidth, kHeight}, 0);
        c.Fill()->SetColor(0xFF202830);
        c.Stroke()->SetColor(0xFFE0E0E0);
        const zu::TzuRect panel{2, 2, kWidth - 2, kHeight - 2};
        c.FillRect(panel, kRadius, kRadius, zu::kAllCorners, 1, zu::zuCornerRound);
        c.DrawRect(panel, kRadius, kRadius, zu::kAllCorners, 1, zu::zuCornerRound);
        c.Fill()->SetColor(0xFFFFD040);
        c.FillText(panel, kText, false, 1, zu::zuTextAlignCenter, zu::zuTextAlignCenter);
    }
};

// The same drawing written straight against Cairo and Pango.
struct DirectFrame {
    std::vector<uint32_t> pixels = std::vector<uint32_t>(size_t(kWidth) * kHeight);
    cairo_surface_t* surface;
    cairo_t* cr;
    PangoLayout* layout;
    DirectFrame() {
        surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels.data()),
                                                      CAIRO_FORMAT_ARGB32, kWidth, kHeight, kWidth * 4);
        cr = cairo_create(surface);
        PangoContext* context = pango_font_map_create_context(zu::CanvasFontMap());
        // The canvas places glyphs unrounded so text keeps its shape under any scale;
        // the baseline draws the same pixels.
        pango_context_set_round_glyph_positions(context, FALSE);
        layout = pango_layout_new(context);
        g_object_unref(context);
        PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans Bold");
        pango_font_description_set_absolute_size(font, 96 * PANGO_SCALE);
        pango_layout_set_font_description(layout, font);
        pango_font_description_free(font);
        pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
        cairo_font_options_destroy(options);
    }
    ~DirectFrame() {
        g_object_unref(layout);
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
    void RoundedPanel() {
        const double l = 2, t = 2, r = kWidth - 2, b = kHeight - 2, k = zu::kCornerK * kRadius;
        cairo_new_path(cr);
        cairo_move_to(cr, l, t + kRadius);
        cairo_curve_to(cr, l, t + k, l + k, t, l + kRadius, t);
        cairo_line_to(cr, r - kRadius, t);
        cairo_curve_to(cr, r - k, t, r, t + k, r, t + kRadius);
        cairo_line_to(cr, r, b - kRadius);
        cairo_curve_to(cr, r, b - k, r - k, b, r - kRadius, b);
        cairo_line_to(cr, l + kRadius, b);
        cairo_curve_to(cr, l + k, b, l, b - k, l, b - kRadius);
        cairo_close_path(cr);
    }
    void Draw() {
        std::fill(pixels.begin(), pixels.end(), 0u);
        cairo_surface_mark_dirty(surface);
        RoundedPanel();
        cairo_set_source_rgb(cr, 0x20 / 255.0, 0x28 / 255.0, 0x30 / 255.0);
        cairo_fill(cr);
        RoundedPanel();
        cairo_set_line_width(cr, 4);
        cairo_set_source_rgb(cr, 0xE0 / 255.0, 0xE0 / 255.0, 0xE0 / 255.0);
        cairo_stroke(cr);
        pango_cairo_update_context(cr, pango_layout_get_context(layout));
        pango_layout_context_changed(layout);
        pango_layout_set_text(layout, kTextUtf8, -1);
        pango_layout_set_width(layout, -1);
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        const double w = double(logical.width) / PANGO_SCALE, h = double(logical.height) / PANGO_SCALE;
        cairo_set_source_rgba(cr, 1, 0xD0 / 255.0, 0x40 / 255.0, 0.99);
        cairo_move_to(cr, (kWidth - w) / 2, (kHeight - h) / 2);
        pango_cairo_show_layout(cr, layout);
        cairo_surface_flush(surface);
    }
};

CanvasFrame* g_canvas = nullptr;
DirectFrame* g_direct = nullptr;

void BM_FrameThroughCanvas(benchmark::State& state) {
    for (auto _ : state) g_canvas->Draw();
}
BENCHMARK(BM_FrameThroughCanvas)->Unit(benchmark::kMicrosecond);

void BM_FrameDirectCairo(benchmark::State& state) {
    for (auto _ : state) g_direct->Draw();
}
BENCHMARK(BM_FrameDirectCairo)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    CanvasFrame canvas;
    DirectFrame direct;
    g_canvas = &canvas;
    g_direct = &direct;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    // Interleaved rounds, so both sides see the same machine load.
    double canvasTime = 0, directTime = 0;
    for (int block = 0; block < 5; ++block) {
        canvasTime += MedianMicros([] { g_canvas->Draw(); }, 40);
        directTime += MedianMicros([] { g_direct->Draw(); }, 40);
    }
    std::printf("ratio canvas_vs_cairo %.3f\n", canvasTime / directTime);
    return 0;
}
