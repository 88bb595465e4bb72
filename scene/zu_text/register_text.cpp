#include "scene/zu_text/register_text.h"

#include "scene/zu_scene/host/focus_keys.h"
#include "scene/zu_scene/tree/object.h"
#include "scene/zu_text/memo.h"
#include "scene/zu_text/number_box.h"
#include "scene/zu_text/text_box.h"

namespace zu {

namespace {

bool MemoTakesKey(TzuVisualObject* focused, uint16_t key, TzuShiftState shift) {
    auto* memo = As<TzuMemo>(focused);
    return memo && memo->WantsKey(key, shift);
}

}  // namespace

void RegisterTextClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    // The number boxes' shared base streams as the parent of its kinds.
    RegisterObjects("", {&TzuCustomNumberBox::StaticClass()});
    RegisterObjects("Text Edits",
                    {&TzuTextBox::StaticClass(), &TzuRoundTextBox::StaticClass(),
                     &TzuNumberBox::StaticClass(), &TzuSpinBox::StaticClass(), &TzuMemo::StaticClass()});
    RegisterObjects(
        "HUD", {&TzuHudTextBox::StaticClass(), &TzuHudRoundTextBox::StaticClass(),
                &TzuHudNumberBox::StaticClass(), &TzuHudSpinBox::StaticClass(), &TzuHudMemo::StaticClass()});
    RegisterObjects("", {&TzuMemoLines::StaticClass()});
    AddOwnKeyHook(&MemoTakesKey);
}

}  // namespace zu
