#include "scene/zu_scene/tree/bitmap_object.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuBitmapObject::StaticClass() {
    using P = ZuProps<TzuBitmapObject>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuBitmapObject::Bitmap>("Bitmap"),
    };
    static const TzuClass cls = ZuClass<TzuBitmapObject, TzuObject>("TzuBitmapObject", props);
    return cls;
}

TzuBitmapObject::TzuBitmapObject(TzuComponent* owner)
    : TzuObject(owner), m_bitmap(std::make_unique<TzuBitmap>(1, 1)) {}

TzuBitmapObject::~TzuBitmapObject() = default;

void TzuBitmapObject::SetName(const std::string& name) {
    TzuObject::SetName(name);
    if (ResourceName().empty()) SetResourceName(name);
}

}  // namespace zu
