#pragma once
// TzuBackground is a control that paints its own Fill over the whole box; with a fill it
// hides its style picture. The display program's scene hangs below one. It owns its brush.

#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuBackground : public TzuControl {
    ZU_CLASS(TzuBackground)
public:
    explicit TzuBackground(TzuComponent* owner);

    TzuBrush* Fill() const { return const_cast<TzuBrush*>(&m_fill); }
    void SetFill(const TzuBrush& brush) { m_fill.Assign(brush); }

protected:
    virtual void FillChanged() { Repaint(); }
    void Paint() override;
    // A fill of its own hides the style picture, as does a transparent scene's root.
    void PaintChildren() override;

private:
    TzuBrush m_fill{zuBrushNone, 0xFFE0E0E0};
};

}  // namespace zu
