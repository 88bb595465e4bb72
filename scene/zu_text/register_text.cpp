#include "scene/zu_text/register_text.h"

#include "scene/zu_scene/host/focus_keys.h"
#include "scene/zu_scene/tree/object.h"
#include "scene/zu_text/memo.h"

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
    RegisterObjects("Text Edits", {&TzuMemo::StaticClass()});
    RegisterObjects("HUD", {&TzuHudMemo::StaticClass()});
    RegisterObjects("", {&TzuMemoLines::StaticClass()});
    AddOwnKeyHook(&MemoTakesKey);
}

}  // namespace zu
