#include "backend/zu_canvas_cairo/canvas_cairo.h"

#include <algorithm>
#include <cmath>

#include <pango/pangocairo.h>

#include "backend/zu_canvas_cairo/bitmap_surface.h"
#include "backend/zu_canvas_cairo/brush_pattern.h"
#include "backend/zu_canvas_cairo/font_map.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

namespace {

// Quarter-ellipse control distance.

// The canvas matrix as Cairo's; the perspective entries m13, m23 act as a shear applied
// before it, as the matrices of the scene have always been read.
cairo_matrix_t CairoMatrix(const TzuMatrix& m) {
    cairo_matrix_t shear, base, out;
    cairo_matrix_init(&shear, 1, m.m23, m.m13, 1, 0, 0);
    cairo_matrix_init(&base, m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
    cairo_matrix_multiply(&out, &shear, &base);
    return out;
}

TzuRect Normalized(const TzuRect& r) { return RectNormalize(r); }

void AddRectangle(cairo_t* cr, const TzuRect& r) {
    cairo_rectangle(cr, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

void AddEllipse(cairo_t* cr, const TzuRect& r) {
    const double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
    const double rx = (r.Right - r.Left) / 2.0, ry = (r.Bottom - r.Top) / 2.0;
    const double kx = rx * kQuarterEllipseKappa, ky = ry * kQuarterEllipseKappa;
    cairo_move_to(cr, cx + rx, cy);
    cairo_curve_to(cr, cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
    cairo_curve_to(cr, cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
    cairo_curve_to(cr, cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
    cairo_curve_to(cr, cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
    cairo_close_path(cr);
}

// Maps path points from the path's own bounds onto a rectangle.
struct PathMapping {
    double sx = 1, sy = 1, dx = 0, dy = 0;
    TzuPoint operator()(const TzuPoint& p) const {
        return TzuPoint{float(p.X * sx + dx), float(p.Y * sy + dy)};
    }
};

// False for a path that has no area to map.
bool MapPath(const TzuPathData& path, const TzuRect& r, PathMapping& m) {
    const TzuRect b = path.GetBounds();
    const float bw = RectWidth(b), bh = RectHeight(b);
    if (path.IsEmpty() || !(std::fabs(bw * bh) > 0) || !std::isfinite(bw * bh)) return false;
    m.sx = RectWidth(r) / double(bw);
    m.sy = RectHeight(r) / double(bh);
    m.dx = r.Left - b.Left * m.sx;
    m.dy = r.Top - b.Top * m.sy;
    return true;
}

void AddPath(cairo_t* cr, const TzuPathData& path, const PathMapping& map) {
    const auto& pts = path.Points();
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        const TzuPathPoint& e = pts[i];
        switch (e.Kind) {
            case zuPathPointMoveTo: {
                const TzuPoint p = map(e.Point);
                cairo_move_to(cr, p.X, p.Y);
                break;
            }
            case zuPathPointLineTo: {
                const TzuPoint p = map(e.Point);
                cairo_line_to(cr, p.X, p.Y);
                break;
            }
            case zuPathPointCurveTo:
                if (i + 2 < n) {
                    const TzuPoint a = map(pts[i].Point), b = map(pts[i + 1].Point),
                                   c = map(pts[i + 2].Point);
                    cairo_curve_to(cr, a.X, a.Y, b.X, b.Y, c.X, c.Y);
                }
                i += 2;
                break;
            case zuPathPointClose: cairo_close_path(cr); break;
        }
    }
}

}  // namespace

const TzuClass& TzuCanvasCairo::StaticClass() {
    static const TzuClass cls = ZuClass<TzuCanvasCairo, TzuCanvas>("TzuCanvasCairo");
    return cls;
}

TzuCanvasCairo::TzuCanvasCairo(int width, int height) : TzuCanvas(true) {
    FontChanged();
    ResizeBuffer(width, height);
}

TzuCanvasCairo::TzuCanvasCairo(TzuBitmap& bitmap) : TzuCanvas(bitmap) {
    FontChanged();
    AttachSurface(CreateSurfaceOver(bitmap));
}

TzuCanvasCairo::~TzuCanvasCairo() {
    DetachSurface();
    if (m_layout) g_object_unref(m_layout);
    if (m_pango) g_object_unref(m_pango);
    if (m_fontDesc) pango_font_description_free(m_fontDesc);
    if (m_fontAttrs) pango_attr_list_unref(m_fontAttrs);
}

std::unique_ptr<TzuCanvas> TzuCanvasCairo::Create(TzuBitmap* bitmap, int width, int height) {
    if (bitmap) return std::make_unique<TzuCanvasCairo>(*bitmap);
    return std::make_unique<TzuCanvasCairo>(width, height);
}

void TzuCanvasCairo::AttachSurface(cairo_surface_t* surface) {
    m_surface = surface;
    // Cairo keeps the device scale beneath the context's matrix, its clip and its fonts,
    // so glyphs are hinted and lines placed on device pixels.
    cairo_surface_set_device_scale(surface, DeviceScale(), DeviceScale());
    m_cr = cairo_create(surface);
    m_depth = 0;
    ApplyMatrix();
}

void TzuCanvasCairo::DetachSurface() {
    if (m_cr) cairo_destroy(m_cr);
    m_cr = nullptr;
    if (m_surface) {
        cairo_surface_finish(m_surface);
        cairo_surface_destroy(m_surface);
    }
    m_surface = nullptr;
    m_depth = 0;
}

void TzuCanvasCairo::SetDeviceScale(int scale) {
    const int before = DeviceScale();
    TzuCanvas::SetDeviceScale(scale);
    if (DeviceScale() == before || !m_surface) return;
    // A new context: the old one's clip was made for the old scale.
    cairo_surface_t* surface = cairo_surface_reference(m_surface);
    if (m_cr) cairo_destroy(m_cr);
    m_cr = nullptr;
    cairo_surface_destroy(m_surface);
    AttachSurface(surface);
}

void TzuCanvasCairo::ResizeBuffer(int width, int height) {
    const uint32_t* before = BufferBits();
    TzuCanvas::ResizeBuffer(width, height);
    if (BufferBits() && (BufferBits() != before || !m_cr)) {
        DetachSurface();
        AttachSurface(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(BufferBits()),
                                                          CAIRO_FORMAT_ARGB32, Width(), Height(),
                                                          Width() * 4));
    }
}

void TzuCanvasCairo::FreeBuffer() {
    if (Buffered()) DetachSurface();
    TzuCanvas::FreeBuffer();
}

void TzuCanvasCairo::EndScene() {
    if (m_surface) cairo_surface_flush(m_surface);
    // Other surfaces over the same pixels must not trust what they saw before.
    if (Bitmap()) Bitmap()->SetNeedUpdate(true);
}

bool TzuCanvasCairo::Ready() {
    if (!m_cr) return false;
    if (cairo_status(m_cr) != CAIRO_STATUS_SUCCESS) {
        // An error state is permanent for a context; start over with a fresh one rather
        // than losing every later frame. Clip and saved states are gone with it.
        cairo_destroy(m_cr);
        m_cr = cairo_create(m_surface);
        m_depth = 0;
        ApplyMatrix();
    }
    return !m_singular;
}

void TzuCanvasCairo::ApplyMatrix() {
    cairo_matrix_t m = CairoMatrix(Matrix());
    cairo_matrix_t inverse = m;
    // Cairo refuses a matrix it cannot invert by failing the context for good.
    m_singular = cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS;
    if (m_cr && !m_singular) cairo_set_matrix(m_cr, &m);
}

void TzuCanvasCairo::SetMatrix(const TzuMatrix& m) {
    TzuCanvas::SetMatrix(m);
    ApplyMatrix();
}

void TzuCanvasCairo::MultiplyMatrix(const TzuMatrix& m) {
    TzuCanvas::MultiplyMatrix(m);
    ApplyMatrix();
}

int TzuCanvasCairo::SaveBackendState() {
    if (!m_cr) return -1;
    cairo_save(m_cr);
    return m_depth++;
}

void TzuCanvasCairo::RestoreBackendState(int token) {
    if (!m_cr) return;
    // Restoring an outer state drops the inner ones too, as nested painters expect.
    while (m_depth > token && m_depth > 0) {
        cairo_restore(m_cr);
        --m_depth;
    }
}

// ---- Clipping ----

void TzuCanvasCairo::SetClipRects(std::span<const TzuRect> rects) {
    if (!Ready()) return;
    cairo_new_path(m_cr);
    cairo_reset_clip(m_cr);
    for (const TzuRect& r : rects) AddRectangle(m_cr, Normalized(r));
    if (rects.empty()) cairo_rectangle(m_cr, 0, 0, 0, 0);
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_WINDING);
    cairo_clip(m_cr);
}

void TzuCanvasCairo::IntersectClipRect(const TzuRect& r) {
    if (!Ready()) return;
    cairo_new_path(m_cr);
    AddRectangle(m_cr, Normalized(r));
    cairo_clip(m_cr);
}

void TzuCanvasCairo::ExcludeClipRect(const TzuRect& r) {
    if (!Ready()) return;
    // Cairo only intersects: the current clip's extents with a hole cut out.
    double x1, y1, x2, y2;
    cairo_clip_extents(m_cr, &x1, &y1, &x2, &y2);
    cairo_new_path(m_cr);
    cairo_rectangle(m_cr, x1 - 1, y1 - 1, x2 - x1 + 2, y2 - y1 + 2);
    AddRectangle(m_cr, Normalized(r));
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(m_cr);
}

void TzuCanvasCairo::ResetClipRect() {
    if (m_cr) cairo_reset_clip(m_cr);
}

// ---- Brushes and pen ----

void TzuCanvasCairo::FillCurrentPath(const TzuRect& r, float opacity) {
    // Paths of the scene fill with the alternate rule (overlaps of a figure make holes).
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_EVEN_ODD);
    TakeSharedBrush(*Fill());
    const TzuBrush& fill = ResolveBrush(*Fill());
    if (fill.Style() == zuBrushVisual) {
        TzuVisualBrushPainter painter = VisualBrushPainter();
        TzuComponent* visual = fill.Visual()->VisualObject();
        if (!painter || !visual) {
            cairo_new_path(m_cr);
            return;
        }
        const int state = SaveCanvas();
        cairo_clip(m_cr);
        painter(*this, visual, r, opacity);
        RestoreCanvas(state);
        return;
    }
    TzuBrushPattern p = CreateBrushPattern(fill, r, opacity, StrokeThickness(), false);
    if (!p.pattern) {
        cairo_new_path(m_cr);
        return;
    }
    cairo_set_source(m_cr, p.pattern);
    if (p.paintAlpha < 1) {
        cairo_save(m_cr);
        cairo_clip(m_cr);
        cairo_paint_with_alpha(m_cr, p.paintAlpha);
        cairo_restore(m_cr);
    } else {
        cairo_fill(m_cr);
    }
    cairo_pattern_destroy(p.pattern);
}

bool TzuCanvasCairo::SetupPen(const TzuRect& r, float opacity) {
    const float width = StrokeThickness();
    if (!(width > 0) || !std::isfinite(width)) return false;
    TakeSharedBrush(*Stroke());
    TzuBrushPattern p = CreateBrushPattern(*Stroke(), r, opacity, width, true);
    if (!p.pattern) return false;
    if (p.paintAlpha < 1) {
        // A faded image pen: the image is faded through a group.
        cairo_pattern_t* faded = nullptr;
        cairo_push_group(m_cr);
        cairo_set_source(m_cr, p.pattern);
        cairo_paint_with_alpha(m_cr, p.paintAlpha);
        faded = cairo_pop_group(m_cr);
        cairo_pattern_destroy(p.pattern);
        p.pattern = faded;
    }
    cairo_set_source(m_cr, p.pattern);
    cairo_pattern_destroy(p.pattern);
    cairo_set_line_width(m_cr, width);
    const bool round = StrokeCap() == zuCapRound;
    cairo_set_line_cap(m_cr, round ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
    switch (StrokeJoin()) {
        case zuJoinRound: cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND); break;
        case zuJoinBevel: cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_BEVEL); break;
        default: cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_MITER); break;
    }
    // Dash lengths count in stroke widths. An array Cairo would refuse (negative, not
    // finite, all zero) draws solid instead of failing the context.
    const std::vector<float>& dashes = DashArray();
    std::vector<double> scaled;
    double total = 0;
    bool valid = !dashes.empty();
    for (float d : dashes) {
        if (!(d >= 0) || !std::isfinite(d)) valid = false;
        scaled.push_back(double(d) * width);
        total += d;
    }
    const double offset = double(DashOffset()) * width;
    if (valid && total > 0 && std::isfinite(offset)) {
        cairo_set_dash(m_cr, scaled.data(), int(scaled.size()), offset);
    } else {
        cairo_set_dash(m_cr, nullptr, 0, 0);
    }
    return true;
}

void TzuCanvasCairo::StrokeCurrentPath(const TzuRect& r, float opacity) {
    if (SetupPen(r, opacity)) {
        cairo_stroke(m_cr);
    } else {
        cairo_new_path(m_cr);
    }
}

// ---- Figures ----

void TzuCanvasCairo::DrawLine(const TzuPoint& p1, const TzuPoint& p2, float opacity) {
    if (!Ready() || Stroke()->Style() == zuBrushNone) return;
    cairo_new_path(m_cr);
    cairo_move_to(m_cr, p1.X, p1.Y);
    cairo_line_to(m_cr, p2.X, p2.Y);
    StrokeCurrentPath(TzuRect{p1.X, p1.Y, p2.X, p2.Y}, opacity);
}

void TzuCanvasCairo::FillRect(const TzuRect& r, float xRadius, float yRadius, TzuCorners corners,
                              float opacity, TzuCornerType cornerType) {
    if (!Ready() || Fill()->Style() == zuBrushNone) return;
    cairo_new_path(m_cr);
    if (IsPlainFillRect(xRadius, yRadius, corners)) {
        AddRectangle(m_cr, r);
    } else {
        TzuPathData path;
        AddCornerFigure(path, r, xRadius, yRadius, corners, cornerType);
        AddPath(m_cr, path, PathMapping{});
    }
    FillCurrentPath(r, opacity);
}

void TzuCanvasCairo::DrawRect(const TzuRect& r, float xRadius, float yRadius, TzuCorners corners,
                              float opacity, TzuCornerType cornerType) {
    if (!Ready() || Stroke()->Style() == zuBrushNone) return;
    cairo_new_path(m_cr);
    if (IsPlainDrawRect(xRadius, yRadius)) {
        AddRectangle(m_cr, r);
    } else {
        TzuPathData path;
        AddCornerFigure(path, r, xRadius, yRadius, corners, cornerType);
        AddPath(m_cr, path, PathMapping{});
    }
    StrokeCurrentPath(r, opacity);
}

void TzuCanvasCairo::FillEllipse(const TzuRect& r, float opacity) {
    if (!Ready() || Fill()->Style() == zuBrushNone) return;
    cairo_new_path(m_cr);
    AddEllipse(m_cr, r);
    FillCurrentPath(r, opacity);
}

void TzuCanvasCairo::DrawEllipse(const TzuRect& r, float opacity) {
    if (!Ready() || Stroke()->Style() == zuBrushNone) return;
    cairo_new_path(m_cr);
    AddEllipse(m_cr, r);
    StrokeCurrentPath(r, opacity);
}

bool TzuCanvasCairo::PtInPath(const TzuPoint& p, const TzuRect& r, const TzuPathData& path) {
    if (!RectContainsPoint(p, r)) return false;
    PathMapping map;
    if (!MapPath(path, r, map)) return false;
    // A context of its own: the test must not see the canvas's clip or matrix.
    static cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    AddPath(cr, path, map);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    const bool inside = cairo_in_fill(cr, p.X, p.Y);
    cairo_destroy(cr);
    return inside;
}

void TzuCanvasCairo::FillPath(const TzuPathData& path, const TzuRect& r, float opacity) {
    if (!Ready() || Fill()->Style() == zuBrushNone) return;
    PathMapping map;
    if (!MapPath(path, r, map)) return;
    cairo_new_path(m_cr);
    AddPath(m_cr, path, map);
    FillCurrentPath(r, opacity);
}

void TzuCanvasCairo::DrawPath(const TzuPathData& path, const TzuRect& r, float opacity) {
    if (!Ready() || Stroke()->Style() == zuBrushNone) return;
    PathMapping map;
    if (!MapPath(path, r, map)) return;
    cairo_new_path(m_cr);
    // The pen is made for the path's own bounds, not for the rectangle it is mapped onto.
    if (!SetupPen(path.GetBounds(), opacity)) return;
    // Every segment is a stroke of its own, so segments meet without joins.
    const auto& pts = path.Points();
    TzuPoint current{}, start{};
    for (size_t i = 0; i < pts.size(); ++i) {
        const TzuPathPoint& e = pts[i];
        const TzuPoint p = map(e.Point);
        switch (e.Kind) {
            case zuPathPointMoveTo: current = start = p; break;
            case zuPathPointLineTo:
                cairo_move_to(m_cr, current.X, current.Y);
                cairo_line_to(m_cr, p.X, p.Y);
                cairo_stroke(m_cr);
                current = p;
                break;
            case zuPathPointCurveTo:
                if (i + 2 < pts.size()) {
                    const TzuPoint b = map(pts[i + 1].Point), c = map(pts[i + 2].Point);
                    cairo_move_to(m_cr, current.X, current.Y);
                    cairo_curve_to(m_cr, p.X, p.Y, b.X, b.Y, c.X, c.Y);
                    cairo_stroke(m_cr);
                    current = c;
                }
                i += 2;
                break;
            case zuPathPointClose:
                cairo_move_to(m_cr, current.X, current.Y);
                cairo_line_to(m_cr, start.X, start.Y);
                cairo_stroke(m_cr);
                current = start;
                break;
        }
    }
}

void TzuCanvasCairo::DrawBitmap(TzuBitmap& bitmap, const TzuRect& src, const TzuRect& dst, float opacity,
                                bool highSpeed) {
    if (!Ready() || !(opacity > 0)) return;
    const double sw = RectWidth(src), sh = RectHeight(src), dw = RectWidth(dst), dh = RectHeight(dst);
    if (sw == 0 || sh == 0 || dw == 0 || dh == 0) return;
    cairo_surface_t* surface = BitmapSurface(bitmap);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return;
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, src.Left, src.Top);
    cairo_matrix_scale(&m, sw / dw, sh / dh);
    cairo_matrix_translate(&m, -dst.Left, -dst.Top);
    if (cairo_matrix_invert(&m) != CAIRO_STATUS_SUCCESS) return;
    cairo_matrix_invert(&m);
    cairo_pattern_t* p = cairo_pattern_create_for_surface(surface);
    cairo_pattern_set_matrix(p, &m);
    cairo_pattern_set_filter(p, highSpeed ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    // Edge pixels continue outwards rather than fading into transparency.
    cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
    cairo_save(m_cr);
    cairo_new_path(m_cr);
    AddRectangle(m_cr, dst);
    cairo_clip(m_cr);
    cairo_set_source(m_cr, p);
    if (opacity >= 1) {
        cairo_paint(m_cr);
    } else {
        cairo_paint_with_alpha(m_cr, opacity);
    }
    cairo_restore(m_cr);
    cairo_pattern_destroy(p);
}

void TzuCanvasCairo::DrawThumbnail(TzuBitmap& bitmap, float width, float /*height*/) {
    if (!Bitmap() || !(width > 0)) return;
    const float s = width / bitmap.Width();
    MultiplyMatrix(TzuMatrix{s, 0, 0, 0, s, 0, 0, 0, 1});
    const TzuRect whole{0, 0, float(bitmap.Width()), float(bitmap.Height())};
    DrawBitmap(bitmap, whole, whole, 1, false);
}

}  // namespace zu
