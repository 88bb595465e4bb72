#pragma once
// Connects scenes to the desktop's assistive technologies (screen readers) through GTK's
// accessibility: a scene's widget then exposes the tree of its controls, and focus, state,
// value and text changes are announced. Nothing is built until a reader asks, and a scene
// nobody reads pays one test per change. Programs call it once after the GTK application
// object exists; calling it again does nothing.

namespace zu {

void InstallAccessibility();

}  // namespace zu
