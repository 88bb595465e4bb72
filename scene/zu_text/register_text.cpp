#include "scene/zu_text/register_text.h"

namespace zu {

void RegisterTextClasses() {
    static bool done = false;
    if (done) return;
    done = true;
}

}  // namespace zu
