#include "scene/zu_all/register_all.h"

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "scene/zu_design/design_menu.h"
#include "scene/zu_library/library.h"

namespace zu {

void RegisterAll() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterLibraryClasses();
    RegisterCairoBackend();
    InstallDesignMenu();
}

}  // namespace zu
