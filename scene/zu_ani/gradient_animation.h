#pragma once
// TzuGradientAnimation blends the stop colours of a gradient property (a brush's
// "Fill.Gradient") point by point from StartValue to StopValue; offsets stay. It owns its
// two gradients; setting one copies the given gradient.

#include <memory>

#include "scene/zu_scene/graphics/gradient.h"
#include "scene/zu_scene/tree/animation.h"

namespace zu {

class TzuGradientAnimation : public TzuAnimation {
    ZU_CLASS(TzuGradientAnimation)
public:
    explicit TzuGradientAnimation(TzuComponent* owner);
    ~TzuGradientAnimation() override;

    TzuGradient* StartValue() const { return m_startValue.get(); }
    void SetStartValue(const TzuGradient& value) { m_startValue->Assign(value); }
    TzuGradient* StopValue() const { return m_stopValue.get(); }
    void SetStopValue(const TzuGradient& value) { m_stopValue->Assign(value); }
    bool StartFromCurrent() const { return m_startFromCurrent; }
    void SetStartFromCurrent(bool value) { m_startFromCurrent = value; }

    void Start() override;
    void ProcessAnimation() override;

private:
    std::unique_ptr<TzuGradient> m_startValue;
    std::unique_ptr<TzuGradient> m_stopValue;
    bool m_startFromCurrent = false;
};

}  // namespace zu
