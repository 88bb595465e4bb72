#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>

#include <X11/Xlib.h>

#include "platform/x11/copy_data.h"
#include "tests/display/display_process.h"

namespace zu::test {
namespace {

std::string Line(const char* kind, int i) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s %05d", kind, i);
    std::string s = buffer;
    s.resize(20, ' ');
    return s;
}

// Ten thousand messages in a row: every one answered and logged in order, at least 100 a
// second, and the process does not grow while it runs.
TEST(QuillornDisplaySoak, TenThousandMessages) {
    DisplayProcess p(
        {"0", "0", "400", "100", "40", "1", "#FF102030", "#FF000000", "#FFBEBEBE", "#FF4DF4FF", "30", "F"});
    ASSERT_NE(p.WaitForWindow(), 0u) << p.Stderr();
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    const Window target = FindWindowByTitle(d, "QuillornDisplay");
    ASSERT_NE(target, 0u);
    constexpr int kMessages = 10000;
    int unanswered = 0;
    long rssAt1000 = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i <= kMessages; ++i) {
        const std::string a = Line("first", i), b = Line("second", i);
        long result = 0;
        const auto outcome = SendCopyData(
            d, target, 53456, Payload(std::u16string(a.begin(), a.end()), std::u16string(b.begin(), b.end())),
            result, 5000);
        unanswered += outcome != TzuSendResult::Answered || result != 1;
        if (i == 1000) rssAt1000 = p.RssKiB();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long rssAtEnd = p.RssKiB();
    XCloseDisplay(d);
    std::printf("soak: %d messages in %.1f s (%.0f per second), VmRSS %ld KiB -> %ld KiB\n", kMessages,
                seconds, kMessages / seconds, rssAt1000, rssAtEnd);
    EXPECT_EQ(unanswered, 0);
    EXPECT_GE(kMessages / seconds, 100.0);
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer holds freed memory in quarantine, so the resident size grows with
    // every allocation; leaks are its own leak checker's job in that build.
    (void)rssAtEnd;
#else
    EXPECT_LT(rssAtEnd - rssAt1000, 1024);
#endif

    std::istringstream log(p.ReadLog());
    std::string line;
    int n = 0, outOfOrder = 0;
    while (std::getline(log, line)) {
        const int i = n / 2 + 1;
        outOfOrder += line != (n % 2 ? Line("second", i) : Line("first", i)) + "\r";
        ++n;
    }
    EXPECT_EQ(n, 2 * kMessages);
    EXPECT_EQ(outOfOrder, 0);
}

}  // namespace
}  // namespace zu::test
