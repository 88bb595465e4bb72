#pragma once
// Key frames of the key animations. TzuKeys is an ordered collection that owns its items,
// all of one class fixed at creation (TzuColorKey or TzuFloatKey); a key's position in
// normalized time is kept to [0, 1]. Keys are used in collection order, expected
// ascending.

#include <memory>
#include <string>
#include <vector>

#include "platform/core/property.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuKey : public TzuPersistent {
    ZU_CLASS(TzuKey)
public:
    float Key() const { return m_key; }
    void SetKey(float value);
    void Assign(const TzuPersistent& source) override;

private:
    float m_key = 0;
};

class TzuColorKey : public TzuKey {
    ZU_CLASS(TzuColorKey)
public:
    TzuColor Color() const { return m_value; }
    void SetColor(TzuColor value) { m_value = value; }
    // The published "Value": colour text.
    std::string Value() const { return ColorToText(m_value); }
    void SetValue(const std::string& text) { m_value = TextToColor(text); }
    void Assign(const TzuPersistent& source) override;

private:
    TzuColor m_value = 0xFFFFFFFF;
};

class TzuFloatKey : public TzuKey {
    ZU_CLASS(TzuFloatKey)
public:
    float Value() const { return m_value; }
    void SetValue(float value) { m_value = value; }
    void Assign(const TzuPersistent& source) override;

private:
    float m_value = 0;
};

class TzuKeys : public TzuPersistent, public TzuCollection {
    ZU_CLASS(TzuKeys)
public:
    // itemClass: TzuColorKey or TzuFloatKey (a class without a factory makes TzuKey items).
    explicit TzuKeys(const TzuClass& itemClass = TzuKey::StaticClass());
    ~TzuKeys() override;

    const TzuClass& ItemClass() const { return *m_itemClass; }
    int Count() const override { return static_cast<int>(m_items.size()); }
    // Null when index is out of range.
    TzuKey* Keys(int index) const;
    TzuPersistent* Item(int index) const override { return Keys(index); }
    void Clear() override { m_items.clear(); }
    TzuPersistent* Add() override { return AddKey(); }
    TzuKey* AddKey();
    // Copies the keys of another collection of the same item class.
    void Assign(const TzuPersistent& source) override;
    // The first i with Keys(i).Key <= t <= Keys(i + 1).Key; -1 when there is none.
    int FindSegment(float t) const;

private:
    const TzuClass* m_itemClass;
    std::vector<std::unique_ptr<TzuKey>> m_items;
};

}  // namespace zu
