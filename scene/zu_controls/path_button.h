#pragma once
// TzuPathButton shows a vector glyph beside its text: it owns the path and the brushes
// and stroke settings it is drawn with, and copies them into its style's "path" part; the
// "pathowner" part is placed by the glyph layout. The tool variant never takes the focus
// and puts the glyph above the text.

#include "scene/zu_controls/button_layout.h"
#include "scene/zu_controls/custom_button.h"
#include "scene/zu_scene/graphics/path_data.h"

namespace zu {

class TzuPath;

class TzuPathButton : public TzuCustomButton {
    ZU_CLASS(TzuPathButton)
public:
    explicit TzuPathButton(TzuComponent* owner);
    ~TzuPathButton() override;

    TzuPathData* Path() const { return const_cast<TzuPathData*>(&m_path); }
    void SetPath(const TzuPathData& value) { m_path.Assign(value); }
    TzuBrush* PathFill() const { return const_cast<TzuBrush*>(&m_fill); }
    void SetPathFill(const TzuBrush& value) { m_fill.Assign(value); }
    TzuBrush* PathStroke() const { return const_cast<TzuBrush*>(&m_stroke); }
    void SetPathStroke(const TzuBrush& value) { m_stroke.Assign(value); }
    float PathStrokeThickness() const { return m_strokeThickness; }
    void SetPathStrokeThickness(float value);
    TzuStrokeCap PathStrokeCap() const { return m_strokeCap; }
    void SetPathStrokeCap(TzuStrokeCap value);
    TzuStrokeDash PathStrokeDash() const { return m_strokeDash; }
    void SetPathStrokeDash(TzuStrokeDash value);
    TzuStrokeJoin PathStrokeJoin() const { return m_strokeJoin; }
    void SetPathStrokeJoin(TzuStrokeJoin value);
    TzuButtonLayout PathLayout() const { return m_placement.layout; }
    void SetPathLayout(TzuButtonLayout value);
    float PathSpacing() const { return m_placement.spacing; }
    void SetPathSpacing(float value);
    float PathSize() const { return m_placement.size; }
    void SetPathSize(float value);
    float PathPadding() const { return m_placement.padding; }
    void SetPathPadding(float value);

    TzuPath* PathPart() const { return m_pathPart; }

    // Places the glyph again for the new height before the parts are laid out.
    void Realign() override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

private:
    bool StrokeThicknessStored() const { return m_strokeThickness != 1; }
    // Copies the glyph into the style and places it; run whenever any of it changes.
    void ShowGlyph();
    void GlyphChanged();

    TzuPathData m_path;
    TzuBrush m_fill{zuBrushSolid, 0xFFFFFFFF};
    TzuBrush m_stroke{zuBrushSolid, 0xFF000000};
    TzuGlyphPlacement m_placement;
    TzuPath* m_pathPart = nullptr;
    TzuVisualObject* m_pathOwner = nullptr;
    float m_strokeThickness = 1;
    TzuStrokeCap m_strokeCap = zuCapFlat;
    TzuStrokeDash m_strokeDash = zuDashSolid;
    TzuStrokeJoin m_strokeJoin = zuJoinMiter;
};

class TzuToolPathButton : public TzuPathButton {
    ZU_CLASS(TzuToolPathButton)
public:
    explicit TzuToolPathButton(TzuComponent* owner);
};

}  // namespace zu
