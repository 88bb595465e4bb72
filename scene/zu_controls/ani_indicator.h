#pragma once
// TzuAniIndicator is the busy indicator: twelve spokes (or eight dots) in grey with a dark
// wave running round them while Enabled. It paints itself; the wave's phase comes from a
// hidden child whose RotateAngle a looping float animation turns once every 10 s, so the
// indicator runs on the shared animation clock. It owns the child and the animation.

#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuAnimation;

enum TzuAniIndicatorStyle : int { zuAniIndicatorLine, zuAniIndicatorCircle };
extern const TzuEnumInfo kAniIndicatorStyleEnum;

class TzuAniIndicator : public TzuControl {
    ZU_CLASS(TzuAniIndicator)
public:
    explicit TzuAniIndicator(TzuComponent* owner);
    ~TzuAniIndicator() override;

    // Its own switch, apart from the general enabled state.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    TzuAniIndicatorStyle Style() const { return m_style; }
    void SetStyle(TzuAniIndicatorStyle value);

    // The clock child and its animation (null when no float animation class is registered).
    TzuVisualObject* Clock() const { return m_clock; }
    TzuAnimation* ClockAnimation() const { return m_animation; }

    void Paint() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;
    void Loaded() override;

private:
    void RunClock();

    bool m_enabled = false;
    TzuAniIndicatorStyle m_style = zuAniIndicatorLine;
    TzuVisualObject* m_clock = nullptr;
    TzuAnimation* m_animation = nullptr;
};

}  // namespace zu
