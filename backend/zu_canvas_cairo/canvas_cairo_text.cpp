// Text of the Cairo canvas, laid out by Pango.

#include <algorithm>
#include <cmath>

#include <pango/pangocairo.h>

#include "backend/zu_canvas_cairo/brush_pattern.h"
#include "backend/zu_canvas_cairo/canvas_cairo.h"
#include "backend/zu_canvas_cairo/font_map.h"

namespace zu {

namespace {

constexpr const char* kFallbackFamily = "sans-serif";

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0x3000 || (c >= 0x2000 && c <= 0x200A); }

bool EndsLine(char16_t c) { return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029; }

// Characters that belong to the one before them: a break never goes in front of them.
bool JoinsPrevious(char16_t c) {
    return (c >= 0xDC00 && c < 0xE000) || (c >= 0x0300 && c < 0x0370) || (c >= 0x1AB0 && c < 0x1B00) ||
           (c >= 0x1DC0 && c < 0x1E00) || (c >= 0x20D0 && c < 0x2100) || (c >= 0xFE00 && c < 0xFE10) ||
           (c >= 0xFE20 && c < 0xFE30) || c == 0x200D;
}

// A wrapped word longer than this gets a break opportunity: the layout breaks an
// unbreakable run by shaping what is left of it once per line, which for one huge word
// costs time in the square of its length.
constexpr size_t kLongWord = 256;

// The part of a text that is laid out: at most kMaxLaidOutText units, never half of a
// surrogate pair; without the blanks that end a line unless they are kept; with a
// zero-width break opportunity in every kLongWord units of an unbroken word when wrapped.
std::u16string LaidOutText(const std::u16string& text, bool keepTrailingBlanks, bool wrap) {
    size_t length = std::min(text.size(), TzuCanvas::kMaxLaidOutText);
    if (length < text.size() && length > 0 && text[length - 1] >= 0xD800 && text[length - 1] < 0xDC00)
        --length;
    if (keepTrailingBlanks && !wrap) return text.substr(0, length);
    std::u16string out;
    out.reserve(length + (wrap ? length / kLongWord : 0));
    size_t blanks = 0;  // blanks held back until something other than a line end follows
    size_t word = 0;    // length of the unbroken run so far
    for (size_t i = 0; i < length; ++i) {
        const char16_t c = text[i];
        if (IsBlank(c)) {
            word = 0;
            if (keepTrailingBlanks)
                out += c;
            else
                ++blanks;
            continue;
        }
        if (!EndsLine(c)) out.append(text, i - blanks, blanks);
        blanks = 0;
        if (EndsLine(c)) {
            word = 0;
        } else if (wrap && ++word > kLongWord && !JoinsPrevious(c)) {
            out += char16_t(0x200B);
            word = 1;
        }
        out += c;
    }
    return out;
}

std::string ToUtf8(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;  // a lone surrogate
        }
        if (c == 0) c = 0xFFFD;  // Pango stops at a NUL
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Unhinted glyphs and metrics, so a text measures the same at every scale and on every
// surface; only the smoothing changes between calls.
void SetTextOptions(PangoContext* context, cairo_antialias_t antialias) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, antialias);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
}

bool HasFraction(float v) { return v != std::trunc(v); }

// A context for measuring and outlining, in the text's own units.
cairo_t* ScratchContext() {
    static cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    return cairo_create(surface);
}

// Outlines need a surface without bounds: Pango leaves out glyphs that lie outside the
// surface, which on a one-pixel surface is every glyph of an aligned line.
cairo_t* OutlineContext() {
    static cairo_surface_t* surface = cairo_recording_surface_create(CAIRO_CONTENT_ALPHA, nullptr);
    return cairo_create(surface);
}

}  // namespace

void TzuCanvasCairo::FontChanged() {
    if (!m_pango) {
        m_pango = pango_font_map_create_context(CanvasFontMap());
        // Glyphs sit where the layout puts them, whatever the scale, so a measured text
        // and a drawn one agree.
        pango_context_set_round_glyph_positions(m_pango, FALSE);
        pango_context_set_base_dir(m_pango, PANGO_DIRECTION_LTR);
        m_textAntialias = CAIRO_ANTIALIAS_GRAY;
        SetTextOptions(m_pango, m_textAntialias);
        m_layout = pango_layout_new(m_pango);
        pango_layout_set_auto_dir(m_layout, FALSE);
    }
    const TzuFont& font = *Font();
    if (m_fontDesc) pango_font_description_free(m_fontDesc);
    m_fontDesc = pango_font_description_new();
    pango_font_description_set_family(
        m_fontDesc, FontFamilyAvailable(font.Family()) ? font.Family().c_str() : kFallbackFamily);
    const TzuFontStyle style = font.Style();
    pango_font_description_set_weight(m_fontDesc, style == zuFontBold || style == zuFontBoldItalic
                                                      ? PANGO_WEIGHT_BOLD
                                                      : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(m_fontDesc, style == zuFontItalic || style == zuFontBoldItalic
                                                     ? PANGO_STYLE_ITALIC
                                                     : PANGO_STYLE_NORMAL);
    // The size is in pixels: size x 0.75 points at 96 dots per inch. Pango gets it as an
    // absolute size so its own resolution setting plays no part.
    double pixels = double(font.Size()) * 0.75 * 96.0 / 72.0;
    if (!(pixels >= 0.1) || !std::isfinite(pixels)) pixels = 0.1;
    if (pixels > 10000) pixels = 10000;
    pango_font_description_set_absolute_size(m_fontDesc, pixels * PANGO_SCALE);
    pango_layout_set_font_description(m_layout, m_fontDesc);
    if (m_fontAttrs) pango_attr_list_unref(m_fontAttrs);
    m_fontAttrs = pango_attr_list_new();
    if (style == zuFontUnderline)
        pango_attr_list_insert(m_fontAttrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (style == zuFontStrikeout) pango_attr_list_insert(m_fontAttrs, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(m_layout, m_fontAttrs);
}

bool TzuCanvasCairo::LoadFontFromStream(std::span<const uint8_t> data) {
    const bool added = AddPrivateFont(data);
    if (added) FontChanged();
    return added;
}

PangoLayout* TzuCanvasCairo::Layout(const TzuRect& r, const std::u16string& text, bool wordWrap,
                                    TzuTextAlign hAlign, TzuTextAlign vAlign, bool keepTrailingBlanks,
                                    TzuPoint& origin) {
    const bool wrapAsked = wordWrap && double(r.Right) - r.Left > 0;
    const std::string utf8 = ToUtf8(LaidOutText(text, keepTrailingBlanks, wrapAsked));
    pango_layout_set_text(m_layout, utf8.data(), int(utf8.size()));
    const double width = double(r.Right) - r.Left, height = double(r.Bottom) - r.Top;
    const bool wrap = wordWrap && width > 0 && width * PANGO_SCALE < 1e9;
    if (wrap) {
        pango_layout_set_width(m_layout, int(width * PANGO_SCALE));
        // A word wider than the box is broken rather than left sticking out.
        pango_layout_set_wrap(m_layout, PANGO_WRAP_WORD_CHAR);
    } else {
        pango_layout_set_width(m_layout, -1);
    }
    pango_layout_set_alignment(m_layout, hAlign == zuTextAlignCenter ? PANGO_ALIGN_CENTER
                                         : hAlign == zuTextAlignFar  ? PANGO_ALIGN_RIGHT
                                                                     : PANGO_ALIGN_LEFT);
    PangoRectangle logical;
    pango_layout_get_extents(m_layout, nullptr, &logical);
    const double lx = double(logical.x) / PANGO_SCALE, ly = double(logical.y) / PANGO_SCALE;
    const double lw = double(logical.width) / PANGO_SCALE, lh = double(logical.height) / PANGO_SCALE;
    double x = r.Left;
    if (!wrap) {
        // Without a layout width Pango aligns lines with each other only: place the block.
        if (hAlign == zuTextAlignCenter)
            x = r.Left + (width - lw) / 2 - lx;
        else if (hAlign == zuTextAlignFar)
            x = r.Right - lw - lx;
        else
            x = r.Left - lx;
    }
    double y = r.Top - ly;
    if (vAlign == zuTextAlignCenter)
        y = r.Top + (height - lh) / 2 - ly;
    else if (vAlign == zuTextAlignFar)
        y = r.Bottom - lh - ly;
    origin = TzuPoint{float(x), float(y)};
    return m_layout;
}

void TzuCanvasCairo::FillText(const TzuRect& r, const std::u16string& text, bool wordWrap, float opacity,
                              TzuTextAlign hAlign, TzuTextAlign vAlign) {
    if (text.empty() || Fill()->Style() == zuBrushNone || !Ready()) return;
    // An opaque text colour is drawn at alpha 252, as the scene has always shown it.
    const float o = opacity == 1 ? 0.99f : opacity;
    TakeSharedBrush(*Fill());
    TzuBrushPattern p = CreateBrushPattern(*Fill(), r, o, StrokeThickness(), false);
    if (!p.pattern) return;
    const TzuMatrix& m = Matrix();
    const bool subpixel = Font()->ClearType() && !HasFraction(m.m11) && !HasFraction(m.m22);
    const cairo_antialias_t antialias = subpixel ? CAIRO_ANTIALIAS_SUBPIXEL : CAIRO_ANTIALIAS_GRAY;
    // New options make Pango drop its font caches: set them only when they change.
    if (antialias != m_textAntialias) {
        m_textAntialias = antialias;
        SetTextOptions(m_pango, antialias);
    }
    // Pango measures glyphs in device space and maps them back with one scale factor, so
    // under a stretched or rotated matrix its advances no longer add up to the measured
    // text. There the layout is made in the text's own units and cairo transforms the
    // outlines.
    const bool skewed = std::fabs(std::fabs(m.m11) - std::fabs(m.m22)) > 1e-6f || m.m12 != 0 || m.m21 != 0;
    if (skewed) {
        cairo_matrix_t device;
        cairo_get_matrix(m_cr, &device);
        cairo_identity_matrix(m_cr);
        pango_cairo_update_context(m_cr, m_pango);
        cairo_set_matrix(m_cr, &device);
    } else {
        pango_cairo_update_context(m_cr, m_pango);
    }
    pango_layout_context_changed(m_layout);
    TzuPoint origin;
    PangoLayout* layout = Layout(r, text, wordWrap, hAlign, vAlign, false, origin);
    cairo_new_path(m_cr);
    cairo_set_source(m_cr, p.pattern);
    cairo_move_to(m_cr, origin.X, origin.Y);
    pango_cairo_show_layout(m_cr, layout);
    cairo_pattern_destroy(p.pattern);
}

void TzuCanvasCairo::MeasureText(TzuRect& r, const std::u16string& text, bool wordWrap, TzuTextAlign hAlign,
                                 TzuTextAlign vAlign) {
    if (!wordWrap) r.Right = r.Left;
    if (text.empty()) return;
    cairo_t* cr = ScratchContext();
    pango_cairo_update_context(cr, m_pango);
    pango_layout_context_changed(m_layout);
    TzuPoint origin;
    PangoLayout* layout = Layout(r, text, wordWrap, hAlign, vAlign, true, origin);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    cairo_destroy(cr);
    r.Left = float(origin.X + double(logical.x) / PANGO_SCALE);
    r.Top = float(origin.Y + double(logical.y) / PANGO_SCALE);
    r.Right = float(r.Left + double(logical.width) / PANGO_SCALE);
    r.Bottom = float(r.Top + double(logical.height) / PANGO_SCALE);
}

bool TzuCanvasCairo::TextToPath(TzuPathData& path, const TzuRect& r, const std::u16string& text,
                                bool wordWrap, TzuTextAlign hAlign, TzuTextAlign vAlign) {
    if (text.empty()) return false;
    cairo_t* cr = OutlineContext();
    pango_cairo_update_context(cr, m_pango);
    pango_layout_context_changed(m_layout);
    TzuPoint origin;
    PangoLayout* layout = Layout(r, text, wordWrap, hAlign, vAlign, !wordWrap, origin);
    cairo_move_to(cr, origin.X, origin.Y);
    pango_cairo_layout_path(cr, layout);
    cairo_path_t* outline = cairo_copy_path(cr);
    TzuPathData result;
    if (outline->status == CAIRO_STATUS_SUCCESS) {
        int last = 0;
        for (int i = 0; i < outline->num_data; i += outline->data[i].header.length) last = i;
        for (int i = 0; i < outline->num_data; i += outline->data[i].header.length) {
            const cairo_path_data_t* d = &outline->data[i];
            auto pt = [d](int k) { return TzuPoint{float(d[k].point.x), float(d[k].point.y)}; };
            switch (d->header.type) {
                case CAIRO_PATH_MOVE_TO:
                    // Cairo leaves a move after the last close; an outline ends with its figure.
                    if (i != last) result.MoveTo(pt(1));
                    break;
                case CAIRO_PATH_LINE_TO: result.LineTo(pt(1)); break;
                case CAIRO_PATH_CURVE_TO: result.CurveTo(pt(1), pt(2), pt(3)); break;
                case CAIRO_PATH_CLOSE_PATH: result.ClosePath(); break;
            }
        }
    }
    cairo_path_destroy(outline);
    cairo_destroy(cr);
    path.Assign(result);
    return true;
}

}  // namespace zu
