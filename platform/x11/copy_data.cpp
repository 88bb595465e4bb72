#include "platform/x11/copy_data.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <xcb/xcb.h>

namespace zu {

namespace {

// The text of a title property reply (format 8), empty for none or an error.
std::string ReplyText(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    xcb_generic_error_t* error = nullptr;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, &error);
    std::string text;
    if (reply && reply->format == 8) {
        text.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                    static_cast<size_t>(xcb_get_property_value_length(reply)));
    }
    free(reply);
    free(error);
    return text;
}

// Breadth first, one level at a time: every request of a step goes out before any reply
// is read, so a search costs a few round trips per level however many windows there are.
// With many senders searching at once (each with a window of its own under the root), a
// round trip per window made the server the bottleneck for everyone, the receiver
// included. A level is asked for _NET_WM_NAME first, then for WM_NAME where that is empty,
// and only then for its children, so the common case (the window is a top-level one with
// a _NET_WM_NAME) costs one request per top-level window. Errors (a window that went
// meanwhile) come back with the replies and skip that window.
Window Search(Display* d, const std::string& title) {
    xcb_connection_t* c = XGetXCBConnection(d);
    const auto netName = static_cast<xcb_atom_t>(XInternAtom(d, "_NET_WM_NAME", False));
    const auto utf8 = static_cast<xcb_atom_t>(XInternAtom(d, "UTF8_STRING", False));
    // The first window of level, newest first, whose title property (name, of type)
    // equals title; ask only the windows whose flag in untitled is set, and clear the
    // flag of every window that has a non-empty value.
    auto match = [&](const std::vector<xcb_window_t>& level, std::vector<bool>& untitled, xcb_atom_t name,
                     xcb_atom_t type) -> Window {
        std::vector<xcb_get_property_cookie_t> cookies(level.size());
        for (size_t i = 0; i < level.size(); ++i) {
            if (untitled[i]) cookies[i] = xcb_get_property(c, 0, level[i], name, type, 0, 1024);
        }
        Window found = 0;
        for (size_t i = 0; i < level.size(); ++i) {
            if (!untitled[i]) continue;
            const std::string text = ReplyText(c, cookies[i]);
            untitled[i] = text.empty();
            if (!found && text == title) found = level[i];
        }
        return found;
    };
    std::vector<xcb_window_t> level{static_cast<xcb_window_t>(DefaultRootWindow(d))};
    // Top-level windows sit at most a few frames below the root.
    constexpr int kDepth = 4;
    for (int depth = 0; depth <= kDepth && !level.empty(); ++depth) {
        if (depth > 0) {
            std::vector<bool> untitled(level.size(), true);
            if (Window w = match(level, untitled, netName, utf8)) return w;
            if (Window w = match(level, untitled, XCB_ATOM_WM_NAME, XCB_ATOM_STRING)) return w;
        }
        if (depth == kDepth) break;
        std::vector<xcb_query_tree_cookie_t> cookies;
        cookies.reserve(level.size());
        for (xcb_window_t w : level) cookies.push_back(xcb_query_tree(c, w));
        std::vector<xcb_window_t> next;
        for (xcb_query_tree_cookie_t cookie : cookies) {
            xcb_generic_error_t* error = nullptr;
            xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, cookie, &error);
            if (tree) {
                const xcb_window_t* children = xcb_query_tree_children(tree);
                // Newest (topmost) first.
                for (int i = xcb_query_tree_children_length(tree); i-- > 0;) next.push_back(children[i]);
            }
            free(tree);
            free(error);
        }
        level.swap(next);
    }
    return 0;
}

// Sends a client message and reports whether the server accepted it (the window exists).
// The error, if any, comes back with the check and never reaches Xlib's error handler, so
// nothing global is swapped and the check costs one round trip.
bool SendClientMessage(Display* d, Window target, const XClientMessageEvent& message) {
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = static_cast<xcb_window_t>(target);
    ev.type = static_cast<xcb_atom_t>(message.message_type);
    for (int i = 0; i < 5; ++i) ev.data.data32[i] = static_cast<uint32_t>(message.data.l[i]);
    XFlush(d);
    xcb_connection_t* c = XGetXCBConnection(d);
    const xcb_void_cookie_t cookie =
        xcb_send_event_checked(c, 0, ev.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ev));
    xcb_generic_error_t* error = xcb_request_check(c, cookie);
    const bool ok = error == nullptr;
    free(error);
    return ok;
}

}  // namespace

Window FindWindowByTitle(Display* display, const std::string& title) { return Search(display, title); }

TzuSendResult SendCopyData(Display* d, Window target, uint32_t tag, std::span<const uint8_t> bytes,
                           long& result, int timeoutMs) {
    result = 0;
    if (!target) return TzuSendResult::NoWindow;
    if (bytes.size() > kCopyDataMaxBytes) return TzuSendResult::TooLarge;
    Atom atom = XInternAtom(d, kCopyDataAtom, False);
    Atom reply = XInternAtom(d, kCopyDataReplyAtom, False);
    Window own = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(d, own, StructureNotifyMask);
    // The property's type is the protocol's own atom: the receiver reads nothing else.
    XChangeProperty(d, own, atom, atom, 8, PropModeReplace, bytes.data(), static_cast<int>(bytes.size()));
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = target;
    ev.xclient.message_type = atom;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(tag);
    ev.xclient.data.l[1] = static_cast<long>(own);
    ev.xclient.data.l[2] = static_cast<long>(atom);
    ev.xclient.data.l[3] = static_cast<long>(bytes.size());
    const bool sent = SendClientMessage(d, target, ev.xclient);
    TzuSendResult outcome = sent ? TzuSendResult::NoAnswer : TzuSendResult::NoWindow;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (sent) {
        while (XPending(d)) {
            XEvent in;
            XNextEvent(d, &in);
            if (in.type == ClientMessage && in.xclient.window == own && in.xclient.message_type == reply) {
                result = in.xclient.data.l[0];
                outcome = TzuSendResult::Answered;
                break;
            }
        }
        if (outcome == TzuSendResult::Answered) break;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                          std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd pfd{ConnectionNumber(d), POLLIN, 0};
        poll(&pfd, 1, static_cast<int>(left.count()));
    }
    XDestroyWindow(d, own);
    XFlush(d);
    return outcome;
}

bool IsCopyDataEvent(Display* d, const XEvent& event) {
    return event.type == ClientMessage && event.xclient.format == 32 &&
           event.xclient.message_type == XInternAtom(d, kCopyDataAtom, False);
}

std::optional<TzuCopyData> ReadCopyData(Display* d, const XEvent& event,
                                        const std::function<bool(Window)>& isOwnWindow) {
    if (!IsCopyDataEvent(d, event)) return std::nullopt;
    auto sender = static_cast<Window>(event.xclient.data.l[1]);
    auto prop = static_cast<Atom>(event.xclient.data.l[2]);
    auto announced = static_cast<unsigned long>(event.xclient.data.l[3]);
    const Atom atom = XInternAtom(d, kCopyDataAtom, False);
    // The message names the window and property to read, and reading deletes it: only the
    // protocol's property on someone else's window is ever touched.
    if (!sender || prop != atom || announced > kCopyDataMaxBytes) return std::nullopt;
    if (sender == event.xclient.window || (isOwnWindow && isOwnWindow(sender))) return std::nullopt;
    Atom type;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    // Lengths are in 32-bit units; ask for one more than needed to see whether the
    // property is longer than announced. Asking for the protocol's type leaves a property
    // of any other type where it is.
    long units = static_cast<long>(announced / 4 + 2);
    int status =
        XGetWindowProperty(d, sender, atom, 0, units, True, atom, &type, &format, &count, &after, &data);
    std::optional<TzuCopyData> out;
    if (status == Success && type == atom && format == 8 && count == announced && after == 0 &&
        (data || count == 0)) {
        TzuCopyData msg;
        msg.tag = static_cast<uint32_t>(event.xclient.data.l[0]);
        if (count) msg.bytes.assign(data, data + count);
        out = std::move(msg);
    }
    if (data) XFree(data);
    return out;
}

void AnswerCopyData(Display* d, const XEvent& event, long result,
                    const std::function<bool(Window)>& isOwnWindow) {
    auto sender = static_cast<Window>(event.xclient.data.l[1]);
    if (!sender || sender == event.xclient.window || (isOwnWindow && isOwnWindow(sender))) return;
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = sender;
    ev.xclient.message_type = XInternAtom(d, kCopyDataReplyAtom, False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = result;
    SendClientMessage(d, sender, ev.xclient);  // a sender that has gone needs no answer
}

}  // namespace zu
