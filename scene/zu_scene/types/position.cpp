#include "scene/zu_scene/types/position.h"

#include "platform/core/property.h"
#include "scene/zu_scene/types/value_text.h"

namespace zu {

const TzuClass& TzuPosition::StaticClass() {
    using P = ZuProps<TzuPosition>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuPosition::X, &TzuPosition::SetX>("X").NotStored(),
        P::Float<&TzuPosition::Y, &TzuPosition::SetY>("Y").NotStored(),
        P::Defined<&TzuPosition::ReadPoint, &TzuPosition::WritePoint, &TzuPosition::PointStored>("Point")
            .CopiedBy<&TzuPosition::CopyPoint>(),
    };
    static const TzuClass cls = ZuClass<TzuPosition, TzuPersistent>("TzuPosition", props);
    return cls;
}

TzuPosition::TzuPosition(const TzuPoint& defaultValue)
    : m_y(defaultValue.Y), m_x(defaultValue.X), m_defaultValue(defaultValue) {}

void TzuPosition::SetX(float value) {
    if (value == m_x) return;
    m_x = value;
    m_onChange(this);
}

void TzuPosition::SetY(float value) {
    if (value == m_y) return;
    m_y = value;
    m_onChange(this);
}

void TzuPosition::SetPoint(const TzuPoint& p) {
    m_x = p.X;
    m_y = p.Y;
    m_onChange(this);
}

void TzuPosition::Assign(const TzuPersistent& source) {
    if (const auto* p = As<TzuPosition>(&source)) {
        SetPoint(p->GetPoint());
        return;
    }
    TzuPersistent::Assign(source);
}

void TzuPosition::ReadPoint(const TzuStreamValue& value) {
    if (const auto* s = std::get_if<std::string>(&value)) SetPoint(TextToPoint(*s));
}

TzuStreamValue TzuPosition::WritePoint() const { return PointToText(GetPoint()); }

bool TzuPosition::CopyPoint(const TzuPosition& from) {
    const TzuPoint p = from.GetPoint();
    if (!IsExactInText(p.X) || !IsExactInText(p.Y)) return false;
    SetPoint(p);
    return true;
}

}  // namespace zu
