#pragma once
// TzuHudWindow is the dark, translucent window panel of the HUD family. It owns its Fill
// and Stroke brushes and hands them, with the stroke's shape, to the style's "back" and
// "stroke" parts; the caption and its close button show with ShowCaption, the close
// button on the side ButtonAlign names. Changing any of these restyles the panel.

#include "scene/zu_controls/window.h"
#include "scene/zu_scene/graphics/brush.h"

namespace zu {

enum TzuCloseAlign : int { zuButtonAlignLeft, zuButtonAlignRight };
extern const TzuEnumInfo kCloseAlignEnum;

class TzuHudWindow : public TzuWindow {
    ZU_CLASS(TzuHudWindow)
public:
    explicit TzuHudWindow(TzuComponent* owner);

    TzuBrush* Fill() const { return const_cast<TzuBrush*>(&m_fill); }
    void SetFill(const TzuBrush& value) { m_fill.Assign(value); }
    TzuBrush* Stroke() const { return const_cast<TzuBrush*>(&m_stroke); }
    void SetStroke(const TzuBrush& value) { m_stroke.Assign(value); }
    float StrokeThickness() const { return m_strokeThickness; }
    void SetStrokeThickness(float value);
    bool StrokeThicknessStored() const { return m_strokeThickness != 1; }
    TzuStrokeCap StrokeCap() const { return m_strokeCap; }
    void SetStrokeCap(TzuStrokeCap value);
    TzuStrokeDash StrokeDash() const { return m_strokeDash; }
    void SetStrokeDash(TzuStrokeDash value);
    TzuStrokeJoin StrokeJoin() const { return m_strokeJoin; }
    void SetStrokeJoin(TzuStrokeJoin value);
    TzuCloseAlign ButtonAlign() const { return m_buttonAlign; }
    void SetButtonAlign(TzuCloseAlign value);
    bool ShowCaption() const { return m_showCaption; }
    void SetShowCaption(bool value);
    // Kept for streams written elsewhere: desktops here have no window shadow to switch.
    bool DisableShadowOnOSX() const { return m_disableShadow; }
    void SetDisableShadowOnOSX(bool value);

protected:
    void ApplyStyle() override;

private:
    TzuBrush m_fill{zuBrushSolid, 0xEA2F2F2F};
    TzuBrush m_stroke{zuBrushSolid, 0x5B000000};
    float m_strokeThickness = 1;
    TzuStrokeCap m_strokeCap = zuCapFlat;
    TzuStrokeDash m_strokeDash = zuDashSolid;
    TzuStrokeJoin m_strokeJoin = zuJoinMiter;
    TzuCloseAlign m_buttonAlign = zuButtonAlignLeft;
    bool m_showCaption = true;
    bool m_disableShadow = true;
};

}  // namespace zu
