#pragma once
// The platform's popup menu and colour chooser on GTK 3, as TzuGtkApplication shows them.

#include <optional>
#include <vector>

#include <gtk/gtk.h>

#include "platform/core/application.h"

namespace zu {

// Pops a GtkMenu up with its corner at a screen point; near (may be null) is a widget of
// the window it belongs to. chosen runs once on the loop after the menu closed.
void ShowGtkPopupMenu(GtkWidget* near, const std::vector<TzuMenuEntry>& items, TzuWinPoint screen,
                      TzuMenuChoice chosen);

// Runs a GtkColorChooserDialog without alpha, transient for near's window; the chosen
// opaque colour, or nullopt on cancel.
std::optional<uint32_t> RunGtkColorChooser(GtkWidget* near, uint32_t initial, const std::string& title);

}  // namespace zu
