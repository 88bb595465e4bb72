#pragma once
// TzuFloatAnimation moves a floating-point property from StartValue to StopValue.

#include "scene/zu_scene/tree/animation.h"

namespace zu {

class TzuFloatAnimation : public TzuAnimation {
    ZU_CLASS(TzuFloatAnimation)
public:
    using TzuAnimation::TzuAnimation;

    float StartValue() const { return m_startValue; }
    void SetStartValue(float value) { m_startValue = value; }
    float StopValue() const { return m_stopValue; }
    void SetStopValue(float value) { m_stopValue = value; }
    bool StartFromCurrent() const { return m_startFromCurrent; }
    void SetStartFromCurrent(bool value) { m_startFromCurrent = value; }

    void Start() override;
    void ProcessAnimation() override;

private:
    float m_startValue = 0;
    float m_stopValue = 0;
    bool m_startFromCurrent = false;
};

}  // namespace zu
