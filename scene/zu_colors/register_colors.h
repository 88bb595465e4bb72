#pragma once

namespace zu {

// Registers the colour box, quad, picker and gradient editor and installs the colour
// panel as the colour button's own editor (once).
void RegisterColorClasses();

}  // namespace zu
