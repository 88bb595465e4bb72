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
    // Choosing a radio item turns its group's old item off, which may activate that one
    // too: only the item left on is the choice.
    if (GTK_IS_RADIO_MENU_ITEM(item) && !gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item))) return;
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

// The radio groups of one menu shell, by group index.
using RadioGroups = std::vector<std::pair<int, GSList*>>;

GtkWidget* ItemFor(const TzuMenuEntry& entry, RadioGroups& groups) {
    if (entry.Separator) return gtk_separator_menu_item_new();
    const std::string label = Utf16ToUtf8(entry.Caption);
    GtkWidget* item;
    if (entry.RadioItem) {
        auto group =
            std::find_if(groups.begin(), groups.end(), [&](auto& g) { return g.first == entry.GroupIndex; });
        if (group == groups.end()) group = groups.insert(groups.end(), {entry.GroupIndex, nullptr});
        item = gtk_radio_menu_item_new_with_label(group->second, label.c_str());
        group->second = gtk_radio_menu_item_get_group(GTK_RADIO_MENU_ITEM(item));
        // Set before any handler is connected: turning it on activates it.
        gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), entry.Checked);
    } else if (entry.Checked || entry.CheckItem) {
        item = gtk_check_menu_item_new_with_label(label.c_str());
        gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), entry.Checked);
    } else {
        item = gtk_menu_item_new_with_label(label.c_str());
    }
    gtk_widget_set_sensitive(item, entry.Enabled);
    return item;
}

// Fills a menu shell with entries; next is the choice index of the first one and comes
// back past the last one (submenus included).
void FillMenu(GtkWidget* shell, const std::vector<TzuMenuEntry>& entries, int& next, MenuState* state) {
    RadioGroups groups;
    for (const TzuMenuEntry& entry : entries) {
        GtkWidget* item = ItemFor(entry, groups);
        const int index = next++;
        if (!entry.Submenu.empty()) {
            GtkWidget* sub = gtk_menu_new();
            FillMenu(sub, entry.Submenu, next, state);
            gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), sub);
        } else if (!entry.Separator) {
            g_object_set_data(G_OBJECT(item), "zu-index", GINT_TO_POINTER(index));
            g_signal_connect(item, "activate", G_CALLBACK(&OnItemActivate), state);
        }
        gtk_menu_shell_append(GTK_MENU_SHELL(shell), item);
    }
}

}  // namespace

void ShowGtkPopupMenu(GtkWidget* near, const std::vector<TzuMenuEntry>& items, TzuWinPoint screen,
                      TzuMenuChoice chosen) {
    auto* state = new MenuState{std::move(chosen)};
    state->menu = gtk_menu_new();
    g_object_ref_sink(state->menu);
    int next = 0;
    FillMenu(state->menu, items, next, state);
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
