#pragma once

namespace zu {

// Registers the tab control and tab item classes (once) and lets a focused tab control
// take the keys that move between its tabs before focus traversal does.
void RegisterTabClasses();

}  // namespace zu
