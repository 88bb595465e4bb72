#include "scene/zu_lists/register_lists.h"

#include "scene/zu_lists/combo_box.h"
#include "scene/zu_lists/list_box.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_lists/string_lists.h"
#include "scene/zu_scene/host/focus_keys.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {

namespace {

// An open combo box closes its list on Enter and Escape before they reach the form.
bool ComboTakesKey(TzuVisualObject* focused, uint16_t key, TzuShiftState /*shift*/) {
    auto* combo = As<TzuComboBox>(focused);
    return combo && combo->IsOpen() && (key == keys::Escape || key == keys::Enter);
}

}  // namespace

void RegisterListClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterObjects(
        "Lists", {&TzuListBox::StaticClass(), &TzuComboBox::StaticClass(), &TzuStringListBox::StaticClass(),
                  &TzuStringComboBox::StaticClass(), &TzuHorzListBox::StaticClass()});
    RegisterObjects("Items", {&TzuListBoxItem::StaticClass()});
    RegisterObjects("HUD", {&TzuHudListBox::StaticClass(), &TzuHudHorzListBox::StaticClass(),
                            &TzuHudComboBox::StaticClass(), &TzuHudStringListBox::StaticClass(),
                            &TzuHudStringComboBox::StaticClass()});
    // Made by the combo box, streamed by its class name only inside designs.
    RegisterObjects("", {&TzuComboListBox::StaticClass()});
    AddOwnKeyHook(&ComboTakesKey);
}

}  // namespace zu
