#include "scene/zu_scene/tree/brush_object.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuBrushObject::StaticClass() {
    using P = ZuProps<TzuBrushObject>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuBrushObject::Brush>("Brush"),
    };
    static const TzuClass cls = ZuClass<TzuBrushObject, TzuObject>("TzuBrushObject", props);
    return cls;
}

TzuBrushObject::TzuBrushObject(TzuComponent* owner)
    : TzuObject(owner), m_brush(std::make_unique<TzuBrush>(zuBrushSolid, 0xFFFFFFFF)) {}

TzuBrushObject::~TzuBrushObject() = default;

void TzuBrushObject::SetName(const std::string& name) {
    TzuObject::SetName(name);
    if (ResourceName().empty()) SetResourceName(name);
}

}  // namespace zu
