#include "scene/zu_effects/register_effects.h"

#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {

void RegisterEffectClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterObjects("Effects", {&TzuBlurEffect::StaticClass()});
}

}  // namespace zu
