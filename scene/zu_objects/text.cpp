#include "scene/zu_objects/text.h"

#include "scene/zu_objects/shape_props.h"

namespace zu {

const TzuClass& TzuText::StaticClass() {
    using S = ShapeProps<TzuText>;
    using P = ZuProps<TzuText>;
    static const TzuPropInfo props[] = {
        S::Fill(),
        P::WString<&TzuText::Text, static_cast<void (TzuText::*)(const std::u16string&)>(&TzuText::SetText)>(
            "Text")
            .AlwaysStored(),
        P::Object<&TzuText::Font>("Font"),
        P::Enum<&TzuText::VertTextAlign, &TzuText::SetVertTextAlign>("VertTextAlign", kTextAlignEnum)
            .Default(zuTextAlignCenter),
        P::Enum<&TzuText::HorzTextAlign, &TzuText::SetHorzTextAlign>("HorzTextAlign", kTextAlignEnum)
            .Default(zuTextAlignCenter),
        P::Bool<&TzuText::WordWrap, &TzuText::SetWordWrap>("WordWrap").Default(1),
        P::Bool<&TzuText::AutoSize, &TzuText::SetAutoSize>("AutoSize").Default(0),
        P::Bool<&TzuText::Stretch, &TzuText::SetStretch>("Stretch").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuText, TzuShape>("TzuText", props);
    return cls;
}

TzuText::TzuText(TzuComponent* owner) : TzuShape(owner, 0xFF000000, zuBrushNone) {
    m_font.OnChange().Set([this](TzuPersistent*) { FontChanged(); });
}

void TzuText::SetText(const std::u16string& value) {
    if (value == m_text) return;
    m_text = value;
    InvalidateEffects();
    if (m_autoSize) AdjustSize();
    Repaint();
}

void TzuText::SetFont(const TzuFont& font) {
    m_font.Assign(font);
    if (m_autoSize) AdjustSize();
}

void TzuText::FontChanged() {
    InvalidateEffects();
    if (m_autoSize) AdjustSize();
    Repaint();
}

void TzuText::SetVertTextAlign(TzuTextAlign value) {
    if (value == m_vertTextAlign) return;
    m_vertTextAlign = value;
    LookChanged();
}

void TzuText::SetHorzTextAlign(TzuTextAlign value) {
    if (value == m_horzTextAlign) return;
    m_horzTextAlign = value;
    LookChanged();
}

void TzuText::SetWordWrap(bool value) {
    if (value == m_wordWrap) return;
    m_wordWrap = value;
    Repaint();
}

void TzuText::SetAutoSize(bool value) {
    if (value == m_autoSize) return;
    m_autoSize = value;
    AdjustSize();
}

void TzuText::SetStretch(bool value) {
    if (value == m_stretch) return;
    InvalidateEffects();
    m_stretch = value;
    if (value) SetAutoSize(false);
    Repaint();
}

void TzuText::Realign() {
    TzuShape::Realign();
    if (m_autoSize) AdjustSize();
}

void TzuText::AdjustSize() {
    if (m_adjusting) return;
    m_adjusting = true;
    TzuCanvas* cv = Canvas();
    bool measured = m_autoSize && cv && !m_text.empty();
    if (measured) {
        cv->Font()->Assign(m_font);
        TzuRect r = m_wordWrap ? TzuRect{0, 0, Width(), 1000} : TzuRect{0, 0, 1000, 1000};
        cv->MeasureText(r, m_text, m_wordWrap, zuTextAlignNear, zuTextAlignNear);
        if (!m_wordWrap) SetWidth(m_font.Size() / 2 + r.Right);
        if (m_vertTextAlign != zuTextAlignCenter) SetHeight(r.Bottom);
    }
    m_adjusting = false;
    if (measured && Parent() && Parent()->IsVisual()) Parent()->Realign();
}

void TzuText::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    cv->Font()->Assign(m_font);
    TzuRect local = LocalRect();
    float opacity = AbsoluteOpacity();
    if (!m_stretch) {
        cv->FillText(local, m_text, m_wordWrap, opacity, m_horzTextAlign, m_vertTextAlign);
        return;
    }
    TzuRect m{0, 0, 1000, 1000};
    cv->MeasureText(m, m_text, false, m_horzTextAlign, m_vertTextAlign);
    RectOffset(m, -m.Left, -m.Top);
    TzuMatrix x = IdentityMatrix;
    if (!RectIsEmpty(m)) {
        x.m11 = RectWidth(local) / RectWidth(m);
        x.m22 = RectHeight(local) / RectHeight(m);
    }
    cv->MultiplyMatrix(x);
    float grow = m_font.Size() / 3;
    RectInflate(m, grow, grow);
    cv->FillText(m, m_text, false, opacity, m_horzTextAlign, m_vertTextAlign);
}

}  // namespace zu
