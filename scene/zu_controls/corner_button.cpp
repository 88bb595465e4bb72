#include "scene/zu_controls/corner_button.h"

#include "scene/zu_objects/rectangle.h"

namespace zu {

const TzuClass& TzuCornerButton::StaticClass() {
    using P = ZuProps<TzuCornerButton>;
    using B = TzuCornerButton;
    static const TzuPropInfo props[] = {
        P::Float<&B::xRadius, &B::SetXRadius>("xRadius").Default(3),
        P::Float<&B::yRadius, &B::SetYRadius>("yRadius").Default(3),
        P::SetOf<&B::Corners, &B::SetCorners>("Corners", kCornerEnum).Default(kAllCorners),
        P::Enum<&B::CornerType, &B::SetCornerType>("CornerType", kCornerTypeEnum).Default(zuCornerRound),
    };
    static const TzuClass cls = ZuClass<TzuCornerButton, TzuCustomButton>("TzuCornerButton", props);
    return cls;
}

void TzuCornerButton::SetXRadius(float value) {
    if (value == m_xRadius) return;
    m_xRadius = value;
    ShapeChanged();
}

void TzuCornerButton::SetYRadius(float value) {
    if (value == m_yRadius) return;
    m_yRadius = value;
    ShapeChanged();
}

void TzuCornerButton::SetCorners(TzuCorners value) {
    if (value == m_corners) return;
    m_corners = value;
    ShapeChanged();
}

void TzuCornerButton::SetCornerType(TzuCornerType value) {
    if (value == m_cornerType) return;
    m_cornerType = value;
    ShapeChanged();
}

void TzuCornerButton::ShapeChanged() {
    if (!IsLoading()) ShapeBackground();
}

void TzuCornerButton::ShapeBackground() {
    if (auto* bg = As<TzuRectangle>(FindResource("Background"))) {
        bg->SetCornerType(m_cornerType);
        bg->SetCorners(m_corners);
        bg->SetXRadius(m_xRadius);
        bg->SetYRadius(m_yRadius);
    }
}

void TzuCornerButton::ApplyStyle() {
    TzuCustomButton::ApplyStyle();
    ShapeBackground();
}

const TzuClass& TzuHudCornerButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudCornerButton, TzuCornerButton>("TzuHudCornerButton");
    return cls;
}

}  // namespace zu
