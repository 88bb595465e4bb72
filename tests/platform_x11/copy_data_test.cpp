// GoogleTest goes before Xlib, whose macros (None, Bool) break it.
// clang-format off
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include <atomic>
#include <thread>

#include "platform/x11/copy_data.h"
// clang-format on

namespace zu {
namespace {

// The receiver runs on a thread of its own; Xlib must know before any connection opens.
const bool kThreadsReady = XInitThreads() != 0;

// A busy X server now and then refuses a connection made right after another closed.
Display* Open() {
    for (int i = 0; i < 20; ++i) {
        if (Display* d = XOpenDisplay(nullptr)) return d;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

// A receiving window on its own connection, answering each message with its byte count
// plus the tag, until told to stop.
class Receiver {
public:
    explicit Receiver(const std::string& title) {
        m_display = Open();
        if (!m_display) return;
        m_window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 10, 10, 0, 0, 0);
        XStoreName(m_display, m_window, title.c_str());
        XFlush(m_display);
        m_thread = std::thread([this] { Run(); });
    }
    ~Receiver() {
        if (!m_display) return;
        m_stop = true;
        m_thread.join();
        XDestroyWindow(m_display, m_window);
        XCloseDisplay(m_display);
    }
    bool Ok() const { return m_display != nullptr; }
    std::vector<TzuCopyData> received;

private:
    void Run() {
        while (!m_stop) {
            while (XPending(m_display)) {
                XEvent ev;
                XNextEvent(m_display, &ev);
                if (!IsCopyDataEvent(m_display, ev)) continue;
                auto msg = ReadCopyData(m_display, ev);
                long answer = msg ? static_cast<long>(msg->bytes.size() + msg->tag) : -1;
                if (msg) received.push_back(*msg);
                AnswerCopyData(m_display, ev, answer);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    Display* m_display = nullptr;
    Window m_window = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
};

struct CopyDataTest : ::testing::Test {
    void SetUp() override {
        if (!getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
        ASSERT_TRUE(kThreadsReady);
        sender = Open();
        ASSERT_NE(sender, nullptr);
    }
    void TearDown() override {
        if (sender) XCloseDisplay(sender);
    }
    Display* sender = nullptr;
};

TEST_F(CopyDataTest, DeliversBytesAndReturnsTheAnswer) {
    Receiver rx("CopyDataTestWindow");
    ASSERT_TRUE(rx.Ok());
    Window w = 0;
    for (int i = 0; i < 100 && !w; ++i) {
        w = FindWindowByTitle(sender, "CopyDataTestWindow");
        if (!w) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_NE(w, 0u);
    std::vector<uint8_t> payload(80);
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(i * 7);
    payload[3] = 0;  // NUL bytes travel unchanged
    long result = 0;
    ASSERT_EQ(SendCopyData(sender, w, 53456, payload, result, 3000), TzuSendResult::Answered);
    EXPECT_EQ(result, 53456 + 80);
    ASSERT_EQ(rx.received.size(), 1u);
    EXPECT_EQ(rx.received[0].tag, 53456u);
    EXPECT_EQ(rx.received[0].bytes, payload);
    // An empty payload is a message too.
    ASSERT_EQ(SendCopyData(sender, w, 1, {}, result, 3000), TzuSendResult::Answered);
    EXPECT_EQ(result, 1);
}

TEST_F(CopyDataTest, ReportsMissingWindowsAndRefusesHugePayloads) {
    EXPECT_EQ(FindWindowByTitle(sender, "No Such Window Title 12345"), 0u);
    long result = 7;
    EXPECT_EQ(SendCopyData(sender, 0, 1, {}, result, 100), TzuSendResult::NoWindow);
    EXPECT_EQ(result, 0);
    // A window id that does not exist: the send fails without killing the process.
    EXPECT_EQ(SendCopyData(sender, 0x3FFFFFF, 1, {}, result, 100), TzuSendResult::NoWindow);
    std::vector<uint8_t> huge(kCopyDataMaxBytes + 1);
    EXPECT_EQ(SendCopyData(sender, DefaultRootWindow(sender), 1, huge, result, 100), TzuSendResult::TooLarge);
}

TEST_F(CopyDataTest, ReceiverRejectsAPropertyThatDoesNotMatchTheAnnouncedSize) {
    Display* rxd = Open();
    ASSERT_NE(rxd, nullptr);
    Window own = XCreateSimpleWindow(sender, DefaultRootWindow(sender), 0, 0, 1, 1, 0, 0, 0);
    Atom atom = XInternAtom(sender, kCopyDataAtom, False);
    unsigned char bytes[40] = {};
    XChangeProperty(sender, own, atom, XA_STRING, 8, PropModeReplace, bytes, 40);
    XSync(sender, False);
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.format = 32;
    ev.xclient.message_type = XInternAtom(rxd, kCopyDataAtom, False);
    ev.xclient.data.l[0] = 53456;
    ev.xclient.data.l[1] = static_cast<long>(own);
    ev.xclient.data.l[2] = static_cast<long>(atom);
    ev.xclient.data.l[3] = 80;  // claims more than the property holds
    EXPECT_FALSE(ReadCopyData(rxd, ev).has_value());
    ev.xclient.data.l[1] = 0;
    EXPECT_FALSE(ReadCopyData(rxd, ev).has_value());
    XDestroyWindow(sender, own);
    XCloseDisplay(rxd);
}

TEST_F(CopyDataTest, AForgedMessageReadsOnlyTheProtocolsPropertyOfAnotherWindow) {
    Display* rxd = Open();
    ASSERT_NE(rxd, nullptr);
    const Window receiving = XCreateSimpleWindow(rxd, DefaultRootWindow(rxd), 0, 0, 1, 1, 0, 0, 0);
    const Window other = XCreateSimpleWindow(sender, DefaultRootWindow(sender), 0, 0, 1, 1, 0, 0, 0);
    XStoreName(rxd, receiving, "receiver title");
    XStoreName(sender, other, "sender title");
    const Atom atom = XInternAtom(sender, kCopyDataAtom, False);
    unsigned char bytes[16] = {1, 2, 3};
    XSync(rxd, False);
    auto forged = [&](Window window, Atom prop, long size) {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = receiving;
        ev.xclient.format = 32;
        ev.xclient.message_type = XInternAtom(rxd, kCopyDataAtom, False);
        ev.xclient.data.l[0] = 53456;
        ev.xclient.data.l[1] = static_cast<long>(window);
        ev.xclient.data.l[2] = static_cast<long>(prop);
        ev.xclient.data.l[3] = size;
        return ev;
    };
    auto title = [&](Window window) {
        char* name = nullptr;
        std::string text;
        if (XFetchName(rxd, window, &name) && name) text = name;
        if (name) XFree(name);
        return text;
    };
    // Another property than the protocol's, on either window: untouched.
    EXPECT_FALSE(ReadCopyData(rxd, forged(other, XA_WM_NAME, 12)).has_value());
    EXPECT_FALSE(ReadCopyData(rxd, forged(receiving, XA_WM_NAME, 14)).has_value());
    EXPECT_EQ(title(other), "sender title");
    EXPECT_EQ(title(receiving), "receiver title");
    // The protocol's property name with another type: left where it is.
    XChangeProperty(sender, other, atom, XA_STRING, 8, PropModeReplace, bytes, 16);
    XSync(sender, False);
    EXPECT_FALSE(ReadCopyData(rxd, forged(other, atom, 16)).has_value());
    // The protocol's own property on the receiving window, or on one the caller owns: not
    // read, not deleted.
    XChangeProperty(rxd, receiving, atom, atom, 8, PropModeReplace, bytes, 16);
    XSync(rxd, False);
    EXPECT_FALSE(ReadCopyData(rxd, forged(receiving, atom, 16)).has_value());
    XChangeProperty(sender, other, atom, atom, 8, PropModeReplace, bytes, 16);
    XSync(sender, False);
    EXPECT_FALSE(
        ReadCopyData(rxd, forged(other, atom, 16), [&](Window w) { return w == other; }).has_value());
    auto left = [&](Display* d, Window w) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(d, w, atom, 0, 16, False, AnyPropertyType, &type, &format, &count, &after, &data);
        if (data) XFree(data);
        return count;
    };
    EXPECT_EQ(left(rxd, receiving), 16u);
    EXPECT_EQ(left(sender, other), 16u);
    // The same property of a foreign window is the message, read once and deleted.
    auto message = ReadCopyData(rxd, forged(other, atom, 16));
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->bytes, std::vector<uint8_t>(bytes, bytes + 16));
    EXPECT_EQ(left(sender, other), 0u);
    XDestroyWindow(sender, other);
    XDestroyWindow(rxd, receiving);
    XCloseDisplay(rxd);
}

}  // namespace
}  // namespace zu
