#include "backend/zu_canvas_cairo/cairo_backend.h"

#include "backend/zu_canvas_cairo/canvas_cairo.h"
#include "backend/zu_canvas_cairo/filter_pixbuf.h"

namespace zu {

void RegisterCairoBackend(bool keepCanvasClass) {
    SetDefaultFilterClass(&TzuFilterPixbuf::StaticClass());
    if (!keepCanvasClass || !DefaultCanvasClass()) SetDefaultCanvasClass(&TzuCanvasCairo::Create);
}

}  // namespace zu
