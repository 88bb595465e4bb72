#include "platform/gtk/gtk_application.h"

#include <algorithm>
#include <cctype>

#include <gtk/gtk.h>

#include "platform/core/persistent.h"
#include "platform/core/utf.h"
#include "platform/gtk/gtk_menu.h"
#include "platform/gtk/gtk_window.h"

namespace zu {

namespace {
GtkWidget* WidgetOf(IzuWindow* window) {
    auto* w = dynamic_cast<TzuGtkWindow*>(window);
    return w ? w->Widget() : nullptr;
}

// The top-level window a dialog for window belongs to, or null.
GtkWindow* TopLevelOf(IzuWindow* window) {
    GtkWidget* widget = WidgetOf(window);
    GtkWidget* top = widget ? gtk_widget_get_toplevel(widget) : nullptr;
    return top && gtk_widget_is_toplevel(top) ? GTK_WINDOW(top) : nullptr;
}

// A closed dialog hands the keyboard back to the window it belonged to. Without a window
// manager nobody else would: X leaves the focus wherever the dialog's window was.
void GiveFocusBack(GtkWindow* parent) {
    if (!parent || !gtk_widget_get_visible(GTK_WIDGET(parent))) return;
    gtk_window_present_with_time(parent, GDK_CURRENT_TIME);
    if (GdkWindow* w = gtk_widget_get_window(GTK_WIDGET(parent))) gdk_window_focus(w, GDK_CURRENT_TIME);
}
}  // namespace

namespace {
// Whether a D-Bus session bus can be reached: named in the environment, or the per-user
// socket that systemd and dbus-launch leave in the runtime directory.
bool HasSessionBus() {
    const char* address = g_getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return true;
    const char* runtime = g_getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    gchar* socket = g_build_filename(runtime, "bus", nullptr);
    const bool found = g_file_test(socket, G_FILE_TEST_EXISTS);
    g_free(socket);
    return found;
}
}  // namespace

void TzuGtkApplication::QuietWithoutSessionBus() {
    // Without a session bus (a bare X server, a container, a test run) GTK's settings store
    // (dconf through GSettings) and the accessibility bridge fail to connect and warn on
    // every start and on every dialog. Settings then live in memory and the bridge stays
    // off; a user's own choice in the environment always wins.
    if (HasSessionBus()) return;
    g_setenv("GSETTINGS_BACKEND", "memory", FALSE);
    g_setenv("NO_AT_BRIDGE", "1", FALSE);
}

// One posted message or timer: the callable, and whether it runs again.
struct TzuGtkApplication::Callback {
    TzuGtkApplication* app;
    uint64_t id;
    std::function<void()> fn;
    bool repeat;
};

TzuGtkApplication::TzuGtkApplication(int& argc, char**& argv) {
    QuietWithoutSessionBus();
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(&argc, &argv)) throw EzuError("cannot open the display");
}

TzuGtkApplication::~TzuGtkApplication() {
    for (const auto& [id, source] : m_sources) g_source_remove(source);
    m_sources.clear();
}

void TzuGtkApplication::Run() {
    if (m_terminated) return;
    gtk_main();
}

void TzuGtkApplication::Terminate() {
    m_terminated = true;
    if (gtk_main_level() > 0) gtk_main_quit();
}

void TzuGtkApplication::ProcessMessages() {
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

bool TzuGtkApplication::WaitMessage() {
    gtk_main_iteration_do(TRUE);
    return true;
}

int TzuGtkApplication::Dispatch(void* data) {
    auto* cb = static_cast<Callback*>(data);
    // A one-shot source is forgotten before it runs, so cancelling it from inside is a no-op.
    if (!cb->repeat) cb->app->m_sources.erase(cb->id);
    RunGuarded(cb->fn);
    return cb->repeat ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
}

void TzuGtkApplication::Release(void* data) { delete static_cast<Callback*>(data); }

uint64_t TzuGtkApplication::AddSource(unsigned intervalMs, std::function<void()> fn, bool repeat) {
    const uint64_t id = m_nextId++;
    auto* cb = new Callback{this, id, std::move(fn), repeat};
    // Posted messages go before redraws, as a message queue serves them before painting.
    const unsigned source = repeat
                                ? g_timeout_add_full(G_PRIORITY_DEFAULT, intervalMs, &Dispatch, cb, &Release)
                                : g_idle_add_full(G_PRIORITY_DEFAULT, &Dispatch, cb, &Release);
    m_sources[id] = source;
    return id;
}

void TzuGtkApplication::RemoveSource(uint64_t id) {
    auto it = m_sources.find(id);
    if (it == m_sources.end()) return;
    const unsigned source = it->second;
    m_sources.erase(it);
    // Removing the source that is running now is allowed; GLib frees its data afterwards.
    g_source_remove(source);
}

uint64_t TzuGtkApplication::PostMessage(std::function<void()> fn) {
    return AddSource(0, std::move(fn), false);
}

void TzuGtkApplication::CancelMessage(uint64_t id) { RemoveSource(id); }

uint64_t TzuGtkApplication::StartTimer(unsigned intervalMs, std::function<void()> fn) {
    if (intervalMs == 0 || !fn) return 0;
    return AddSource(intervalMs, std::move(fn), true);
}

void TzuGtkApplication::StopTimer(uint64_t id) { RemoveSource(id); }

std::unique_ptr<IzuWindow> TzuGtkApplication::CreateFormWindow(IzuWindowEvents& events) {
    return std::make_unique<TzuGtkFormWindow>(events);
}

std::unique_ptr<IzuWindow> TzuGtkApplication::CreateChildWindow(IzuWindow& parent, IzuWindowEvents& events) {
    auto* gtkParent = dynamic_cast<TzuGtkWindow*>(&parent);
    if (!gtkParent) throw EzuError("the parent is not a GTK window");
    return std::make_unique<TzuGtkChildWindow>(*gtkParent, events);
}

void TzuGtkApplication::SetClipboardText(const std::u16string& text) {
    const std::string utf8 = Utf16ToUtf8(text);
    gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), utf8.data(), gint(utf8.size()));
}

namespace {
std::optional<std::u16string> WaitForText(GdkAtom selection) {
    // Waits for the owner's answer in a nested loop, which may be another process.
    gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(selection));
    if (!text) return std::nullopt;
    std::u16string result = Utf8ToUtf16(text);
    g_free(text);
    return result;
}
}  // namespace

std::optional<std::u16string> TzuGtkApplication::ClipboardText() {
    return WaitForText(GDK_SELECTION_CLIPBOARD);
}

bool TzuGtkApplication::ClipboardHasText() {
    return gtk_clipboard_wait_is_text_available(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
}

void TzuGtkApplication::SetPrimaryText(const std::u16string& text) {
    const std::string utf8 = Utf16ToUtf8(text);
    gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_PRIMARY), utf8.data(), gint(utf8.size()));
}

std::optional<std::u16string> TzuGtkApplication::PrimaryText() { return WaitForText(GDK_SELECTION_PRIMARY); }

void TzuGtkApplication::ShowErrorBox(const std::string& title, const std::string& text) {
    ApplyDarkLook();
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_OK,
                                               "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
    void* previous = m_errorBox;
    m_errorBox = dialog;
    gtk_dialog_run(GTK_DIALOG(dialog));
    m_errorBox = previous;
    gtk_widget_destroy(dialog);
}

std::optional<std::string> TzuGtkApplication::OpenFileDialog(IzuWindow* near, const std::string& title,
                                                             const std::string& filterName,
                                                             const std::string& masks) {
    ApplyDarkLook();
    GtkWindow* parent = TopLevelOf(near);
    GtkWidget* dialog =
        gtk_file_chooser_dialog_new(title.c_str(), parent, GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_destroy_with_parent(GTK_WINDOW(dialog), TRUE);
    if (!masks.empty()) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, filterName.c_str());
        size_t start = 0;
        while (start <= masks.size()) {
            const size_t end = std::min(masks.find(';', start), masks.size());
            const std::string mask = masks.substr(start, end - start);
            // Masks match the extension in either case, as file names on the original
            // platform did.
            if (!mask.empty()) {
                std::string pattern;
                for (char c : mask) {
                    const char lo = char(std::tolower(static_cast<unsigned char>(c)));
                    const char up = char(std::toupper(static_cast<unsigned char>(c)));
                    pattern += lo == up ? std::string(1, c) : std::string("[") + lo + up + "]";
                }
                gtk_file_filter_add_pattern(filter, pattern.c_str());
            }
            start = end + 1;
        }
        gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(dialog), filter);
    }
    std::optional<std::string> chosen;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        if (char* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog))) {
            chosen = name;
            g_free(name);
        }
    }
    gtk_widget_destroy(dialog);
    GiveFocusBack(parent);
    return chosen;
}

void TzuGtkApplication::SetDarkLook(bool dark) { TzuApplication::SetDarkLook(dark); }

void TzuGtkApplication::ApplyDarkLook() {
    // Only menus and dialogs are drawn by GTK's theme, and changing the setting makes GTK
    // load its theme again (tens of milliseconds): the choice reaches GTK when one is about
    // to show, not when a scene is created, and only when it differs.
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings) return;
    gboolean current = FALSE;
    g_object_get(settings, "gtk-application-prefer-dark-theme", &current, nullptr);
    if (!current != !DarkLook())
        g_object_set(settings, "gtk-application-prefer-dark-theme", DarkLook() ? TRUE : FALSE, nullptr);
}

TzuWinPoint TzuGtkApplication::CursorPos() const {
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    int x = 0, y = 0;
    if (pointer) gdk_device_get_position(pointer, nullptr, &x, &y);
    return {x, y};
}

TzuWinRect TzuGtkApplication::ScreenWorkArea(TzuWinPoint near) const {
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display ? gdk_display_get_monitor_at_point(display, near.X, near.Y) : nullptr;
    if (!monitor) return TzuApplication::ScreenWorkArea(near);
    GdkRectangle r;
    gdk_monitor_get_workarea(monitor, &r);
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

void TzuGtkApplication::ShowPopupMenu(IzuWindow* near, const std::vector<TzuMenuEntry>& items,
                                      TzuWinPoint screen, TzuMenuChoice chosen) {
    ApplyDarkLook();
    ShowGtkPopupMenu(WidgetOf(near), items, screen, std::move(chosen));
}

std::optional<uint32_t> TzuGtkApplication::ChooseColor(IzuWindow* near, uint32_t initial,
                                                       const std::string& title) {
    ApplyDarkLook();
    return RunGtkColorChooser(WidgetOf(near), initial, title);
}

}  // namespace zu
