#include "scene/zu_controls/register_controls.h"

#include "scene/zu_controls/text_control.h"
#include "scene/zu_scene/host/register_scene.h"

namespace zu {

void RegisterControlClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterSceneClasses();
    // The text-control base is abstract for tools but streams as the parent of its kinds.
    RegisterObjects("", {&TzuTextControl::StaticClass()});
}

}  // namespace zu
