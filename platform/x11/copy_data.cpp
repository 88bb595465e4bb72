#include "platform/x11/copy_data.h"

#include <chrono>
#include <cstring>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>

namespace zu {

namespace {

// X errors while talking to a window that may vanish are expected: count them instead of
// letting Xlib's default handler end the process.
int g_xErrors = 0;
int CountingHandler(Display*, XErrorEvent*) {
    ++g_xErrors;
    return 0;
}

class ErrorTrap {
public:
    explicit ErrorTrap(Display* d) : m_display(d) {
        XSync(d, False);
        g_xErrors = 0;
        m_old = XSetErrorHandler(CountingHandler);
    }
    ~ErrorTrap() {
        XSync(m_display, False);
        XSetErrorHandler(m_old);
    }
    bool Failed() {
        XSync(m_display, False);
        return g_xErrors != 0;
    }

private:
    Display* m_display;
    int (*m_old)(Display*, XErrorEvent*);
};

std::string WindowTitle(Display* d, Window w) {
    Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data && type == utf8 && format == 8) {
        title.assign(reinterpret_cast<char*>(data), count);
    }
    if (data) XFree(data);
    if (!title.empty()) return title;
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

Window Search(Display* d, Window w, const std::string& title, int depth) {
    if (depth > 0 && WindowTitle(d, w) == title) return w;
    if (depth >= 4) return 0;  // top-level windows sit at most a few frames below the root
    Window root, parent, *children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        // Newest (topmost) first.
        for (unsigned int i = n; i-- > 0 && !found;) found = Search(d, children[i], title, depth + 1);
        if (children) XFree(children);
    }
    return found;
}

}  // namespace

Window FindWindowByTitle(Display* display, const std::string& title) {
    ErrorTrap trap(display);
    Window w = Search(display, DefaultRootWindow(display), title, 0);
    return trap.Failed() && !w ? 0 : w;
}

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
    bool sent;
    {
        ErrorTrap trap(d);
        XSendEvent(d, target, False, NoEventMask, &ev);
        sent = !trap.Failed();
    }
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
    ErrorTrap trap(d);
    XSendEvent(d, sender, False, NoEventMask, &ev);
    XFlush(d);
}

}  // namespace zu
