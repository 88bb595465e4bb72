#include "scene/zu_scene/visual.h"

#include "platform/core/property.h"
#include "scene/zu_scene/object.h"

namespace zu {

const TzuClass& TzuVisual::StaticClass() {
    using P = ZuProps<TzuVisual>;
    static const TzuPropInfo props[] = {
        P::Reference<&TzuVisual::VisualObject, &TzuVisual::SetVisualObject>("VisualObject"),
    };
    static const TzuClass cls = ZuClass<TzuVisual, TzuPersistent>("TzuVisual", props);
    return cls;
}

TzuVisual::~TzuVisual() {
    if (m_visualObject) m_visualObject->RemoveFreeNotify(this);
}

void TzuVisual::SetVisualObject(TzuObject* value) {
    if (value == m_visualObject) return;
    if (m_visualObject) m_visualObject->RemoveFreeNotify(this);
    m_visualObject = value;
    m_onChange(this);
    if (m_visualObject) m_visualObject->AddFreeNotify(this);
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
