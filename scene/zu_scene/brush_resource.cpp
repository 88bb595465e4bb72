#include "scene/zu_scene/brush_resource.h"

#include "platform/core/property.h"
#include "scene/zu_scene/brush_object.h"

namespace zu {

const TzuClass& TzuBrushResource::StaticClass() {
    using P = ZuProps<TzuBrushResource>;
    static const TzuPropInfo props[] = {
        P::Reference<&TzuBrushResource::Resource, &TzuBrushResource::SetResource>("Resource").NotStored(),
        P::String<&TzuBrushResource::ResourceName, &TzuBrushResource::SetResourceName>("ResourceName"),
    };
    static const TzuClass cls = ZuClass<TzuBrushResource, TzuPersistent>("TzuBrushResource", props);
    return cls;
}

TzuBrushResource::~TzuBrushResource() {
    if (m_resource) m_resource->RemoveFreeNotify(this);
}

void TzuBrushResource::SetResource(TzuBrushObject* value) {
    if (value == m_resource) return;
    if (m_resource) m_resource->RemoveFreeNotify(this);
    m_resource = value;
    if (m_resource) {
        m_resourceName = m_resource->ResourceName();
        m_resource->AddFreeNotify(this);
    }
}

void TzuBrushResource::SetResourceName(const std::string& value) {
    if (value != m_resourceName) m_resourceName = value;
}

TzuBrush* TzuBrushResource::Brush() {
    if (!m_resource && !m_resourceName.empty()) {
        if (auto* holder = As<TzuBrushObject>(TzuObject::FindResourceObject(m_resourceName))) {
            SetResource(holder);
        }
    }
    return m_resource ? m_resource->Brush() : nullptr;
}

void TzuBrushResource::Assign(const TzuPersistent& source) {
    const auto* src = As<TzuBrushResource>(&source);
    if (!src) {
        TzuPersistent::Assign(source);
        return;
    }
    SetResource(src->m_resource);
    SetResourceName(src->m_resourceName);
}

void TzuBrushResource::FreeNotify(TzuPersistent* dying) {
    // The name stays: a later use may find another holder under it.
    if (dying && dying == m_resource) m_resource = nullptr;
}

}  // namespace zu
