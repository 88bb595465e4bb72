// Text boxes in zu-view under real X input: typing ASCII and non-ASCII text, the
// clipboard between two boxes, double click, a drag selection that becomes the primary
// selection, and the context menu. The results are read back through xclip from the X
// server's CLIPBOARD and PRIMARY selections.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

const char kBoxes[] = R"(object Root: TzuBackground
  Width = 240
  Height = 100
  Fill.Color = '#FF2B2B2B'
  Fill.Style = zuBrushSolid
  object First: TzuTextBox
    Position.Point = '(20,20)'
    Width = 200
    Height = 21
  end
  object Second: TzuTextBox
    Position.Point = '(20,60)'
    Width = 200
    Height = 21
  end
end
)";

class TextBoxView : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
        if (std::system("command -v xdotool > /dev/null && command -v xclip > /dev/null") != 0)
            GTEST_SKIP() << "no xdotool or xclip";
        dir = std::filesystem::temp_directory_path() / ("text_box_view_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        x = XOpenDisplay(nullptr);
        ASSERT_NE(x, nullptr);
        title = "text boxes " + std::to_string(getpid());
        std::ofstream(dir / "boxes.txt") << kBoxes;
        pid = fork();
        if (pid == 0) {
            setenv("NO_AT_BRIDGE", "1", 1);
            const std::string file = (dir / "boxes.txt").string();
            execl(ZU_VIEW_PATH, ZU_VIEW_PATH, file.c_str(), "--title", title.c_str(), nullptr);
            _exit(127);
        }
        ASSERT_TRUE(WaitUntil(
            [&] {
                w = FindWindowByTitle(x, DefaultRootWindow(x), title);
                XWindowAttributes a;
                return w && XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable;
            },
            std::chrono::seconds(10)));
        Xdo("windowfocus --sync " + Id() + " sleep 0.2");
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (x) XCloseDisplay(x);
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }
    std::string Id() const { return std::to_string(w); }
    void Xdo(const std::string& args) { ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args; }
    void ClickAt(int px, int py, int button = 1, int repeat = 1) {
        Xdo("mousemove --window " + Id() + " " + std::to_string(px) + " " + std::to_string(py) +
            " sleep 0.1 click --repeat " + std::to_string(repeat) + " --delay 80 " + std::to_string(button) +
            " sleep 0.2");
    }
    void Keys(const std::string& keys) { Xdo("key --delay 60 " + keys + " sleep 0.2"); }
    // The text of an X selection ("clipboard" or "primary"), as xclip reads it.
    static std::string Selection(const std::string& which) {
        std::string text;
        FILE* p = popen(("xclip -o -selection " + which + " 2>/dev/null").c_str(), "r");
        if (!p) return text;
        char buf[256];
        for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) text.append(buf, n);
        pclose(p);
        return text;
    }
    bool SelectionBecomes(const std::string& which, const std::string& want) {
        return WaitUntil([&] { return Selection(which) == want; }, std::chrono::seconds(5));
    }

    std::filesystem::path dir;
    std::string title;
    pid_t pid = -1;
    Display* x = nullptr;
    Window w = 0;
};

TEST_F(TextBoxView, TypingClipboardDoubleClickDragAndMenu) {
    const std::string typed = "Hello w\xC3\xB6rld \xE2\x82\xAC";  // Hello wörld €
    ClickAt(120, 30);
    Xdo("type --delay 40 '" + typed + "'");
    Keys("ctrl+a ctrl+c");
    EXPECT_TRUE(SelectionBecomes("clipboard", typed)) << Selection("clipboard");

    // Pasted into the second box, then typed after.
    ClickAt(120, 70);
    Keys("ctrl+v exclam ctrl+a ctrl+c");
    EXPECT_TRUE(SelectionBecomes("clipboard", typed + "!")) << Selection("clipboard");

    // A double click selects everything: typing replaces it.
    ClickAt(60, 70, 1, 2);
    Xdo("type Z");
    Keys("ctrl+a ctrl+c");
    EXPECT_TRUE(SelectionBecomes("clipboard", "Z")) << Selection("clipboard");

    // Dragging from the first box's left edge selects the start of its text, which
    // becomes the primary selection.
    Xdo("mousemove --window " + Id() + " 24 30 sleep 0.1 mousedown 1 sleep 0.1 mousemove --window " + Id() +
        " 40 30 sleep 0.1 mousemove --window " + Id() + " 60 30 sleep 0.1 mouseup 1 sleep 0.3");
    std::string primary;
    EXPECT_TRUE(WaitUntil(
        [&] {
            primary = Selection("primary");
            return !primary.empty() && primary.size() < typed.size() &&
                   typed.compare(0, primary.size(), primary) == 0;
        },
        std::chrono::seconds(5)))
        << primary;

    // The context menu's last entry, "Select All", then copy.
    ClickAt(120, 30, 3);
    Keys("Up Return");
    Keys("ctrl+c");
    EXPECT_TRUE(SelectionBecomes("clipboard", typed)) << Selection("clipboard");
}

}  // namespace
}  // namespace zu::test
