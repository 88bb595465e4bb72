#pragma once
// TzuScrollBar is a value between Min and Max - ViewportSize shown by the tracks and step
// buttons of its style: "htrack"/"vtrack" (custom tracks) carry the thumb and the page
// clicks, "leftbutton"/"rightbutton" or "topbutton"/"bottombutton" (buttons, usually
// repeating) step by SmallChange. The bar shows the parts of its Orientation and copies
// its range into the visible track on every realign. The parts belong to the style clone;
// the bar only points at them. TzuSmallScrollBar is the thin kind without buttons; the
// HUD kind differs by style.

#include "scene/zu_layouts/grid_layout.h"
#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuCustomButton;
class TzuCustomTrack;

class TzuScrollBar : public TzuControl {
    ZU_CLASS(TzuScrollBar)
public:
    explicit TzuScrollBar(TzuComponent* owner);
    ~TzuScrollBar() override;

    float Value() const { return m_value; }
    void SetValue(float value);
    float Min() const { return m_min; }
    void SetMin(float value);
    float Max() const { return m_max; }
    void SetMax(float value);
    float ViewportSize() const { return m_viewportSize; }
    void SetViewportSize(float value);
    TzuOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TzuOrientation value);
    float SmallChange() const { return m_smallChange; }
    void SetSmallChange(float value) { m_smallChange = value; }
    // The step of a page; 0 pages by ViewportSize.
    float LargeChange() const { return m_largeChange; }
    void SetLargeChange(float value) { m_largeChange = value; }
    TzuNotifyEvent& OnChange() { return m_onChange; }

    // Steps the value by count small or large changes (negative counts step back).
    void SmallStep(int count);
    void LargeStep(int count);
    TzuCustomTrack* Track() const;

    void Realign() override;
    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;

private:
    void WireTrack(TzuCustomTrack* track);
    void WireButton(TzuCustomButton* button, int direction);

    TzuNotifyEvent m_onChange;
    TzuCustomTrack* m_htrack = nullptr;
    TzuCustomTrack* m_vtrack = nullptr;
    TzuCustomButton* m_buttons[4] = {};  // left, right, top, bottom
    float m_value = 0;
    float m_min = 0;
    float m_max = 100;
    float m_viewportSize = 0;
    float m_smallChange = 1;
    float m_largeChange = 0;
    TzuOrientation m_orientation = zuHorizontal;
    bool m_inRealign = false;
};

class TzuSmallScrollBar : public TzuScrollBar {
    ZU_CLASS(TzuSmallScrollBar)
public:
    explicit TzuSmallScrollBar(TzuComponent* owner);
};

class TzuHudScrollBar : public TzuScrollBar {
    ZU_CLASS(TzuHudScrollBar)
public:
    using TzuScrollBar::TzuScrollBar;
};

}  // namespace zu
