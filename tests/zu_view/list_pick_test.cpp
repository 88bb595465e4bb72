// A list and a combo box picked from with real X pointer and key input: a click and a
// Shift-click range in the list, the combo box's list opened by a click and chosen from by
// a click, by press-drag-release, and by the keys, Escape closing it without choosing.
// The small program prints every change, so the test reads what the controls hold.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// Xlib names clash with the test framework's; it comes last.
#include <X11/Xlib.h>  // NOLINT

#include "x_window.h"  // NOLINT

namespace zu::test {
namespace {

// Rows are 19 high below the list's 2-pixel frame; the combo list opens under the box.
int ListRowY(int i) { return 10 + 2 + 19 * i + 9; }
int ComboRowY(int i) { return 33 + 2 + 19 * i + 9; }

class ListPicking : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        if (std::system("command -v xdotool > /dev/null") != 0) GTEST_SKIP() << "no xdotool";
        x = XOpenDisplay(nullptr);
        ASSERT_NE(x, nullptr);
        title = "list picking " + std::to_string(getpid());
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            setenv("NO_AT_BRIDGE", "1", 1);
            execl(ZU_LIST_ECHO_PATH, ZU_LIST_ECHO_PATH, title.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        out = fds[0];
        fcntl(out, F_SETFL, O_NONBLOCK);
        ASSERT_TRUE(WaitUntil(
            [&] {
                w = FindWindowByTitle(x, DefaultRootWindow(x), title);
                XWindowAttributes a;
                return w && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable && a.width == 340;
            },
            std::chrono::seconds(10)));
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (out >= 0) close(out);
        if (x) XCloseDisplay(x);
    }
    void Xdo(const std::string& args) { ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args; }
    std::string At(int px, int py) const {
        return "mousemove --window " + std::to_string(w) + " " + std::to_string(px) + " " +
               std::to_string(py) + " sleep 0.1 ";
    }
    // True once the program has printed this line since the last line waited for.
    bool Says(const std::string& line) {
        return WaitUntil(
            [&] {
                char buf[256];
                for (ssize_t n; (n = read(out, buf, sizeof buf)) > 0;) printed.append(buf, size_t(n));
                const size_t at = printed.find(line + "\n", seen);
                if (at == std::string::npos) return false;
                seen = at + line.size() + 1;
                return true;
            },
            std::chrono::seconds(5));
    }
    std::string title;
    std::string printed;
    size_t seen = 0;
    pid_t pid = -1;
    int out = -1;
    Display* x = nullptr;
    Window w = 0;
};

TEST_F(ListPicking, ClicksRangesAndTheComboListByPointerAndKeys) {
    Xdo("windowfocus --sync " + std::to_string(w) + " sleep 0.3");
    Xdo(At(70, ListRowY(2)) + "click 1");
    ASSERT_TRUE(Says("list 2")) << printed;
    Xdo(At(70, ListRowY(5)) + "keydown shift click 1 keyup shift");
    ASSERT_TRUE(Says("list 2,3,4,5")) << printed;

    // A click opens the combo box's list; a click on a row chooses it and closes the list.
    Xdo(At(250, 21) + "click 1");
    ASSERT_TRUE(Says("open")) << printed;
    Xdo(At(250, ComboRowY(3)) + "click 1");
    EXPECT_TRUE(Says("combo 3 Damson")) << printed;
    EXPECT_TRUE(Says("closed")) << printed;

    // Pressed on the box, dragged into the list and released over a row.
    Xdo(At(250, 21) + "mousedown 1 sleep 0.2");
    ASSERT_TRUE(Says("open")) << printed;
    Xdo(At(250, ComboRowY(1)) + "mousemove --window " + std::to_string(w) + " 251 " +
        std::to_string(ComboRowY(1)) + " sleep 0.1 mouseup 1");
    EXPECT_TRUE(Says("combo 1 Banana")) << printed;
    EXPECT_TRUE(Says("closed")) << printed;

    // The keys of the focused box: Down chooses the next; Alt+Down opens, Escape closes
    // without choosing and without ending the window.
    Xdo("key Down");
    EXPECT_TRUE(Says("combo 2 Cherry")) << printed;
    Xdo("key alt+Down");
    ASSERT_TRUE(Says("open")) << printed;
    Xdo("key Escape");
    EXPECT_TRUE(Says("closed")) << printed;
    Xdo("key End");
    EXPECT_TRUE(Says("combo 7 Honeydew")) << printed;
    EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), 0);
}

}  // namespace
}  // namespace zu::test
