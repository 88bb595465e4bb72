#include "scene/zu_effects/register_effects.h"

#include "scene/zu_effects/bevel_effect.h"
#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_effects/glow_effect.h"
#include "scene/zu_effects/inner_glow_effect.h"
#include "scene/zu_effects/reflection_effect.h"
#include "scene/zu_effects/shadow_effect.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {

void RegisterEffectClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterObjects("Effects", {&TzuShadowEffect::StaticClass(), &TzuBlurEffect::StaticClass(),
                                &TzuGlowEffect::StaticClass(), &TzuInnerGlowEffect::StaticClass(),
                                &TzuBevelEffect::StaticClass(), &TzuReflectionEffect::StaticClass()});
}

}  // namespace zu
