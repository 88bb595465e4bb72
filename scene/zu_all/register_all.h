#pragma once
// One call a program makes before it builds or loads anything: every class of every unit
// (shapes, effects, animations, layouts, controls, text boxes, lists, trees) with the
// default style, and the Cairo backend that draws them and decodes images. Calling it again
// does nothing. The split calls (RegisterLibraryClasses, RegisterCairoBackend and each
// unit's own) stay for programs that want only part of the library.

namespace zu {

void RegisterAll();

}  // namespace zu
