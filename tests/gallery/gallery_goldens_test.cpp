// The gallery, resources/gallery.txt, rendered by zu-render as a user would see it: the
// whole scene at rest, then each control family's group cut out after pointer and key
// input has hovered, pressed, focused or checked its controls. Any change to the default
// style, a control's binding of its parts or the trigger dispatch shows up here.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "scene/zu_scene/graphics/bitmap.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu::test {
namespace {

// The gallery's groups lie on a grid of 190 x 176 cells, 8 apart.
struct Cell {
    int left, top, width, height;
};
Cell GroupAt(int column, int row, int span = 1) {
    return {8 + column * 198, 8 + row * 184, 190 * span + 8 * (span - 1), 176};
}

class Gallery : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("zu_gallery_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Renders the gallery after the given input; false when zu-render fails.
    bool Render(const std::string& input, TzuBitmap& frame) {
        const std::string out = (dir / "frame.png").string();
        const std::string cmd = std::string(ZU_RENDER_PATH) + " " ZU_SOURCE_DIR "/resources/gallery.txt " +
                                out + " " + input + " 2>" + (dir / "err.txt").string();
        const int status = std::system(cmd.c_str());
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 && frame.LoadFromFile(out);
    }
    // The group at cell c of the frame against the golden of that name.
    // scale: device pixels per scene pixel of the frame.
    static ::testing::AssertionResult GroupMatches(const TzuBitmap& frame, const Cell& c,
                                                   const std::string& name, int scale = 1) {
        TzuBitmap part(c.width * scale, c.height * scale);
        for (int y = 0; y < c.height * scale; ++y) {
            const uint32_t* from = frame.ScanLine(c.top * scale + y) + c.left * scale;
            std::copy(from, from + c.width * scale, part.ScanLine(y));
        }
        return MatchesGolden(part, name);
    }

    std::filesystem::path dir;
};

TEST_F(Gallery, AtRestEveryGroupInTheDefaultStyle) {
    TzuBitmap frame;
    ASSERT_TRUE(Render("--at 600", frame));
    ASSERT_EQ(frame.Width(), 800);
    ASSERT_EQ(frame.Height(), 1480);
    EXPECT_TRUE(MatchesGolden(frame, "gallery_rest"));
}

TEST_F(Gallery, ButtonsHoveredPressedAndFocused) {
    TzuBitmap frame;
    // Pointer over "Button".
    ASSERT_TRUE(Render("--mouse 58,44 --at 600", frame));
    EXPECT_TRUE(GroupMatches(frame, GroupAt(0, 0), "gallery_buttons_hovered"));
    // "Speed" clicked (focused, its glow on), then "Round" held down.
    ASSERT_TRUE(Render("--click 58,76@0 --press 148,44@100 --at 700", frame));
    EXPECT_TRUE(GroupMatches(frame, GroupAt(0, 0), "gallery_buttons_pressed_focused"));
    // The hud buttons the same way.
    ASSERT_TRUE(Render("--click 256,260@0 --press 346,228@100 --at 700", frame));
    EXPECT_TRUE(GroupMatches(frame, GroupAt(1, 1), "gallery_hud_pressed_focused"));
}

TEST_F(Gallery, CheckAndRadioCheckedByClicks) {
    TzuBitmap frame;
    // "Not checked" becomes checked, the second radio button takes the choice from the
    // first (the hud radio button is a group of its own), the pointer rests over the path
    // check box. Then clicks uncheck the first box and the hud box, which keeps the focus.
    ASSERT_TRUE(Render("--click 240,63@0 --click 240,131@100 --mouse 240,85@200 --at 800", frame));
    EXPECT_TRUE(GroupMatches(frame, GroupAt(1, 0), "gallery_checks_checked"));
    ASSERT_TRUE(Render("--click 240,41@0 --click 258,147@100 --at 700", frame));
    EXPECT_TRUE(GroupMatches(frame, GroupAt(1, 0), "gallery_checks_unchecked"));
}

TEST_F(Gallery, TracksScrollBarsAndExpanderFollowThePointer) {
    TzuBitmap frame;
    // The scroll bar's right button held, then the pointer over the track bar's thumb.
    ASSERT_TRUE(Render("--press 555,111@0 --release 555,111@300 --mouse 504,63@400 --at 900", frame));
    EXPECT_TRUE(GroupMatches(frame, GroupAt(2, 0), "gallery_tracks_pressed_hovered"));
    // The expander's header collapses it.
    ASSERT_TRUE(Render("--click 500,226 --at 800", frame));
    EXPECT_TRUE(GroupMatches(frame, GroupAt(2, 1), "gallery_expander_collapsed"));
    // A tool button hovered.
    ASSERT_TRUE(Render("--mouse 48,313 --at 600", frame));
    EXPECT_TRUE(GroupMatches(frame, GroupAt(0, 1), "gallery_panels_hovered"));
    // The popup box hovered and the colour button pressed.
    ASSERT_TRUE(Render("--mouse 70,597@0 --press 163,612@100 --at 700", frame));
    EXPECT_TRUE(GroupMatches(frame, GroupAt(0, 3), "gallery_popups_pressed"));
}

TEST_F(Gallery, AtScaleTwoTheGroupsAreDrawnAtDeviceResolution) {
    TzuBitmap frame;
    // As ButtonsHoveredPressedAndFocused and CheckAndRadioCheckedByClicks, on a screen of
    // scale 2: the input stays in scene pixels, the frame has four times the pixels, and
    // the focus glow, the text and the one-pixel borders are drawn at that resolution.
    ASSERT_TRUE(Render("--click 58,76@0 --press 148,44@100 --at 700 --scale 2", frame));
    ASSERT_EQ(frame.Width(), 1600);
    ASSERT_EQ(frame.Height(), 2960);
    EXPECT_TRUE(GroupMatches(frame, GroupAt(0, 0), "gallery_buttons_pressed_focused_x2", 2));
    ASSERT_TRUE(Render("--click 240,63@0 --click 240,131@100 --mouse 240,85@200 --at 800 --scale 2", frame));
    EXPECT_TRUE(GroupMatches(frame, GroupAt(1, 0), "gallery_checks_checked_x2", 2));
}

}  // namespace
}  // namespace zu::test
