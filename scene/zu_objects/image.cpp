#include "scene/zu_objects/image.h"

#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/brush_bitmap.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/design_outline.h"

namespace zu {

namespace {
const char* const kImageWrapNames[] = {"zuImageOriginal", "zuImageFit", "zuImageStretch", "zuImageTile"};

// Two margins that do not fit into a length share it in their own proportion, so the
// slices never overlap or turn inside out.
void FitMargins(float length, float& a, float& b) {
    a = std::max(a, 0.0f);
    b = std::max(b, 0.0f);
    if (a + b > length && a + b > 0) {
        const float k = std::max(length, 0.0f) / (a + b);
        a *= k;
        b *= k;
    }
}
}  // namespace

const TzuEnumInfo kImageWrapEnum{"TzuImageWrap", kImageWrapNames, 4};

const TzuClass& TzuImage::StaticClass() {
    using P = ZuProps<TzuImage>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuImage::Bitmap>("Bitmap"),
        P::Event<&TzuImage::OnBitmapLoaded>("OnBitmapLoaded"),
        P::Object<&TzuImage::BitmapMargins>("BitmapMargins"),
        P::Enum<&TzuImage::WrapMode, &TzuImage::SetWrapMode>("WrapMode", kImageWrapEnum).AlwaysStored(),
        P::Bool<&TzuImage::DisableInterpolation, &TzuImage::SetDisableInterpolation>("DisableInterpolation")
            .Default(0),
    };
    static const TzuClass cls = ZuClass<TzuImage, TzuVisualObject>("TzuImage", props);
    return cls;
}

TzuImage::TzuImage(TzuComponent* owner) : TzuVisualObject(owner) {
    m_bitmap.OnChange().Set([this](TzuPersistent*) {
        InvalidateEffects();
        Repaint();
    });
    m_bitmap.OnSizeChanged().Set([this](TzuPersistent*) {
        if (IsDestroying()) return;
        InvalidateEffects();
        if (m_onBitmapLoaded) m_onBitmapLoaded(this);
        Repaint();
    });
    m_margins.OnChange().Set([this](TzuPersistent*) {
        InvalidateEffects();
        Repaint();
    });
}

TzuImage::~TzuImage() {
    m_bitmap.OnChange().Clear();
    m_bitmap.OnSizeChanged().Clear();
}

void TzuImage::SetWrapMode(TzuImageWrap value) {
    if (value == m_wrapMode) return;
    m_wrapMode = value;
    InvalidateEffects();
    Repaint();
}

void TzuImage::SetDisableInterpolation(bool value) {
    if (value == m_disableInterpolation) return;
    m_disableInterpolation = value;
    InvalidateEffects();
    Repaint();
}

TzuVariant TzuImage::GetData() { return ObjectToDataText(this); }

void TzuImage::SetData(const TzuVariant& value) {
    const std::string text = VariantToString(value);
    if (DataTextToObject(text)) {
        if (TzuBitmap* held = DataTextToBitmap(text, this)) m_bitmap.Assign(*held);
        return;
    }
    m_bitmap.LoadFromFile(text);
}

void TzuImage::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    const float w = Width(), h = Height();
    if (ShowsDesignOutline(*this)) DrawDesignOutline(*cv, TzuRect{0, 0, w, h});
    TzuBitmap* shared = m_bitmap.ResourceBitmap();
    TzuBitmap& bitmap = shared ? *shared : m_bitmap;
    const float bw = float(bitmap.Width()), bh = float(bitmap.Height());
    const float opacity = AbsoluteOpacity();
    if (!m_margins.IsEmpty()) {
        PaintNineSlice(*cv, bitmap, opacity);
        return;
    }
    const TzuRect whole{0, 0, bw, bh};
    switch (m_wrapMode) {
        case zuImageOriginal: {
            const int state = cv->SaveCanvas();
            cv->IntersectClipRect(TzuRect{0, 0, w, h});
            cv->DrawBitmap(bitmap, whole, whole, opacity, true);
            cv->RestoreCanvas(state);
            break;
        }
        case zuImageFit: {
            TzuRect dst = whole;
            RectFitInto(dst, TzuRect{0, 0, w, h});
            cv->DrawBitmap(bitmap, whole, dst, opacity, m_disableInterpolation);
            break;
        }
        case zuImageStretch:
            cv->DrawBitmap(bitmap, whole, TzuRect{0, 0, w, h}, opacity, m_disableInterpolation);
            break;
        case zuImageTile: {
            const int state = cv->SaveCanvas();
            cv->IntersectClipRect(TzuRect{0, 0, w, h});
            PaintTiles(*cv, bitmap, opacity);
            cv->RestoreCanvas(state);
            break;
        }
    }
}

void TzuImage::PaintTiles(TzuCanvas& cv, TzuBitmap& bitmap, float opacity) {
    // Columns 0 ... Round(W / bw) and rows 0 ... Round(H / bh); only those that meet the
    // box are drawn, and many of them as one repeating fill.
    const double bw = bitmap.Width(), bh = bitmap.Height();
    const double nx = std::min(std::nearbyint(Width() / bw), std::ceil(Width() / bw) - 1);
    const double ny = std::min(std::nearbyint(Height() / bh), std::ceil(Height() / bh) - 1);
    if (nx < 0 || ny < 0) return;
    const TzuRect whole{0, 0, float(bw), float(bh)};
    if ((nx + 1) * (ny + 1) <= kMaxTileDraws) {
        for (int i = 0; i <= int(nx); ++i) {
            for (int j = 0; j <= int(ny); ++j) {
                const TzuRect dst{float(i * bw), float(j * bh), float(i * bw + bw), float(j * bh + bh)};
                cv.DrawBitmap(bitmap, whole, dst, opacity, true);
            }
        }
        return;
    }
    // The copy costs a 64th of the pixels the fill covers at most.
    TzuBrush brush(zuBrushBitmap);
    brush.Bitmap()->SetBitmap(bitmap);
    brush.Bitmap()->SetWrapMode(zuWrapTile);
    cv.Fill()->Assign(brush);
    cv.FillRect(TzuRect{0, 0, float((nx + 1) * bw), float((ny + 1) * bh)}, 0, 0, kAllCorners, opacity,
                zuCornerRound);
}

void TzuImage::PaintNineSlice(TzuCanvas& cv, TzuBitmap& bitmap, float opacity) {
    const float w = Width(), h = Height(), bw = float(bitmap.Width()), bh = float(bitmap.Height());
    float l = m_margins.Left(), t = m_margins.Top(), r = m_margins.Right(), b = m_margins.Bottom();
    float sl = l, st = t, sr = r, sb = b;
    FitMargins(w, l, r);
    FitMargins(h, t, b);
    FitMargins(bw, sl, sr);
    FitMargins(bh, st, sb);
    const float dx[4] = {0, l, w - r, w}, dy[4] = {0, t, h - b, h};
    const float sx[4] = {0, sl, bw - sr, bw}, sy[4] = {0, st, bh - sb, bh};
    // Row by row: corners keep their size, edges stretch along one axis, the centre both.
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const TzuRect dst{dx[col], dy[row], dx[col + 1], dy[row + 1]};
            const TzuRect src{sx[col], sy[row], sx[col + 1], sy[row + 1]};
            if (RectWidth(dst) <= 0 || RectHeight(dst) <= 0 || RectWidth(src) <= 0 || RectHeight(src) <= 0)
                continue;
            cv.DrawBitmap(bitmap, src, dst, opacity, true);
        }
    }
}

}  // namespace zu
