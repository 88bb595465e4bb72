#pragma once

namespace zu {

// Registers the tree view classes (once).
void RegisterTreeClasses();

}  // namespace zu
