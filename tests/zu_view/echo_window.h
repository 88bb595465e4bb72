#pragma once
// A test that starts one of the small echo programs (a window whose controls print every
// change on standard output), waits for its window, drives it with xdotool and reads back
// what it printed. Include it after the test framework: Xlib's macros break its headers.

#include <chrono>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "x_window.h"  // NOLINT

namespace zu::test {

class EchoWindowTest : public ::testing::Test {
protected:
    // Runs program with a unique title as its argument (and the kind of window to show,
    // when given) and waits until its window of the given width is viewable.
    void Start(const char* program, int width, const char* kind = nullptr) {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        if (std::system("command -v xdotool > /dev/null") != 0) GTEST_SKIP() << "no xdotool";
        x = XOpenDisplay(nullptr);
        ASSERT_NE(x, nullptr);
        title = std::string(program) + " " + std::to_string(getpid());
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            setenv("NO_AT_BRIDGE", "1", 1);
            // Without a kind the list ends after the title.
            execl(program, program, title.c_str(), kind, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        out = fds[0];
        fcntl(out, F_SETFL, O_NONBLOCK);
        ASSERT_TRUE(WaitUntil(
            [&] {
                w = FindWindowByTitle(x, DefaultRootWindow(x), title);
                XWindowAttributes a;
                return w && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable && a.width == width;
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
    // The xdotool words that move the pointer to (px, py) in the window and let it settle.
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
    bool StillRuns() const { return waitpid(pid, nullptr, WNOHANG) == 0; }

    std::string title;
    std::string printed;
    size_t seen = 0;
    pid_t pid = -1;
    int out = -1;
    Display* x = nullptr;
    Window w = 0;
};

}  // namespace zu::test
