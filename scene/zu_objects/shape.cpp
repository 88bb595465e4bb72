#include "scene/zu_objects/shape.h"

namespace zu {

const TzuClass& TzuShape::StaticClass() {
    // Each figure publishes the subset of the shape's properties it uses.
    static const TzuClass cls = ZuClass<TzuShape, TzuVisualObject>("TzuShape");
    return cls;
}

TzuShape::TzuShape(TzuComponent* owner, TzuColor fillColor, TzuBrushStyle strokeStyle)
    : TzuVisualObject(owner), m_fill(zuBrushSolid, fillColor), m_stroke(strokeStyle, 0xFF000000) {
    m_fill.OnChange().Set([this](TzuPersistent*) { FillChanged(); });
    m_stroke.OnChange().Set([this](TzuPersistent*) { StrokeChanged(); });
}

void TzuShape::LookChanged() {
    InvalidateEffects();
    Repaint();
}

void TzuShape::FillChanged() { LookChanged(); }
void TzuShape::StrokeChanged() { LookChanged(); }

void TzuShape::SetStrokeThickness(float value) {
    if (value == m_strokeThickness) return;
    m_strokeThickness = value;
    LookChanged();
}

void TzuShape::SetStrokeCap(TzuStrokeCap value) {
    if (value == m_strokeCap) return;
    m_strokeCap = value;
    LookChanged();
}

void TzuShape::SetStrokeJoin(TzuStrokeJoin value) {
    if (value == m_strokeJoin) return;
    m_strokeJoin = value;
    LookChanged();
}

void TzuShape::SetStrokeDash(TzuStrokeDash value) {
    if (value == m_strokeDash) return;
    m_strokeDash = value;
    LookChanged();
}

TzuRect TzuShape::GetShapeRect() const {
    TzuRect r{0, 0, Width(), Height()};
    if (m_stroke.Style() != zuBrushNone) {
        float h = m_strokeThickness / 2;
        RectInflate(r, -h, -h);
    }
    return r;
}

void TzuShape::BeforePaint() {
    TzuVisualObject::BeforePaint();
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    cv->Fill()->Assign(m_fill);
    cv->Stroke()->Assign(m_stroke);
    cv->SetStrokeThickness(m_strokeThickness);
    cv->SetStrokeCap(m_strokeCap);
    cv->SetStrokeJoin(m_strokeJoin);
    cv->SetStrokeDash(m_strokeDash);
}

void TzuShape::AfterPaint() {
    TzuVisualObject::AfterPaint();
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    cv->SetStrokeDash(zuDashSolid);
    cv->SetStrokeThickness(1);
}

}  // namespace zu
