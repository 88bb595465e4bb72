#include "scene/zu_scene/types/bounds.h"

#include "platform/core/property.h"
#include "scene/zu_scene/types/value_text.h"

namespace zu {

const TzuClass& TzuBounds::StaticClass() {
    using P = ZuProps<TzuBounds>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuBounds::Left, &TzuBounds::SetLeft>("Left").NotStored(),
        P::Float<&TzuBounds::Top, &TzuBounds::SetTop>("Top").NotStored(),
        P::Float<&TzuBounds::Right, &TzuBounds::SetRight>("Right").NotStored(),
        P::Float<&TzuBounds::Bottom, &TzuBounds::SetBottom>("Bottom").NotStored(),
        P::Defined<&TzuBounds::ReadRect, &TzuBounds::WriteRect, &TzuBounds::RectStored>("Rect")
            .CopiedBy<&TzuBounds::CopyRect>(),
    };
    static const TzuClass cls = ZuClass<TzuBounds, TzuPersistent>("TzuBounds", props);
    return cls;
}

TzuBounds::TzuBounds(const TzuRect& defaultValue)
    : m_right(defaultValue.Right),
      m_bottom(defaultValue.Bottom),
      m_top(defaultValue.Top),
      m_left(defaultValue.Left),
      m_defaultValue(defaultValue) {}

void TzuBounds::SetLeft(float value) {
    if (value == m_left) return;
    m_left = value;
    Changed();
}

void TzuBounds::SetTop(float value) {
    if (value == m_top) return;
    m_top = value;
    Changed();
}

void TzuBounds::SetRight(float value) {
    if (value == m_right) return;
    m_right = value;
    Changed();
}

void TzuBounds::SetBottom(float value) {
    if (value == m_bottom) return;
    m_bottom = value;
    Changed();
}

void TzuBounds::SetRect(const TzuRect& r) {
    if (r == GetRect()) return;
    m_left = r.Left;
    m_top = r.Top;
    m_right = r.Right;
    m_bottom = r.Bottom;
    Changed();
}

TzuRect TzuBounds::MarginRect(const TzuRect& r) const {
    return TzuRect{r.Left + m_left, r.Top + m_top, r.Right - m_right, r.Bottom - m_bottom};
}

bool TzuBounds::IsEmpty() const { return m_left == 0 && m_top == 0 && m_right == 0 && m_bottom == 0; }

bool TzuBounds::MarginEmpty() const { return RectIsEmpty(GetRect()); }

void TzuBounds::Assign(const TzuPersistent& source) {
    if (const auto* b = As<TzuBounds>(&source)) {
        SetRect(b->GetRect());
        return;
    }
    TzuPersistent::Assign(source);
}

void TzuBounds::ReadRect(const TzuStreamValue& value) {
    if (const auto* s = std::get_if<std::string>(&value)) SetRect(TextToRect(*s));
}

TzuStreamValue TzuBounds::WriteRect() const { return RectToText(GetRect()); }

bool TzuBounds::CopyRect(const TzuBounds& from) {
    const TzuRect r = from.GetRect();
    if (!IsExactInText(r.Left) || !IsExactInText(r.Top) || !IsExactInText(r.Right) ||
        !IsExactInText(r.Bottom))
        return false;
    SetRect(r);
    return true;
}

}  // namespace zu
