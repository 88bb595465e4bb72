#include "scene/zu_scene/host/register_scene.h"

#include "platform/core/action.h"
#include "platform/core/application.h"
#include "platform/core/color_dialog.h"
#include "platform/core/form.h"
#include "platform/core/popup_menu.h"
#include "platform/core/timer.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/gradient.h"
#include "scene/zu_scene/graphics/image_list.h"
#include "scene/zu_scene/graphics/path_data.h"
#include "scene/zu_scene/graphics/visual.h"
#include "scene/zu_scene/host/message_popup.h"
#include "scene/zu_scene/host/popup.h"
#include "scene/zu_scene/host/popup_form.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_scene/tree/bitmap_object.h"
#include "scene/zu_scene/tree/brush_object.h"
#include "scene/zu_scene/tree/content.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/object.h"
#include "scene/zu_scene/tree/path_object.h"
#include "scene/zu_scene/tree/resources.h"
#include "scene/zu_scene/tree/visual_brush.h"
#include "scene/zu_scene/types/bounds.h"
#include "scene/zu_scene/types/position.h"
#include "scene/zu_scene/types/wide_strings.h"

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
    RegisterObjects("Windows", {&TzuBackground::StaticClass()});
    // A style holder is a component of the form, not an object placed in a scene.
    RegisterObjects("", {&TzuResources::StaticClass()});
    RegisterObjects("", {&TzuContent::StaticClass()});
    RegisterObjects("Popup", {&TzuPopup::StaticClass(), &TzuMessagePopup::StaticClass()});
    RegisterObjects("", {&TzuPopupForm::StaticClass()});
    RegisterObjects("", {&TzuCustomScene::StaticClass(), &TzuScene::StaticClass(), &TzuTimer::StaticClass(),
                         &TzuForm::StaticClass()});
    RegisterObjects("Standard", {&TzuAction::StaticClass(), &TzuPopupMenu::StaticClass(),
                                 &TzuColorDialog::StaticClass(), &TzuMenuItem::StaticClass(),
                                 &TzuMenuItems::StaticClass(), &TzuImageList::StaticClass()});
    // Fills with visual brushes show their objects from now on.
    SetVisualBrushPainter(&PaintVisualBrush);
    // Waits for animations run the application object's pending messages.
    TzuObject::SetMessagePump([] {
        if (TzuApplication* app = Application()) app->ProcessMessages();
    });
}

}  // namespace zu
