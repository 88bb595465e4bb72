#include "scene/zu_controls/status_bar.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuStatusBar::StaticClass() {
    using P = ZuProps<TzuStatusBar>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuStatusBar::ShowSizeGrip, &TzuStatusBar::SetShowSizeGrip>("ShowSizeGrip").Default(1),
        // The bar's own alignment is its default, so a bar set to float free keeps it.
        P::Enum<&TzuStatusBar::Align, &TzuStatusBar::SetAlign>("Align", kAlignEnum).Default(vaBottom),
    };
    static const TzuClass cls = ZuClass<TzuStatusBar, TzuControl>("TzuStatusBar", props);
    return cls;
}

TzuStatusBar::TzuStatusBar(TzuComponent* owner) : TzuControl(owner) {
    SetHeight(22);
    SetAlign(vaBottom);
}

void TzuStatusBar::SetShowSizeGrip(bool value) {
    if (value == m_showSizeGrip) return;
    m_showSizeGrip = value;
    if (!IsLoading()) SetResource(Resource());
}

void TzuStatusBar::ApplyStyle() {
    TzuControl::ApplyStyle();
    auto* grip = As<TzuVisualObject>(FindResource("sizegrip"));
    if (!grip) return;
    grip->SetVisible(m_showSizeGrip);
    if (!IsSceneDesigning()) {
        grip->SetLocked(false);
        grip->SetHitTest(true);
    }
}

const TzuClass& TzuHudStatusBar::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudStatusBar, TzuStatusBar>("TzuHudStatusBar");
    return cls;
}

const TzuClass& TzuToolBar::StaticClass() {
    using P = ZuProps<TzuToolBar>;
    static const TzuPropInfo props[] = {
        P::Enum<&TzuToolBar::Align, &TzuToolBar::SetAlign>("Align", kAlignEnum).Default(vaTop),
    };
    static const TzuClass cls = ZuClass<TzuToolBar, TzuControl>("TzuToolBar", props);
    return cls;
}

TzuToolBar::TzuToolBar(TzuComponent* owner) : TzuControl(owner) {
    SetHeight(40);
    SetAlign(vaTop);
}

}  // namespace zu
