#include "platform/gtk/gtk_window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/core/application.h"
#include "platform/gtk/gtk_accessible.h"

namespace zu {

namespace {

// GTK refuses windows of size 0; the control keeps its own idea of the size.
int AtLeastOne(int v) { return std::max(v, 1); }

void SetSourceColor(cairo_t* cr, uint32_t argb) {
    cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                          (argb & 0xFF) / 255.0, (argb >> 24) / 255.0);
}

TzuShiftState ShiftOf(guint state) {
    TzuShiftState s = 0;
    if (state & GDK_SHIFT_MASK) s |= ssShift;
    if (state & GDK_CONTROL_MASK) s |= ssCtrl;
    if (state & GDK_MOD1_MASK) s |= ssAlt;
    if (state & GDK_BUTTON1_MASK) s |= ssLeft;
    if (state & GDK_BUTTON3_MASK) s |= ssRight;
    if (state & GDK_BUTTON2_MASK) s |= ssMiddle;
    return s;
}

constexpr int kWheelNotch = 120;

// Shown popups that close on a press outside themselves, newest last.
std::vector<TzuGtkFormWindow*> g_dismissablePopups;
// Shown popups holding their grab, newest last: when one goes, the one below takes the
// grab back.
std::vector<TzuGtkFormWindow*> g_grabbingPopups;

gint GdkButtonOf(TzuMouseButton b) { return b == mbLeft ? 1 : b == mbMiddle ? 2 : 3; }

const char* CursorName(TzuCursorShape shape) {
    switch (shape) {
        case TzuCursorShape::Default:
        case TzuCursorShape::Arrow: return "default";
        case TzuCursorShape::IBeam: return "text";
        case TzuCursorShape::Wait: return "wait";
        case TzuCursorShape::Cross: return "crosshair";
        case TzuCursorShape::Hand: return "pointer";
        case TzuCursorShape::SizeWE: return "ew-resize";
        case TzuCursorShape::SizeNS: return "ns-resize";
        case TzuCursorShape::SizeNWSE: return "nwse-resize";
        case TzuCursorShape::SizeNESW: return "nesw-resize";
        case TzuCursorShape::SizeAll: return "move";
        case TzuCursorShape::No: return "not-allowed";
    }
    return "default";
}

TzuKeyCode KeyCodeOf(guint keyval) {
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return TzuKeyCode('A' + (keyval - GDK_KEY_a));
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return TzuKeyCode(keyval);
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return TzuKeyCode(keyval);
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) return TzuKeyCode(keys::F1 + (keyval - GDK_KEY_F1));
    // With Num Lock on the keypad sends digits, with it off the moves: both as the plain keys.
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return TzuKeyCode('0' + (keyval - GDK_KEY_KP_0));
    switch (keyval) {
        case GDK_KEY_KP_Add: return keys::Add;
        case GDK_KEY_KP_Subtract: return keys::Subtract;
        case GDK_KEY_KP_Multiply: return keys::Multiply;
        case GDK_KEY_KP_Divide: return keys::Divide;
        case GDK_KEY_KP_Page_Up: return keys::PageUp;
        case GDK_KEY_KP_Page_Down: return keys::PageDown;
        case GDK_KEY_KP_End: return keys::End;
        case GDK_KEY_KP_Home: return keys::Home;
        case GDK_KEY_KP_Left: return keys::Left;
        case GDK_KEY_KP_Up: return keys::Up;
        case GDK_KEY_KP_Right: return keys::Right;
        case GDK_KEY_KP_Down: return keys::Down;
        case GDK_KEY_KP_Insert: return keys::Insert;
        case GDK_KEY_KP_Delete: return keys::Delete;
        case GDK_KEY_KP_Space: return keys::Space;
        case GDK_KEY_KP_Tab: return keys::Tab;
        default: break;
    }
    switch (keyval) {
        case GDK_KEY_BackSpace: return keys::Backspace;
        case GDK_KEY_Tab:
        case GDK_KEY_ISO_Left_Tab: return keys::Tab;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter: return keys::Enter;
        case GDK_KEY_Shift_L:
        case GDK_KEY_Shift_R: return keys::ShiftKey;
        case GDK_KEY_Control_L:
        case GDK_KEY_Control_R: return keys::ControlKey;
        case GDK_KEY_Alt_L:
        case GDK_KEY_Alt_R: return keys::AltKey;
        case GDK_KEY_Escape: return keys::Escape;
        case GDK_KEY_space: return keys::Space;
        case GDK_KEY_Page_Up: return keys::PageUp;
        case GDK_KEY_Page_Down: return keys::PageDown;
        case GDK_KEY_End: return keys::End;
        case GDK_KEY_Home: return keys::Home;
        case GDK_KEY_Left: return keys::Left;
        case GDK_KEY_Up: return keys::Up;
        case GDK_KEY_Right: return keys::Right;
        case GDK_KEY_Down: return keys::Down;
        case GDK_KEY_Insert: return keys::Insert;
        case GDK_KEY_Delete: return keys::Delete;
        default: return 0;
    }
}

}  // namespace

// ---- Common ----

TzuGtkWindow::TzuGtkWindow(IzuWindowEvents& events, GtkWidget* widget) : m_events(events), m_widget(widget) {
    // Our own reference keeps the widget valid whichever of form and control goes first.
    g_object_ref_sink(m_widget);
    SetWindowEventsOf(m_widget, &m_events);
    g_signal_connect(m_widget, "notify::scale-factor", G_CALLBACK(&OnScaleFactor), this);
}

int TzuGtkWindow::ScaleFactor() const { return std::max(gtk_widget_get_scale_factor(m_widget), 1); }

void TzuGtkWindow::OnScaleFactor(GtkWidget*, GParamSpec*, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    // The last layered frame has the old density; the next presented one replaces it.
    RunGuarded([&] { w->m_events.WindowScaleChanged(); });
    gtk_widget_queue_draw(w->m_widget);
}

namespace {

// An image of device pixels that GTK shows one to one on a window of that scale, rather
// than stretching each pixel over scale x scale.
cairo_surface_t* DeviceImage(const uint32_t* pixels, cairo_format_t format, int width, int height, int stride,
                             int scale) {
    cairo_surface_t* s = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(pixels)), format, width, height, stride * 4);
    cairo_surface_set_device_scale(s, scale, scale);
    return s;
}

}  // namespace

TzuGtkWindow::~TzuGtkWindow() {
    *m_alive = false;
    // An accessible that outlives the window finds no control behind the widget.
    SetWindowEventsOf(m_widget, nullptr);
    g_signal_handlers_disconnect_by_data(m_widget, this);
    if (m_leaveSource) g_source_remove(m_leaveSource);
    ForgetDrag();
    if (m_im) {
        g_signal_handlers_disconnect_by_data(m_im, this);
        gtk_im_context_set_client_window(m_im, nullptr);
        g_object_unref(m_im);
    }
    gtk_widget_destroy(m_widget);
    g_object_unref(m_widget);
}

void TzuGtkWindow::SetVisible(bool visible) {
    if (visible)
        gtk_widget_show(m_widget);
    else
        gtk_widget_hide(m_widget);
}

void TzuGtkWindow::Invalidate(const TzuWinRect& r) {
    const int l = std::max(r.Left, 0), t = std::max(r.Top, 0);
    const int w = std::min(r.Right, m_width) - l, h = std::min(r.Bottom, m_height) - t;
    if (w > 0 && h > 0) gtk_widget_queue_draw_area(m_widget, l, t, w, h);
}

void TzuGtkWindow::PutPixels(int x, int y, const uint32_t* pixels, int stride, int width, int height) {
    if (!m_cr || !pixels || width <= 0 || height <= 0) return;
    // Pixels put into a window are shown opaque: the alpha byte is ignored (RGB24). Frames
    // that keep their alpha go through PresentLayered. The draw context counts client
    // pixels; the block counts device pixels.
    const int scale = ScaleFactor();
    cairo_surface_t* s = DeviceImage(pixels, CAIRO_FORMAT_RGB24, width, height, stride, scale);
    const double cx = double(x) / scale, cy = double(y) / scale;
    cairo_save(m_cr);
    cairo_set_operator(m_cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(m_cr, s, cx, cy);
    cairo_rectangle(m_cr, cx, cy, double(width) / scale, double(height) / scale);
    cairo_fill(m_cr);
    cairo_restore(m_cr);
    cairo_surface_destroy(s);
}

bool TzuGtkWindow::SupportsAlpha() const {
    return gdk_screen_get_rgba_visual(gtk_widget_get_screen(m_widget));
}

void TzuGtkWindow::PresentLayered(const uint32_t* pixels, int stride, int width, int height) {
    if (!pixels || width <= 0 || height <= 0) return;
    m_frame.resize(size_t(width) * size_t(height));
    for (int row = 0; row < height; ++row) {
        std::memcpy(m_frame.data() + size_t(row) * size_t(width), pixels + size_t(row) * size_t(stride),
                    size_t(width) * 4);
    }
    m_frameWidth = width;
    m_frameHeight = height;
    gtk_widget_queue_draw(m_widget);
}

TzuWinPoint TzuGtkWindow::ClientToScreen(TzuWinPoint p) const {
    GtkWidget* top = gtk_widget_get_toplevel(m_widget);
    int x = 0, y = 0;
    if (top != m_widget) gtk_widget_translate_coordinates(m_widget, top, 0, 0, &x, &y);
    int ox = 0, oy = 0;
    if (GdkWindow* w = gtk_widget_get_window(top)) gdk_window_get_origin(w, &ox, &oy);
    return {p.X + x + ox, p.Y + y + oy};
}

void TzuGtkWindow::SetCursor(TzuCursorShape shape) {
    IzuWindow::SetCursor(shape);
    ApplyCursor();
}

void TzuGtkWindow::ApplyCursor() {
    // Before realization there is no GdkWindow; the realize handler applies it then.
    GdkWindow* w = gtk_widget_get_window(m_widget);
    if (!w || !gtk_widget_get_realized(m_widget)) return;
    GdkCursor* c = m_cursor == TzuCursorShape::Default
                       ? nullptr
                       : gdk_cursor_new_from_name(gtk_widget_get_display(m_widget), CursorName(m_cursor));
    gdk_window_set_cursor(w, c);
    if (c) g_object_unref(c);
}

void TzuGtkWindow::ConnectInput() {
    gtk_widget_add_events(m_widget, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                        GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK |
                                        GDK_LEAVE_NOTIFY_MASK | GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK);
    gtk_widget_set_can_focus(m_widget, TRUE);
    g_signal_connect(m_widget, "realize", G_CALLBACK(&OnRealize), this);
    g_signal_connect(m_widget, "button-press-event", G_CALLBACK(&OnButton), this);
    g_signal_connect(m_widget, "button-release-event", G_CALLBACK(&OnButton), this);
    g_signal_connect(m_widget, "motion-notify-event", G_CALLBACK(&OnMotion), this);
    g_signal_connect(m_widget, "scroll-event", G_CALLBACK(&OnScroll), this);
    g_signal_connect(m_widget, "leave-notify-event", G_CALLBACK(&OnLeave), this);
    g_signal_connect(m_widget, "key-press-event", G_CALLBACK(&OnKey), this);
    g_signal_connect(m_widget, "key-release-event", G_CALLBACK(&OnKey), this);
    // Typed text goes through the input method. The text being composed is drawn by the
    // focused control at its caret, in its own font; the candidate window is placed at
    // the caret the scene reports.
    m_im = gtk_im_multicontext_new();
    gtk_im_context_set_use_preedit(m_im, TRUE);
    g_signal_connect(m_im, "commit", G_CALLBACK(&OnImeCommit), this);
    g_signal_connect(m_im, "preedit-changed", G_CALLBACK(&OnImePreedit), this);
    g_signal_connect(m_im, "preedit-end", G_CALLBACK(&OnImePreedit), this);
    gtk_widget_add_events(m_widget, GDK_FOCUS_CHANGE_MASK);
    g_signal_connect(m_widget, "focus-in-event", G_CALLBACK(&OnFocusChange), this);
    g_signal_connect(m_widget, "focus-out-event", G_CALLBACK(&OnFocusChange), this);
    gtk_widget_set_has_tooltip(m_widget, TRUE);
    g_signal_connect(m_widget, "query-tooltip", G_CALLBACK(&OnQueryTooltip), this);
}

void TzuGtkWindow::OnRealize(GtkWidget* widget, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    w->ApplyCursor();
    if (w->m_im) gtk_im_context_set_client_window(w->m_im, gtk_widget_get_window(widget));
}

bool TzuGtkWindow::CompletesDoubleClick(const GdkEventButton* e) {
    // GTK reports a double click as press, release, press, 2-button press, release: the
    // second physical press is known only after it has been delivered. So the double
    // click is recognised on the plain press itself, by the desktop's own time and
    // distance, and the synthesized 2- and 3-button presses are dropped.
    GtkSettings* settings = gtk_widget_get_settings(m_widget);
    gint time = 400, distance = 5;
    if (settings)
        g_object_get(settings, "gtk-double-click-time", &time, "gtk-double-click-distance", &distance,
                     nullptr);
    const bool dbl = m_lastPress.valid && !m_lastPress.wasDouble && m_lastPress.button == e->button &&
                     e->time - m_lastPress.time <= guint32(std::max(time, 0)) &&
                     std::abs(e->x_root - m_lastPress.x) <= distance &&
                     std::abs(e->y_root - m_lastPress.y) <= distance;
    // A third quick press starts a new click rather than a second double click.
    m_lastPress = {true, dbl, e->button, e->time, e->x_root, e->y_root};
    return dbl;
}

gboolean TzuGtkWindow::OnButton(GtkWidget*, GdkEventButton* e, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    TzuMouseButton button;
    switch (e->button) {
        case 1: button = mbLeft; break;
        case 2: button = mbMiddle; break;
        case 3: button = mbRight; break;
        default: return FALSE;  // side buttons are not ours
    }
    if (e->type == GDK_2BUTTON_PRESS || e->type == GDK_3BUTTON_PRESS) return TRUE;
    TzuShiftState shift = ShiftOf(e->state);
    const int x = int(std::floor(e->x)), y = int(std::floor(e->y));
    if (e->type == GDK_BUTTON_RELEASE) {
        RunGuarded([&] { w->m_events.MouseUp(button, shift, x, y, false); });
        return TRUE;
    }
    if (TzuGtkFormWindow::PressDismissesPopups(w->m_widget, e)) return TRUE;
    const bool dbl = w->CompletesDoubleClick(e);
    if (dbl) shift |= ssDouble;
    if (!gtk_widget_has_focus(w->m_widget)) gtk_widget_grab_focus(w->m_widget);
    RunGuarded([&] { w->m_events.MouseDown(button, shift, x, y, dbl); });
    return TRUE;
}

void TzuGtkWindow::SetMouseCapture(bool on) {
    GdkWindow* window = gtk_widget_get_window(m_widget);
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(m_widget));
    if (!seat) return;
    if (on && window && gtk_widget_get_realized(m_widget)) {
        // Owner events: the pointer still reports over our own windows as usual, and
        // everywhere else to this one.
        m_captured = gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_ALL_POINTING, TRUE, nullptr, nullptr,
                                   nullptr, nullptr) == GDK_GRAB_SUCCESS;
    } else if (!on && m_captured) {
        gdk_seat_ungrab(seat);
        m_captured = false;
    }
}

gboolean TzuGtkWindow::OnMotion(GtkWidget*, GdkEventMotion* e, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    RunGuarded([&] { w->m_events.MouseMove(ShiftOf(e->state), int(e->x), int(e->y)); });
    return TRUE;
}

gboolean TzuGtkWindow::OnScroll(GtkWidget*, GdkEventScroll* e, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    // One notch is 120; touchpads scroll in fractions of a notch, delivered as whole
    // 120ths as they accumulate.
    int delta = 0;
    switch (e->direction) {
        case GDK_SCROLL_UP: delta = kWheelNotch; break;
        case GDK_SCROLL_DOWN: delta = -kWheelNotch; break;
        case GDK_SCROLL_SMOOTH: {
            w->m_scrollRest -= e->delta_y * kWheelNotch;
            delta = int(w->m_scrollRest);
            w->m_scrollRest -= delta;
            break;
        }
        default: return FALSE;
    }
    // A wheel nobody in the window took goes on to the widgets around it. Fractions too
    // small to deliver follow the last whole step's answer.
    if (delta != 0) {
        bool handled = false;
        RunGuarded([&] { handled = w->m_events.MouseWheel(ShiftOf(e->state), delta, int(e->x), int(e->y)); });
        w->m_wheelTaken = handled;
    }
    return w->m_wheelTaken ? TRUE : FALSE;
}

gboolean TzuGtkWindow::OnLeave(GtkWidget*, GdkEventCrossing* e, gpointer self) {
    // Crossings into a child widget are not a leave of the window's area.
    if (e->detail == GDK_NOTIFY_INFERIOR) return FALSE;
    auto* w = static_cast<TzuGtkWindow*>(self);
    RunGuarded([&] { w->m_events.MouseLeave(); });
    return FALSE;
}

gboolean TzuGtkWindow::OnKey(GtkWidget* widget, GdkEventKey* e, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    // A form sees its keys before GTK hands them to the focused control inside it; keys
    // for a focused control are left to travel on.
    if (GTK_IS_WINDOW(widget)) {
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(widget));
        if (focus && focus != widget) return FALSE;
    }
    const TzuKeyCode key = KeyCodeOf(e->keyval);
    const TzuShiftState shift = ShiftOf(e->state);
    const std::shared_ptr<bool> alive = w->m_alive;
    if (e->type == GDK_KEY_RELEASE) {
        RunGuarded([&] { w->m_events.KeyUp(key, shift); });
        if (*alive && w->m_im) gtk_im_context_filter_keypress(w->m_im, e);
        return TRUE;
    }
    RunGuarded([&] { w->m_events.KeyDown(key, shift); });
    if (!*alive) return TRUE;
    // Text the input method takes arrives through its commit.
    if (w->m_im && gtk_im_context_filter_keypress(w->m_im, e)) return TRUE;
    // Control with A, C, V, X or Z types the control character those chords have always
    // typed (select all, copy, paste, cut, undo); GTK gives no character for a chord.
    if ((e->state & GDK_CONTROL_MASK) && !(e->state & GDK_MOD1_MASK)) {
        switch (gdk_keyval_to_lower(e->keyval)) {
            case GDK_KEY_a: RunGuarded([&] { w->m_events.KeyChar(1); }); break;
            case GDK_KEY_c: RunGuarded([&] { w->m_events.KeyChar(3); }); break;
            case GDK_KEY_v: RunGuarded([&] { w->m_events.KeyChar(22); }); break;
            case GDK_KEY_x: RunGuarded([&] { w->m_events.KeyChar(24); }); break;
            case GDK_KEY_z: RunGuarded([&] { w->m_events.KeyChar(26); }); break;
            default: break;
        }
    }
    // Control and Alt chords are commands, not typing; Enter, Tab and Backspace still type
    // their control characters as typing keys do.
    if (!(e->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK))) {
        gunichar u = gdk_keyval_to_unicode(e->keyval);
        if (u == 0) {
            if (key == keys::Enter)
                u = '\r';
            else if (key == keys::Backspace)
                u = 8;
            else if (key == keys::Escape)
                u = 27;
        }
        if (u != 0 && u <= 0xFFFF)
            RunGuarded([&] { w->m_events.KeyChar(char16_t(u)); });
        else if (u > 0xFFFF) {
            // Characters beyond the basic plane arrive as their two surrogates.
            const char32_t v = u - 0x10000;
            RunGuarded([&] { w->m_events.KeyChar(char16_t(0xD800 + (v >> 10))); });
            if (*alive) RunGuarded([&] { w->m_events.KeyChar(char16_t(0xDC00 + (v & 0x3FF))); });
        }
    }
    return TRUE;
}

gboolean TzuGtkWindow::Draw(cairo_t* cr) {
    if (!m_frame.empty()) {
        // A layered scene shows its last presented frame, alpha and all.
        cairo_surface_t* s = DeviceImage(m_frame.data(), CAIRO_FORMAT_ARGB32, m_frameWidth, m_frameHeight,
                                         m_frameWidth, ScaleFactor());
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(s);
        return TRUE;
    }
    std::vector<TzuWinRect> rects;
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
    if (list->status == CAIRO_STATUS_SUCCESS) {
        for (int i = 0; i < list->num_rectangles; ++i) {
            const cairo_rectangle_t& r = list->rectangles[i];
            rects.push_back({int(r.x), int(r.y), int(r.x + r.width + 0.999), int(r.y + r.height + 0.999)});
        }
    } else {
        double x1, y1, x2, y2;
        cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
        rects.push_back({int(x1), int(y1), int(x2 + 0.999), int(y2 + 0.999)});
    }
    cairo_rectangle_list_destroy(list);
    std::erase_if(rects, [](const TzuWinRect& r) { return r.Empty(); });
    if (rects.empty()) return TRUE;
    m_cr = cr;
    RunGuarded([&] { m_events.WindowPaint(rects); });
    m_cr = nullptr;
    return TRUE;
}

// ---- Forms ----

TzuGtkFormWindow::TzuGtkFormWindow(IzuWindowEvents& events)
    : TzuGtkWindow(events, gtk_window_new(GTK_WINDOW_TOPLEVEL)), m_fixed(GTK_FIXED(gtk_fixed_new())) {
    gtk_container_add(GTK_CONTAINER(m_widget), GTK_WIDGET(m_fixed));
    gtk_widget_show(GTK_WIDGET(m_fixed));
    gtk_widget_set_app_paintable(m_widget, TRUE);
    g_signal_connect(m_widget, "draw", G_CALLBACK(&OnDraw), this);
    g_signal_connect(m_widget, "delete-event", G_CALLBACK(&OnDelete), this);
    g_signal_connect(m_widget, "configure-event", G_CALLBACK(&OnConfigure), this);
    g_signal_connect(m_widget, "map-event", G_CALLBACK(&OnMap), this);
    g_signal_connect(m_widget, "unmap-event", G_CALLBACK(&OnUnmap), this);
    g_signal_connect(m_widget, "focus-in-event", G_CALLBACK(&OnFocus), this);
    g_signal_connect(m_widget, "focus-out-event", G_CALLBACK(&OnFocus), this);
    gtk_widget_add_events(m_widget, GDK_STRUCTURE_MASK | GDK_FOCUS_CHANGE_MASK);
    ConnectInput();
}

TzuGtkFormWindow::~TzuGtkFormWindow() {
    std::erase(g_dismissablePopups, this);
    ReleaseGrab();
}

void TzuGtkFormWindow::SetPopup(IzuWindow* owner, bool dismissOnOutsidePress) {
    GtkWindow* w = GTK_WINDOW(m_widget);
    gtk_window_set_decorated(w, FALSE);
    gtk_window_set_keep_above(w, TRUE);
    gtk_window_set_skip_taskbar_hint(w, TRUE);
    gtk_window_set_skip_pager_hint(w, TRUE);
    // Mapping must not take activation away from the owner, whose caption stays active.
    gtk_window_set_focus_on_map(w, FALSE);
    if (!gtk_widget_get_realized(m_widget)) gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_POPUP_MENU);
    if (auto* o = dynamic_cast<TzuGtkWindow*>(owner)) {
        GtkWidget* top = gtk_widget_get_toplevel(o->Widget());
        if (GTK_IS_WINDOW(top) && top != m_widget) gtk_window_set_transient_for(w, GTK_WINDOW(top));
    }
    m_popup = true;
    m_dismissOnOutsidePress = dismissOnOutsidePress;
    std::erase(g_dismissablePopups, this);
    if (dismissOnOutsidePress) g_dismissablePopups.push_back(this);
}

bool TzuGtkFormWindow::PressDismissesPopups(GtkWidget* pressed, const GdkEventButton* e) {
    GtkWidget* top = gtk_widget_get_toplevel(pressed);
    bool usedUp = false;
    // Closing one popup may free others; each is looked up again before it is told.
    for (TzuGtkFormWindow* p : std::vector<TzuGtkFormWindow*>(g_dismissablePopups)) {
        if (std::find(g_dismissablePopups.begin(), g_dismissablePopups.end(), p) == g_dismissablePopups.end())
            continue;
        if (!gtk_widget_get_visible(p->m_widget)) continue;
        if (p->m_widget == top) {
            // The pointer grab reports presses outside every window of ours to the popup
            // itself, outside its own area.
            const bool outside = e->x < 0 || e->y < 0 || e->x >= p->m_width || e->y >= p->m_height;
            if (!outside || pressed != p->m_widget) continue;
            usedUp = true;
        }
        RunGuarded([&] { p->m_events.WindowActivate(false); });
    }
    return usedUp;
}

void TzuGtkFormWindow::ReleaseGrab() {
    const bool held = m_grabbed;
    m_grabbed = false;
    const bool top = !g_grabbingPopups.empty() && g_grabbingPopups.back() == this;
    std::erase(g_grabbingPopups, this);
    if (!held || !top) return;
    if (GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(m_widget))) gdk_seat_ungrab(seat);
    if (!g_grabbingPopups.empty()) g_grabbingPopups.back()->Grab();
}

void TzuGtkFormWindow::Grab() {
    GdkWindow* window = gtk_widget_get_window(m_widget);
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(m_widget));
    if (!window || !seat || !gtk_widget_get_mapped(m_widget)) return;
    // A popup that closes on an outside press holds the pointer with owner events: our
    // own windows keep receiving their presses, and a press anywhere else comes to the
    // popup, which closes on it.
    bool pointer = false;
    if (m_dismissOnOutsidePress)
        pointer = gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_ALL_POINTING, TRUE, nullptr, nullptr,
                                nullptr, nullptr) == GDK_GRAB_SUCCESS;
    // Every popup holds the keyboard while it is up, as menus do, without owner events:
    // keys come to the popup window, which hands them to its focused control, while the
    // window manager keeps the owner active. The owner has them back on the ungrab.
    if (!gtk_window_get_focus(GTK_WINDOW(m_widget))) gtk_widget_child_focus(m_widget, GTK_DIR_TAB_FORWARD);
    const bool keyboard = gdk_seat_grab(seat, window, GDK_SEAT_CAPABILITY_KEYBOARD, FALSE, nullptr, nullptr,
                                        nullptr, nullptr) == GDK_GRAB_SUCCESS;
    m_grabbed = pointer || keyboard;
    std::erase(g_grabbingPopups, this);
    if (m_grabbed) g_grabbingPopups.push_back(this);
}

gboolean TzuGtkFormWindow::OnMap(GtkWidget*, GdkEvent*, gpointer self) {
    auto* w = static_cast<TzuGtkFormWindow*>(self);
    if (w->m_popup && !w->m_grabbed) w->Grab();
    return FALSE;
}

gboolean TzuGtkFormWindow::OnUnmap(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<TzuGtkFormWindow*>(self)->ReleaseGrab();
    return FALSE;
}

gboolean TzuGtkFormWindow::OnFocus(GtkWidget*, GdkEventFocus* e, gpointer self) {
    auto* w = static_cast<TzuGtkFormWindow*>(self);
    // The keyboard grabs of popups move the focus as GTK sees it; a popup holding its grab
    // is activated by it, and loses it only through presses outside or its own close.
    if (w->m_popup && w->m_grabbed) return FALSE;
    const bool active = e->in != 0;
    RunGuarded([&] { w->m_events.WindowActivate(active); });
    return FALSE;
}

void TzuGtkFormWindow::SetBounds(int left, int top, int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    gtk_window_move(GTK_WINDOW(m_widget), left, top);
    gtk_window_resize(GTK_WINDOW(m_widget), AtLeastOne(m_width), AtLeastOne(m_height));
}

bool TzuGtkFormWindow::BeginMoveDrag(TzuMouseButton button, TzuWinPoint screen) {
    gtk_window_begin_move_drag(GTK_WINDOW(m_widget), GdkButtonOf(button), screen.X, screen.Y,
                               gtk_get_current_event_time());
    return true;
}

bool TzuGtkFormWindow::BeginResizeDrag(TzuMouseButton button, TzuWinPoint screen) {
    // The window manager keeps the size at its minimum; a GTK window is never below 1x1.
    gtk_window_begin_resize_drag(GTK_WINDOW(m_widget), GDK_WINDOW_EDGE_SOUTH_EAST, GdkButtonOf(button),
                                 screen.X, screen.Y, gtk_get_current_event_time());
    return true;
}

void TzuGtkFormWindow::SetCaption(const std::string& utf8) {
    gtk_window_set_title(GTK_WINDOW(m_widget), utf8.c_str());
}

void TzuGtkFormWindow::SetBorderless(bool borderless) {
    gtk_window_set_decorated(GTK_WINDOW(m_widget), !borderless);
}

void TzuGtkFormWindow::SetBackgroundColor(uint32_t argb) {
    m_background = argb;
    gtk_widget_queue_draw(m_widget);
}

void TzuGtkFormWindow::SetLayered(bool layered) {
    if (layered == m_layered) return;
    m_layered = layered;
    GdkScreen* screen = gtk_widget_get_screen(m_widget);
    GdkVisual* visual = layered ? gdk_screen_get_rgba_visual(screen) : gdk_screen_get_system_visual(screen);
    if (!visual) return;
    // The visual of a window is fixed when it is realized, so a realized one is remade.
    const bool shown = gtk_widget_get_visible(m_widget);
    const bool realized = gtk_widget_get_realized(m_widget);
    if (realized) {
        gtk_widget_hide(m_widget);
        gtk_widget_unrealize(m_widget);
    }
    gtk_widget_set_visual(m_widget, visual);
    if (shown) gtk_widget_show(m_widget);
}

gboolean TzuGtkFormWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    auto* w = static_cast<TzuGtkFormWindow*>(self);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    // A layered form is clear where its controls do not paint.
    SetSourceColor(cr, w->m_layered ? 0 : w->m_background);
    cairo_paint(cr);
    cairo_restore(cr);
    // The fixed container and its controls draw after this.
    return FALSE;
}

gboolean TzuGtkFormWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    auto* w = static_cast<TzuGtkFormWindow*>(self);
    RunGuarded([&] { w->m_events.WindowCloseRequest(); });
    // The form decides whether it goes; GTK must not destroy the window by itself.
    return TRUE;
}

gboolean TzuGtkFormWindow::OnConfigure(GtkWidget*, GdkEventConfigure* e, gpointer self) {
    auto* w = static_cast<TzuGtkFormWindow*>(self);
    if (e->width != w->m_width || e->height != w->m_height) {
        // Only a size the window manager chose is news; the size we asked for is not.
        if (e->width > 1 || w->m_width > 1) {
            w->m_width = e->width;
            w->m_height = e->height;
            RunGuarded([&] { w->m_events.WindowResized(e->width, e->height); });
        }
    }
    return FALSE;
}

// ---- Controls ----

TzuGtkChildWindow::TzuGtkChildWindow(TzuGtkWindow& parent, IzuWindowEvents& events)
    : TzuGtkWindow(events, NewAccessibleArea()),
      m_fixed(parent.Container()),
      m_parentOrigin(parent.ContainerOrigin()),
      m_origin(m_parentOrigin) {
    gtk_fixed_put(m_fixed, m_widget, m_origin.X, m_origin.Y);
    g_signal_connect(m_widget, "draw", G_CALLBACK(&OnDraw), this);
    ConnectInput();
}

void TzuGtkChildWindow::SetBounds(int left, int top, int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    // Controls inside controls share the form's container, placed by their summed offsets.
    m_origin = {m_parentOrigin.X + left, m_parentOrigin.Y + top};
    gtk_fixed_move(m_fixed, m_widget, m_origin.X, m_origin.Y);
    gtk_widget_set_size_request(m_widget, AtLeastOne(m_width), AtLeastOne(m_height));
}

gboolean TzuGtkChildWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    return static_cast<TzuGtkChildWindow*>(self)->Draw(cr);
}

}  // namespace zu
