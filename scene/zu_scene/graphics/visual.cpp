#include "scene/zu_scene/graphics/visual.h"

#include "platform/core/component.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/shared_resource.h"

namespace zu {

const TzuClass& TzuVisual::StaticClass() {
    using P = ZuProps<TzuVisual>;
    static const TzuPropInfo props[] = {
        P::Reference<&TzuVisual::VisualObject, &TzuVisual::SetVisualObject>("VisualObject"),
    };
    static const TzuClass cls = ZuClass<TzuVisual, TzuPersistent>("TzuVisual", props);
    return cls;
}

TzuVisual::~TzuVisual() { WatchSharedHolder(m_visualObject, this, false); }

void TzuVisual::SetVisualObject(TzuComponent* value) {
    if (value == m_visualObject) return;
    WatchSharedHolder(m_visualObject, this, false);
    // Only a scene object, which tells us when it goes, can be the source.
    m_visualObject = WatchSharedHolder(value, this, true) ? value : nullptr;
    m_onChange(this);
}

void TzuVisual::Assign(const TzuPersistent& source) {
    const auto* src = As<TzuVisual>(&source);
    if (!src) {
        TzuPersistent::Assign(source);
        return;
    }
    SetVisualObject(src->m_visualObject);
}

void TzuVisual::FreeNotify(TzuPersistent* dying) {
    if (dying && dying == m_visualObject) m_visualObject = nullptr;
}

}  // namespace zu
