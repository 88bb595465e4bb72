// Styled buttons under a real X server: xdotool's pointer hovers and presses a button in
// zu-view and its background follows the style's animations, and a click on a button
// wired in code runs the handler and ends the program with the button's modal result.

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

const char kButtonScene[] = R"(object Root: TzuBackground
  Width = 160
  Height = 80
  Fill.Color = '#FF000000'
  Fill.Style = zuBrushSolid
  object Button: TzuButton
    Position.X = 20
    Position.Y = 20
    Width = 120
    Height = 40
    Text = 'Press'
  end
end
)";

class XButtons : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        if (std::system("command -v xdotool > /dev/null") != 0) GTEST_SKIP() << "no xdotool";
        dir = std::filesystem::temp_directory_path() / ("zu_button_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        x = XOpenDisplay(nullptr);
        ASSERT_NE(x, nullptr);
        title = "zu button test " + std::to_string(getpid());
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (x) XCloseDisplay(x);
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }
    // Starts a program with its standard output in dir/out and waits for its window.
    Window Start(const std::function<void()>& exec) {
        pid = fork();
        if (pid == 0) {
            setenv("NO_AT_BRIDGE", "1", 1);
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
    // The green channel of a pixel: the style's greys have all three the same.
    int Grey(Window w, int px, int py) {
        XImage* img = XGetImage(x, w, px, py, 1, 1, AllPlanes, ZPixmap);
        if (!img) return -1;
        const int g = int((XGetPixel(img, 0, 0) >> 8) & 0xFF);
        XDestroyImage(img);
        return g;
    }
    bool Xdotool(const std::string& args) { return std::system(("xdotool " + args).c_str()) == 0; }
    bool Exited(int& status) {
        const bool done =
            WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(5));
        if (done) pid = -1;
        return done;
    }

    std::filesystem::path dir;
    std::string title;
    pid_t pid = -1;
    Display* x = nullptr;
};

TEST_F(XButtons, HoverBrightensAndPressDarkensTheButtonAsItsStyleAnimates) {
    std::ofstream(dir / "button.txt") << kButtonScene;
    const std::string scene = (dir / "button.txt").string();
    Window w =
        Start([&] { execl(ZU_VIEW_PATH, ZU_VIEW_PATH, scene.c_str(), "--title", title.c_str(), nullptr); });
    ASSERT_NE(w, 0u);
    // A point of the background near its top, clear of the caption.
    const int px = 28, py = 24;
    ASSERT_TRUE(
        WaitUntil([&] { return Grey(w, px, py) > 0x40 && Grey(w, px, py) < 0x58; }, std::chrono::seconds(5)))
        << Grey(w, px, py);
    const int rest = Grey(w, px, py);
    const std::string id = std::to_string(w);
    ASSERT_TRUE(Xdotool("mousemove --window " + id + " 150 5 mousemove --window " + id + " 60 40"));
    // 0.2 s towards #FF707070 at the top of the gradient.
    EXPECT_TRUE(WaitUntil([&] { return Grey(w, px, py) >= rest + 12; }, std::chrono::seconds(5)))
        << rest << " " << Grey(w, px, py);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const int hover = Grey(w, px, py);
    ASSERT_TRUE(Xdotool("mousedown 1"));
    // Pressed and hovered animates to #FF404040, below the resting look.
    EXPECT_TRUE(WaitUntil([&] { return Grey(w, px, py) < rest; }, std::chrono::seconds(5)))
        << rest << " " << Grey(w, px, py);
    ASSERT_TRUE(Xdotool("mouseup 1"));
    EXPECT_TRUE(WaitUntil([&] { return Grey(w, px, py) >= hover - 2; }, std::chrono::seconds(5)))
        << hover << " " << Grey(w, px, py);
    ASSERT_TRUE(Xdotool("mousemove --window " + id + " 150 75"));
    EXPECT_TRUE(WaitUntil([&] { return Grey(w, px, py) <= rest + 2; }, std::chrono::seconds(5)))
        << rest << " " << Grey(w, px, py);
}

TEST_F(XButtons, AClickRunsTheHandlerWiredInCode) {
    Window w = Start([&] { execl(ZU_BUTTON_CLICK_PATH, ZU_BUTTON_CLICK_PATH, title.c_str(), nullptr); });
    ASSERT_NE(w, 0u);
    const std::string id = std::to_string(w);
    // Wait for the first frame, then click the middle of the button.
    ASSERT_TRUE(WaitUntil([&] { return Grey(w, 30, 24) > 0x30; }, std::chrono::seconds(5)));
    ASSERT_TRUE(Xdotool("mousemove --window " + id + " 80 38 click 1"));
    int status = 0;
    ASSERT_TRUE(Exited(status));
    std::stringstream out;
    out << std::ifstream(dir / "out").rdbuf();
    EXPECT_EQ(out.str(), "clicked 1\nmodal result 1\n");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace zu::test
