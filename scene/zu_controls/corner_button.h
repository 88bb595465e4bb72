#pragma once
// TzuCornerButton is a button whose background rectangle takes its corner shape from the
// button: which corners are cut or rounded, how, and by how much. The HUD corner button
// differs only by its style.

#include "scene/zu_controls/custom_button.h"

namespace zu {

class TzuCornerButton : public TzuCustomButton {
    ZU_CLASS(TzuCornerButton)
public:
    explicit TzuCornerButton(TzuComponent* owner) : TzuCustomButton(owner) {}

    float xRadius() const { return m_xRadius; }
    void SetXRadius(float value);
    float yRadius() const { return m_yRadius; }
    void SetYRadius(float value);
    TzuCorners Corners() const { return m_corners; }
    void SetCorners(TzuCorners value);
    TzuCornerType CornerType() const { return m_cornerType; }
    void SetCornerType(TzuCornerType value);

protected:
    void ApplyStyle() override;

private:
    void ShapeChanged();
    // Gives the style's background rectangle this button's corners.
    void ShapeBackground();

    float m_xRadius = 3;
    float m_yRadius = 3;
    TzuCorners m_corners = kAllCorners;
    TzuCornerType m_cornerType = zuCornerRound;
};

class TzuHudCornerButton : public TzuCornerButton {
    ZU_CLASS(TzuHudCornerButton)
public:
    explicit TzuHudCornerButton(TzuComponent* owner) : TzuCornerButton(owner) {}
};

}  // namespace zu
