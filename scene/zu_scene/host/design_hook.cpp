#include "scene/zu_scene/host/design_hook.h"

namespace zu {

namespace {
IzuDesignHook* g_designHook = nullptr;
TzuDesignMenuHook g_designMenuHook = nullptr;
}  // namespace

void SetDesignHook(IzuDesignHook* hook) { g_designHook = hook; }
IzuDesignHook* DesignHook() { return g_designHook; }
void SetDesignMenuHook(TzuDesignMenuHook hook) { g_designMenuHook = hook; }
TzuDesignMenuHook DesignMenuHook() { return g_designMenuHook; }

}  // namespace zu
