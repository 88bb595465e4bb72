#include "scene/zu_controls/hud_window.h"

#include "platform/core/property.h"
#include "scene/zu_controls/close_button.h"
#include "scene/zu_objects/shape.h"

namespace zu {

namespace {
const char* const kCloseAlignNames[] = {"zuButtonAlignLeft", "zuButtonAlignRight"};
}

const TzuEnumInfo kCloseAlignEnum{"TzuCloseAlign", kCloseAlignNames, 2};

const TzuClass& TzuHudWindow::StaticClass() {
    using P = ZuProps<TzuHudWindow>;
    using H = TzuHudWindow;
    static const TzuPropInfo props[] = {
        P::Object<&H::Fill>("Fill"),
        P::Object<&H::Stroke>("Stroke"),
        P::Float<&H::StrokeThickness, &H::SetStrokeThickness>("StrokeThickness")
            .StoredIf<&H::StrokeThicknessStored>(),
        P::Enum<&H::StrokeCap, &H::SetStrokeCap>("StrokeCap", kStrokeCapEnum).Default(zuCapFlat),
        P::Enum<&H::StrokeDash, &H::SetStrokeDash>("StrokeDash", kStrokeDashEnum).Default(zuDashSolid),
        P::Enum<&H::StrokeJoin, &H::SetStrokeJoin>("StrokeJoin", kStrokeJoinEnum).Default(zuJoinMiter),
        P::Enum<&H::ButtonAlign, &H::SetButtonAlign>("ButtonAlign", kCloseAlignEnum)
            .Default(zuButtonAlignLeft),
        P::Bool<&H::ShowCaption, &H::SetShowCaption>("ShowCaption").Default(1),
        P::Bool<&H::DisableShadowOnOSX, &H::SetDisableShadowOnOSX>("DisableShadowOnOSX").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuHudWindow, TzuWindow>("TzuHudWindow", props);
    return cls;
}

TzuHudWindow::TzuHudWindow(TzuComponent* owner) : TzuWindow(owner) {
    Font()->SetStyle(zuFontBold);
    m_fill.OnChange().Set([this](TzuPersistent*) { Restyle(); });
    m_stroke.OnChange().Set([this](TzuPersistent*) { Restyle(); });
}

void TzuHudWindow::SetStrokeThickness(float value) {
    if (value == m_strokeThickness) return;
    m_strokeThickness = value;
    Restyle();
}

void TzuHudWindow::SetStrokeCap(TzuStrokeCap value) {
    if (value == m_strokeCap) return;
    m_strokeCap = value;
    Restyle();
}

void TzuHudWindow::SetStrokeDash(TzuStrokeDash value) {
    if (value == m_strokeDash) return;
    m_strokeDash = value;
    Restyle();
}

void TzuHudWindow::SetStrokeJoin(TzuStrokeJoin value) {
    if (value == m_strokeJoin) return;
    m_strokeJoin = value;
    Restyle();
}

void TzuHudWindow::SetButtonAlign(TzuCloseAlign value) {
    if (value == m_buttonAlign) return;
    m_buttonAlign = value;
    Restyle();
}

void TzuHudWindow::SetShowCaption(bool value) {
    if (value == m_showCaption) return;
    m_showCaption = value;
    Restyle();
}

void TzuHudWindow::SetDisableShadowOnOSX(bool value) {
    if (value == m_disableShadow) return;
    m_disableShadow = value;
    Restyle();
}

void TzuHudWindow::ApplyStyle() {
    TzuWindow::ApplyStyle();
    if (auto* close = As<TzuCloseButton>(FindResource("close"))) {
        close->SetAlign(m_buttonAlign == zuButtonAlignRight ? vaRight : vaLeft);
        if (close->Visible()) close->SetVisible(m_showCaption);
    }
    if (auto* back = As<TzuShape>(FindResource("back"))) back->SetFill(m_fill);
    if (auto* stroke = As<TzuShape>(FindResource("stroke"))) {
        stroke->SetStroke(m_stroke);
        stroke->SetStrokeThickness(m_strokeThickness);
        stroke->SetStrokeCap(m_strokeCap);
        stroke->SetStrokeDash(m_strokeDash);
        stroke->SetStrokeJoin(m_strokeJoin);
        stroke->Margins()->SetRect(
            {m_strokeThickness, m_strokeThickness, m_strokeThickness, m_strokeThickness});
    }
    if (auto* caption = As<TzuVisualObject>(FindResource("caption"))) {
        caption->SetHeight(m_strokeThickness + 20);
        caption->Padding()->SetRect({m_strokeThickness, m_strokeThickness, m_strokeThickness, 0});
        caption->SetVisible(m_showCaption);
    }
    if (auto* text = As<TzuVisualObject>(FindResource("text"))) text->SetVisible(m_showCaption);
}

}  // namespace zu
