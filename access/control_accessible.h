#pragma once
// The ATK objects of a scene: one type for a control (with the component and action
// interfaces; ranges add the value interface, text boxes and memos the text interface) and
// one for the scene's widget, whose children are the scene's controls. Each carries a
// TzuAccessNode.

#include <gtk/gtk.h>

namespace zu {

class TzuAccessNode;
class TzuControl;

// A new accessible for the control (the caller holds the only reference).
AtkObject* NewControlAccessible(TzuControl* control);
// A new accessible for a scene's widget.
AtkObject* NewSceneAccessible(GtkWidget* widget);
// The node of an accessible made here, or null for any other.
TzuAccessNode* NodeOf(AtkObject* accessible);

}  // namespace zu
