#include "scene/zu_controls/window.h"

#include "platform/core/property.h"
#include "scene/zu_controls/close_button.h"

namespace zu {

const TzuClass& TzuWindow::StaticClass() {
    using P = ZuProps<TzuWindow>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuWindow::ShowCloseButton, &TzuWindow::SetShowCloseButton>("ShowCloseButton").Default(1),
        P::Bool<&TzuWindow::ShowSizeGrip, &TzuWindow::SetShowSizeGrip>("ShowSizeGrip").Default(1),
        P::Event<&TzuWindow::OnCloseClick>("OnCloseClick"),
        P::Object<&TzuWindow::Font>("Font"),
        P::Enum<&TzuWindow::TextAlign, &TzuWindow::SetTextAlign>("TextAlign", kTextAlignEnum)
            .Default(zuTextAlignNear),
        P::WString<&TzuWindow::Text, &TzuWindow::SetText>("Text"),
        P::Bool<&TzuWindow::AutoTranslate, &TzuWindow::SetAutoTranslate>("AutoTranslate").Default(1),
        P::Bool<&TzuWindow::HitTest, &TzuWindow::SetHitTest>("HitTest").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuWindow, TzuTextControl>("TzuWindow", props);
    return cls;
}

TzuWindow::TzuWindow(TzuComponent* owner) : TzuTextControl(owner) {
    SetWidth(200);
    SetHeight(200);
    SetTextAlign(zuTextAlignNear);
    SetAutoTranslate(true);
    SetHitTest(false);
}

void TzuWindow::SetShowCloseButton(bool value) {
    if (value == m_showCloseButton) return;
    m_showCloseButton = value;
    Restyle();
}

void TzuWindow::SetShowSizeGrip(bool value) {
    if (value == m_showSizeGrip) return;
    m_showSizeGrip = value;
    Restyle();
}

void TzuWindow::Restyle() {
    if (!IsLoading() && StyleObject()) SetResource(Resource());
}

void TzuWindow::ApplyStyle() {
    TzuTextControl::ApplyStyle();
    if (auto* close = As<TzuVisualObject>(FindResource("close"))) {
        close->SetVisible(m_showCloseButton);
        if (auto* button = As<TzuCloseButton>(close); button && m_onCloseClick) {
            button->SetCloseForm(false);
            button->OnClick() = m_onCloseClick;
        }
    }
    if (auto* grip = As<TzuVisualObject>(FindResource("sizegrip"))) grip->SetVisible(m_showSizeGrip);
}

}  // namespace zu
