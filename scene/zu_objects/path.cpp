#include "scene/zu_objects/path.h"

#include <algorithm>
#include <cmath>

#include "scene/zu_objects/shape_props.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/brush_bitmap.h"
#include "scene/zu_scene/tree/design_outline.h"

namespace zu {

namespace {
const char* const kPathWrapNames[] = {"zuPathOriginal", "zuPathFit", "zuPathStretch", "zuPathTile"};

// The largest side of the repeated tile picture; larger tiles are drawn scaled down.
constexpr int kMaxTilePixels = 2048;

TzuMatrix ScaleMove(float sx, float sy, float dx, float dy) {
    return TzuMatrix{sx, 0, 0, 0, sy, 0, dx, dy, 1};
}
}  // namespace

const TzuEnumInfo kPathWrapEnum{"TzuPathWrap", kPathWrapNames, 4};

const TzuClass& TzuPath::StaticClass() {
    using S = ShapeProps<TzuPath>;
    using P = ZuProps<TzuPath>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuPath::Data>("Data"),
        S::Fill(),
        S::Stroke(),
        S::StrokeCap(),
        S::StrokeDash(),
        S::StrokeJoin(),
        S::StrokeThickness(),
        P::Enum<&TzuPath::WrapMode, &TzuPath::SetWrapMode>("WrapMode", kPathWrapEnum).Default(zuPathStretch),
    };
    static const TzuClass cls = ZuClass<TzuPath, TzuShape>("TzuPath", props);
    return cls;
}

TzuPath::TzuPath(TzuComponent* owner) : TzuShape(owner) {
    m_data.OnChange().Set([this](TzuPersistent*) { LookChanged(); });
}

void TzuPath::SetWrapMode(TzuPathWrap value) {
    if (value == m_wrapMode) return;
    m_wrapMode = value;
    LookChanged();
}

const TzuPathData& TzuPath::UsedPath() const {
    const TzuPathData* shared = m_data.ResourcePath();
    return shared ? *shared : m_data;
}

void TzuPath::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    const TzuPathData& path = UsedPath();
    const float w = Width(), h = Height();
    if (!path.IsEmpty()) {
        const TzuRect r = GetShapeRect();
        const float opacity = AbsoluteOpacity();
        switch (m_wrapMode) {
            case zuPathOriginal: {
                const int state = cv->SaveCanvas();
                cv->IntersectClipRect(TzuRect{0, 0, w, h});
                TzuRect b = path.GetBounds();
                RectOffset(b, r.Left, r.Top);
                cv->FillPath(path, b, opacity);
                cv->DrawPath(path, b, opacity);
                cv->RestoreCanvas(state);
                break;
            }
            case zuPathFit: {
                TzuRect b = path.GetBounds();
                RectFitInto(b, r);
                cv->FillPath(path, b, opacity);
                cv->DrawPath(path, b, opacity);
                break;
            }
            case zuPathStretch:
                cv->FillPath(path, r, opacity);
                cv->DrawPath(path, r, opacity);
                break;
            case zuPathTile: {
                const int state = cv->SaveCanvas();
                cv->IntersectClipRect(TzuRect{0, 0, w, h});
                PaintTiles(*cv, path, r, opacity);
                cv->RestoreCanvas(state);
                break;
            }
        }
    }
    if (ShowsDesignOutline(*this)) DrawDesignOutline(*cv, TzuRect{0, 0, w, h});
}

void TzuPath::PaintTiles(TzuCanvas& cv, const TzuPathData& path, const TzuRect& r, float opacity) {
    // Tile (i, j), i = 0 ... Round(W / bw), j = 0 ... Round(H / bh), is the path's bounds
    // moved by the stroke inset and by (i, j) steps of the bounds plus the stroke. Only
    // the tiles that meet the box are drawn.
    const TzuRect b0 = path.GetBounds();
    const double bw = RectWidth(b0), bh = RectHeight(b0);
    const double stepX = bw + 2.0 * r.Left, stepY = bh + 2.0 * r.Top;
    if (!(stepX > 0) || !(stepY > 0)) return;
    const double nx = std::nearbyint(Width() / bw), ny = std::nearbyint(Height() / bh);
    const double i0 = std::max(0.0, std::floor(-b0.Left / stepX));
    const double j0 = std::max(0.0, std::floor(-b0.Top / stepY));
    const double i1 = std::min(nx, std::ceil((Width() - b0.Left) / stepX) - 1);
    const double j1 = std::min(ny, std::ceil((Height() - b0.Top) / stepY) - 1);
    if (i1 < i0 || j1 < j0) return;
    const double count = (i1 - i0 + 1) * (j1 - j0 + 1);
    if (count <= kMaxTileDraws) {
        for (double i = i0; i <= i1; ++i) {
            for (double j = j0; j <= j1; ++j) {
                TzuRect b = b0;
                RectOffset(b, float(r.Left + stepX * i), float(r.Top + stepY * j));
                cv.FillPath(path, b, opacity);
                cv.DrawPath(path, b, opacity);
            }
        }
        return;
    }
    // Many tiles: draw one tile, with the canvas's brushes and stroke, into a picture at
    // device resolution, and fill the tiled area once with that picture repeated.
    const TzuPoint scale = AbsoluteScale();
    const auto pixels = [](double step, float s) {
        const double n = std::ceil(step * std::fabs(s) - 1e-3);
        return int(std::clamp(n, 1.0, double(kMaxTilePixels)));
    };
    const int cw = pixels(stepX, scale.X), ch = pixels(stepY, scale.Y);
    TzuBrush brush(zuBrushBitmap);
    TzuBitmap* cell = brush.Bitmap()->Bitmap();
    cell->SetSize(cw, ch);
    TzuCanvas* cc = cell->Canvas();
    if (!cc) return;
    cc->SetMatrix(ScaleMove(float(cw / stepX), float(ch / stepY), 0, 0));
    cc->Fill()->Assign(*cv.Fill());
    cc->Stroke()->Assign(*cv.Stroke());
    cc->SetStrokeThickness(cv.StrokeThickness());
    cc->SetStrokeCap(cv.StrokeCap());
    cc->SetStrokeJoin(cv.StrokeJoin());
    cc->SetStrokeDash(cv.StrokeDash());
    const TzuRect tile{r.Left, r.Top, float(r.Left + bw), float(r.Top + bh)};
    cc->BeginScene();
    cc->FillPath(path, tile, 1);
    cc->DrawPath(path, tile, 1);
    cc->EndScene();
    cell->Changed();
    brush.Bitmap()->SetWrapMode(zuWrapTile);
    // The picture's pixel (0, 0) sits on the first tile's corner (the path bounds' top-left).
    cv.MultiplyMatrix(ScaleMove(float(stepX / cw), float(stepY / ch), b0.Left, b0.Top));
    cv.Fill()->Assign(brush);
    const TzuRect area{float(i0 * cw), float(j0 * ch), float((i1 + 1) * cw), float((j1 + 1) * ch)};
    cv.FillRect(area, 0, 0, kAllCorners, opacity, zuCornerRound);
}

bool TzuPath::PointInObject(float x, float y) {
    // While designing, an unlocked path is found anywhere in its box, as its outline shows.
    TzuCanvas* cv = Canvas();
    if (!ShowsDesignOutline(*this) && cv) {
        const TzuPathData* shared = m_data.ResourcePath();
        const TzuPathData* used = shared && shared->Count() > 1 ? shared
                                  : m_data.Count() > 1          ? &m_data
                                                                : nullptr;
        if (used) {
            if (std::fabs(MatrixDeterminant(AbsoluteMatrix())) < 1e-12f) return false;
            return cv->PtInPath(AbsoluteToLocal(TzuPoint{x, y}), GetShapeRect(), *used);
        }
    }
    return TzuShape::PointInObject(x, y);
}

}  // namespace zu
