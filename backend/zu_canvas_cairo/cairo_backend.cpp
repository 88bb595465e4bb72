#include "backend/zu_canvas_cairo/cairo_backend.h"

#include "backend/zu_canvas_cairo/canvas_cairo.h"
#include "backend/zu_canvas_cairo/cursor_stops.h"
#include "backend/zu_canvas_cairo/filter_pixbuf.h"
#include "scene/zu_scene/graphics/text_cursor.h"

namespace zu {

void RegisterCairoBackend(bool keepCanvasClass) {
    SetDefaultFilterClass(&TzuFilterPixbuf::StaticClass());
    SetCursorStopsHook(&PangoCursorStops);
    if (!keepCanvasClass || !DefaultCanvasClass()) SetDefaultCanvasClass(&TzuCanvasCairo::Create);
}

}  // namespace zu
