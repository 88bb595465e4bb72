#include "app/quillorn_display/gtk_host.h"

#include <gtk/gtk.h>

#include <vector>

namespace zu {

namespace {

// One platform window: a top-level GtkWindow with a GtkFixed for its children, or a
// GtkDrawingArea inside its parent's GtkFixed.
class TzuGtkHostWindow : public IzuWindow {
public:
    TzuGtkHostWindow(IzuWindowEvents& events, TzuGtkHostWindow* parent) : m_events(events) {
        if (parent) {
            m_widget = gtk_drawing_area_new();
            m_canvas = m_widget;
            gtk_fixed_put(GTK_FIXED(parent->m_fixed), m_widget, 0, 0);
        } else {
            m_widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
            m_fixed = gtk_fixed_new();
            m_canvas = m_fixed;
            gtk_container_add(GTK_CONTAINER(m_widget), m_fixed);
            gtk_widget_show(m_fixed);
            g_signal_connect(m_widget, "delete-event", G_CALLBACK(&OnDelete), this);
        }
        g_object_ref_sink(m_widget);
        g_signal_connect(m_canvas, "draw", G_CALLBACK(&OnDraw), this);
    }
    ~TzuGtkHostWindow() override {
        g_signal_handlers_disconnect_by_data(m_widget, this);
        g_signal_handlers_disconnect_by_data(m_canvas, this);
        gtk_widget_destroy(m_widget);
        g_object_unref(m_widget);
    }

    void SetBounds(int left, int top, int width, int height) override {
        m_width = std::max(width, 1);
        m_height = std::max(height, 1);
        if (GTK_IS_WINDOW(m_widget)) {
            gtk_window_move(GTK_WINDOW(m_widget), left, top);
            gtk_widget_set_size_request(m_fixed, m_width, m_height);
            gtk_window_resize(GTK_WINDOW(m_widget), m_width, m_height);
        } else {
            gtk_fixed_move(GTK_FIXED(gtk_widget_get_parent(m_widget)), m_widget, left, top);
            gtk_widget_set_size_request(m_widget, m_width, m_height);
        }
    }
    int ClientWidth() const override { return m_width; }
    int ClientHeight() const override { return m_height; }
    void SetVisible(bool visible) override {
        if (visible) gtk_widget_show(m_widget);
        else gtk_widget_hide(m_widget);
    }
    bool Visible() const override { return gtk_widget_get_visible(m_widget); }
    void SetCaption(const std::string& utf8) override {
        if (GTK_IS_WINDOW(m_widget)) gtk_window_set_title(GTK_WINDOW(m_widget), utf8.c_str());
    }
    void SetBorderless(bool borderless) override {
        if (GTK_IS_WINDOW(m_widget)) gtk_window_set_decorated(GTK_WINDOW(m_widget), !borderless);
    }
    void SetBackgroundColor(uint32_t argb) override { m_background = argb; }
    void Invalidate(const TzuWinRect& r) override {
        if (!r.Empty()) gtk_widget_queue_draw_area(m_canvas, r.Left, r.Top, r.Width(), r.Height());
    }
    void PutPixels(int x, int y, const uint32_t* pixels, int stride, int width, int height) override {
        if (!m_cr || width <= 0 || height <= 0) return;
        cairo_surface_t* s = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(pixels)), CAIRO_FORMAT_ARGB32, width, height,
            stride * 4);
        cairo_save(m_cr);
        cairo_set_operator(m_cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(m_cr, s, x, y);
        cairo_rectangle(m_cr, x, y, width, height);
        cairo_fill(m_cr);
        cairo_restore(m_cr);
        cairo_surface_destroy(s);
    }
    bool SupportsAlpha() const override { return false; }
    void SetLayered(bool) override {}
    bool Layered() const override { return false; }
    void PresentLayered(const uint32_t* pixels, int stride, int width, int height) override {
        PutPixels(0, 0, pixels, stride, width, height);
    }
    TzuWinPoint ClientToScreen(TzuWinPoint p) const override {
        GdkWindow* w = gtk_widget_get_window(m_canvas);
        int x = 0, y = 0;
        if (w) gdk_window_get_origin(w, &x, &y);
        return {p.X + x, p.Y + y};
    }

private:
    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
        auto* self = static_cast<TzuGtkHostWindow*>(data);
        if (self->m_fixed) {
            const uint32_t c = self->m_background;
            cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
            cairo_paint(cr);
        }
        std::vector<TzuWinRect> rects;
        cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
        if (list->status == CAIRO_STATUS_SUCCESS) {
            for (int i = 0; i < list->num_rectangles; ++i) {
                const cairo_rectangle_t& r = list->rectangles[i];
                rects.push_back({int(r.x), int(r.y), int(r.x + r.width), int(r.y + r.height)});
            }
        } else {
            rects.push_back({0, 0, self->m_width, self->m_height});
        }
        cairo_rectangle_list_destroy(list);
        self->m_cr = cr;
        RunGuarded([&] { self->m_events.WindowPaint(rects); });
        self->m_cr = nullptr;
        // The form's children draw after it.
        return FALSE;
    }
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
        auto* self = static_cast<TzuGtkHostWindow*>(data);
        RunGuarded([&] { self->m_events.WindowCloseRequest(); });
        return TRUE;
    }

    IzuWindowEvents& m_events;
    GtkWidget* m_widget = nullptr;
    GtkWidget* m_fixed = nullptr;
    GtkWidget* m_canvas = nullptr;
    cairo_t* m_cr = nullptr;
    int m_width = 1;
    int m_height = 1;
    uint32_t m_background = 0xFFF0F0F0;
};

struct TimerData {
    std::function<void()> fn;
};

gboolean RunTimer(gpointer data) {
    RunGuarded([&] { static_cast<TimerData*>(data)->fn(); });
    return G_SOURCE_CONTINUE;
}

void FreeTimer(gpointer data) { delete static_cast<TimerData*>(data); }

}  // namespace

struct TzuDisplayGtkApplication::Posted {
    TzuDisplayGtkApplication* app;
    uint64_t id;
    std::function<void()> fn;
};

TzuDisplayGtkApplication::TzuDisplayGtkApplication(int& argc, char**& argv) { gtk_init(&argc, &argv); }

TzuDisplayGtkApplication::~TzuDisplayGtkApplication() {
    for (const auto& [id, source] : m_posted) g_source_remove(source);
}

void TzuDisplayGtkApplication::Run() {
    if (m_terminated) return;
    m_running = true;
    gtk_main();
    m_running = false;
}

void TzuDisplayGtkApplication::Terminate() {
    m_terminated = true;
    if (m_running) gtk_main_quit();
}

void TzuDisplayGtkApplication::ProcessMessages() {
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

int TzuDisplayGtkApplication::RunPosted(void* data) {
    auto* posted = static_cast<Posted*>(data);
    posted->app->m_posted.erase(posted->id);
    RunGuarded([&] { posted->fn(); });
    return G_SOURCE_REMOVE;
}

uint64_t TzuDisplayGtkApplication::PostMessage(std::function<void()> fn) {
    const uint64_t id = m_nextId++;
    auto* posted = new Posted{this, id, std::move(fn)};
    m_posted[id] = g_idle_add_full(G_PRIORITY_DEFAULT, &RunPosted, posted,
                                   [](gpointer p) { delete static_cast<Posted*>(p); });
    return id;
}

void TzuDisplayGtkApplication::CancelMessage(uint64_t id) {
    const auto it = m_posted.find(id);
    if (it == m_posted.end()) return;
    g_source_remove(it->second);
    m_posted.erase(it);
}

uint64_t TzuDisplayGtkApplication::StartTimer(unsigned intervalMs, std::function<void()> fn) {
    if (intervalMs == 0) return 0;
    return g_timeout_add_full(G_PRIORITY_DEFAULT, intervalMs, &RunTimer, new TimerData{std::move(fn)}, &FreeTimer);
}

void TzuDisplayGtkApplication::StopTimer(uint64_t id) {
    if (id) g_source_remove(static_cast<guint>(id));
}

std::unique_ptr<IzuWindow> TzuDisplayGtkApplication::CreateFormWindow(IzuWindowEvents& events) {
    return std::make_unique<TzuGtkHostWindow>(events, nullptr);
}

std::unique_ptr<IzuWindow> TzuDisplayGtkApplication::CreateChildWindow(IzuWindow& parent, IzuWindowEvents& events) {
    return std::make_unique<TzuGtkHostWindow>(events, &static_cast<TzuGtkHostWindow&>(parent));
}

void TzuDisplayGtkApplication::ShowErrorBox(const std::string& title, const std::string& text) {
    GtkWidget* dialog =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

}  // namespace zu
