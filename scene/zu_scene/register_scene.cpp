#include "scene/zu_scene/register_scene.h"

#include "platform/core/application.h"
#include "platform/core/form.h"
#include "platform/core/timer.h"
#include "scene/zu_scene/background.h"
#include "scene/zu_scene/bitmap.h"
#include "scene/zu_scene/bitmap_object.h"
#include "scene/zu_scene/bounds.h"
#include "scene/zu_scene/brush.h"
#include "scene/zu_scene/brush_object.h"
#include "scene/zu_scene/control.h"
#include "scene/zu_scene/gradient.h"
#include "scene/zu_scene/object.h"
#include "scene/zu_scene/path_data.h"
#include "scene/zu_scene/path_object.h"
#include "scene/zu_scene/position.h"
#include "scene/zu_scene/scene.h"
#include "scene/zu_scene/visual.h"
#include "scene/zu_scene/wide_strings.h"

namespace zu {

void RegisterSceneClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterObjects("", {&TzuBitmap::StaticClass(), &TzuPathData::StaticClass(), &TzuBrush::StaticClass(),
                         &TzuBounds::StaticClass(), &TzuPosition::StaticClass(), &TzuGradient::StaticClass(),
                         &TzuGradientPoints::StaticClass(), &TzuGradientPoint::StaticClass(),
                         &TzuVisual::StaticClass(), &TzuObject::StaticClass(), &TzuControl::StaticClass(),
                         &TzuWideStrings::StaticClass(), &TzuWideStringList::StaticClass()});
    RegisterObjects("Resources", {&TzuBrushObject::StaticClass(), &TzuPathObject::StaticClass(),
                                  &TzuBitmapObject::StaticClass()});
    RegisterObjects("Controls", {&TzuBackground::StaticClass()});
    RegisterObjects("", {&TzuCustomScene::StaticClass(), &TzuScene::StaticClass(), &TzuTimer::StaticClass(),
                         &TzuForm::StaticClass()});
    // Waits for animations run the application object's pending messages.
    TzuObject::SetMessagePump([] {
        if (TzuApplication* app = Application()) app->ProcessMessages();
    });
}

}  // namespace zu
