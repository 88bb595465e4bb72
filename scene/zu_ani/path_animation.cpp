#include "scene/zu_ani/path_animation.h"

#include <cmath>
#include <numbers>

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

const TzuClass& TzuPathAnimation::StaticClass() {
    using P = ZuProps<TzuPathAnimation>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuPathAnimation::Path>("Path"),
        P::Bool<&TzuPathAnimation::Rotate, &TzuPathAnimation::SetRotate>("Rotate").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuPathAnimation, TzuAnimation>("TzuPathAnimation", props);
    return cls;
}

TzuPathAnimation::TzuPathAnimation(TzuComponent* owner)
    : TzuAnimation(owner), m_path(std::make_unique<TzuPathData>()) {}

TzuPathAnimation::~TzuPathAnimation() = default;

void TzuPathAnimation::Start() {
    // The first step runs with the polygon of the previous run (or none).
    TzuAnimation::Start();
    m_spline.reset();
    m_polygon.clear();
    m_target = nullptr;
    if (!Scene()) return;
    m_polygon = m_path->FlattenToPolygon(0.25f);
    // A closed figure is followed back to its start rather than to the marker.
    for (size_t i = 1; i < m_polygon.size(); ++i) {
        if (m_polygon[i] == ClosePolygon) m_polygon[i] = m_polygon[i - 1];
    }
    m_spline = std::make_unique<TzuSpline>(m_polygon);
    if (Parent() && Parent()->IsVisual()) {
        m_target = static_cast<TzuVisualObject*>(Parent());
        m_startX = m_target->Position()->X();
        m_startY = m_target->Position()->Y();
    }
}

void TzuPathAnimation::ProcessAnimation() {
    // The target is the parent it was taken from; a moved animation waits for its next start.
    if (m_polygon.empty() || !m_spline || !m_target || m_target != Parent()) return;
    const float t = NormalizedTime();
    float x = 0, y = 0;
    m_spline->SplineGetPoint(t * static_cast<float>(m_polygon.size()), x, y);
    const TzuPoint old = m_target->Position()->GetPoint();
    const TzuPoint now{m_startX + x, m_startY + y};
    m_target->Position()->SetPoint(now);
    if (m_rotate && t > 0 && t < 1 && now.X != old.X && now.Y != old.Y) {
        float angle = static_cast<float>(std::atan2(double(now.Y) - old.Y, double(now.X) - old.X) * 180 /
                                         std::numbers::pi);
        if (angle == -180) angle = 180;
        if (Inverse()) angle += 180;
        m_target->SetRotateAngle(angle);
    }
}

}  // namespace zu
