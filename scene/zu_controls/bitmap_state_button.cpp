#include "scene/zu_controls/bitmap_state_button.h"

#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

const TzuClass& TzuBitmapStateButton::StaticClass() {
    using P = ZuProps<TzuBitmapStateButton>;
    using B = TzuBitmapStateButton;
    static const TzuPropInfo props[] = {
        P::Object<&B::Bitmap>("Bitmap"),
        P::Object<&B::BitmapHot>("BitmapHot"),
        P::Object<&B::BitmapDown>("BitmapDown"),
    };
    static const TzuClass cls = ZuClass<TzuBitmapStateButton, TzuCustomButton>("TzuBitmapStateButton", props);
    return cls;
}

TzuBitmapStateButton::TzuBitmapStateButton(TzuComponent* owner) : TzuCustomButton(owner) {
    SetBounds(0, 0, 64, 64);
    for (TzuBitmap* b : {&m_bitmap, &m_hot, &m_down}) {
        b->SetSize(1, 1);
        b->OnChange().Set([this](TzuPersistent*) { Repaint(); });
    }
}

TzuBitmap* TzuBitmapStateButton::CurrentBitmap() const {
    if (IsPressed()) return BitmapDown();
    if (IsMouseOver()) return BitmapHot();
    return Bitmap();
}

void TzuBitmapStateButton::Paint() {
    TzuCanvas* cv = Canvas();
    TzuBitmap* bitmap = CurrentBitmap();
    if (!cv || bitmap->Width() <= 0 || bitmap->Height() <= 0) return;
    const TzuRect whole{0, 0, float(bitmap->Width()), float(bitmap->Height())};
    TzuRect dst = whole;
    RectFitInto(dst, LocalRect());  // scales a larger bitmap down, centres either way
    cv->DrawBitmap(*bitmap, whole, dst, AbsoluteOpacity(), false);
}

void TzuBitmapStateButton::MouseEnter() {
    TzuObjectGuard guard(this);
    TzuCustomButton::MouseEnter();
    if (guard.Alive()) Repaint();
}

void TzuBitmapStateButton::MouseLeave() {
    TzuObjectGuard guard(this);
    TzuCustomButton::MouseLeave();
    if (guard.Alive()) Repaint();
}

}  // namespace zu
