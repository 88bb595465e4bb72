#include "scene/zu_controls/bitmap_button.h"

#include "platform/core/action.h"
#include "scene/zu_objects/image.h"
#include "scene/zu_scene/graphics/image_list.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

const TzuClass& TzuBitmapButton::StaticClass() {
    using P = ZuProps<TzuBitmapButton>;
    using B = TzuBitmapButton;
    static const TzuPropInfo props[] = {
        P::Object<&B::Bitmap>("Bitmap"),
        P::Enum<&B::BitmapLayout, &B::SetBitmapLayout>("BitmapLayout", kButtonLayoutEnum)
            .Default(zuGlyphLeft),
        P::Float<&B::BitmapSpacing, &B::SetBitmapSpacing>("BitmapSpacing").Default(0),
        P::Float<&B::BitmapSize, &B::SetBitmapSize>("BitmapSize").Default(32),
        P::Float<&B::BitmapPadding, &B::SetBitmapPadding>("BitmapPadding").Default(2),
    };
    static const TzuClass cls = ZuClass<TzuBitmapButton, TzuCustomButton>("TzuBitmapButton", props);
    return cls;
}

TzuBitmapButton::TzuBitmapButton(TzuComponent* owner) : TzuCustomButton(owner) {
    SetBounds(0, 0, 50, 60);
    m_bitmap.SetSize(1, 1);
    m_bitmap.OnChange().Set([this](TzuPersistent*) { GlyphChanged(); });
}

TzuBitmapButton::~TzuBitmapButton() { m_imagePart = nullptr; }

void TzuBitmapButton::SetBitmapLayout(TzuButtonLayout value) {
    if (value == m_placement.layout) return;
    m_placement.layout = value;
    GlyphChanged();
}

void TzuBitmapButton::SetBitmapSpacing(float value) {
    if (value == m_placement.spacing) return;
    m_placement.spacing = value;
    GlyphChanged();
}

void TzuBitmapButton::SetBitmapSize(float value) {
    if (value == m_placement.size) return;
    m_placement.size = value;
    GlyphChanged();
}

void TzuBitmapButton::SetBitmapPadding(float value) {
    if (value == m_placement.padding) return;
    m_placement.padding = value;
    GlyphChanged();
}

void TzuBitmapButton::ActionChange(TzuAction* action, bool checkDefaults) {
    TzuObjectGuard guard(this);
    TzuCustomButton::ActionChange(action, checkDefaults);
    if (!guard.Alive() || !action || !BitmapEmpty()) return;
    // A bitmap of the button's own wins; an empty one shows the action's picture.
    const auto* images = As<TzuImageList>(action->ImageList());
    if (!images) return;
    SetBitmapSize(float(images->Height()));
    if (const TzuBitmap* image = images->Image(action->ImageIndex())) m_bitmap.Assign(*image);
}

void TzuBitmapButton::GlyphChanged() {
    if (IsLoading()) return;  // Loaded styles the button with everything read
    ShowGlyph();
    Repaint();
}

void TzuBitmapButton::ShowGlyph() {
    if (m_imagePart) m_imagePart->SetBitmap(m_bitmap);
    PlaceGlyph(m_imagePart, As<TzuVisualObject>(FindResource("text")), BitmapEmpty(), m_placement, Height());
}

void TzuBitmapButton::Realign() {
    if (m_imagePart && !IsLoading() && !IsDestroying())
        PlaceGlyph(m_imagePart, As<TzuVisualObject>(FindResource("text")), BitmapEmpty(), m_placement,
                   Height());
    TzuCustomButton::Realign();
}

void TzuBitmapButton::ApplyStyle() {
    TzuCustomButton::ApplyStyle();
    m_imagePart = As<TzuImage>(FindResource("image"));
    if (m_imagePart) m_imagePart->FreeNotification(this);
    ShowGlyph();
}

void TzuBitmapButton::FreeStyle() {
    if (m_imagePart) m_imagePart->RemoveFreeNotification(this);
    m_imagePart = nullptr;
    TzuCustomButton::FreeStyle();
}

void TzuBitmapButton::Notification(TzuComponent* component, TzuOperation operation) {
    TzuCustomButton::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == static_cast<TzuComponent*>(m_imagePart))
        m_imagePart = nullptr;
}

const TzuClass& TzuToolButton::StaticClass() {
    using P = ZuProps<TzuToolButton>;
    using B = TzuToolButton;
    static const TzuPropInfo props[] = {
        P::Bool<&B::CanFocus, &B::SetCanFocus>("CanFocused").Default(0),
        P::Enum<&B::BitmapLayout, &B::SetBitmapLayout>("BitmapLayout", kButtonLayoutEnum).Default(zuGlyphTop),
    };
    static const TzuClass cls = ZuClass<TzuToolButton, TzuBitmapButton>("TzuToolButton", props);
    return cls;
}

TzuToolButton::TzuToolButton(TzuComponent* owner) : TzuBitmapButton(owner) {
    SetCanFocus(false);
    SetBitmapLayout(zuGlyphTop);
}

}  // namespace zu
