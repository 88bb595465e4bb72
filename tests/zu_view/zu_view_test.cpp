// zu-view as a user runs it: usage and failure exits, and under X a live window where a
// real pointer move lights the hover effect of the object under it and Escape, a key no
// object takes, ends the program.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Xlib names clash with the test framework's; it comes last.
#include <X11/Xlib.h>   // NOLINT
#include <X11/Xutil.h>  // NOLINT

#include "x_window.h"  // NOLINT

namespace zu::test {
namespace {

const char kHoverScene[] = R"(object Root: TzuBackground
  Width = 120
  Height = 80
  HitTest = False
  Fill.Color = '#FF000000'
  Fill.Style = zuBrushSolid
  object Box: TzuBackground
    Position.X = 20
    Position.Y = 20
    Width = 40
    Height = 40
    Fill.Color = '#FFFFFFFF'
    Fill.Style = zuBrushSolid
    object Glow: TzuInnerGlowEffect
      Trigger = 'IsMouseOver=true'
      Enabled = False
      GlowColor = '#FFFF0000'
    end
  end
end
)";

class ZuView : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("zu_view_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "hover.txt") << kHoverScene;
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (x) XCloseDisplay(x);
        std::filesystem::remove_all(dir);
    }

    // Runs zu-view to its end with args; the exit status, standard error in err.
    int Run(const std::string& args, std::string& err, const std::string& env = "") {
        const std::string cmd =
            env + " " + ZU_VIEW_PATH + " " + args + " >/dev/null 2>" + (dir / "err").string();
        const int status = std::system(cmd.c_str());
        std::stringstream s;
        s << std::ifstream(dir / "err").rdbuf();
        err = s.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    uint32_t Pixel(Window w, int px, int py) {
        XImage* img = XGetImage(x, w, px, py, 1, 1, AllPlanes, ZPixmap);
        if (!img) return 0xDEADBEEF;
        const uint32_t p = uint32_t(XGetPixel(img, 0, 0)) & 0xFFFFFF;
        XDestroyImage(img);
        return p;
    }

    static ino_t Inode(const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
    }

    bool Exited(int& status) {
        return WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(5));
    }

    std::filesystem::path dir;
    pid_t pid = -1;
    Display* x = nullptr;
};

TEST_F(ZuView, CommandLineFollowsTheExitRule) {
    std::string err;
    EXPECT_EQ(Run("--help", err), 0);
    EXPECT_EQ(Run("--version", err), 0);
    EXPECT_EQ(Run("", err), 2);
    EXPECT_EQ(err.rfind("zu-view: no scene file\nUsage: zu-view", 0), 0u) << err;
    EXPECT_EQ(Run("a b", err), 2);
    EXPECT_EQ(Run((dir / "hover.txt").string() + " --size 0x10", err), 2);
    EXPECT_EQ(Run((dir / "hover.txt").string() + " --size 20000x20000", err), 2);
    EXPECT_EQ(Run((dir / "hover.txt").string() + " --frobnicate", err), 2);
    EXPECT_EQ(Run((dir / "hover.txt").string() + " --title", err), 2);
    // Runtime failures: one line, status 1.
    EXPECT_EQ(Run((dir / "missing.txt").string(), err), 1);
    EXPECT_EQ(err, "zu-view: " + (dir / "missing.txt").string() + ": No such file or directory\n");
    std::ofstream(dir / "broken.txt") << "object X: TzuNoSuchClass\nend\n";
    EXPECT_EQ(Run((dir / "broken.txt").string(), err), 1);
    EXPECT_NE(err.find("does not load"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(Run((dir / "hover.txt").string(), err, "env -u DISPLAY"), 1);
    EXPECT_EQ(err, "zu-view: cannot open the display\n");
}

TEST_F(ZuView, PointerLightsTheHoveredObjectAndEscapeEndsTheProgram) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    if (std::system("command -v xdotool > /dev/null") != 0) GTEST_SKIP() << "no xdotool";
    x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    const std::string title = "zu-view test " + std::to_string(getpid());
    const std::string scene = (dir / "hover.txt").string();
    pid = fork();
    if (pid == 0) {
        setenv("NO_AT_BRIDGE", "1", 1);
        execl(ZU_VIEW_PATH, ZU_VIEW_PATH, scene.c_str(), "--title", title.c_str(), "--size", "160x100",
              nullptr);
        _exit(127);
    }
    Window w = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            w = FindWindowByTitle(x, DefaultRootWindow(x), title);
            XWindowAttributes a;
            return w && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable && a.width == 160;
        },
        std::chrono::seconds(10)));
    ASSERT_TRUE(WaitUntil([&] { return Pixel(w, 21, 40) == 0xFFFFFF; }, std::chrono::seconds(5)))
        << std::hex << Pixel(w, 21, 40);

    const std::string id = std::to_string(w);
    ASSERT_EQ(
        std::system(
            ("xdotool mousemove --window " + id + " 90 10 mousemove --window " + id + " 40 40").c_str()),
        0);
    EXPECT_TRUE(WaitUntil([&] { return Pixel(w, 21, 40) != 0xFFFFFF; }, std::chrono::seconds(5)));
    const uint32_t lit = Pixel(w, 21, 40);
    EXPECT_EQ(lit >> 16, 0xFFu) << std::hex << lit;
    ASSERT_EQ(std::system(("xdotool mousemove --window " + id + " 100 70").c_str()), 0);
    EXPECT_TRUE(WaitUntil([&] { return Pixel(w, 21, 40) == 0xFFFFFF; }, std::chrono::seconds(5)));

    ASSERT_EQ(std::system(("xdotool windowfocus --sync " + id + " key Escape").c_str()), 0);
    int status = 0;
    ASSERT_TRUE(Exited(status));
    pid = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST_F(ZuView, DesignSavesWithCtrlSInTheFormItWasReadAndUnchangedFilesStayByteForByte) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    if (std::system("command -v xdotool > /dev/null") != 0) GTEST_SKIP() << "no xdotool";
    x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    const std::string scene = (dir / "hover.txt").string();
    auto read = [&] {
        std::stringstream s;
        s << std::ifstream(scene, std::ios::binary).rdbuf();
        return s.str();
    };
    // Each round designs the file, saves it with Ctrl+S and closes: the first save writes
    // it in the library's own text, the second changes nothing.
    std::string saved[2];
    for (std::string& text : saved) {
        pid = fork();
        if (pid == 0) {
            setenv("NO_AT_BRIDGE", "1", 1);
            execl(ZU_VIEW_PATH, ZU_VIEW_PATH, "--design", scene.c_str(), nullptr);
            _exit(127);
        }
        Window w = 0;
        ASSERT_TRUE(WaitUntil(
            [&] {
                w = FindWindowByTitle(x, DefaultRootWindow(x), "hover.txt");
                XWindowAttributes a;
                return w && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable;
            },
            std::chrono::seconds(10)));
        const ino_t before = Inode(scene);
        const std::string id = std::to_string(w);
        // Undo with no step done changes nothing; the save renames a new file over the old.
        ASSERT_EQ(std::system(("xdotool windowfocus --sync " + id + " key ctrl+z key ctrl+s").c_str()), 0);
        ASSERT_TRUE(WaitUntil([&] { return Inode(scene) != before; }, std::chrono::seconds(5)));
        text = read();
        ASSERT_EQ(std::system(("xdotool windowfocus --sync " + id + " key Escape").c_str()), 0);
        int status = 0;
        ASSERT_TRUE(Exited(status));
        pid = -1;
    }
    EXPECT_EQ(saved[0].rfind("object Root: TzuBackground\r\n", 0), 0u) << saved[0];
    EXPECT_NE(saved[0].find("object Glow: TzuInnerGlowEffect"), std::string::npos) << saved[0];
    EXPECT_EQ(saved[1], saved[0]);
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

}  // namespace
}  // namespace zu::test
