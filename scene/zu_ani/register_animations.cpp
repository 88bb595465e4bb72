#include "scene/zu_ani/register_animations.h"

#include "scene/zu_ani/bitmap_animation.h"
#include "scene/zu_ani/color_animation.h"
#include "scene/zu_ani/color_key_animation.h"
#include "scene/zu_ani/float_animation.h"
#include "scene/zu_ani/float_key_animation.h"
#include "scene/zu_ani/gradient_animation.h"
#include "scene/zu_ani/path_animation.h"
#include "scene/zu_ani/path_switcher.h"
#include "scene/zu_ani/rect_animation.h"

namespace zu {

void RegisterAnimationClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterObjects("Animations", {&TzuColorAnimation::StaticClass(), &TzuGradientAnimation::StaticClass(),
                                   &TzuFloatAnimation::StaticClass(), &TzuRectAnimation::StaticClass(),
                                   &TzuBitmapAnimation::StaticClass(), &TzuColorKeyAnimation::StaticClass(),
                                   &TzuFloatKeyAnimation::StaticClass(), &TzuPathAnimation::StaticClass(),
                                   &TzuPathSwitcher::StaticClass()});
    RegisterObjects("", {&TzuKeys::StaticClass(), &TzuColorKey::StaticClass(), &TzuFloatKey::StaticClass()});
}

}  // namespace zu
