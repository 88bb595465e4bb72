#pragma once
// TzuProgressBar shows Value between Min and Max as the length of an indicator inside a
// track. Its style holds a horizontal and a vertical pair ("htrack"/"hindicator",
// "vtrack"/"vindicator"); the bar shows the pair of its Orientation and sizes the indicator
// on every realign. The parts belong to the style clone.

#include "scene/zu_layouts/grid_layout.h"
#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuProgressBar : public TzuControl {
    ZU_CLASS(TzuProgressBar)
public:
    explicit TzuProgressBar(TzuComponent* owner);

    float Min() const { return m_min; }
    // The range and orientation setters realign, so the indicator follows at once.
    void SetMin(float value);
    float Max() const { return m_max; }
    void SetMax(float value);
    float Value() const { return m_value; }
    void SetValue(float value);
    TzuOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TzuOrientation value);

    void Realign() override;
    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;

protected:
    void ApplyStyle() override;

private:
    float m_min = 0;
    float m_max = 100;
    float m_value = 0;
    TzuOrientation m_orientation = zuHorizontal;
    bool m_inRealign = false;
};

}  // namespace zu
