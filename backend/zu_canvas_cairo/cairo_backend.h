#pragma once
// Installs the Cairo backend: the default canvas class (TzuCanvasCairo), the default
// image filter (TzuFilterPixbuf) and the text shaper's cursor positions. Programs and tests call it once at
// start-up; a static initialiser would be dropped by the linker along with the unreferenced object file.

namespace zu {

// keepCanvasClass: leave a canvas class that was installed before in place.
void RegisterCairoBackend(bool keepCanvasClass = true);

}  // namespace zu
