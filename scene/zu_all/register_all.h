#pragma once
// One call a program makes before it builds or loads anything: every class of every unit
// (shapes, effects, animations, layouts, controls, text boxes, lists, trees) with the
// default style, the Cairo backend that draws them and decodes images, and the context menu
// of scenes being designed. Calling it again does nothing. The split calls (RegisterLibraryClasses,
// RegisterCairoBackend and each unit's own) stay for programs that want only part of the library.

namespace zu {

void RegisterAll();

}  // namespace zu
