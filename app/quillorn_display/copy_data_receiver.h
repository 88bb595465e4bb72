#pragma once
// TzuCopyDataReceiver plugs the receiving end of the X11 copy-data protocol into GDK: while
// it lives, every copy-data message addressed to one of the process's windows is read,
// handed to the handler on the main loop, and answered with the handler's result. The
// program owns it and keeps it for as long as its form can receive messages.

#include <cstdint>
#include <functional>
#include <span>

namespace zu {

class TzuCopyDataReceiver {
public:
    // Xlib stays out of this header: its macros clash with names of the component layer.
    using Handler = std::function<long(uint32_t tag, std::span<const uint8_t> bytes)>;

    // Needs GDK on its X11 backend; without one it receives nothing.
    explicit TzuCopyDataReceiver(Handler handler);
    ~TzuCopyDataReceiver();
    TzuCopyDataReceiver(const TzuCopyDataReceiver&) = delete;
    TzuCopyDataReceiver& operator=(const TzuCopyDataReceiver&) = delete;

    bool Active() const { return m_active; }
    long Dispatch(uint32_t tag, std::span<const uint8_t> bytes);

private:
    Handler m_handler;
    bool m_active = false;
};

}  // namespace zu
