#pragma once
// TzuPopupForm is the borderless, always-on-top form an open TzuPopup shows in. The popup
// makes and frees it; the form owns the private transparent scene the popup moves into
// while open. It keeps a weak link to the form the popup belongs to, whose window stays
// the owner (and keeps its activation) while the popup is up.

#include "platform/core/form.h"

namespace zu {

class TzuPopup;

class TzuPopupForm : public TzuForm {
    ZU_CLASS(TzuPopupForm)
public:
    explicit TzuPopupForm(TzuComponent* owner);
    ~TzuPopupForm() override;

    // The form whose window owns the popup window, or null.
    TzuWinControl* OwnerForm() const { return m_ownerForm; }
    void SetOwnerForm(TzuWinControl* form);
    TzuPopup* Popup() const { return m_popup; }
    void SetPopup(TzuPopup* popup) { m_popup = popup; }
    // Set when the window system closed the form, which then goes by itself.
    bool ClosingBySelf() const { return m_closingBySelf; }
    void SetClosingBySelf(bool value) { m_closingBySelf = value; }
    // Whether a press outside the window (or losing activation) closes the popup; given
    // before the form is shown.
    void SetDismissOnOutsidePress(bool value) { m_dismiss = value; }

    void WindowActivate(bool active) override;
    void WindowCloseRequest() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

protected:
    std::unique_ptr<IzuWindow> MakeWindow() override;

private:
    TzuWinControl* m_ownerForm = nullptr;
    TzuPopup* m_popup = nullptr;
    bool m_closingBySelf = false;
    bool m_dismiss = true;
};

}  // namespace zu
