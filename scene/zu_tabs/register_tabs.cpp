#include "scene/zu_tabs/register_tabs.h"

#include "scene/zu_scene/host/focus_keys.h"
#include "scene/zu_scene/tree/object.h"
#include "scene/zu_tabs/tab_control.h"
#include "scene/zu_tabs/tab_item.h"

namespace zu {

namespace {

// Ctrl+Tab and its kin move between the tabs of a focused tab control instead of the focus.
bool TabControlTakesKey(TzuVisualObject* focused, uint16_t key, TzuShiftState shift) {
    return As<TzuTabControl>(focused) && TzuTabControl::IsTabKey(key, shift);
}

}  // namespace

void RegisterTabClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterObjects("Controls", {&TzuTabControl::StaticClass()});
    RegisterObjects("HUD", {&TzuHudTabControl::StaticClass()});
    RegisterObjects("Items", {&TzuTabItem::StaticClass(), &TzuHudTabItem::StaticClass()});
    AddOwnKeyHook(&TabControlTakesKey);
}

}  // namespace zu
