#pragma once
// TzuPie fills and strokes the wedge of its inscribed ellipse between StartAngle and
// EndAngle (degrees), and is hit only inside that wedge.

#include "scene/zu_objects/ellipse.h"
#include "scene/zu_scene/graphics/path_data.h"

namespace zu {

class TzuPie : public TzuEllipse {
    ZU_CLASS(TzuPie)
public:
    using TzuEllipse::TzuEllipse;
    float StartAngle() const { return m_startAngle; }
    void SetStartAngle(float value);
    float EndAngle() const { return m_endAngle; }
    void SetEndAngle(float value);
    bool PointInObject(float x, float y) override;

protected:
    void Paint() override;

private:
    // The closed wedge: centre, arc, back to the centre.
    void PiePath(TzuPathData& path) const;

    float m_startAngle = 0;
    float m_endAngle = -90;
};

}  // namespace zu
