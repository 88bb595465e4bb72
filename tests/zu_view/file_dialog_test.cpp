// The image control's file dialog under a real X server: a click opens it as a dialog of
// the viewer's window (transient for it), Escape closes it without choosing, and the
// viewer has the keyboard again: the next Escape, a key no object takes, ends zu-view.
// Without a session bus the viewer starts and runs the dialog without settings warnings.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// Xlib names clash with the test framework's; it comes last.
#include <X11/Xlib.h>   // NOLINT
#include <X11/Xutil.h>  // NOLINT

#include "x_window.h"  // NOLINT

namespace zu::test {
namespace {

const char kImageScene[] = R"(object Root: TzuBackground
  Width = 200
  Height = 140
  Fill.Color = '#FF2B2B2B'
  Fill.Style = zuBrushSolid
  object Picture: TzuImageControl
    Position.X = 20
    Position.Y = 20
    Width = 160
    Height = 100
  end
end
)";

class FileDialog : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        if (std::system("command -v xdotool > /dev/null") != 0) GTEST_SKIP() << "no xdotool";
        x = XOpenDisplay(nullptr);
        ASSERT_NE(x, nullptr);
        dir = std::filesystem::temp_directory_path() / ("zu_file_dialog_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        const std::string scene = (dir / "image.txt").string();
        std::ofstream(scene) << kImageScene;
        title = "file dialog " + std::to_string(getpid());
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], 2);
            close(fds[0]);
            close(fds[1]);
            // No session bus, and nothing set by hand: the program chooses for itself.
            unsetenv("DBUS_SESSION_BUS_ADDRESS");
            unsetenv("NO_AT_BRIDGE");
            unsetenv("GSETTINGS_BACKEND");
            setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
            setenv("HOME", dir.c_str(), 1);
            execl(ZU_VIEW_PATH, ZU_VIEW_PATH, scene.c_str(), "--title", title.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        err = fds[0];
        fcntl(err, F_SETFL, O_NONBLOCK);
        ASSERT_TRUE(WaitUntil(
            [&] {
                w = FindWindowByTitle(x, DefaultRootWindow(x), title);
                XWindowAttributes a;
                return w && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable;
            },
            std::chrono::seconds(10)));
    }
    void TearDown() override {
        if (pid > 0 && !ended) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (err >= 0) close(err);
        if (x) XCloseDisplay(x);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    void Xdo(const std::string& args) { ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args; }
    // Everything the program wrote to its error stream so far.
    const std::string& Errors() {
        char buf[512];
        for (ssize_t n; (n = read(err, buf, sizeof buf)) > 0;) errors.append(buf, size_t(n));
        return errors;
    }
    // The mapped dialog window titled "Open", or 0.
    Window OpenDialog() {
        const Window d = FindWindowByTitle(x, DefaultRootWindow(x), "Open");
        XWindowAttributes a;
        return d && XGetWindowAttributes(x, d, &a) && a.map_state == IsViewable ? d : 0;
    }
    bool Exited() {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) != pid) return false;
        ended = true;
        exitStatus = status;
        return true;
    }

    std::filesystem::path dir;
    std::string title;
    std::string errors;
    pid_t pid = -1;
    int err = -1;
    bool ended = false;
    int exitStatus = 0;
    Display* x = nullptr;
    Window w = 0;
};

TEST_F(FileDialog, BelongsToTheViewerAndGivesTheKeyboardBack) {
    const std::string id = std::to_string(w);
    Xdo("windowfocus --sync " + id + " sleep 0.2 mousemove --window " + id + " 100 70 sleep 0.1 click 1");
    Window dialog = 0;
    ASSERT_TRUE(WaitUntil([&] { return (dialog = OpenDialog()) != 0; }, std::chrono::seconds(10)))
        << Errors();

    // The dialog is transient for the viewer's top-level window.
    Window owner = 0;
    ASSERT_TRUE(WaitUntil([&] { return XGetTransientForHint(x, dialog, &owner) && owner != 0; },
                          std::chrono::seconds(5)));
    EXPECT_EQ(owner, w);

    // Escape cancels the dialog; the viewer lives on.
    Xdo("windowfocus --sync " + std::to_string(dialog) + " sleep 0.3 key Escape");
    ASSERT_TRUE(WaitUntil([&] { return OpenDialog() == 0; }, std::chrono::seconds(5)));
    EXPECT_FALSE(Exited());

    // The keyboard is the viewer's again without anyone focusing it: Escape ends it.
    Xdo("sleep 0.3 key Escape");
    ASSERT_TRUE(WaitUntil([&] { return Exited(); }, std::chrono::seconds(5))) << Errors();
    EXPECT_TRUE(WIFEXITED(exitStatus));
    EXPECT_EQ(WEXITSTATUS(exitStatus), 0);

    // Nothing on the terminal: no settings or accessibility warnings, no GTK criticals.
    EXPECT_EQ(Errors(), "");
}

}  // namespace
}  // namespace zu::test
