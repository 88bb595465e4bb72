#pragma once
// TzuBitmapStateButton wears no style: it paints one of its three bitmaps, the pressed one
// while pressed, the hot one while the pointer is over it, else the normal one, centred
// and scaled down to fit when it is larger than the button. It owns the three bitmaps.

#include "scene/zu_controls/custom_button.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

class TzuBitmapStateButton : public TzuCustomButton {
    ZU_CLASS(TzuBitmapStateButton)
public:
    explicit TzuBitmapStateButton(TzuComponent* owner);

    TzuBitmap* Bitmap() const { return const_cast<TzuBitmap*>(&m_bitmap); }
    void SetBitmap(const TzuBitmap& value) { m_bitmap.Assign(value); }
    TzuBitmap* BitmapHot() const { return const_cast<TzuBitmap*>(&m_hot); }
    void SetBitmapHot(const TzuBitmap& value) { m_hot.Assign(value); }
    TzuBitmap* BitmapDown() const { return const_cast<TzuBitmap*>(&m_down); }
    void SetBitmapDown(const TzuBitmap& value) { m_down.Assign(value); }
    // The bitmap the button shows in its present state.
    TzuBitmap* CurrentBitmap() const;

    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void PressedChanged() override { Repaint(); }

private:
    TzuBitmap m_bitmap;
    TzuBitmap m_hot;
    TzuBitmap m_down;
};

}  // namespace zu
