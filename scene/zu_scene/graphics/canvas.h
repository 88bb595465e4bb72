#pragma once
// TzuCanvas is the one drawing interface of the scene library: every visual object paints
// through it. It holds the drawing state (fill and stroke brushes, stroke geometry, font,
// matrix), a stack of saved states and, for window canvases, an off-screen buffer of
// premultiplied pixels laid out exactly like a TzuBitmap's. It owns its brushes, font,
// saved states and buffer; the target of a bitmap canvas is borrowed. The drawing
// primitives are implemented by a rendering backend, which installs itself as the default
// canvas class.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/core/persistent.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/font.h"
#include "scene/zu_scene/graphics/path_data.h"
#include "scene/zu_scene/types/geometry.h"

namespace zu {

// A quarter ellipse drawn as one cubic curve: its control points lie kQuarterEllipseKappa of
// the radius from the curve's ends along the tangents, that is kCornerK of it from the
// corner of the bounding box.
inline constexpr double kQuarterEllipseKappa = 0.5522847498;
inline constexpr float kCornerK = float(1 - kQuarterEllipseKappa);

class TzuBitmap;
class TzuComponent;

enum TzuStrokeCap : int { zuCapFlat, zuCapRound };
enum TzuStrokeJoin : int { zuJoinMiter, zuJoinRound, zuJoinBevel };
enum TzuStrokeDash : int {
    zuDashSolid,
    zuDashDash,
    zuDashDot,
    zuDashDashDot,
    zuDashDashDotDot,
    zuDashCustom,
};
enum TzuCorner : int { zuCornerTopLeft, zuCornerTopRight, zuCornerBottomLeft, zuCornerBottomRight };
enum TzuCornerType : int { zuCornerRound, zuCornerBevel, zuCornerInnerRound, zuCornerInnerLine };
enum TzuSide : int { zuSideTop, zuSideLeft, zuSideBottom, zuSideRight };
enum TzuTextAlign : int { zuTextAlignCenter, zuTextAlignNear, zuTextAlignFar };

// Sets over TzuCorner and TzuSide: bit n stands for value n.
using TzuCorners = uint32_t;
using TzuSides = uint32_t;
constexpr TzuCorners CornerBit(TzuCorner c) { return TzuCorners(1) << c; }
constexpr TzuSides SideBit(TzuSide s) { return TzuSides(1) << s; }
inline constexpr TzuCorners kAllCorners = 0xF;
inline constexpr TzuSides kAllSides = 0xF;

extern const TzuEnumInfo kStrokeCapEnum;
extern const TzuEnumInfo kStrokeJoinEnum;
extern const TzuEnumInfo kStrokeDashEnum;
extern const TzuEnumInfo kCornerEnum;
extern const TzuEnumInfo kCornerTypeEnum;
extern const TzuEnumInfo kSideEnum;
extern const TzuEnumInfo kTextAlignEnum;

// Where a buffered canvas shows its pixels (a window, a layered window, a test image).
// The platform layer provides it; the target clips to its own size.
class TzuCanvasTarget {
public:
    virtual ~TzuCanvasTarget() = default;
    // Copies a width x height block of premultiplied pixels (stride in pixels) to (x, y).
    virtual void PutPixels(int x, int y, const uint32_t* pixels, int stride, int width, int height) = 0;
};

// One saved drawing state; Token -1 marks a free entry.
struct TzuSaveData {
    int Token = -1;
    TzuMatrix Matrix = IdentityMatrix;
    std::unique_ptr<TzuBrush> Fill;
    std::unique_ptr<TzuBrush> Stroke;
    float StrokeThickness = 1;
    TzuStrokeCap StrokeCap = zuCapFlat;
    TzuStrokeJoin StrokeJoin = zuJoinMiter;
    TzuStrokeDash StrokeDash = zuDashSolid;
    std::vector<float> DashArray;
    float DashOffset = 0;
    std::unique_ptr<TzuFont> Font;
};

class TzuCanvas : public TzuPersistent {
    ZU_CLASS(TzuCanvas)
public:
    ~TzuCanvas() override;
    TzuCanvas(const TzuCanvas&) = delete;
    TzuCanvas& operator=(const TzuCanvas&) = delete;

    // A buffered canvas of the default canvas class; raises when none is installed or the
    // buffer cannot be allocated.
    static std::unique_ptr<TzuCanvas> CreateBuffered(int width, int height);
    // A canvas of the default class drawing into bitmap (borrowed; must outlive it).
    static std::unique_ptr<TzuCanvas> CreateFromBitmap(TzuBitmap& bitmap);

    // ---- State ----
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const TzuMatrix& Matrix() const { return m_matrix; }
    TzuBrush* Fill() const { return m_fill.get(); }
    TzuBrush* Stroke() const { return m_stroke.get(); }
    TzuFont* Font() const { return m_font.get(); }
    float StrokeThickness() const { return m_strokeThickness; }
    void SetStrokeThickness(float value) { m_strokeThickness = value; }
    TzuStrokeCap StrokeCap() const { return m_strokeCap; }
    void SetStrokeCap(TzuStrokeCap value) { m_strokeCap = value; }
    TzuStrokeJoin StrokeJoin() const { return m_strokeJoin; }
    void SetStrokeJoin(TzuStrokeJoin value) { m_strokeJoin = value; }
    TzuStrokeDash StrokeDash() const { return m_strokeDash; }
    // When different: stores it, DashOffset = 0 and the style's dash array; a custom dash
    // keeps the array and offset as they are.
    void SetStrokeDash(TzuStrokeDash value);
    // Dash and gap lengths in units of the stroke thickness.
    const std::vector<float>& DashArray() const { return m_dashArray; }
    void SetDashArray(std::vector<float> value) { m_dashArray = std::move(value); }
    float DashOffset() const { return m_dashOffset; }
    void SetDashOffset(float value) { m_dashOffset = value; }
    TzuBitmap* Bitmap() const { return m_bitmap; }

    // ---- Device scale ----
    // Device pixels per scene unit, applied under every matrix the scene sets: a window
    // on a screen of scale 2 gets a buffer of twice the width and height, and lines, text
    // and pictures are drawn at that resolution. Width, Height and the buffer count device
    // pixels; matrices, clips and figures stay in scene units. Values are held to 1..kMaxDeviceScale.
    static constexpr int kMaxDeviceScale = 8;
    int DeviceScale() const { return m_deviceScale; }
    virtual void SetDeviceScale(int scale) {
        m_deviceScale = scale < 1 ? 1 : scale > kMaxDeviceScale ? kMaxDeviceScale : scale;
    }

    // ---- Buffer (buffered canvases) ----
    bool Buffered() const { return m_buffered; }
    uint32_t* BufferBits() const { return m_bufferBits.get(); }
    bool BufferChanged() const { return m_bufferChanged; }
    void SetBufferChanged(bool value) { m_bufferChanged = value; }
    // Same size: nothing. Sizes below 1 become 1. Raises "Can't allocate the DIB handle"
    // (leaving no buffer) when the pixels cannot be had.
    virtual void ResizeBuffer(int width, int height);
    virtual void FreeBuffer();
    void FlushBuffer(int x, int y, TzuCanvasTarget& target);
    // The buffer area (Trunc(Left), Trunc(Top)) - (Trunc(Right) + 1, Trunc(Bottom) + 1),
    // clipped to the buffer, to the same area offset by (x, y). rect is in scene units, x
    // and y in device pixels: at a device scale s each scene pixel is an s x s block.
    void FlushBufferRect(int x, int y, TzuCanvasTarget& target, const TzuRect& rect);
    // Writes the raw colour value (no premultiplying, no blending) into the buffer pixels of
    // (Trunc(Left), Trunc(Top)) - (Round(Right), Round(Bottom)), in scene units as above.
    void ClearRect(const TzuRect& rect, TzuColor color);
    // Resizes target to the canvas and copies the buffer into it; a canvas without buffer
    // leaves the resized target transparent.
    void AssignTo(TzuBitmap& target) const;

    // ---- Scene and matrix ----
    virtual bool BeginScene() { return true; }
    virtual void EndScene() {}
    virtual void FontChanged() {}
    virtual void SetMatrix(const TzuMatrix& m) { m_matrix = m; }
    // Applies m before the current matrix (m in local coordinates).
    virtual void MultiplyMatrix(const TzuMatrix& m) { m_matrix = MatrixMultiply(m, m_matrix); }

    // ---- Saved states ----
    // Returns the entry index, -1 when the backend cannot save.
    int SaveCanvas();
    // Restores and frees the entry; an index outside the array or of a free entry is ignored.
    void RestoreCanvas(int index);

    // ---- Clipping ----
    virtual void SetClipRects(std::span<const TzuRect> rects) = 0;
    virtual void IntersectClipRect(const TzuRect& r) = 0;
    virtual void ExcludeClipRect(const TzuRect& r) = 0;
    virtual void ResetClipRect() = 0;

    // ---- Figures; opacity 0..1 multiplies the alpha of every colour used ----
    virtual void DrawLine(const TzuPoint& p1, const TzuPoint& p2, float opacity) = 0;
    virtual void FillRect(const TzuRect& r, float xRadius, float yRadius, TzuCorners corners, float opacity,
                          TzuCornerType cornerType) = 0;
    virtual void DrawRect(const TzuRect& r, float xRadius, float yRadius, TzuCorners corners, float opacity,
                          TzuCornerType cornerType) = 0;
    virtual void FillEllipse(const TzuRect& r, float opacity) = 0;
    virtual void DrawEllipse(const TzuRect& r, float opacity) = 0;
    // Paths are mapped from their own bounds onto rect; a path of zero bound area draws
    // nothing and contains no point.
    virtual bool PtInPath(const TzuPoint& p, const TzuRect& r, const TzuPathData& path) = 0;
    virtual void FillPath(const TzuPathData& path, const TzuRect& r, float opacity) = 0;
    virtual void DrawPath(const TzuPathData& path, const TzuRect& r, float opacity) = 0;
    virtual void DrawBitmap(TzuBitmap& bitmap, const TzuRect& src, const TzuRect& dst, float opacity,
                            bool highSpeed) = 0;
    virtual void DrawThumbnail(TzuBitmap& bitmap, float width, float height) = 0;

    void FillPolygon(const TzuPolygon& polygon, float opacity);
    void DrawPolygon(const TzuPolygon& polygon, float opacity);
    // Angles in degrees.
    void FillArc(const TzuPoint& center, const TzuPoint& radius, float startAngle, float sweepAngle,
                 float opacity);
    void DrawArc(const TzuPoint& center, const TzuPoint& radius, float startAngle, float sweepAngle,
                 float opacity);
    // Strokes only the listed sides; unlisted corners are square, listed ones shaped.
    void DrawRectSides(const TzuRect& r, float xRadius, float yRadius, TzuCorners corners, TzuSides sides,
                       float opacity, TzuCornerType cornerType);

    // ---- Text ----
    // Text is laid out up to this many UTF-16 units; what follows is neither drawn nor
    // measured, so drawing or measuring a huge text costs a bounded time and memory.
    static constexpr size_t kMaxLaidOutText = size_t{1} << 16;
    // Trailing blanks of a line: FillText leaves them out when it aligns the line (they
    // never move aligned text), MeasureText counts them, TextToPath counts them only when
    // it does not wrap.
    //
    // Makes the fonts of an in-memory font file usable by family name in this process.
    // False when the data holds no usable font.
    virtual bool LoadFontFromStream(std::span<const uint8_t> /*data*/) { return false; }
    virtual void FillText(const TzuRect& r, const std::u16string& text, bool wordWrap, float opacity,
                          TzuTextAlign hAlign, TzuTextAlign vAlign) = 0;
    // On return r is the bounding box of the laid-out text (left unchanged for empty text).
    virtual void MeasureText(TzuRect& r, const std::u16string& text, bool wordWrap, TzuTextAlign hAlign,
                             TzuTextAlign vAlign) = 0;
    // Replaces path by the outlines of the text; false for empty text.
    virtual bool TextToPath(TzuPathData& path, const TzuRect& r, const std::u16string& text, bool wordWrap,
                            TzuTextAlign hAlign, TzuTextAlign vAlign) = 0;
    float TextWidth(const std::u16string& text);

    // ---- Shared geometry for backends ----
    // Radii below these limits mean a plain rectangle.
    static bool IsPlainFillRect(float xRadius, float yRadius, TzuCorners corners);
    static bool IsPlainDrawRect(float xRadius, float yRadius);
    // Appends the closed, clockwise corner figure of FillRect / DrawRect.
    static void AddCornerFigure(TzuPathData& path, const TzuRect& r, float xRadius, float yRadius,
                                TzuCorners corners, TzuCornerType cornerType);

protected:
    // A buffered canvas (its backend then calls ResizeBuffer) or one without buffer.
    TzuCanvas(bool buffered);
    // A canvas drawing into bitmap.
    explicit TzuCanvas(TzuBitmap& bitmap);

    // The backend's own state save; returns a token >= 0, or -1 when it has nothing to save.
    virtual int SaveBackendState() = 0;
    virtual void RestoreBackendState(int token) = 0;

private:
    void CreateStateObjects();

    int m_width = 1;
    int m_height = 1;
    int m_deviceScale = 1;
    TzuMatrix m_matrix = IdentityMatrix;
    std::unique_ptr<TzuBrush> m_fill;
    std::unique_ptr<TzuBrush> m_stroke;
    float m_strokeThickness = 1;
    TzuStrokeCap m_strokeCap = zuCapFlat;
    TzuStrokeJoin m_strokeJoin = zuJoinMiter;
    TzuStrokeDash m_strokeDash = zuDashSolid;
    std::vector<float> m_dashArray;
    float m_dashOffset = 0;
    std::unique_ptr<TzuFont> m_font;
    TzuBitmap* m_bitmap = nullptr;
    bool m_bufferChanged = false;
    std::vector<TzuSaveData> m_states;
    bool m_buffered = false;
    // Zeroed by calloc: a large buffer comes straight from fresh, already-zero pages, so
    // the first frame does not clear what it is about to paint over.
    struct FreeBits {
        void operator()(uint32_t* bits) const { std::free(bits); }
    };
    std::unique_ptr<uint32_t[], FreeBits> m_bufferBits;
};

// ---- The default canvas class ----
// How the installed backend makes canvases: a buffered one of (width, height) when bitmap
// is null, else one drawing into bitmap.
using TzuCanvasFactory = std::unique_ptr<TzuCanvas> (*)(TzuBitmap* bitmap, int width, int height);
// Installs factory (null uninstalls); also tells bitmaps how to make their own canvas.
void SetDefaultCanvasClass(TzuCanvasFactory factory);
TzuCanvasFactory DefaultCanvasClass();

// ---- Visual brushes ----
// Paints a scene object into rect of canvas, which is already clipped to the figure, with
// the object's opacity temporarily set to opacity. The visual-object code installs it; the
// backend calls it for zuBrushVisual. Nothing is painted while none is installed.
using TzuVisualBrushPainter = void (*)(TzuCanvas& canvas, TzuComponent* visual, const TzuRect& rect,
                                       float opacity);
void SetVisualBrushPainter(TzuVisualBrushPainter painter);
TzuVisualBrushPainter VisualBrushPainter();

}  // namespace zu
