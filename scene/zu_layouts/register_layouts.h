#pragma once

namespace zu {

// Registers the layout classes under "Layout" for the stream and scene-editing tools.
void RegisterLayoutClasses();

}  // namespace zu
