#include "scene/zu_ani/keys.h"

#include <algorithm>

namespace zu {

const TzuClass& TzuKey::StaticClass() {
    using P = ZuProps<TzuKey>;
    static const TzuPropInfo props[] = {P::Float<&TzuKey::Key, &TzuKey::SetKey>("Key").Default(0)};
    static const TzuClass cls = ZuClass<TzuKey, TzuPersistent>("TzuKey", props);
    return cls;
}

const TzuClass& TzuColorKey::StaticClass() {
    using P = ZuProps<TzuColorKey>;
    static const TzuPropInfo props[] = {P::String<&TzuColorKey::Value, &TzuColorKey::SetValue>("Value")
                                            .CopiedAs<&TzuColorKey::Color, &TzuColorKey::SetColor>()};
    static const TzuClass cls = ZuClass<TzuColorKey, TzuKey>("TzuColorKey", props);
    return cls;
}

const TzuClass& TzuFloatKey::StaticClass() {
    using P = ZuProps<TzuFloatKey>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuFloatKey::Value, &TzuFloatKey::SetValue>("Value").Default(0)};
    static const TzuClass cls = ZuClass<TzuFloatKey, TzuKey>("TzuFloatKey", props);
    return cls;
}

const TzuClass& TzuKeys::StaticClass() {
    static const TzuClass cls = ZuClass<TzuKeys, TzuPersistent>("TzuKeys");
    return cls;
}

void TzuKey::SetKey(float value) {
    // NaN counts as 0, like anything below the range.
    m_key = value > 0 ? std::min(value, 1.0f) : 0.0f;
}

void TzuKey::Assign(const TzuPersistent& source) {
    if (auto* k = As<TzuKey>(&source)) {
        m_key = k->m_key;
        return;
    }
    TzuPersistent::Assign(source);
}

void TzuColorKey::Assign(const TzuPersistent& source) {
    TzuKey::Assign(source);
    if (auto* k = As<TzuColorKey>(&source)) m_value = k->m_value;
}

void TzuFloatKey::Assign(const TzuPersistent& source) {
    TzuKey::Assign(source);
    if (auto* k = As<TzuFloatKey>(&source)) m_value = k->m_value;
}

TzuKeys::TzuKeys(const TzuClass& itemClass) : m_itemClass(&itemClass) {}

TzuKeys::~TzuKeys() = default;

TzuKey* TzuKeys::Keys(int index) const {
    return index >= 0 && index < Count() ? m_items[static_cast<size_t>(index)].get() : nullptr;
}

TzuKey* TzuKeys::AddKey() {
    std::unique_ptr<TzuKey> key;
    if (m_itemClass->create) key.reset(As<TzuKey>(m_itemClass->create(nullptr)));
    if (!key) key = std::make_unique<TzuKey>();
    m_items.push_back(std::move(key));
    return m_items.back().get();
}

void TzuKeys::Assign(const TzuPersistent& source) {
    auto* other = As<TzuKeys>(&source);
    if (!other) {
        TzuPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    Clear();
    for (const auto& k : other->m_items) AddKey()->Assign(*k);
}

int TzuKeys::FindSegment(float t) const {
    for (int i = 0; i + 1 < Count(); ++i) {
        if (m_items[size_t(i)]->Key() <= t && t <= m_items[size_t(i) + 1]->Key()) return i;
    }
    return -1;
}

}  // namespace zu
