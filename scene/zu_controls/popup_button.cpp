#include "scene/zu_controls/popup_button.h"

#include <cmath>

#include "platform/core/popup_menu.h"
#include "platform/core/win_control.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/scene_intf.h"

namespace zu {

const TzuClass& TzuPopupButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuPopupButton, TzuButton>("TzuPopupButton");
    return cls;
}

void TzuPopupButton::Click() {
    TzuObjectGuard guard(this);
    TzuButton::Click();
    if (!guard.Alive() || !Scene()) return;
    auto* menu = As<TzuPopupMenu>(PopupMenu());
    if (!menu) return;
    // Below the button, its left edges on the button's.
    const TzuPoint screen = Scene()->LocalToScreen(LocalToAbsolute(TzuPoint{0, Height()}));
    auto* host = As<TzuWinControl>(Scene()->SceneControl());
    menu->SetPopupComponent(this);
    menu->Popup(int(std::lround(screen.X)), int(std::lround(screen.Y)), host ? host->Window() : nullptr);
}

}  // namespace zu
