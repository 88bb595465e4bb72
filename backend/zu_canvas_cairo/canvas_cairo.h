#pragma once
// TzuCanvasCairo draws every canvas operation with Cairo, and text with Pango. A buffered
// canvas owns a Cairo image surface over the canvas buffer; a bitmap canvas owns one over
// the bitmap's pixels (the bitmap is borrowed). The Cairo context, the Pango context and
// the font description are owned and live as long as the surface or the canvas.

#include <cairo.h>
#include <pango/pango.h>

#include "scene/zu_scene/graphics/canvas.h"

namespace zu {

class TzuCanvasCairo : public TzuCanvas {
    ZU_CLASS(TzuCanvasCairo)
public:
    // A buffered canvas of width x height.
    TzuCanvasCairo(int width, int height);
    // A canvas drawing into bitmap.
    explicit TzuCanvasCairo(TzuBitmap& bitmap);
    ~TzuCanvasCairo() override;

    // The factory installed as the default canvas class.
    static std::unique_ptr<TzuCanvas> Create(TzuBitmap* bitmap, int width, int height);

    cairo_t* Context() const { return m_cr; }

    void SetDeviceScale(int scale) override;
    void ResizeBuffer(int width, int height) override;
    void FreeBuffer() override;
    void EndScene() override;
    void FontChanged() override;
    void SetMatrix(const TzuMatrix& m) override;
    void MultiplyMatrix(const TzuMatrix& m) override;

    void SetClipRects(std::span<const TzuRect> rects) override;
    void IntersectClipRect(const TzuRect& r) override;
    void ExcludeClipRect(const TzuRect& r) override;
    void ResetClipRect() override;

    void DrawLine(const TzuPoint& p1, const TzuPoint& p2, float opacity) override;
    void FillRect(const TzuRect& r, float xRadius, float yRadius, TzuCorners corners, float opacity,
                  TzuCornerType cornerType) override;
    void DrawRect(const TzuRect& r, float xRadius, float yRadius, TzuCorners corners, float opacity,
                  TzuCornerType cornerType) override;
    void FillEllipse(const TzuRect& r, float opacity) override;
    void DrawEllipse(const TzuRect& r, float opacity) override;
    bool PtInPath(const TzuPoint& p, const TzuRect& r, const TzuPathData& path) override;
    void FillPath(const TzuPathData& path, const TzuRect& r, float opacity) override;
    void DrawPath(const TzuPathData& path, const TzuRect& r, float opacity) override;
    void DrawBitmap(TzuBitmap& bitmap, const TzuRect& src, const TzuRect& dst, float opacity,
                    bool highSpeed) override;
    void DrawThumbnail(TzuBitmap& bitmap, float width, float height) override;

    bool LoadFontFromStream(std::span<const uint8_t> data) override;
    void FillText(const TzuRect& r, const std::u16string& text, bool wordWrap, float opacity,
                  TzuTextAlign hAlign, TzuTextAlign vAlign) override;
    void MeasureText(TzuRect& r, const std::u16string& text, bool wordWrap, TzuTextAlign hAlign,
                     TzuTextAlign vAlign) override;
    bool TextToPath(TzuPathData& path, const TzuRect& r, const std::u16string& text, bool wordWrap,
                    TzuTextAlign hAlign, TzuTextAlign vAlign) override;

protected:
    int SaveBackendState() override;
    void RestoreBackendState(int token) override;

private:
    void AttachSurface(cairo_surface_t* surface);
    void DetachSurface();
    // False when nothing can be drawn (no context, or a matrix that flattens everything).
    // A context that went into an error state is replaced first.
    bool Ready();
    void ApplyMatrix();
    // Fills the current path with the fill brush (rect: the area the brush is built for).
    void FillCurrentPath(const TzuRect& r, float opacity);
    // Strokes the current path with the stroke brush and pen (rect as above).
    void StrokeCurrentPath(const TzuRect& r, float opacity);
    bool SetupPen(const TzuRect& r, float opacity);
    // Lays text out for r; returns the layout's top-left in local coordinates. Without
    // keepTrailingBlanks each line's trailing blanks take no part in its alignment.
    PangoLayout* Layout(const TzuRect& r, const std::u16string& text, bool wordWrap, TzuTextAlign hAlign,
                        TzuTextAlign vAlign, bool keepTrailingBlanks, TzuPoint& origin);

    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cr = nullptr;
    int m_depth = 0;          // cairo_save nesting, the saved-state tokens
    bool m_singular = false;  // the matrix maps everything onto a line or a point
    PangoContext* m_pango = nullptr;
    PangoLayout* m_layout = nullptr;
    PangoFontDescription* m_fontDesc = nullptr;
    PangoAttrList* m_fontAttrs = nullptr;                         // underline or strikeout
    cairo_antialias_t m_textAntialias = CAIRO_ANTIALIAS_DEFAULT;  // of the context's font options
};

}  // namespace zu
