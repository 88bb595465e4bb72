#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include <sys/wait.h>

#include "platform/x11/copy_data.h"
#include "tests/display/display_process.h"

namespace zu::test {
namespace {

namespace fs = std::filesystem;

// A small window without blur, so the parameters' colours show as they are.
const std::vector<std::string> kParams = {"10",        "20",        "400",       "100",       "40", "1",
                                          "#FF102030", "#FF000000", "#FFBEBEBE", "#FF4DF4FF", "0",  "F"};
const uint32_t kTextRgb = 0x102030;
const uint32_t kStrokeRgb = 0x4DF4FF;
const uint32_t kPanelRgb = 0xBEBEBE;
const uint32_t kMessageTag = 53456;

TEST(QuillornDisplay, WithoutParametersReportsTheFirstAndOpensWithTheResourceLook) {
    DisplayProcess p({});
    const Window box = p.WaitForErrorBox();
    ASSERT_NE(box, 0u) << p.Stderr();
    EXPECT_EQ(p.Stderr(), "quillorn-display: Parameter N\"1\" not found!\n");
    ASSERT_TRUE(p.DismissErrorBox(box));
    const Window w = p.WaitForWindow();
    ASSERT_NE(w, 0u);
    const auto g = p.GeometryOf(w);
    EXPECT_EQ(g.x, 14);
    EXPECT_EQ(g.y, 115);
    EXPECT_EQ(g.width, 1760);
    EXPECT_EQ(g.height, 158);
    // The grey panel fills the inside; only one error was shown.
    EXPECT_TRUE(DisplayProcess::WaitUntil([&] { return p.CountColour(w, kPanelRgb) > 100000; }));
    EXPECT_EQ(p.Stderr(), "quillorn-display: Parameter N\"1\" not found!\n");
}

TEST(QuillornDisplay, ANonIntegerParameterIsReportedWithAFullStopAndTheRestKeepTheirValues) {
    std::vector<std::string> params = kParams;
    params[0] = "$10";
    params[1] = "0x20";
    params[2] = "wide";
    DisplayProcess p(params);
    const Window box = p.WaitForErrorBox();
    ASSERT_NE(box, 0u) << p.Stderr();
    EXPECT_EQ(p.Stderr(), "quillorn-display: 'wide' is not a valid integer value.\n");
    ASSERT_TRUE(p.DismissErrorBox(box));
    const Window w = p.WaitForWindow();
    ASSERT_NE(w, 0u);
    const auto g = p.GeometryOf(w);
    EXPECT_EQ(g.x, 16);
    EXPECT_EQ(g.y, 32);
    EXPECT_EQ(g.width, 1760);
    EXPECT_EQ(g.height, 158);
}

TEST(QuillornDisplay, ElevenParametersApplyAllButTheStretchFlag) {
    std::vector<std::string> params = kParams;
    params.pop_back();
    DisplayProcess p(params);
    const Window box = p.WaitForErrorBox();
    ASSERT_NE(box, 0u) << p.Stderr();
    EXPECT_EQ(p.Stderr(), "quillorn-display: Parameter N\"12\" not found!\n");
    ASSERT_TRUE(p.DismissErrorBox(box));
    const Window w = p.WaitForWindow();
    ASSERT_NE(w, 0u);
    const auto g = p.GeometryOf(w);
    EXPECT_EQ(g.x, 10);
    EXPECT_EQ(g.width, 400);
    EXPECT_TRUE(DisplayProcess::WaitUntil([&] { return p.CountColour(w, kStrokeRgb) > 400; }));
}

TEST(QuillornDisplay, MessagesAreLoggedThenShownAndOtherTagsAndShortPayloadsChangeNothing) {
    DisplayProcess p(kParams);
    const Window w = p.WaitForWindow();
    ASSERT_NE(w, 0u) << p.Stderr();
    ASSERT_TRUE(DisplayProcess::WaitUntil([&] { return p.CountColour(w, kStrokeRgb) > 400; }));
    EXPECT_EQ(p.CountColour(w, kTextRgb), 0);

    // Not for the display: answered, nothing else.
    EXPECT_EQ(p.Send(1, Payload(u"ABC", u"DEF")), 1);
    auto shortPayload = Payload(u"ABC", u"DEF");
    shortPayload.resize(79);
    EXPECT_EQ(p.Send(kMessageTag, shortPayload), 1);
    EXPECT_EQ(p.Send(kMessageTag, {}), 1);
    EXPECT_FALSE(fs::exists(p.LogFile()));

    EXPECT_EQ(p.Send(kMessageTag, Payload(u"ABC", u"DEF")), 1);
    const std::string first = "ABC                 \r\nDEF                 \r\n";
    EXPECT_EQ(p.ReadLog(), first);
    EXPECT_TRUE(DisplayProcess::WaitUntil([&] { return p.CountColour(w, kTextRgb) > 100; }));

    // NUL and characters beyond ASCII go to the log unchanged, in UTF-8 here.
    std::u16string withNul(u"a\0b", 3);
    EXPECT_EQ(p.Send(kMessageTag, Payload(withNul, u"\u00e9\u20ac\U0001F600")), 1);
    std::string second = std::string("a\0b", 3) + std::string(17, ' ') + "\r\n" +
                         "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80" + std::string(16, ' ') + "\r\n";
    EXPECT_EQ(p.ReadLog(), first + second);
    EXPECT_TRUE(p.Running());
    // Bytes beyond the two lines are no part of them.
    auto longPayload = Payload(u"x", u"y");
    longPayload.resize(200, 'Q');
    EXPECT_EQ(p.Send(kMessageTag, longPayload), 1);
    EXPECT_EQ(p.ReadLog(), first + second + "x                   \r\ny                   \r\n");
    EXPECT_EQ(p.Stderr(), "");
}

TEST(QuillornDisplay, ALogFailureIsShownAnsweredAndLeavesTheDisplayUnchanged) {
    DisplayProcess p(kParams);
    const Window w = p.WaitForWindow();
    ASSERT_NE(w, 0u) << p.Stderr();
    fs::create_directory(p.LogFile());
    // The sender waits while the error box is up.
    long answer = 0;
    std::thread sender([&] { answer = p.Send(kMessageTag, Payload(u"ABC", u"DEF"), 20000); });
    const Window box = p.WaitForErrorBox();
    EXPECT_NE(box, 0u);
    EXPECT_EQ(p.Stderr(), "quillorn-display: File access denied.\n");
    if (box) {
        EXPECT_TRUE(p.DismissErrorBox(box));
    }
    sender.join();
    EXPECT_EQ(answer, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(p.CountColour(w, kTextRgb), 0);
    // The next message is handled normally.
    fs::remove(p.LogFile());
    EXPECT_EQ(p.Send(kMessageTag, Payload(u"ABC", u"DEF")), 1);
    EXPECT_EQ(p.ReadLog(), "ABC                 \r\nDEF                 \r\n");
    EXPECT_TRUE(DisplayProcess::WaitUntil([&] { return p.CountColour(w, kTextRgb) > 100; }));
}

TEST(QuillornDisplay, AWindowNoBufferCanHoldIsShownInTheErrorBoxAndEndsTheProgram) {
    for (const auto& [width, height] : {std::pair{"40000", "100"}, std::pair{"400", "40000"}}) {
        std::vector<std::string> params = kParams;
        params[2] = width;
        params[3] = height;
        DisplayProcess p(params);
        const Window box = p.WaitForErrorBox();
        ASSERT_NE(box, 0u) << p.Stderr();
        EXPECT_EQ(p.Stderr(), "quillorn-display: Can't allocate the DIB handle.\n");
        ASSERT_TRUE(p.DismissErrorBox(box));
        ASSERT_TRUE(DisplayProcess::WaitUntil([&] { return !p.Running(); }));
        EXPECT_TRUE(WIFEXITED(p.WaitStatus()));
        EXPECT_EQ(WEXITSTATUS(p.WaitStatus()), 1);
    }
}

TEST(QuillornDisplay, AForgedMessageCannotReadOrDeleteTheWindowsOwnProperties) {
    DisplayProcess p(kParams);
    const Window w = p.WaitForWindow();
    ASSERT_NE(w, 0u) << p.Stderr();
    Display* d = p.X();
    const Atom copyData = XInternAtom(d, kCopyDataAtom, False);
    const unsigned char bytes[80] = {'X'};
    XChangeProperty(d, w, copyData, copyData, 8, PropModeReplace, bytes, 80);
    for (const Atom prop : {XInternAtom(d, "_NET_WM_NAME", False), copyData}) {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = w;
        ev.xclient.format = 32;
        ev.xclient.message_type = copyData;
        ev.xclient.data.l[0] = kMessageTag;
        ev.xclient.data.l[1] = static_cast<long>(w);
        ev.xclient.data.l[2] = static_cast<long>(prop);
        ev.xclient.data.l[3] = prop == copyData ? 80 : 15;
        XSendEvent(d, w, False, NoEventMask, &ev);
    }
    XSync(d, False);
    // A real message after them is answered, so the forged ones were handled before it.
    EXPECT_EQ(p.Send(kMessageTag, Payload(u"ABC", u"DEF")), 1);
    EXPECT_EQ(FindWindowByTitle(d, "QuillornDisplay"), w);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(d, w, copyData, 0, 40, False, AnyPropertyType, &type, &format, &count, &after, &data);
    if (data) XFree(data);
    EXPECT_EQ(count, 80u);
    EXPECT_EQ(p.ReadLog(), "ABC                 \r\nDEF                 \r\n");
}

TEST(QuillornDisplay, TheSendCommandReachesIt) {
    DisplayProcess p(kParams);
    ASSERT_NE(p.WaitForWindow(), 0u) << p.Stderr();
    const std::string cmd = std::string(QUILLORN_SEND) + " 'Hello' 'World' >/dev/null";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(p.ReadLog(), "Hello               \r\nWorld               \r\n");
}

TEST(QuillornDisplay, SnapshotWritesTheFirstFrame) {
    const fs::path out = fs::temp_directory_path() / ("zu_snapshot_" + std::to_string(::getpid()) + ".png");
    std::string cmd = std::string(QUILLORN_DISPLAY) + " --snapshot " + out.string();
    for (const auto& param : kParams) cmd += " '" + param + "'";
    EXPECT_EQ(std::system((cmd + " 2>/dev/null").c_str()), 0);
    std::string identify = "identify -format '%w %h' " + out.string() + " > " + out.string() + ".txt";
    ASSERT_EQ(std::system(identify.c_str()), 0);
    std::ifstream in(out.string() + ".txt");
    int width = 0, height = 0;
    in >> width >> height;
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 100);
    fs::remove(out);
    fs::remove(out.string() + ".txt");
}

}  // namespace
}  // namespace zu::test
