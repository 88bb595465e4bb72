// A track's thumb dragged by real pointer input under X: in zu-view the thumb follows the
// pointer, and in a small program whose value label is wired to the track's change event
// the label comes to show the value the drag ended at.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

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

const char kTrackScene[] = R"(object Root: TzuBackground
  Width = 240
  Height = 60
  Fill.Color = '#FF2B2B2B'
  Fill.Style = zuBrushSolid
  object Track: TzuTrack
    Position.Point = '(20,20)'
    Width = 200
    Height = 15
  end
end
)";

// The track's row through the thumb's middle, in window pixels.
constexpr int kRow = 27;

class TrackDrag : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        if (std::system("command -v xdotool > /dev/null") != 0) GTEST_SKIP() << "no xdotool";
        dir = std::filesystem::temp_directory_path() / ("track_drag_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        x = XOpenDisplay(nullptr);
        ASSERT_NE(x, nullptr);
        title = "track drag " + std::to_string(getpid());
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (out >= 0) close(out);
        if (x) XCloseDisplay(x);
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }

    // Starts a program with its standard output on a pipe this test reads.
    void Start(const std::vector<std::string>& args) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            setenv("NO_AT_BRIDGE", "1", 1);
            std::vector<char*> argv;
            for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
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
        // Painted once the thumb shows.
        ASSERT_TRUE(WaitUntil([&] { return ThumbCentre() > 0; }, std::chrono::seconds(5)));
    }

    // The pixels of a window rectangle, 0xRRGGBB each.
    std::vector<uint32_t> Pixels(int left, int top, int width, int height) {
        std::vector<uint32_t> pixels;
        XImage* img = XGetImage(x, w, left, top, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
        if (!img) return pixels;
        for (int py = 0; py < height; ++py) {
            for (int px = 0; px < width; ++px) pixels.push_back(uint32_t(XGetPixel(img, px, py)) & 0xFFFFFF);
        }
        XDestroyImage(img);
        return pixels;
    }
    // The middle of the light run the thumb makes across the track's row; -1 without one.
    int ThumbCentre() {
        const std::vector<uint32_t> row = Pixels(0, kRow, 240, 1);
        int first = -1, last = -1;
        for (int i = 0; i < int(row.size()); ++i) {
            if (((row[size_t(i)] >> 16) & 0xFF) >= 0x50) {
                if (first < 0) first = i;
                last = i;
            }
        }
        return first < 0 ? -1 : (first + last + 1) / 2;
    }
    // Presses on the thumb, moves the pointer to toX in steps and releases there.
    void DragThumb(int toX) {
        const std::string id = std::to_string(w);
        const int from = ThumbCentre();
        std::string cmd = "xdotool mousemove --window " + id + " " + std::to_string(from) + " " +
                          std::to_string(kRow) + " sleep 0.1 mousedown 1";
        for (int step = 1; step <= 4; ++step) {
            const int px = from + (toX - from) * step / 4;
            cmd += " sleep 0.05 mousemove --window " + id + " " + std::to_string(px) + " " +
                   std::to_string(kRow);
        }
        cmd += " sleep 0.1 mouseup 1";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    // Everything the program has printed so far is appended to text.
    void ReadOutput(std::string& text) {
        char buf[256];
        for (ssize_t n; (n = read(out, buf, sizeof buf)) > 0;) text.append(buf, size_t(n));
    }
    void Quit() {
        ASSERT_EQ(std::system(("xdotool windowfocus --sync " + std::to_string(w) + " key Escape").c_str()),
                  0);
        int status = 0;
        ASSERT_TRUE(
            WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(5)));
        pid = -1;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    std::filesystem::path dir;
    std::string title;
    pid_t pid = -1;
    int out = -1;
    Display* x = nullptr;
    Window w = 0;
};

TEST_F(TrackDrag, TheThumbFollowsThePointerInZuView) {
    std::ofstream(dir / "track.txt") << kTrackScene;
    Start({ZU_VIEW_PATH, (dir / "track.txt").string(), "--title", title});
    EXPECT_LT(ThumbCentre(), 40);  // value 0: at the left end
    DragThumb(120);
    EXPECT_TRUE(WaitUntil([&] { return std::abs(ThumbCentre() - 120) <= 2; }, std::chrono::seconds(5)))
        << ThumbCentre();
    DragThumb(60);
    EXPECT_TRUE(WaitUntil([&] { return std::abs(ThumbCentre() - 60) <= 2; }, std::chrono::seconds(5)))
        << ThumbCentre();
    Quit();
}

TEST_F(TrackDrag, AValueLabelWiredToTheTrackShowsTheValue) {
    Start({TRACK_LABEL_PATH, title});
    const std::vector<uint32_t> before = Pixels(20, 45, 200, 20);
    // The thumb's centre follows the pointer: x 120 is 100 of the track's 200 pixels.
    DragThumb(120);
    std::string text;
    EXPECT_TRUE(WaitUntil(
        [&] {
            ReadOutput(text);
            return text.size() >= 9 && text.compare(text.size() - 9, 9, "label 50\n") == 0;
        },
        std::chrono::seconds(5)))
        << text;
    EXPECT_NE(text.find("label "), text.rfind("label "));  // it followed the drag on the way
    EXPECT_TRUE(WaitUntil([&] { return Pixels(20, 45, 200, 20) != before; }, std::chrono::seconds(5)));
    Quit();
}

}  // namespace
}  // namespace zu::test
