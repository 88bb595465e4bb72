#include "platform/gtk/gtk_menu.h"

#include <algorithm>
#include <cmath>

#include "platform/core/utf.h"

namespace zu {

namespace {

// What a menu on screen carries until its answer is delivered; freed with the menu.
struct MenuState {
    TzuMenuChoice chosen;
    GtkWidget* menu = nullptr;
    int index = -1;
    bool closing = false;
};

void OnItemActivate(GtkMenuItem* item, gpointer data) {
    auto* state = static_cast<MenuState*>(data);
    state->index = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item), "zu-index"));
}

gboolean DeliverChoice(gpointer data) {
    auto* state = static_cast<MenuState*>(data);
    TzuMenuChoice chosen = std::move(state->chosen);
    const int index = state->index;
    gtk_widget_destroy(state->menu);
    g_object_unref(state->menu);
    delete state;
    RunGuarded([&] { chosen(index); });
    return G_SOURCE_REMOVE;
}

// The shell closes before the chosen item activates, so the answer waits for the loop.
void OnDeactivate(GtkMenuShell*, gpointer data) {
    auto* state = static_cast<MenuState*>(data);
    if (state->closing) return;
    state->closing = true;
    g_idle_add(&DeliverChoice, state);
}

GtkWidget* ItemFor(const TzuMenuEntry& entry) {
    if (entry.Separator) return gtk_separator_menu_item_new();
    const std::string label = Utf16ToUtf8(entry.Caption);
    GtkWidget* item;
    if (entry.Checked) {
        item = gtk_check_menu_item_new_with_label(label.c_str());
        gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), TRUE);
    } else {
        item = gtk_menu_item_new_with_label(label.c_str());
    }
    gtk_widget_set_sensitive(item, entry.Enabled);
    return item;
}

}  // namespace

void ShowGtkPopupMenu(GtkWidget* near, const std::vector<TzuMenuEntry>& items, TzuWinPoint screen,
                      TzuMenuChoice chosen) {
    auto* state = new MenuState{std::move(chosen)};
    state->menu = gtk_menu_new();
    g_object_ref_sink(state->menu);
    for (size_t i = 0; i < items.size(); ++i) {
        GtkWidget* item = ItemFor(items[i]);
        g_object_set_data(G_OBJECT(item), "zu-index", GINT_TO_POINTER(int(i)));
        if (!items[i].Separator) g_signal_connect(item, "activate", G_CALLBACK(&OnItemActivate), state);
        gtk_menu_shell_append(GTK_MENU_SHELL(state->menu), item);
    }
    gtk_widget_show_all(state->menu);
    g_signal_connect(state->menu, "deactivate", G_CALLBACK(&OnDeactivate), state);

    // The menu is placed relative to a window: the one near belongs to, else the root.
    GdkWindow* where = near ? gtk_widget_get_window(gtk_widget_get_toplevel(near)) : nullptr;
    if (near) gtk_menu_attach_to_widget(GTK_MENU(state->menu), gtk_widget_get_toplevel(near), nullptr);
    if (!where) where = gdk_screen_get_root_window(gdk_screen_get_default());
    int ox = 0, oy = 0;
    gdk_window_get_origin(where, &ox, &oy);
    const GdkRectangle rect{screen.X - ox, screen.Y - oy, 1, 1};
    gtk_menu_popup_at_rect(GTK_MENU(state->menu), where, &rect, GDK_GRAVITY_NORTH_WEST,
                           GDK_GRAVITY_NORTH_WEST, nullptr);
    // A menu that could not take the pointer and keyboard never shows; answer it as closed.
    if (!gtk_widget_get_visible(state->menu)) OnDeactivate(GTK_MENU_SHELL(state->menu), state);
}

std::optional<uint32_t> RunGtkColorChooser(GtkWidget* near, uint32_t initial, const std::string& title) {
    GtkWindow* parent = near ? GTK_WINDOW(gtk_widget_get_toplevel(near)) : nullptr;
    if (parent && !gtk_widget_is_toplevel(GTK_WIDGET(parent))) parent = nullptr;
    GtkWidget* dialog = gtk_color_chooser_dialog_new(title.empty() ? "Colour" : title.c_str(), parent);
    gtk_color_chooser_set_use_alpha(GTK_COLOR_CHOOSER(dialog), FALSE);
    const GdkRGBA start{((initial >> 16) & 0xFF) / 255.0, ((initial >> 8) & 0xFF) / 255.0,
                        (initial & 0xFF) / 255.0, 1.0};
    gtk_color_chooser_set_rgba(GTK_COLOR_CHOOSER(dialog), &start);
    const gint response = gtk_dialog_run(GTK_DIALOG(dialog));
    std::optional<uint32_t> result;
    if (response == GTK_RESPONSE_OK) {
        GdkRGBA c;
        gtk_color_chooser_get_rgba(GTK_COLOR_CHOOSER(dialog), &c);
        auto channel = [](double v) { return uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
        result = 0xFF000000u | channel(c.red) << 16 | channel(c.green) << 8 | channel(c.blue);
    }
    gtk_widget_destroy(dialog);
    return result;
}

}  // namespace zu
