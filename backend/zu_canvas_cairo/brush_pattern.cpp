#include "backend/zu_canvas_cairo/brush_pattern.h"

#include <algorithm>
#include <cmath>

#include "backend/zu_canvas_cairo/bitmap_surface.h"

namespace zu {

namespace {

// The blend table has room for 101 entries, two of them for the padding ends.
constexpr int kMaxGradientPoints = 99;

void SetColorStop(cairo_pattern_t* p, double offset, TzuColor c) {
    if (!(offset >= 0)) offset = 0;
    if (offset > 1) offset = 1;
    cairo_pattern_add_color_stop_rgba(p, offset, ((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0,
                                      (c & 255) / 255.0, ((c >> 24) & 255) / 255.0);
}

cairo_pattern_t* SolidPattern(TzuColor color, float opacity) {
    const TzuColor c = ColorWithOpacity(color, opacity);
    if ((c >> 24) == 0) return nullptr;
    return cairo_pattern_create_rgba(((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0,
                                     ((c >> 24) & 255) / 255.0);
}

cairo_matrix_t ToCairo(const TzuMatrix& m) {
    cairo_matrix_t c;
    cairo_matrix_init(&c, m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
    return c;
}

// Position 0 of a radial gradient lies on the ellipse, 1 at its centre: Cairo's radius runs
// the other way, so offsets are mirrored.
cairo_pattern_t* GradientPattern(const TzuGradient& g, const TzuRect& r, float opacity, bool forStroke) {
    const TzuGradientPoints& points = *g.Points();
    const int count = std::min(points.Count(), kMaxGradientPoints);
    const float w = RectWidth(r), h = RectHeight(r);
    cairo_pattern_t* p;
    bool radial = g.Style() == zuRadialGradient && !forStroke;
    if (radial) {
        const double rx = w / 2.0, ry = h / 2.0;
        cairo_matrix_t ellipse, placed;
        cairo_matrix_init(&ellipse, rx, 0, 0, ry, r.Left + rx, r.Top + ry);
        const cairo_matrix_t transform = ToCairo(g.RadialTransform()->Matrix());
        cairo_matrix_multiply(&placed, &ellipse, &transform);
        if (cairo_matrix_invert(&placed) != CAIRO_STATUS_SUCCESS) return nullptr;
        p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
        cairo_pattern_set_matrix(p, &placed);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
    } else {
        const TzuPoint a = g.StartPosition()->GetPoint(), b = g.StopPosition()->GetPoint();
        p = cairo_pattern_create_linear(r.Left + a.X * w, r.Top + a.Y * h, r.Left + b.X * w, r.Top + b.Y * h);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_REFLECT);
    }
    for (int i = 0; i < count; ++i) {
        const TzuGradientPoint* pt = points.Points(i);
        const double offset = radial ? 1.0 - pt->Offset() : pt->Offset();
        SetColorStop(p, offset, ColorWithOpacity(pt->Color(), opacity));
    }
    return p;
}

// Cairo mirrors both axes or none; a tile mirrored across only is the image beside its
// mirror image, repeated.
cairo_surface_t* MirroredTile(cairo_surface_t* source, int width, int height) {
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * 2, height);
    cairo_t* cr = cairo_create(tile);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_translate(cr, width * 2.0, 0);
    cairo_scale(cr, -1, 1);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
    cairo_destroy(cr);
    return tile;
}

cairo_pattern_t* BitmapPattern(TzuBrushBitmap& b, const TzuRect& r, float thickness, bool forStroke) {
    TzuBitmap& bitmap = *b.Bitmap();
    cairo_surface_t* surface = BitmapSurface(bitmap);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_pattern_t* p;
    switch (b.WrapMode()) {
        case zuWrapTileOriginal: {
            cairo_surface_t* tile = MirroredTile(surface, bitmap.Width(), bitmap.Height());
            p = cairo_pattern_create_for_surface(tile);
            cairo_surface_destroy(tile);
            cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
            cairo_pattern_set_filter(p, CAIRO_FILTER_NEAREST);
            break;
        }
        case zuWrapTileStretch: {
            const float allowance = forStroke ? 0 : thickness / 2;
            const double sx = (RectWidth(r) + allowance) / bitmap.Width();
            const double sy = (RectHeight(r) + allowance) / bitmap.Height();
            cairo_matrix_t m;
            cairo_matrix_init_scale(&m, sx, sy);
            if (cairo_matrix_invert(&m) != CAIRO_STATUS_SUCCESS) return nullptr;
            p = cairo_pattern_create_for_surface(surface);
            cairo_pattern_set_matrix(p, &m);
            cairo_pattern_set_extend(p, CAIRO_EXTEND_NONE);
            break;
        }
        default:
            p = cairo_pattern_create_for_surface(surface);
            cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
            break;
    }
    return p;
}

}  // namespace

const TzuBrush& ResolveBrush(const TzuBrush& brush) {
    const TzuBrush* b = &brush;
    // A bounded walk: shared brushes naming each other must not hang the painter.
    for (int i = 0; i < 16 && b->Style() == zuBrushResource; ++i) {
        const TzuBrush* next = b->ResourceBrush();
        if (!next) break;
        b = next;
    }
    return *b;
}

void TakeSharedBrush(TzuBrush& brush) {
    for (int i = 0; i < 16 && brush.Style() == zuBrushResource; ++i) {
        const TzuBrush* shared = brush.ResourceBrush();
        if (!shared || shared == &brush) break;
        brush.Assign(*shared);
    }
}

TzuBrushPattern CreateBrushPattern(const TzuBrush& brush, const TzuRect& rect, float opacity,
                                   float strokeThickness, bool forStroke) {
    const TzuBrush& b = ResolveBrush(brush);
    TzuBrushPattern result;
    switch (b.Style()) {
        case zuBrushSolid: result.pattern = SolidPattern(b.Color(), opacity); break;
        case zuBrushGradient:
            result.pattern = b.Gradient()->Points()->Count() >= 2
                                 ? GradientPattern(*b.Gradient(), rect, opacity, forStroke)
                                 : SolidPattern(b.Color(), opacity);
            break;
        case zuBrushBitmap:
            if (opacity > 0) {
                result.pattern = BitmapPattern(*b.Bitmap(), rect, strokeThickness, forStroke);
                result.paintAlpha = std::min(opacity, 1.0f);
            }
            break;
        default: break;
    }
    return result;
}

}  // namespace zu
