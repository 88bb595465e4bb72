#pragma once
// TzuPathAnimation moves its visual parent along Path, relative to where the parent stood
// when the animation started: the path is flattened to a polygon and followed along a
// cubic spline through its points. With Rotate the parent turns to its heading. It owns
// its path data (setting Path copies it) and the spline.

#include <memory>

#include "scene/zu_scene/graphics/path_data.h"
#include "scene/zu_scene/tree/animation.h"
#include "scene/zu_scene/types/interpolation.h"

namespace zu {

class TzuVisualObject;

class TzuPathAnimation : public TzuAnimation {
    ZU_CLASS(TzuPathAnimation)
public:
    explicit TzuPathAnimation(TzuComponent* owner);
    ~TzuPathAnimation() override;

    TzuPathData* Path() const { return m_path.get(); }
    void SetPath(const TzuPathData& value) { m_path->Assign(value); }
    bool Rotate() const { return m_rotate; }
    void SetRotate(bool value) { m_rotate = value; }
    const TzuPolygon& Polygon() const { return m_polygon; }

    void Start() override;
    void ProcessAnimation() override;

private:
    std::unique_ptr<TzuPathData> m_path;
    TzuPolygon m_polygon;
    std::unique_ptr<TzuSpline> m_spline;
    TzuVisualObject* m_target = nullptr;
    float m_startX = 0;
    float m_startY = 0;
    bool m_rotate = false;
};

}  // namespace zu
