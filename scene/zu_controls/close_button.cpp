#include "scene/zu_controls/close_button.h"

#include "platform/core/form.h"
#include "platform/core/property.h"
#include "scene/zu_scene/host/popup.h"
#include "scene/zu_scene/host/popup_form.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

const TzuClass& TzuCloseButton::StaticClass() {
    using P = ZuProps<TzuCloseButton>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuCloseButton::CloseForm, &TzuCloseButton::SetCloseForm>("CloseForm").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuCloseButton, TzuControl>("TzuCloseButton", props);
    return cls;
}

const TzuClass& TzuHudCloseButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudCloseButton, TzuCloseButton>("TzuHudCloseButton");
    return cls;
}

TzuCloseButton::TzuCloseButton(TzuComponent* owner) : TzuControl(owner) {
    SetWidth(20);
    SetHeight(20);
    SetCanFocus(false);
}

void TzuCloseButton::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (guard.Alive() && button == mbLeft && !IsSceneDesigning()) m_pressed = true;
}

void TzuCloseButton::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseUp(button, shift, x, y);
    if (!guard.Alive() || !m_pressed) return;
    if (m_closeForm && !CloseHostForm()) return;
    m_pressed = false;
    if (HasExtra() && OnClick()) OnClick()(this);
}

bool TzuCloseButton::CloseHostForm() {
    IzuScene* scene = Scene();
    if (!scene) return true;
    TzuObjectGuard guard(this);
    for (TzuComponent* c = scene->Owner(); c; c = c->Owner()) {
        auto* form = As<TzuForm>(c);
        if (!form) continue;
        // A popup's form closes by closing its popup, which takes it back to its tree.
        if (auto* popupForm = As<TzuPopupForm>(form); popupForm && popupForm->Popup())
            popupForm->Popup()->Close();
        else
            form->Close();
        break;
    }
    return guard.Alive();
}

}  // namespace zu
