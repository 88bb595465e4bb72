#pragma once
// TzuBrushBitmap is the image of a bitmap brush and how it repeats. It owns its bitmap
// and passes the bitmap's changes on through OnChange.

#include <memory>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

enum TzuWrapMode : int {
    zuWrapTile,          // repeated at natural size
    zuWrapTileOriginal,  // repeated, every other column of tiles mirrored
    zuWrapTileStretch,   // one copy stretched over the area
};

extern const TzuEnumInfo kWrapModeEnum;

class TzuBrushBitmap : public TzuPersistent {
    ZU_CLASS(TzuBrushBitmap)
public:
    TzuBrushBitmap();
    ~TzuBrushBitmap() override;

    TzuBitmap* Bitmap() const { return m_bitmap.get(); }
    void SetBitmap(const TzuBitmap& value) { m_bitmap->Assign(value); }
    TzuWrapMode WrapMode() const { return m_wrapMode; }
    void SetWrapMode(TzuWrapMode value);

    void Assign(const TzuPersistent& source) override;
    TzuNotifyEvent& OnChange() { return m_onChange; }

private:
    TzuNotifyEvent m_onChange;
    std::unique_ptr<TzuBitmap> m_bitmap;
    TzuWrapMode m_wrapMode = zuWrapTile;
    bool m_assigning = false;
};

}  // namespace zu
