#include "app/quillorn_display/copy_data_receiver.h"

#include <gdk/gdkx.h>

#include "platform/core/application.h"
#include "platform/x11/copy_data.h"

namespace zu {

namespace {

GdkFilterReturn CopyDataFilter(GdkXEvent* xevent, GdkEvent* /*event*/, gpointer data) {
    auto* receiver = static_cast<TzuCopyDataReceiver*>(data);
    XEvent* e = static_cast<XEvent*>(xevent);
    Display* display = e->xany.display;
    if (!IsCopyDataEvent(display, *e)) return GDK_FILTER_CONTINUE;
    GdkDisplay* gdkDisplay = gdk_x11_lookup_xdisplay(display);
    // The sender may be gone by now; its window and property then raise X errors that
    // must not end the program.
    // Windows GDK knows are this process's own; a forged message naming one is ignored.
    const auto isOwnWindow = [gdkDisplay](Window w) {
        return gdkDisplay && gdk_x11_window_lookup_for_display(gdkDisplay, w) != nullptr;
    };
    gdk_x11_display_error_trap_push(gdkDisplay);
    std::optional<TzuCopyData> message = ReadCopyData(display, *e, isOwnWindow);
    gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    long result = 0;
    if (message) result = receiver->Dispatch(message->tag, message->bytes);
    gdk_x11_display_error_trap_push(gdkDisplay);
    AnswerCopyData(display, *e, result, isOwnWindow);
    XFlush(display);
    gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    return GDK_FILTER_REMOVE;
}

}  // namespace

TzuCopyDataReceiver::TzuCopyDataReceiver(Handler handler) : m_handler(std::move(handler)) {
    GdkDisplay* display = gdk_display_get_default();
    if (!display || !GDK_IS_X11_DISPLAY(display)) return;
    // A filter without a window sees the events of every window of the process, realized
    // or not, so the form need not expose its GDK window to be reachable.
    gdk_window_add_filter(nullptr, &CopyDataFilter, this);
    m_active = true;
}

TzuCopyDataReceiver::~TzuCopyDataReceiver() {
    if (m_active) gdk_window_remove_filter(nullptr, &CopyDataFilter, this);
}

long TzuCopyDataReceiver::Dispatch(uint32_t tag, std::span<const uint8_t> bytes) {
    long result = 1;
    RunGuarded([&] { result = m_handler(tag, bytes); });
    return result;
}

}  // namespace zu
