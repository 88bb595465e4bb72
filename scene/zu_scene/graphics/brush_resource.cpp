#include "scene/zu_scene/graphics/brush_resource.h"

#include "platform/core/component.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/shared_resource.h"

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

TzuBrushResource::~TzuBrushResource() { WatchSharedHolder(m_resource, this, false); }

void TzuBrushResource::SetResource(TzuComponent* value) {
    if (value == m_resource) return;
    WatchSharedHolder(m_resource, this, false);
    // Only a holder that shares a brush and tells us when it goes may be linked.
    m_resource = SharedValue<TzuBrush>(value) && WatchSharedHolder(value, this, true) ? value : nullptr;
    if (m_resource) m_resourceName = SharedHolderName(m_resource);
}

void TzuBrushResource::SetResourceName(const std::string& value) {
    if (value != m_resourceName) m_resourceName = value;
}

TzuBrush* TzuBrushResource::Brush() {
    if (!m_resource && !m_resourceName.empty()) {
        TzuComponent* holder = FindSharedHolder(m_resourceName);
        if (SharedValue<TzuBrush>(holder)) SetResource(holder);
    }
    return SharedValue<TzuBrush>(m_resource);
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
