#pragma once
// TzuMessagePopup is a popup for messages and questions: it stays open, follows its form
// when the form moves, and drops from the top centre of the form's client area (or
// centres under its PlacementTarget). Shown modally it disables the scene behind it
// until it closes.

#include "platform/core/win_control.h"
#include "scene/zu_scene/host/popup.h"

namespace zu {

class TzuMessagePopup : public TzuPopup {
    ZU_CLASS(TzuMessagePopup)
public:
    explicit TzuMessagePopup(TzuComponent* owner);

    bool DisableScene() const { return m_disableScene; }
    void SetDisableScene(bool value) { m_disableScene = value; }

    void Place() override;
    int PopupModal() override;

protected:
    TzuWinPoint PlacementPoint() override;

private:
    // The form the popup hangs from: its owner when that is a form, else the form
    // holding the scene it came from.
    TzuWinControl* HostForm() const;

    bool m_disableScene = true;
    bool m_onForm = false;  // the last placement hung from the form's client area
    TzuRect m_formRect{};   // the top edge of the form's client area, on the screen
};

}  // namespace zu
