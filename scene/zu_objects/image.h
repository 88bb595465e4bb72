#pragma once
// TzuImage shows a bitmap in its box: at its own size, fitted, stretched, tiled, or as a
// nine-slice picture whose corners keep their size. It owns its bitmap (which may stand
// for a shared bitmap found by name) and its margins.

#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/bitmap_holder.h"
#include "scene/zu_scene/tree/visual_object.h"
#include "scene/zu_scene/types/bounds.h"

namespace zu {

enum TzuImageWrap : int { zuImageOriginal, zuImageFit, zuImageStretch, zuImageTile };
extern const TzuEnumInfo kImageWrapEnum;

class TzuImage : public TzuVisualObject, public IzuBitmapHolder {
    ZU_CLASS(TzuImage)
public:
    explicit TzuImage(TzuComponent* owner);
    ~TzuImage() override;

    TzuBitmap* Bitmap() const { return const_cast<TzuBitmap*>(&m_bitmap); }
    void SetBitmap(const TzuBitmap& value) { m_bitmap.Assign(value); }
    TzuBitmap* HeldBitmap() override { return &m_bitmap; }
    // Fired when a new picture (of any size) replaced the pixels.
    TzuNotifyEvent& OnBitmapLoaded() { return m_onBitmapLoaded; }
    TzuBounds* BitmapMargins() const { return const_cast<TzuBounds*>(&m_margins); }
    TzuImageWrap WrapMode() const { return m_wrapMode; }
    void SetWrapMode(TzuImageWrap value);
    bool DisableInterpolation() const { return m_disableInterpolation; }
    void SetDisableInterpolation(bool value);

    // The data value is a reference to this image. Setting one takes the picture of the
    // referenced bitmap holder (an image, an image control, a shared bitmap); any other
    // text is a file name to load, and a file that does not decode leaves the picture as
    // it was.
    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;

    // Tiles beyond this count are drawn as one fill with the picture repeated.
    static constexpr int kMaxTileDraws = 64;

protected:
    void Paint() override;

private:
    void PaintNineSlice(TzuCanvas& cv, TzuBitmap& bitmap, float opacity);
    void PaintTiles(TzuCanvas& cv, TzuBitmap& bitmap, float opacity);

    TzuBitmap m_bitmap;
    TzuNotifyEvent m_onBitmapLoaded;
    TzuBounds m_margins;
    TzuImageWrap m_wrapMode = zuImageFit;
    bool m_disableInterpolation = false;
};

}  // namespace zu
