#include "scene/zu_scene/tree/access_notify.h"

namespace zu {

namespace detail {
TzuAccessNotify g_accessNotify = nullptr;
}

void SetAccessNotify(TzuAccessNotify hook) { detail::g_accessNotify = hook; }

}  // namespace zu
