#pragma once
// IzuBitmapHolder is offered by the objects whose data value stands for a picture they
// own: image shapes, image controls and shared bitmaps. Their data value names the holder;
// whoever takes it copies the held bitmap, so any two of them bind to each other whatever
// unit each comes from. The holder keeps owning its bitmap.

#include <string_view>

#include "scene/zu_scene/tree/object.h"

namespace zu {

class TzuBitmap;

class IzuBitmapHolder {
public:
    virtual ~IzuBitmapHolder() = default;
    virtual TzuBitmap* HeldBitmap() = 0;
};

// The bitmap of the holder a data text names, or null when it names none; never the
// bitmap of `self`, which would copy a picture onto itself.
inline TzuBitmap* DataTextToBitmap(std::string_view text, const TzuObject* self) {
    TzuObject* o = DataTextToObject(text);
    auto* holder = dynamic_cast<IzuBitmapHolder*>(o);
    return holder && o != self ? holder->HeldBitmap() : nullptr;
}

}  // namespace zu
