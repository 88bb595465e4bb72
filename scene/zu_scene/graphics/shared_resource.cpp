#include "scene/zu_scene/graphics/shared_resource.h"

namespace zu {

namespace {
TzuSharedResourceHooks g_hooks;
}

void SetSharedResourceHooks(const TzuSharedResourceHooks& hooks) { g_hooks = hooks; }

const TzuSharedResourceHooks& SharedResourceHooks() { return g_hooks; }

TzuComponent* FindSharedHolder(const std::string& name) {
    return g_hooks.find && !name.empty() ? g_hooks.find(name) : nullptr;
}

std::string SharedHolderName(TzuComponent* holder) {
    return holder && g_hooks.name ? g_hooks.name(holder) : std::string();
}

bool WatchSharedHolder(TzuComponent* holder, TzuPersistent* watcher, bool add) {
    return holder && g_hooks.watch && g_hooks.watch(holder, watcher, add);
}

}  // namespace zu
