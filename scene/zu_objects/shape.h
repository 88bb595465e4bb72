#pragma once
// TzuShape is the base of the figures: a visual object that loads the canvas with its own
// fill and stroke brushes and stroke settings and draws one figure into its local box.
// It owns both brushes; setting one copies the given brush.

#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuShape : public TzuVisualObject {
    ZU_CLASS(TzuShape)
public:
    explicit TzuShape(TzuComponent* owner) : TzuShape(owner, 0xFFE0E0E0, zuBrushSolid) {}

    TzuBrush* Fill() const { return const_cast<TzuBrush*>(&m_fill); }
    void SetFill(const TzuBrush& brush) { m_fill.Assign(brush); }
    TzuBrush* Stroke() const { return const_cast<TzuBrush*>(&m_stroke); }
    void SetStroke(const TzuBrush& brush) { m_stroke.Assign(brush); }
    float StrokeThickness() const { return m_strokeThickness; }
    void SetStrokeThickness(float value);
    TzuStrokeCap StrokeCap() const { return m_strokeCap; }
    void SetStrokeCap(TzuStrokeCap value);
    TzuStrokeJoin StrokeJoin() const { return m_strokeJoin; }
    void SetStrokeJoin(TzuStrokeJoin value);
    TzuStrokeDash StrokeDash() const { return m_strokeDash; }
    void SetStrokeDash(TzuStrokeDash value);

    // The local box, inset by half the stroke when a stroke is drawn, so the stroke's
    // outer edge touches the object's bounds.
    TzuRect GetShapeRect() const;

protected:
    // Shapes differ in their brushes' defaults (the text fills black and never strokes).
    TzuShape(TzuComponent* owner, TzuColor fillColor, TzuBrushStyle strokeStyle);
    virtual void FillChanged();
    virtual void StrokeChanged();
    void BeforePaint() override;
    void AfterPaint() override;
    // A property that changes the picture: refresh the effect picture and repaint.
    void LookChanged();

private:
    TzuBrush m_fill;
    TzuBrush m_stroke;
    float m_strokeThickness = 1;
    TzuStrokeCap m_strokeCap = zuCapFlat;
    TzuStrokeJoin m_strokeJoin = zuJoinMiter;
    TzuStrokeDash m_strokeDash = zuDashSolid;
};

}  // namespace zu
