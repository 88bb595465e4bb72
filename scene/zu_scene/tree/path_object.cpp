#include "scene/zu_scene/tree/path_object.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuPathObject::StaticClass() {
    using P = ZuProps<TzuPathObject>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuPathObject::Path>("Path"),
    };
    static const TzuClass cls = ZuClass<TzuPathObject, TzuObject>("TzuPathObject", props);
    return cls;
}

TzuPathObject::TzuPathObject(TzuComponent* owner)
    : TzuObject(owner), m_path(std::make_unique<TzuPathData>()) {}

TzuPathObject::~TzuPathObject() = default;

void TzuPathObject::SetPath(const TzuPathData* path) {
    if (path && path != m_path.get()) m_path->Assign(*path);
}

void TzuPathObject::SetName(const std::string& name) {
    TzuObject::SetName(name);
    if (ResourceName().empty()) SetResourceName(name);
}

}  // namespace zu
