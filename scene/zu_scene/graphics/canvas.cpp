#include "scene/zu_scene/graphics/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

namespace {

const char* const kCapNames[] = {"zuCapFlat", "zuCapRound"};
const char* const kJoinNames[] = {"zuJoinMiter", "zuJoinRound", "zuJoinBevel"};
const char* const kDashNames[] = {"zuDashSolid",   "zuDashDash",       "zuDashDot",
                                  "zuDashDashDot", "zuDashDashDotDot", "zuDashCustom"};
const char* const kCornerNames[] = {"zuCornerTopLeft", "zuCornerTopRight", "zuCornerBottomLeft",
                                    "zuCornerBottomRight"};
const char* const kCornerTypeNames[] = {"zuCornerRound", "zuCornerBevel", "zuCornerInnerRound",
                                        "zuCornerInnerLine"};
const char* const kSideNames[] = {"zuSideTop", "zuSideLeft", "zuSideBottom", "zuSideRight"};
const char* const kTextAlignNames[] = {"zuTextAlignCenter", "zuTextAlignNear", "zuTextAlignFar"};

TzuCanvasFactory g_canvasFactory = nullptr;
TzuVisualBrushPainter g_visualPainter = nullptr;

// Float to int without undefined behaviour for values far outside the pixel range.
int ClampToInt(double v) {
    if (!(v > -1e9)) return -1000000000;
    if (v > 1e9) return 1000000000;
    return static_cast<int>(v);
}
int Trunc(float v) { return ClampToInt(std::trunc(double(v))); }
int Round(float v) { return ClampToInt(std::nearbyint(double(v))); }
// A scene pixel edge in device pixels.
int Dev(int v, int scale) { return ClampToInt(double(v) * scale); }

TzuPoint Add(const TzuPoint& a, const TzuPoint& b) { return TzuPoint{a.X + b.X, a.Y + b.Y}; }
TzuPoint Scale(const TzuPoint& a, float s) { return TzuPoint{a.X * s, a.Y * s}; }

// One corner of a rectangle walked clockwise: the corner point C, and the offsets u (to
// where the corner starts) and v (to where it ends).
struct CornerGeometry {
    TzuPoint C, u, v;
    TzuCorner corner;
};

// The four corners in clockwise order, with radii limited to half the rectangle.
void CornersOf(const TzuRect& r, float& xR, float& yR, CornerGeometry out[4]) {
    xR = std::min(xR, std::fabs(RectWidth(r)) / 2);
    yR = std::min(yR, std::fabs(RectHeight(r)) / 2);
    const TzuPoint right{-xR, 0}, left{xR, 0}, down{0, yR}, up{0, -yR};
    out[0] = {{r.Left, r.Top}, down, left, zuCornerTopLeft};
    out[1] = {{r.Right, r.Top}, right, down, zuCornerTopRight};
    out[2] = {{r.Right, r.Bottom}, up, right, zuCornerBottomRight};
    out[3] = {{r.Left, r.Bottom}, left, up, zuCornerBottomLeft};
}

// The shaped part of a corner from C + u to C + v; the path already stands at C + u.
void AddCornerShape(TzuPathData& path, const CornerGeometry& g, TzuCornerType type, float roundK) {
    const TzuPoint end = Add(g.C, g.v);
    switch (type) {
        case zuCornerRound:
            path.CurveTo(Add(g.C, Scale(g.u, roundK)), Add(g.C, Scale(g.v, roundK)), end);
            break;
        case zuCornerBevel: path.LineTo(end); break;
        case zuCornerInnerRound:
            path.CurveTo(Add(g.C, Add(g.u, Scale(g.v, kCornerK))), Add(g.C, Add(g.v, Scale(g.u, kCornerK))),
                         end);
            break;
        case zuCornerInnerLine:
            path.LineTo(Add(g.C, Add(g.u, Scale(g.v, kCornerK))));
            path.LineTo(Add(g.C, Add(g.v, Scale(g.u, kCornerK))));
            path.LineTo(end);
            break;
    }
}

// Builds a path of strokes that may skip pieces: a skipped piece only moves the pen.
class PenTrack {
public:
    explicit PenTrack(TzuPathData& path, TzuPoint start) : m_path(path), m_at(start) {}
    void Line(const TzuPoint& to, bool drawn) {
        if (drawn) {
            PenDown();
            m_path.LineTo(to);
        } else {
            m_down = false;
        }
        m_at = to;
    }
    void PenDown() {
        if (!m_down) m_path.MoveTo(m_at);
        m_down = true;
    }
    void MovedTo(const TzuPoint& p) { m_at = p; }

private:
    TzuPathData& m_path;
    TzuPoint m_at;
    bool m_down = false;
};

}  // namespace

const TzuEnumInfo kStrokeCapEnum{"TzuStrokeCap", kCapNames, 2};
const TzuEnumInfo kStrokeJoinEnum{"TzuStrokeJoin", kJoinNames, 3};
const TzuEnumInfo kStrokeDashEnum{"TzuStrokeDash", kDashNames, 6};
const TzuEnumInfo kCornerEnum{"TzuCorner", kCornerNames, 4};
const TzuEnumInfo kCornerTypeEnum{"TzuCornerType", kCornerTypeNames, 4};
const TzuEnumInfo kSideEnum{"TzuSide", kSideNames, 4};
const TzuEnumInfo kTextAlignEnum{"TzuTextAlign", kTextAlignNames, 3};

const TzuClass& TzuCanvas::StaticClass() {
    static const TzuClass cls = ZuClass<TzuCanvas, TzuPersistent>("TzuCanvas");
    return cls;
}

TzuCanvas::TzuCanvas(bool buffered) : m_buffered(buffered) { CreateStateObjects(); }

TzuCanvas::TzuCanvas(TzuBitmap& bitmap)
    : m_width(bitmap.Width()), m_height(bitmap.Height()), m_bitmap(&bitmap) {
    CreateStateObjects();
}

void TzuCanvas::CreateStateObjects() {
    m_fill = std::make_unique<TzuBrush>(zuBrushSolid, 0xFFFFFFFF);
    m_stroke = std::make_unique<TzuBrush>(zuBrushSolid, 0xFF000000);
    m_font = std::make_unique<TzuFont>();
    m_font->OnChange().Set([this](TzuPersistent*) { FontChanged(); });
}

TzuCanvas::~TzuCanvas() = default;

std::unique_ptr<TzuCanvas> TzuCanvas::CreateBuffered(int width, int height) {
    if (!g_canvasFactory) throw EzuError("No canvas class is installed");
    return g_canvasFactory(nullptr, width, height);
}

std::unique_ptr<TzuCanvas> TzuCanvas::CreateFromBitmap(TzuBitmap& bitmap) {
    if (!g_canvasFactory) throw EzuError("No canvas class is installed");
    return g_canvasFactory(&bitmap, bitmap.Width(), bitmap.Height());
}

void TzuCanvas::SetStrokeDash(TzuStrokeDash value) {
    if (value == m_strokeDash) return;
    m_strokeDash = value;
    if (value == zuDashCustom) return;
    m_dashOffset = 0;
    switch (value) {
        case zuDashDash: m_dashArray = {3, 1}; break;
        case zuDashDot: m_dashArray = {1, 1}; break;
        case zuDashDashDot: m_dashArray = {3, 1, 1, 1}; break;
        case zuDashDashDotDot: m_dashArray = {3, 1, 1, 1, 1, 1}; break;
        default: m_dashArray.clear(); break;
    }
}

// ---- Buffer ----

void TzuCanvas::ResizeBuffer(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == m_width && height == m_height && (m_bufferBits || !m_buffered)) return;
    FreeBuffer();
    m_width = width;
    m_height = height;
    m_bufferChanged = true;
    if (!m_buffered) return;
    const int64_t count = int64_t(width) * height;
    if (width > kMaxBitmapSide || height > kMaxBitmapSide || count > kMaxBitmapPixels) {
        throw EzuError("Can't allocate the DIB handle");
    }
    m_bufferBits.reset(static_cast<uint32_t*>(std::calloc(size_t(count), sizeof(uint32_t))));
    if (!m_bufferBits) throw EzuError("Can't allocate the DIB handle");
}

void TzuCanvas::FreeBuffer() { m_bufferBits.reset(); }

void TzuCanvas::FlushBuffer(int x, int y, TzuCanvasTarget& target) {
    if (!m_bufferBits) return;
    target.PutPixels(x, y, m_bufferBits.get(), m_width, m_width, m_height);
}

void TzuCanvas::FlushBufferRect(int x, int y, TzuCanvasTarget& target, const TzuRect& rect) {
    if (!m_bufferBits) return;
    const int s = m_deviceScale;
    const int left = std::max(Dev(Trunc(rect.Left), s), 0);
    const int top = std::max(Dev(Trunc(rect.Top), s), 0);
    const int right = std::min(Dev(Trunc(rect.Right) + 1, s), m_width);
    const int bottom = std::min(Dev(Trunc(rect.Bottom) + 1, s), m_height);
    if (left >= right || top >= bottom) return;
    target.PutPixels(x + left, y + top, m_bufferBits.get() + int64_t(top) * m_width + left, m_width,
                     right - left, bottom - top);
}

void TzuCanvas::ClearRect(const TzuRect& rect, TzuColor color) {
    if (!m_bufferBits) return;
    // Every frame starts here, so rows are filled whole-row at a time.
    const int s = m_deviceScale;
    const int left = std::max(Dev(Trunc(rect.Left), s), 0), top = std::max(Dev(Trunc(rect.Top), s), 0);
    const int right = std::min(Dev(Round(rect.Right), s), m_width);
    const int bottom = std::min(Dev(Round(rect.Bottom), s), m_height);
    if (left >= right || top >= bottom) return;
    if (left == 0 && right == m_width) {
        uint32_t* first = m_bufferBits.get() + int64_t(top) * m_width;
        const int64_t count = int64_t(bottom - top) * m_width;
        if (color == 0) {
            std::memset(first, 0, size_t(count) * 4);
        } else {
            std::fill_n(first, count, color);
        }
        return;
    }
    for (int y = top; y < bottom; ++y)
        std::fill_n(m_bufferBits.get() + int64_t(y) * m_width + left, right - left, color);
}

void TzuCanvas::AssignTo(TzuBitmap& target) const {
    target.SetSize(m_width, m_height);
    const uint32_t* source = m_bufferBits.get();
    if (!source && m_bitmap && m_bitmap != &target && m_bitmap->Width() == m_width &&
        m_bitmap->Height() == m_height) {
        source = m_bitmap->Bits();
    }
    if (source) {
        MovePixels(source, target.Bits(), target.PixelCount());
    } else if (m_bitmap != &target) {
        FillPixels(target.Bits(), target.PixelCount(), 0);
    }
    target.Changed();
}

// ---- Saved states ----

int TzuCanvas::SaveCanvas() {
    const int token = SaveBackendState();
    if (token < 0) return -1;
    auto it =
        std::find_if(m_states.begin(), m_states.end(), [](const TzuSaveData& s) { return s.Token == -1; });
    if (it == m_states.end()) it = m_states.insert(m_states.end(), TzuSaveData{});
    TzuSaveData& s = *it;
    s.Token = token;
    s.Matrix = m_matrix;
    s.Fill = std::make_unique<TzuBrush>();
    s.Fill->Assign(*m_fill);
    s.Stroke = std::make_unique<TzuBrush>();
    s.Stroke->Assign(*m_stroke);
    s.StrokeThickness = m_strokeThickness;
    s.StrokeCap = m_strokeCap;
    s.StrokeJoin = m_strokeJoin;
    s.StrokeDash = m_strokeDash;
    if (m_strokeDash != zuDashSolid) s.DashArray = m_dashArray;
    s.DashOffset = m_dashOffset;
    s.Font = std::make_unique<TzuFont>();
    s.Font->Assign(*m_font);
    return static_cast<int>(it - m_states.begin());
}

void TzuCanvas::RestoreCanvas(int index) {
    if (index < 0 || index >= static_cast<int>(m_states.size())) return;
    TzuSaveData& s = m_states[index];
    if (s.Token == -1) return;
    RestoreBackendState(s.Token);
    s.Token = -1;
    m_stroke->Assign(*s.Stroke);
    m_fill->Assign(*s.Fill);
    s.Stroke.reset();
    s.Fill.reset();
    SetMatrix(s.Matrix);
    m_strokeThickness = s.StrokeThickness;
    m_strokeCap = s.StrokeCap;
    m_strokeJoin = s.StrokeJoin;
    m_strokeDash = s.StrokeDash;
    if (m_strokeDash != zuDashSolid) m_dashArray = std::move(s.DashArray);
    s.DashArray.clear();
    m_dashOffset = s.DashOffset;
    std::unique_ptr<TzuFont> font = std::move(s.Font);
    m_font->Assign(*font);
}

// ---- Figures built from paths ----

bool TzuCanvas::IsPlainFillRect(float xRadius, float yRadius, TzuCorners corners) {
    return (xRadius == 0 && yRadius == 0) || (corners & kAllCorners) == 0;
}

bool TzuCanvas::IsPlainDrawRect(float xRadius, float yRadius) { return xRadius < 1e-40f && yRadius < 1e-40f; }

void TzuCanvas::AddCornerFigure(TzuPathData& path, const TzuRect& r, float xRadius, float yRadius,
                                TzuCorners corners, TzuCornerType cornerType) {
    CornerGeometry g[4];
    CornersOf(r, xRadius, yRadius, g);
    path.MoveTo(Add(g[0].C, g[0].u));
    for (int i = 0; i < 4; ++i) {
        if (i > 0) path.LineTo(Add(g[i].C, g[i].u));
        if (corners & CornerBit(g[i].corner)) {
            AddCornerShape(path, g[i], cornerType, kCornerK);
        } else {
            path.LineTo(g[i].C);
            path.LineTo(Add(g[i].C, g[i].v));
        }
    }
    path.ClosePath();
}

void TzuCanvas::DrawRectSides(const TzuRect& r, float xRadius, float yRadius, TzuCorners corners,
                              TzuSides sides, float opacity, TzuCornerType cornerType) {
    CornerGeometry g[4];
    CornersOf(r, xRadius, yRadius, g);
    // The sides met by each corner (clockwise: before it, after it), and the side after it.
    const TzuSide before[4] = {zuSideLeft, zuSideTop, zuSideRight, zuSideBottom};
    const TzuSide after[4] = {zuSideTop, zuSideRight, zuSideBottom, zuSideLeft};
    TzuPathData path;
    PenTrack pen(path, Add(g[0].C, g[0].u));
    for (int i = 0; i < 4; ++i) {
        if (corners & CornerBit(g[i].corner)) {
            pen.PenDown();
            AddCornerShape(path, g[i], cornerType, 0.5f);
            pen.MovedTo(Add(g[i].C, g[i].v));
        } else {
            pen.Line(g[i].C, sides & SideBit(before[i]));
            pen.Line(Add(g[i].C, g[i].v), sides & SideBit(after[i]));
        }
        const CornerGeometry& next = g[(i + 1) % 4];
        pen.Line(Add(next.C, next.u), sides & SideBit(after[i]));
    }
    if (path.IsEmpty()) return;
    DrawPath(path, r, opacity);
}

namespace {
// The figures of a polygon: ClosePolygon entries close a figure, the rest join it. A fill
// closes the last figure too; an outline leaves it open.
void AddPolygon(TzuPathData& path, const TzuPolygon& polygon, bool closeLast) {
    bool figureOpen = false;
    for (const TzuPoint& p : polygon) {
        if (p == ClosePolygon) {
            if (figureOpen) path.ClosePath();
            figureOpen = false;
        } else if (!figureOpen) {
            path.MoveTo(p);
            figureOpen = true;
        } else {
            path.LineTo(p);
        }
    }
    if (figureOpen && closeLast) path.ClosePath();
}
}  // namespace

void TzuCanvas::FillPolygon(const TzuPolygon& polygon, float opacity) {
    TzuPathData path;
    AddPolygon(path, polygon, true);
    if (!path.IsEmpty()) FillPath(path, path.GetBounds(), opacity);
}

void TzuCanvas::DrawPolygon(const TzuPolygon& polygon, float opacity) {
    TzuPathData path;
    AddPolygon(path, polygon, false);
    if (!path.IsEmpty()) DrawPath(path, path.GetBounds(), opacity);
}

void TzuCanvas::FillArc(const TzuPoint& center, const TzuPoint& radius, float startAngle, float sweepAngle,
                        float opacity) {
    TzuPathData path;
    path.AddArc(center, radius, startAngle, sweepAngle);
    if (!path.IsEmpty()) FillPath(path, path.GetBounds(), opacity);
}

void TzuCanvas::DrawArc(const TzuPoint& center, const TzuPoint& radius, float startAngle, float sweepAngle,
                        float opacity) {
    TzuPathData path;
    path.AddArc(center, radius, startAngle, sweepAngle);
    if (!path.IsEmpty()) DrawPath(path, path.GetBounds(), opacity);
}

float TzuCanvas::TextWidth(const std::u16string& text) {
    TzuRect r{0, 0, 10000, 20};
    MeasureText(r, text, false, zuTextAlignNear, zuTextAlignCenter);
    return RectWidth(r);
}

// ---- Process-wide classes ----

void SetDefaultCanvasClass(TzuCanvasFactory factory) {
    g_canvasFactory = factory;
    if (!factory) {
        TzuBitmap::SetCanvasFactory(nullptr, nullptr);
        return;
    }
    TzuBitmap::SetCanvasFactory(
        [](TzuBitmap& bitmap) -> TzuCanvas* {
            if (!g_canvasFactory) return nullptr;
            return g_canvasFactory(&bitmap, bitmap.Width(), bitmap.Height()).release();
        },
        [](TzuCanvas* canvas) { delete canvas; });
}

TzuCanvasFactory DefaultCanvasClass() { return g_canvasFactory; }

void SetVisualBrushPainter(TzuVisualBrushPainter painter) { g_visualPainter = painter; }

TzuVisualBrushPainter VisualBrushPainter() { return g_visualPainter; }

}  // namespace zu
