#include "scene/zu_controls/register_controls.h"

#include "scene/zu_controls/button.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_controls/panel.h"
#include "scene/zu_controls/speed_button.h"
#include "scene/zu_controls/text_control.h"
#include "scene/zu_scene/host/register_scene.h"

namespace zu {

void RegisterControlClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterSceneClasses();
    // The text-control base is abstract for tools but streams as the parent of its kinds.
    RegisterObjects("", {&TzuTextControl::StaticClass(), &TzuCustomButton::StaticClass()});
    RegisterObjects("Controls",
                    {&TzuPanel::StaticClass(), &TzuLabel::StaticClass(), &TzuValueLabel::StaticClass()});
    RegisterObjects("Buttons", {&TzuButton::StaticClass(), &TzuRoundButton::StaticClass(),
                                &TzuCircleButton::StaticClass(), &TzuSpeedButton::StaticClass()});
    RegisterObjects("HUD", {&TzuHudLabel::StaticClass(), &TzuHudButton::StaticClass(),
                            &TzuHudSpeedButton::StaticClass(), &TzuHudRoundButton::StaticClass(),
                            &TzuHudCircleButton::StaticClass(), &TzuHudPanel::StaticClass()});
}

}  // namespace zu
