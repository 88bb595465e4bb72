#include "scene/zu_controls/register_controls.h"

#include "scene/zu_controls/angle_button.h"
#include "scene/zu_controls/ani_indicator.h"
#include "scene/zu_controls/bitmap_button.h"
#include "scene/zu_controls/bitmap_state_button.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_controls/check_box.h"
#include "scene/zu_controls/close_button.h"
#include "scene/zu_controls/color_button.h"
#include "scene/zu_controls/corner_button.h"
#include "scene/zu_controls/expander.h"
#include "scene/zu_controls/group_box.h"
#include "scene/zu_controls/hud_window.h"
#include "scene/zu_controls/image_control.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_controls/panel.h"
#include "scene/zu_controls/path_button.h"
#include "scene/zu_controls/popup_box.h"
#include "scene/zu_controls/popup_button.h"
#include "scene/zu_controls/progress_bar.h"
#include "scene/zu_controls/radio_button.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_controls/scroll_box.h"
#include "scene/zu_controls/selection_item.h"
#include "scene/zu_controls/size_grip.h"
#include "scene/zu_controls/speed_button.h"
#include "scene/zu_controls/splitter.h"
#include "scene/zu_controls/status_bar.h"
#include "scene/zu_controls/text_control.h"
#include "scene/zu_controls/thumb.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_controls/window.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_scene/host/register_scene.h"

namespace zu {

void RegisterControlClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterSceneClasses();
    // The text-control base is abstract for tools but streams as the parent of its kinds.
    RegisterObjects("", {&TzuTextControl::StaticClass(), &TzuCustomButton::StaticClass(),
                         &TzuSelectionItem::StaticClass()});
    RegisterObjects("Controls", {&TzuPanel::StaticClass(), &TzuLabel::StaticClass(),
                                 &TzuValueLabel::StaticClass(), &TzuPopupBox::StaticClass()});
    RegisterObjects(
        "Buttons",
        {&TzuButton::StaticClass(), &TzuRoundButton::StaticClass(), &TzuCircleButton::StaticClass(),
         &TzuBitmapButton::StaticClass(), &TzuPathButton::StaticClass(), &TzuSpeedButton::StaticClass(),
         &TzuCornerButton::StaticClass(), &TzuColorButton::StaticClass(), &TzuAngleButton::StaticClass(),
         &TzuBitmapStateButton::StaticClass(), &TzuPopupButton::StaticClass()});
    RegisterObjects("Tool and Status", {&TzuStatusBar::StaticClass(), &TzuToolBar::StaticClass(),
                                        &TzuToolButton::StaticClass(), &TzuToolPathButton::StaticClass()});
    // The scene registers the background under its own category.
    RegisterObjects("Windows", {&TzuSizeGrip::StaticClass(), &TzuCloseButton::StaticClass()});
    RegisterObjects("HUD", {&TzuHudLabel::StaticClass(), &TzuHudButton::StaticClass(),
                            &TzuHudSpeedButton::StaticClass(), &TzuHudRoundButton::StaticClass(),
                            &TzuHudCircleButton::StaticClass(), &TzuHudCornerButton::StaticClass(),
                            &TzuHudPanel::StaticClass(), &TzuHudStatusBar::StaticClass(),
                            &TzuHudSizeGrip::StaticClass(), &TzuHudPopupBox::StaticClass()});
    RegisterObjects(
        "Controls",
        {&TzuCheckBox::StaticClass(), &TzuPathCheckBox::StaticClass(), &TzuRadioButton::StaticClass(),
         &TzuGroupBox::StaticClass(), &TzuProgressBar::StaticClass(), &TzuTrack::StaticClass(),
         &TzuTrackBar::StaticClass(), &TzuScrollBar::StaticClass(), &TzuSmallScrollBar::StaticClass()});
    RegisterObjects("HUD", {&TzuHudCheckBox::StaticClass(), &TzuHudRadioButton::StaticClass(),
                            &TzuHudGroupBox::StaticClass(), &TzuHudTrack::StaticClass(),
                            &TzuHudTrackBar::StaticClass(), &TzuHudScrollBar::StaticClass()});
    // Parts that only styles place.
    RegisterObjects("", {&TzuThumb::StaticClass()});
    RegisterObjects("Controls", {&TzuSplitter::StaticClass(), &TzuWindow::StaticClass(),
                                 &TzuAniIndicator::StaticClass(), &TzuImageControl::StaticClass(),
                                 &TzuExpander::StaticClass(), &TzuExpanderButton::StaticClass()});
    RegisterObjects("", {&TzuScrollContent::StaticClass()});
    RegisterObjects("Controls", {&TzuScrollBox::StaticClass(), &TzuVertScrollBox::StaticClass(),
                                 &TzuFramedScrollBox::StaticClass(), &TzuFramedVertScrollBox::StaticClass()});
    TzuScaledLayout::SetRealignHoldHook(&ScrollBoxHoldsRealign);
    RegisterObjects("HUD", {&TzuHudWindow::StaticClass(), &TzuHudCloseButton::StaticClass(),
                            &TzuHudAngleButton::StaticClass()});
}

}  // namespace zu
