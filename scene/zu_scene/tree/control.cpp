#include "scene/zu_scene/tree/control.h"

#include <algorithm>

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuControl::StaticClass() {
    using P = ZuProps<TzuControl>;
    static const TzuPropInfo props[] = {
        P::String<&TzuControl::Resource, &TzuControl::SetResource>("Resource"),
        P::Int<&TzuControl::TabOrder, &TzuControl::SetTabOrder>("TabOrder").Default(-1),
    };
    static const TzuClass cls = ZuClass<TzuControl, TzuVisualObject>("TzuControl", props);
    return cls;
}

void TzuControl::SetResource(const std::string& value) {
    if (value == m_resource) return;
    m_resource = value;
    Repaint();
}

int TzuControl::TabOrder() const {
    auto* parent = As<TzuVisualObject>(Parent());
    const auto* list = parent ? parent->TabList() : nullptr;
    if (!list) return -1;
    auto it = std::find(list->begin(), list->end(), this);
    return it == list->end() ? -1 : static_cast<int>(it - list->begin());
}

void TzuControl::SetTabOrder(int value) {
    auto* parent = As<TzuVisualObject>(Parent());
    auto* list = parent ? const_cast<std::vector<TzuVisualObject*>*>(parent->TabList()) : nullptr;
    if (IsLoading() || !list) {
        m_storedTabOrder = value;
        return;
    }
    auto it = std::find(list->begin(), list->end(), this);
    if (it == list->end() || value < 0) return;
    list->erase(it);
    size_t pos = std::min(static_cast<size_t>(value), list->size());
    list->insert(list->begin() + static_cast<std::ptrdiff_t>(pos), this);
}

void TzuControl::Loaded() {
    TzuVisualObject::Loaded();
    if (m_storedTabOrder >= 0) {
        int order = m_storedTabOrder;
        m_storedTabOrder = -1;
        SetTabOrder(order);
    }
}

}  // namespace zu
