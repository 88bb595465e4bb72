#include "scene/zu_scene/host/popup_form.h"

#include "platform/core/property.h"
#include "scene/zu_scene/host/popup.h"

namespace zu {

const TzuClass& TzuPopupForm::StaticClass() {
    static const TzuClass cls = ZuClass<TzuPopupForm, TzuForm>("TzuPopupForm");
    return cls;
}

TzuPopupForm::TzuPopupForm(TzuComponent* owner) : TzuForm(owner) { SetBorderStyle(bsNone); }

TzuPopupForm::~TzuPopupForm() {
    // Freed from outside while showing: the popup goes back to its tree before the
    // scene it is in goes with this form.
    if (TzuPopup* popup = m_popup) {
        m_closingBySelf = true;
        popup->Close();
        m_popup = nullptr;
    }
    SetOwnerForm(nullptr);
}

void TzuPopupForm::SetOwnerForm(TzuWinControl* form) {
    if (form == m_ownerForm) return;
    if (m_ownerForm) RemoveFreeNotification(m_ownerForm);
    m_ownerForm = form;
    if (m_ownerForm) FreeNotification(m_ownerForm);
}

void TzuPopupForm::Notification(TzuComponent* component, TzuOperation operation) {
    TzuForm::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_ownerForm) m_ownerForm = nullptr;
}

std::unique_ptr<IzuWindow> TzuPopupForm::MakeWindow() {
    auto window = TzuForm::MakeWindow();
    if (window) window->SetPopup(m_ownerForm ? m_ownerForm->Window() : nullptr, m_dismiss);
    return window;
}

void TzuPopupForm::WindowActivate(bool active) {
    if (active || !m_popup || m_popup->StaysOpen()) return;
    // May free this form: nothing of it is touched afterwards.
    m_popup->Close();
}

void TzuPopupForm::WindowCloseRequest() {
    if (!m_popup) {
        TzuForm::WindowCloseRequest();
        return;
    }
    m_closingBySelf = true;
    m_popup->Close();
    // The popup has let go; the form goes by itself, touching nothing afterwards.
    delete this;
}

}  // namespace zu
