#pragma once
// TzuArc strokes (and, with a fill brush, fills) an arc of its inscribed ellipse that
// starts at StartAngle and sweeps EndAngle degrees. It is hit inside the whole ellipse.

#include "scene/zu_objects/ellipse.h"

namespace zu {

class TzuArc : public TzuEllipse {
    ZU_CLASS(TzuArc)
public:
    explicit TzuArc(TzuComponent* owner);
    float StartAngle() const { return m_startAngle; }
    void SetStartAngle(float value);
    float EndAngle() const { return m_endAngle; }
    void SetEndAngle(float value);

protected:
    void Paint() override;

private:
    float m_startAngle = 0;
    float m_endAngle = -90;
};

}  // namespace zu
