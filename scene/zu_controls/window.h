#pragma once
// TzuWindow is a styled panel that looks like a window inside the scene: a caption with
// its Text, a close button ("close", usually a TzuCloseButton) and a size grip
// ("sizegrip") that resizes the host window. The panel itself is not hit-testable, so a
// press on its caption moves the host window. It owns nothing beyond its style.

#include "scene/zu_controls/text_control.h"

namespace zu {

class TzuWindow : public TzuTextControl {
    ZU_CLASS(TzuWindow)
public:
    explicit TzuWindow(TzuComponent* owner);

    bool ShowCloseButton() const { return m_showCloseButton; }
    void SetShowCloseButton(bool value);
    bool ShowSizeGrip() const { return m_showSizeGrip; }
    void SetShowSizeGrip(bool value);
    // Given, it replaces closing the form: the close button calls it instead.
    TzuNotifyEvent& OnCloseClick() { return m_onCloseClick; }

protected:
    void ApplyStyle() override;
    // Applies the style again (not while loading), after a property it shows changed.
    void Restyle();

private:
    bool m_showCloseButton = true;
    bool m_showSizeGrip = true;
    TzuNotifyEvent m_onCloseClick;
};

}  // namespace zu
