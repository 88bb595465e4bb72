// The mouse wheel under X: in zu-view, wheel notches over a scroll box glide its content
// up, bringing rows that were below the viewport into view.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// Xlib names clash with the test framework's; it comes last.
#include <X11/Xlib.h>   // NOLINT
#include <X11/Xutil.h>  // NOLINT

#include "x_window.h"  // NOLINT

namespace zu::test {
namespace {

// A red block at the top of the content and a green one starting 300 below it.
const char kScrollScene[] = R"(object Root: TzuBackground
  Width = 240
  Height = 160
  Fill.Color = '#FF2B2B2B'
  Fill.Style = zuBrushSolid
  object Box: TzuScrollBox
    Position.Point = '(20,20)'
    Width = 200
    Height = 120
    object Top: TzuRectangle
      Width = 150
      Height = 300
      Fill.Color = '#FFD02020'
    end
    object Below: TzuRectangle
      Position.Point = '(0,300)'
      Width = 150
      Height = 300
      Fill.Color = '#FF20D020'
    end
  end
end
)";

TEST(ScrollWheel, WheelNotchesScrollTheBoxInZuView) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    if (std::system("command -v xdotool > /dev/null") != 0) GTEST_SKIP() << "no xdotool";
    const auto dir =
        std::filesystem::temp_directory_path() / ("scroll_wheel_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "box.txt") << kScrollScene;
    const std::string title = "scroll wheel " + std::to_string(getpid());
    Display* x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("NO_AT_BRIDGE", "1", 1);
        const std::string scene = (dir / "box.txt").string();
        execl(ZU_VIEW_PATH, ZU_VIEW_PATH, scene.c_str(), "--title", title.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    Window w = 0;
    // The pixel in the box's upper left, 0xRRGGBB.
    auto probe = [&]() -> uint32_t {
        XImage* img = XGetImage(x, w, 40, 40, 1, 1, AllPlanes, ZPixmap);
        if (!img) return 0;
        const uint32_t p = uint32_t(XGetPixel(img, 0, 0)) & 0xFFFFFF;
        XDestroyImage(img);
        return p;
    };
    auto red = [](uint32_t p) { return (p >> 16) > 0xA0 && ((p >> 8) & 0xFF) < 0x60; };
    auto green = [](uint32_t p) { return ((p >> 8) & 0xFF) > 0xA0 && (p >> 16) < 0x60; };
    EXPECT_TRUE(WaitUntil(
        [&] {
            w = FindWindowByTitle(x, DefaultRootWindow(x), title);
            XWindowAttributes a;
            return w && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable && red(probe());
        },
        std::chrono::seconds(10)));
    if (w) {
        // Three fifths of the 120-pixel viewport a notch: six notches pass the 300 mark.
        const std::string cmd = "xdotool mousemove --window " + std::to_string(w) +
                                " 60 60 sleep 0.1 click --repeat 6 --delay 60 5";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        EXPECT_TRUE(WaitUntil([&] { return green(probe()); }, std::chrono::seconds(5)))
            << std::hex << probe();
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(x);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace zu::test
