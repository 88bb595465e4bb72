#pragma once
// TzuPopupButton is a push button that opens its popup menu below itself when clicked;
// the menu belongs to its owner, the button only names it (and forgets it when it goes).

#include "scene/zu_controls/button.h"

namespace zu {

class TzuPopupButton : public TzuButton {
    ZU_CLASS(TzuPopupButton)
public:
    explicit TzuPopupButton(TzuComponent* owner) : TzuButton(owner) {}

    void Click() override;
};

}  // namespace zu
