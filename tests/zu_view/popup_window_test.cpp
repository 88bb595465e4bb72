// A popup under a real X server: its window appears where its placement puts it (as
// xdotool reads the geometry), a press outside closes it, and no window of the program
// stays mapped once it has gone.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// Xlib names clash with the test framework's; it comes last.
#include <X11/Xlib.h>  // NOLINT

#include "x_window.h"  // NOLINT

namespace zu::test {
namespace {

class XPopup : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        if (std::system("command -v xdotool > /dev/null") != 0) GTEST_SKIP() << "no xdotool";
        dir = std::filesystem::temp_directory_path() / ("zu_popup_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        x = XOpenDisplay(nullptr);
        ASSERT_NE(x, nullptr);
        title = "zu popup test " + std::to_string(getpid());
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (x) XCloseDisplay(x);
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }
    bool Viewable(const std::string& name, Window* out = nullptr) {
        Window w = FindWindowByTitle(x, DefaultRootWindow(x), name);
        XWindowAttributes a;
        const bool shown = w && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable;
        if (out) *out = shown ? w : 0;
        return shown;
    }
    std::string Run(const std::string& command) {
        std::string out;
        if (FILE* p = popen(command.c_str(), "r")) {
            char buf[256];
            while (fgets(buf, sizeof buf, p)) out += buf;
            pclose(p);
        }
        return out;
    }
    std::string Output() {
        std::stringstream s;
        s << std::ifstream(dir / "out").rdbuf();
        return s.str();
    }

    std::filesystem::path dir;
    std::string title;
    pid_t pid = -1;
    Display* x = nullptr;
};

TEST_F(XPopup, OpensBelowItsTargetAndClosesOnAPressOutside) {
    pid = fork();
    if (pid == 0) {
        setenv("NO_AT_BRIDGE", "1", 1);
        if (!freopen((dir / "out").c_str(), "w", stdout)) _exit(126);
        execl(ZU_POPUP_WINDOW_PATH, ZU_POPUP_WINDOW_PATH, title.c_str(), nullptr);
        _exit(127);
    }
    Window main = 0;
    ASSERT_TRUE(WaitUntil([&] { return Viewable(title, &main); }, std::chrono::seconds(10)));
    const std::string id = std::to_string(main);
    // The button's middle, after the first frame.
    ASSERT_TRUE(
        WaitUntil([&] { return Run("xdotool getwindowgeometry " + id).find("300x200") != std::string::npos; },
                  std::chrono::seconds(5)));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_EQ(std::system(("xdotool mousemove --window " + id + " 90 45 click 1").c_str()), 0);

    Window popup = 0;
    ASSERT_TRUE(WaitUntil([&] { return Viewable(title + " popup", &popup); }, std::chrono::seconds(5)))
        << Output();
    // The form's client area is at (100, 80); the button at (40, 30) and 30 high: the popup
    // hangs from the button's bottom-left corner, at its own size.
    int mx = 0, my = 0;
    Window child;
    XTranslateCoordinates(x, main, DefaultRootWindow(x), 0, 0, &mx, &my, &child);
    std::string geometry;
    const std::string expectedPosition =
        "Position: " + std::to_string(mx + 40) + "," + std::to_string(my + 60);
    EXPECT_TRUE(WaitUntil(
        [&] {
            geometry = Run("xdotool getwindowgeometry " + std::to_string(popup));
            return geometry.find(expectedPosition) != std::string::npos;
        },
        std::chrono::seconds(5)))
        << geometry << " expected " << expectedPosition;
    EXPECT_NE(geometry.find("Geometry: 120x60"), std::string::npos) << geometry;

    // A press on the desktop, outside both windows, closes the popup.
    ASSERT_EQ(std::system("xdotool mousemove 20 20 click 1"), 0);
    EXPECT_TRUE(WaitUntil([&] { return !Viewable(title + " popup"); }, std::chrono::seconds(5)));
    EXPECT_TRUE(WaitUntil([&] { return Output() == "opened\nclosed\n"; }, std::chrono::seconds(5)))
        << Output();
    EXPECT_TRUE(Viewable(title));

    // Escape over the main window ends the program; nothing of it stays mapped.
    ASSERT_EQ(std::system(("xdotool mousemove --window " + id + " 250 150 key Escape").c_str()), 0);
    int status = 0;
    ASSERT_TRUE(WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(5)));
    pid = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(Viewable(title));
    EXPECT_FALSE(Viewable(title + " popup"));
}

}  // namespace
}  // namespace zu::test
