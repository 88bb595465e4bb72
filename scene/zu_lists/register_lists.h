#pragma once

namespace zu {

// Registers the list box, combo box and string list classes (once).
void RegisterListClasses();

}  // namespace zu
