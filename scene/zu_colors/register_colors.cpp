#include "scene/zu_colors/register_colors.h"

#include "scene/zu_colors/color_box.h"
#include "scene/zu_colors/color_panel.h"
#include "scene/zu_colors/color_picker.h"
#include "scene/zu_colors/color_quad.h"
#include "scene/zu_colors/gradient_edit.h"
#include "scene/zu_controls/color_button.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {

namespace {
std::optional<uint32_t> EditButtonColor(TzuColorButton& button, uint32_t current) {
    return ExecuteColorPanel(current, &button);
}
}  // namespace

void RegisterColorClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterObjects("Colors", {&TzuColorQuad::StaticClass(), &TzuColorPicker::StaticClass(),
                               &TzuGradientEdit::StaticClass(), &TzuColorBox::StaticClass()});
    // Made in code for a colour button or a caller; not a class a design places.
    RegisterObjects("", {&TzuColorPanel::StaticClass()});
    SetColorButtonEditor(&EditButtonColor);
}

}  // namespace zu
