#include "scene/zu_library/library.h"

#include <span>

#include "scene/zu_ani/register_animations.h"
#include "scene/zu_colors/register_colors.h"
#include "scene/zu_controls/register_controls.h"
#include "scene/zu_effects/register_effects.h"
#include "scene/zu_layouts/register_layouts.h"
#include "scene/zu_lists/register_lists.h"
#include "scene/zu_objects/register_objects.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_tabs/register_tabs.h"
#include "scene/zu_text/register_text.h"
#include "scene/zu_trees/register_trees.h"

namespace zu {

namespace {
TzuObject* LoadEmbeddedDefaultStyle() {
    // Every class a style may name must be known before the stream is read.
    RegisterLibraryClasses();
    const std::string_view bytes = DefaultStyleStream();
    const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return LoadObjectFromStream(nullptr, data, {}, TzuUnknownClasses::Skip);
}
}  // namespace

void RegisterLibraryClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterSceneClasses();
    RegisterObjectClasses();
    RegisterEffectClasses();
    RegisterAnimationClasses();
    RegisterLayoutClasses();
    RegisterControlClasses();
    RegisterTextClasses();
    RegisterListClasses();
    RegisterTreeClasses();
    RegisterTabClasses();
    RegisterColorClasses();
    SetDefaultStyleLoader(&LoadEmbeddedDefaultStyle);
}

}  // namespace zu
