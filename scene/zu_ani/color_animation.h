#pragma once
// TzuColorAnimation blends a colour property (brush colours are colour text, integer
// properties take the 32-bit value) from StartValue to StopValue, channel by channel.

#include "scene/zu_scene/tree/animation.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuColorAnimation : public TzuAnimation {
    ZU_CLASS(TzuColorAnimation)
public:
    using TzuAnimation::TzuAnimation;

    TzuColor StartColor() const { return m_startValue; }
    void SetStartColor(TzuColor value) { m_startValue = value; }
    TzuColor StopColor() const { return m_stopValue; }
    void SetStopColor(TzuColor value) { m_stopValue = value; }
    // The published values: colour text.
    std::string StartValue() const { return ColorToText(m_startValue); }
    void SetStartValue(const std::string& text) { m_startValue = TextToColor(text); }
    std::string StopValue() const { return ColorToText(m_stopValue); }
    void SetStopValue(const std::string& text) { m_stopValue = TextToColor(text); }
    bool StartFromCurrent() const { return m_startFromCurrent; }
    void SetStartFromCurrent(bool value) { m_startFromCurrent = value; }

    void Start() override;
    void ProcessAnimation() override;

private:
    TzuColor m_startValue = 0xFFFFFFFF;
    TzuColor m_stopValue = 0xFFFFFFFF;
    bool m_startFromCurrent = false;
};

}  // namespace zu
