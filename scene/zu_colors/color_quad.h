#pragma once
// TzuColorQuad is the saturation-luminance square of one hue: saturation grows to the
// right, luminance upwards, and a round marker shows the current pair. Dragging with the
// left button picks the pair. The square's picture is built once per hue (and again when
// the quad is resized), so a drag only moves the marker. It owns that
// picture; the linked colour box is a weak reference, cleared when the box goes.

#include <memory>

#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuBitmap;
class TzuColorBox;

// The marker circle (radius 5) of the quad and the picker: filled with colour, ringed
// black outside and white inside, so it shows on light and dark ground alike.
void PaintColorMarker(TzuCanvas& canvas, const TzuPoint& centre, TzuColor color, float opacity);

class TzuColorQuad : public TzuControl {
    ZU_CLASS(TzuColorQuad)
public:
    explicit TzuColorQuad(TzuComponent* owner);
    ~TzuColorQuad() override;

    // Each in 0..1; a value outside is clamped, one that is not a number taken as 0.
    float Hue() const { return m_hue; }
    void SetHue(float value);
    float Sat() const { return m_sat; }
    void SetSat(float value);
    float Lum() const { return m_lum; }
    void SetLum(float value);
    float Alpha() const { return m_alpha; }
    void SetAlpha(float value);
    // Both at once, with one change: what a drag sets.
    void SetSatLum(float sat, float lum);
    TzuColorBox* ColorBox() const { return m_colorBox; }
    void SetColorBox(TzuColorBox* value);
    TzuNotifyEvent& OnChange() { return m_onChange; }

    // The colour of the current hue, saturation and luminance with alpha round(Alpha x 255).
    TzuColor Color() const;
    // The cached square; null until the first paint after a hue change.
    const TzuBitmap* Square() const { return m_square.get(); }

    void Paint() override;
    TzuRect UpdateRect() override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

private:
    // Tells the box and the OnChange handler; repaints when the picture changed.
    void Changed(bool repaint);
    void PickAt(float x, float y);
    void BuildSquare();

    float m_hue = 0;
    float m_sat = 1;
    float m_lum = 0.5f;
    float m_alpha = 1;
    TzuColorBox* m_colorBox = nullptr;
    TzuNotifyEvent m_onChange;
    std::unique_ptr<TzuBitmap> m_square;
    bool m_dragging = false;
};

}  // namespace zu
