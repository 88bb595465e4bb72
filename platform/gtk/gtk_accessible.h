#pragma once
// The accessibility seam of the GTK windows. A control's widget is a drawing area of our own
// type whose accessible a higher unit may make: that unit knows the objects drawn inside
// and installs a factory here. Without a factory the widget answers with GTK's own
// accessible, so programs that install none behave as before.

#include <gtk/gtk.h>

namespace zu {

class IzuWindowEvents;

// Makes the accessible of a control's widget (a new reference), or returns null to leave it
// to GTK. Asked at most once per widget, on the first request of an assistive technology.
using TzuAccessibleFactory = AtkObject* (*)(GtkWidget* widget);
void SetAccessibleFactory(TzuAccessibleFactory factory);

// A drawing area whose accessible the installed factory makes.
GtkWidget* NewAccessibleArea();
// The control behind a widget made by the windows of this layer; null once the window
// has gone, while the widget may still be held by someone else.
IzuWindowEvents* WindowEventsOf(GtkWidget* widget);
void SetWindowEventsOf(GtkWidget* widget, IzuWindowEvents* events);

}  // namespace zu
