#pragma once
// TzuColorPicker is a vertical hue strip: hue 0 at the top, 1 at the bottom, a round
// marker on the current hue. Dragging with the left button picks the hue, which the
// linked colour quad takes. It owns the strip's picture (built once, again only when the
// picker is resized); the quad is a weak reference, cleared when it goes.

#include <memory>

#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuBitmap;
class TzuColorQuad;

class TzuColorPicker : public TzuControl {
    ZU_CLASS(TzuColorPicker)
public:
    explicit TzuColorPicker(TzuComponent* owner);
    ~TzuColorPicker() override;

    // 0..1; a value outside is clamped. The linked quad takes it.
    float Hue() const { return m_hue; }
    void SetHue(float value);
    TzuColorQuad* ColorQuad() const { return m_colorQuad; }
    void SetColorQuad(TzuColorQuad* value);

    // Shows color: the picker takes its hue; the linked quad its alpha, hue, saturation
    // and luminance.
    void SetColor(TzuColor color);

    void Paint() override;
    TzuRect UpdateRect() override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

private:
    void PickAt(float y);

    float m_hue = 0;
    TzuColorQuad* m_colorQuad = nullptr;
    std::unique_ptr<TzuBitmap> m_strip;
    bool m_dragging = false;
};

}  // namespace zu
