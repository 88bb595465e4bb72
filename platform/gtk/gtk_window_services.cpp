// The platform services of GTK windows: the input method, tooltips for hints, and drops
// of files and text from other programs.

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/core/application.h"
#include "platform/core/utf.h"
#include "platform/gtk/drop_decoder.h"
#include "platform/gtk/gtk_application.h"
#include "platform/gtk/gtk_window.h"

namespace zu {

// ---- Input method ----

void TzuGtkWindow::OnImeCommit(GtkIMContext*, const gchar* text, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    if (!text || !g_utf8_validate(text, -1, nullptr)) return;
    const std::u16string units = Utf8ToUtf16(text);
    if (!units.empty()) RunGuarded([&] { w->m_events.ImeCommit(units); });
}

void TzuGtkWindow::OnImePreedit(GtkIMContext* im, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    gchar* text = nullptr;
    gint cursor = 0;
    gtk_im_context_get_preedit_string(im, &text, nullptr, &cursor);
    std::u16string units;
    int unitCursor = 0;
    if (text && g_utf8_validate(text, -1, nullptr)) {
        // The cursor comes in characters; the scene counts UTF-16 units.
        const glong chars = g_utf8_strlen(text, -1);
        const char* end = g_utf8_offset_to_pointer(text, std::clamp<glong>(cursor, 0, chars));
        unitCursor = int(Utf8ToUtf16(std::string_view(text, size_t(end - text))).size());
        units = Utf8ToUtf16(text);
    }
    g_free(text);
    RunGuarded([&] { w->m_events.ImePreedit(units, unitCursor); });
}

void TzuGtkWindow::OnFocusChange(GtkWidget*, GdkEventFocus* e, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    if (!w->m_im) return;
    if (e->in)
        gtk_im_context_focus_in(w->m_im);
    else
        gtk_im_context_focus_out(w->m_im);
}

void TzuGtkWindow::SetImeCaret(const TzuWinRect& r) {
    IzuWindow::SetImeCaret(r);
    if (!m_im) return;
    const GdkRectangle area{r.Left, r.Top, std::max(r.Width(), 1), std::max(r.Height(), 1)};
    gtk_im_context_set_cursor_location(m_im, &area);
}

// ---- Hints ----

gboolean TzuGtkWindow::OnQueryTooltip(GtkWidget*, gint x, gint y, gboolean keyboard, GtkTooltip* tip,
                                      gpointer self) {
    if (keyboard) return FALSE;
    auto* w = static_cast<TzuGtkWindow*>(self);
    std::u16string text;
    TzuWinRect area{};
    bool shown = false;
    RunGuarded([&] { shown = w->m_events.QueryHint(x, y, text, area); });
    if (!shown || text.empty()) return FALSE;
    if (auto* app = dynamic_cast<TzuGtkApplication*>(Application())) app->ApplyDarkLook();
    gtk_tooltip_set_text(tip, Utf16ToUtf8(text).c_str());
    // The tooltip stays while the pointer is in the object's area and is asked for again
    // when it leaves it.
    const GdkRectangle r{area.Left, area.Top, std::max(area.Width(), 1), std::max(area.Height(), 1)};
    gtk_tooltip_set_tip_area(tip, &r);
    return TRUE;
}

void TzuGtkWindow::HintChanged() {
    if (gtk_widget_get_realized(m_widget)) gtk_widget_trigger_tooltip_query(m_widget);
}

// ---- Drops ----

void TzuGtkWindow::SetDropTarget(bool on) {
    if (on == m_dropTarget) return;
    IzuWindow::SetDropTarget(on);
    if (!on) {
        gtk_drag_dest_unset(m_widget);
        return;
    }
    // Motion, highlight and drop are ours: the scene decides what may land where.
    gtk_drag_dest_set(m_widget, GtkDestDefaults(0), nullptr, 0,
                      GdkDragAction(GDK_ACTION_COPY | GDK_ACTION_MOVE | GDK_ACTION_LINK));
    // Files first: a drag that offers both is a drag of files. The list is built here rather
    // than by gtk_drag_dest_add_uri_targets, which also asks the session bus for the file
    // transfer portal: a blocking call on every window, and without a session bus a
    // dbus-launch attempt that slowed start-up by tens of milliseconds. The portal's
    // own format is not one the drop decoder reads.
    static const GtkTargetEntry kFiles[] = {{const_cast<gchar*>("text/uri-list"), 0, 0}};
    GtkTargetList* list = gtk_target_list_new(kFiles, 1);
    gtk_target_list_add_text_targets(list, 1);
    gtk_drag_dest_set_target_list(m_widget, list);
    gtk_target_list_unref(list);
    g_signal_connect(m_widget, "drag-motion", G_CALLBACK(&OnDragMotion), this);
    g_signal_connect(m_widget, "drag-leave", G_CALLBACK(&OnDragLeave), this);
    g_signal_connect(m_widget, "drag-drop", G_CALLBACK(&OnDragDrop), this);
    g_signal_connect(m_widget, "drag-data-received", G_CALLBACK(&OnDragDataReceived), this);
}

void TzuGtkWindow::ForgetDrag() {
    if (m_drop.context) g_object_unref(m_drop.context);
    m_drop = DropState{};
}

bool TzuGtkWindow::RequestDropData(GdkDragContext* c, guint time) {
    if (m_drop.requested) return true;
    const GdkAtom target = gtk_drag_dest_find_target(m_widget, c, nullptr);
    if (target == GDK_NONE) return false;
    m_drop.requested = true;
    gtk_drag_get_data(m_widget, c, target, time);
    return true;
}

void TzuGtkWindow::ReplyMotion(GdkDragContext* c, guint time) {
    bool accept = false;
    if (m_drop.data) RunGuarded([&] { accept = m_events.DropMotion(*m_drop.data, m_drop.x, m_drop.y); });
    GdkDragAction action = gdk_drag_context_get_suggested_action(c);
    if (!(gdk_drag_context_get_actions(c) & action)) action = GDK_ACTION_COPY;
    gdk_drag_status(c, accept ? action : GdkDragAction(0), time);
}

void TzuGtkWindow::FollowDrag(GdkDragContext* c, gint x, gint y) {
    if (m_leaveSource) {
        // Back over the window before the leave was handled: the drag goes on.
        g_source_remove(m_leaveSource);
        m_leaveSource = 0;
    }
    if (m_drop.context != c) {
        ForgetDrag();
        m_drop.context = GDK_DRAG_CONTEXT(g_object_ref(c));
    }
    m_drop.x = x;
    m_drop.y = y;
}

gboolean TzuGtkWindow::OnDragMotion(GtkWidget*, GdkDragContext* c, gint x, gint y, guint time,
                                    gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    w->FollowDrag(c, x, y);
    if (!w->m_drop.received) {
        // Nothing to decide on until the data arrives (or none can).
        w->RequestDropData(c, time);
        gdk_drag_status(c, GdkDragAction(0), time);
        return TRUE;
    }
    w->ReplyMotion(c, time);
    return TRUE;
}

gboolean TzuGtkWindow::OnDeferredLeave(gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    w->m_leaveSource = 0;
    if (w->m_drop.dropPending) return G_SOURCE_REMOVE;
    w->ForgetDrag();
    RunGuarded([&] { w->m_events.DropLeave(); });
    return G_SOURCE_REMOVE;
}

void TzuGtkWindow::OnDragLeave(GtkWidget*, GdkDragContext*, guint, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    if (!w->m_leaveSource) w->m_leaveSource = g_idle_add(&OnDeferredLeave, w);
}

gboolean TzuGtkWindow::OnDragDrop(GtkWidget*, GdkDragContext* c, gint x, gint y, guint time, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    w->FollowDrag(c, x, y);
    w->m_drop.dropPending = true;
    if (w->m_drop.received) {
        w->FinishDrop(c, time);
    } else if (!w->RequestDropData(c, time)) {
        w->FinishDrop(c, time);
    } else if (w->m_drop.received) {
        // Some sources answer at once.
        w->FinishDrop(c, time);
    }
    return TRUE;
}

void TzuGtkWindow::FinishDrop(GdkDragContext* c, guint time) {
    bool taken = false;
    const std::optional<TzuDropData> data = m_drop.data;
    const int x = m_drop.x, y = m_drop.y;
    g_object_ref(c);
    ForgetDrag();
    if (data)
        RunGuarded([&] { taken = m_events.DropData(*data, x, y); });
    else
        RunGuarded([&] { m_events.DropLeave(); });  // nothing valid came: the target is left
    gtk_drag_finish(c, taken, FALSE, time);
    g_object_unref(c);
}

void TzuGtkWindow::OnDragDataReceived(GtkWidget*, GdkDragContext* c, gint, gint, GtkSelectionData* selection,
                                      guint, guint time, gpointer self) {
    auto* w = static_cast<TzuGtkWindow*>(self);
    if (c != w->m_drop.context) return;
    w->m_drop.received = true;
    const guchar* bytes = gtk_selection_data_get_data(selection);
    const gint length = gtk_selection_data_get_length(selection);
    if (bytes && length > 0) {
        gchar* type = gdk_atom_name(gtk_selection_data_get_target(selection));
        const std::string target = type ? type : "";
        g_free(type);
        w->m_drop.data =
            DecodeDropData(target == "text/uri-list" ? target : "text",
                           std::string_view(reinterpret_cast<const char*>(bytes), size_t(length)));
    }
    if (w->m_drop.dropPending)
        w->FinishDrop(c, time);
    else
        w->ReplyMotion(c, time);
}

}  // namespace zu
