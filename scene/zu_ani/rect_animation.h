#pragma once
// TzuRectAnimation moves a bounds property ("Margins", "Padding") from StartValue to
// StopValue, side by side. It owns the two end bounds and the current one.

#include <memory>

#include "scene/zu_scene/tree/animation.h"
#include "scene/zu_scene/types/bounds.h"

namespace zu {

class TzuRectAnimation : public TzuAnimation {
    ZU_CLASS(TzuRectAnimation)
public:
    explicit TzuRectAnimation(TzuComponent* owner);
    ~TzuRectAnimation() override;

    TzuBounds* StartValue() const { return m_startValue.get(); }
    void SetStartValue(const TzuBounds& value) { m_startValue->Assign(value); }
    TzuBounds* StopValue() const { return m_stopValue.get(); }
    void SetStopValue(const TzuBounds& value) { m_stopValue->Assign(value); }
    const TzuBounds& Current() const { return *m_current; }
    bool StartFromCurrent() const { return m_startFromCurrent; }
    void SetStartFromCurrent(bool value) { m_startFromCurrent = value; }

    void Start() override;
    void ProcessAnimation() override;

private:
    std::unique_ptr<TzuBounds> m_startValue;
    std::unique_ptr<TzuBounds> m_stopValue;
    std::unique_ptr<TzuBounds> m_current;
    bool m_startFromCurrent = false;
};

}  // namespace zu
