// A memo typed into with real X key and pointer input: several lines with Enter, a drag
// selection across lines, a double click on a word, undo and redo. The small program
// prints the memo's text after every change, so the test reads what the memo holds.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// Xlib names clash with the test framework's; it comes last.
#include <X11/Xlib.h>  // NOLINT

#include "x_window.h"  // NOLINT

namespace zu::test {
namespace {

class MemoTyping : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        if (std::system("command -v xdotool > /dev/null") != 0) GTEST_SKIP() << "no xdotool";
        x = XOpenDisplay(nullptr);
        ASSERT_NE(x, nullptr);
        title = "memo typing " + std::to_string(getpid());
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            setenv("NO_AT_BRIDGE", "1", 1);
            execl(ZU_MEMO_ECHO_PATH, ZU_MEMO_ECHO_PATH, title.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        out = fds[0];
        fcntl(out, F_SETFL, O_NONBLOCK);
        ASSERT_TRUE(WaitUntil(
            [&] {
                w = FindWindowByTitle(x, DefaultRootWindow(x), title);
                XWindowAttributes a;
                return w && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable && a.width == 240;
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
    std::string Id() const { return std::to_string(w); }
    // True once the memo has printed exactly this text as its latest.
    bool Shows(const std::string& text) {
        return WaitUntil(
            [&] {
                char buf[256];
                for (ssize_t n; (n = read(out, buf, sizeof buf)) > 0;) printed.append(buf, size_t(n));
                const std::string line = "text " + text + "\n";
                return printed.size() >= line.size() &&
                       printed.compare(printed.size() - line.size(), line.size(), line) == 0;
            },
            std::chrono::seconds(5));
    }

    std::string title;
    std::string printed;
    pid_t pid = -1;
    int out = -1;
    Display* x = nullptr;
    Window w = 0;
};

TEST_F(MemoTyping, LinesSelectionWordsAndUndoFromRealInput) {
    // Focus by a click into the text, then several lines with Enter.
    Xdo("mousemove --window " + Id() + " 120 80 sleep 0.1 click 1 sleep 0.1");
    Xdo("windowfocus --sync " + Id() + " type --delay 20 'first line'");
    Xdo("key --window " + Id() + " Return");
    Xdo("type --delay 20 'second'");
    Xdo("key Return");
    Xdo("type --delay 20 'third'");
    ASSERT_TRUE(Shows("first line\\nsecond\\nthird")) << printed;

    // A drag from the start of the first row to the far right of the second selects both
    // lines; typing replaces them.
    Xdo("mousemove --window " + Id() + " 12 19 sleep 0.1 mousedown 1 sleep 0.1 mousemove --window " + Id() +
        " 100 34 sleep 0.1 mousemove --window " + Id() + " 210 34 sleep 0.1 mouseup 1");
    Xdo("type --delay 20 'X'");
    EXPECT_TRUE(Shows("X\\nthird")) << printed;

    // A double click selects the word under the pointer.
    Xdo("mousemove --window " + Id() + " 30 34 sleep 0.1 click --repeat 2 --delay 80 1 sleep 0.1");
    Xdo("type --delay 20 'Y'");
    EXPECT_TRUE(Shows("X\\nY")) << printed;

    Xdo("key ctrl+z");
    EXPECT_TRUE(Shows("X\\nthird")) << printed;
    Xdo("key ctrl+shift+z");
    EXPECT_TRUE(Shows("X\\nY")) << printed;

    Xdo("key Escape");
    int status = 0;
    ASSERT_TRUE(WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(5)));
    pid = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace zu::test
