#pragma once
// TzuBitmapObject is a scene object that owns one bitmap shared by name: bitmaps elsewhere
// refer to it through their ResourceName.

#include <memory>

#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/bitmap_holder.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {

class TzuBitmapObject : public TzuObject, public IzuBitmapHolder {
    ZU_CLASS(TzuBitmapObject)
public:
    explicit TzuBitmapObject(TzuComponent* owner);
    ~TzuBitmapObject() override;

    TzuBitmap* Bitmap() const { return m_bitmap.get(); }
    void SetBitmap(const TzuBitmap& value) { m_bitmap->Assign(value); }
    TzuBitmap* HeldBitmap() override { return m_bitmap.get(); }

    // A holder without a resource name of its own serves under its component name.
    void SetName(const std::string& name) override;

private:
    std::unique_ptr<TzuBitmap> m_bitmap;
};

}  // namespace zu
