#include "scene/zu_layouts/register_layouts.h"

#include "scene/zu_layouts/frame.h"
#include "scene/zu_layouts/grid_layout.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_layouts/non_zu_layout.h"
#include "scene/zu_scene/host/register_scene.h"

namespace zu {

void RegisterLayoutClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterSceneClasses();
    RegisterObjects(
        "Layout", {&TzuLayout::StaticClass(), &TzuScaledLayout::StaticClass(), &TzuGridLayout::StaticClass(),
                   &TzuSplitLayout::StaticClass(), &TzuNonZULayout::StaticClass(), &TzuFrame::StaticClass()});
}

}  // namespace zu
