#include "scene/zu_controls/label.h"

#include "platform/core/property.h"
#include "scene/zu_objects/text.h"

namespace zu {

const TzuClass& TzuLabel::StaticClass() {
    using P = ZuProps<TzuLabel>;
    using L = TzuLabel;
    static const TzuPropInfo props[] = {
        P::Bool<&L::AutoTranslate, &L::SetAutoTranslate>("AutoTranslate").Default(1),
        P::Object<&L::Font>("Font"),
        P::Enum<&L::TextAlign, &L::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignCenter),
        P::WString<&L::Text, static_cast<void (L::*)(const std::u16string&)>(&L::SetText)>("Text"),
        P::Bool<&L::LabelWordWrap, &L::SetLabelWordWrap>("WordWrap").Default(1),
        P::Bool<&L::AutoSize, &L::SetAutoSize>("AutoSize").Default(0),
        P::Bool<&L::HitTest, &L::SetHitTest>("HitTest").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuLabel, TzuTextControl>("TzuLabel", props);
    return cls;
}

TzuLabel::TzuLabel(TzuComponent* owner) : TzuTextControl(owner) {
    SetBounds(0, 0, 120, 15);
    SetWordWrap(true);
    SetAutoTranslate(true);
    SetHitTest(false);
}

void TzuLabel::SetText(const std::u16string& value) {
    if (value == Text()) return;
    TzuTextControl::SetText(value);
    if (m_autoSize && !IsLoading()) FitToText();
}

void TzuLabel::SetLabelWordWrap(bool value) {
    // Wrapping and sizing to one line exclude each other.
    if (m_autoSize) value = false;
    SetWordWrap(value);
}

void TzuLabel::SetAutoSize(bool value) {
    if (value == m_autoSize) return;
    m_autoSize = value;
    if (m_autoSize && !IsLoading()) FitToText();
}

void TzuLabel::ApplyStyle() {
    TzuTextControl::ApplyStyle();
    if (TzuText* part = TextPart()) part->SetWordWrap(WordWrap());
    if (m_autoSize) FitToText();
}

void TzuLabel::FitToText() {
    SetWordWrap(false);
    TzuText* part = TextPart();
    if (!part) return;
    part->SetWordWrap(false);
    part->SetHorzTextAlign(zuTextAlignNear);
    part->SetVertTextAlign(zuTextAlignNear);
    // The part measures itself free of its layout, then goes back to following the label.
    const TzuAlign align = part->Align();
    part->SetAlign(vaNone);
    part->SetAutoSize(true);
    const float width = part->Width();
    const float height = part->Height();
    part->SetAutoSize(false);
    part->SetAlign(align);
    SetWidth(width);
    SetHeight(height);
}

const TzuClass& TzuValueLabel::StaticClass() {
    using P = ZuProps<TzuValueLabel>;
    using L = TzuValueLabel;
    static const TzuPropInfo props[] = {
        P::Bool<&L::AutoTranslate, &L::SetAutoTranslate>("AutoTranslate").Default(0),
        P::Bool<&L::LabelWordWrap, &L::SetLabelWordWrap>("WordWrap").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuValueLabel, TzuLabel>("TzuValueLabel", props);
    return cls;
}

TzuValueLabel::TzuValueLabel(TzuComponent* owner) : TzuLabel(owner) {
    SetWordWrap(false);
    SetAutoTranslate(false);
}

const TzuClass& TzuHudLabel::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudLabel, TzuLabel>("TzuHudLabel");
    return cls;
}

}  // namespace zu
