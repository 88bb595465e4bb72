// Scenes on an X screen whose desktop doubles everything (GDK_SCALE=2): the window has
// twice the pixels per side, a one-pixel line lies on two whole device rows instead of a
// stretched blur over three or four, and a real click at device pixels lands on the
// control under it in scene units. zu-view's --scale turns bad values away with one line.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// Xlib names clash with the test framework's; it comes last.
#include <X11/Xlib.h>   // NOLINT
#include <X11/Xutil.h>  // NOLINT

#include "x_window.h"  // NOLINT

namespace zu::test {
namespace {

// White on black: a line drawn along y = 10 (its box starts half its width above).
const char kLineScene[] = R"(object Root: TzuBackground
  Width = 160
  Height = 60
  Fill.Color = '#FF000000'
  Fill.Style = zuBrushSolid
  object Rule: TzuLine
    Position.X = 10
    Position.Y = 9.5
    Width = 140
    Height = 1
    LineType = zuLineHorizontal
    Stroke.Color = '#FFFFFFFF'
  end
end
)";

class XDenseScreen : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("zu_dense_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        title = "zu dense test " + std::to_string(getpid());
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (x) XCloseDisplay(x);
        std::filesystem::remove_all(dir);
    }
    bool NeedX() {
        if (!std::getenv("DISPLAY") || std::system("command -v xdotool > /dev/null") != 0) return false;
        x = XOpenDisplay(nullptr);
        return x != nullptr;
    }
    // Starts a program on a screen of scale 2, standard output in dir/out; its window.
    Window Start(const std::function<void()>& exec) {
        pid = fork();
        if (pid == 0) {
            setenv("NO_AT_BRIDGE", "1", 1);
            setenv("GDK_SCALE", "2", 1);
            if (!freopen((dir / "out").c_str(), "w", stdout)) _exit(126);
            exec();
            _exit(127);
        }
        Window w = 0;
        WaitUntil(
            [&] {
                w = FindWindowByTitle(x, DefaultRootWindow(x), title);
                XWindowAttributes a;
                return w && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable;
            },
            std::chrono::seconds(10));
        return w;
    }
    int Width(Window w) {
        XWindowAttributes a;
        return XGetWindowAttributes(x, w, &a) ? a.width : -1;
    }
    // The green channels of the column at px from row top on, count rows.
    std::string Column(Window w, int px, int top, int count) {
        XImage* img = XGetImage(x, w, px, top, 1, unsigned(count), AllPlanes, ZPixmap);
        if (!img) return "";
        std::string out;
        for (int i = 0; i < count; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02x ", unsigned((XGetPixel(img, 0, i) >> 8) & 0xFF));
            out += hex;
        }
        XDestroyImage(img);
        return out;
    }

    std::filesystem::path dir;
    std::string title;
    pid_t pid = -1;
    Display* x = nullptr;
};

TEST_F(XDenseScreen, AOnePixelLineIsTwoSharpDeviceRows) {
    if (!NeedX()) GTEST_SKIP() << "no X display or no xdotool";
    std::ofstream(dir / "line.txt") << kLineScene;
    const std::string scene = (dir / "line.txt").string();
    Window w =
        Start([&] { execl(ZU_VIEW_PATH, ZU_VIEW_PATH, scene.c_str(), "--title", title.c_str(), nullptr); });
    ASSERT_NE(w, 0u);
    EXPECT_EQ(Width(w), 320);
    // Device rows 17 to 22 across the line: black, black, white, white, black, black.
    const std::string sharp = "00 00 ff ff 00 00 ";
    EXPECT_TRUE(WaitUntil([&] { return Column(w, 100, 17, 6) == sharp; }, std::chrono::seconds(5)))
        << Column(w, 100, 17, 6);
    EXPECT_EQ(Column(w, 250, 17, 6), sharp);
}

TEST_F(XDenseScreen, AClickAtDevicePixelsLandsOnTheButtonInSceneUnits) {
    if (!NeedX()) GTEST_SKIP() << "no X display or no xdotool";
    Window w = Start([&] { execl(ZU_BUTTON_CLICK_PATH, ZU_BUTTON_CLICK_PATH, title.c_str(), nullptr); });
    ASSERT_NE(w, 0u);
    ASSERT_EQ(Width(w), 400);
    const std::string id = std::to_string(w);
    // Scene point (30, 70) is below the button (20..140 x 20..56): nothing happens. Device
    // point (160, 76) is scene point (80, 38), the button's middle.
    ASSERT_TRUE(WaitUntil([&] { return !Column(w, 60, 48, 1).empty(); }, std::chrono::seconds(5)));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_EQ(std::system(("xdotool mousemove --window " + id + " 60 140 click 1").c_str()), 0);
    ASSERT_EQ(std::system(("xdotool mousemove --window " + id + " 160 76 click 1").c_str()), 0);
    int status = 0;
    ASSERT_TRUE(WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(5)));
    pid = -1;
    std::stringstream out;
    out << std::ifstream(dir / "out").rdbuf();
    EXPECT_EQ(out.str(), "clicked 1\nmodal result 1\n");
}

TEST_F(XDenseScreen, ZuViewRefusesABadScaleWithOneLine) {
    for (const char* bad : {"0", "5", "1.5", "two"}) {
        const std::string cmd =
            std::string(ZU_VIEW_PATH) + " x.txt --scale " + bad + " 2>" + (dir / "err").string();
        const int status = std::system(cmd.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << bad;
        std::ifstream in(dir / "err");
        std::string first;
        std::getline(in, first);
        EXPECT_EQ(first, "zu-view: --scale wants a whole number from 1 to 4") << bad;
    }
}

}  // namespace
}  // namespace zu::test
