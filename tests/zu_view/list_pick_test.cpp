// A list and a combo box picked from with real X pointer and key input: a click and a
// Shift-click range in the list, the combo box's list opened by a click and chosen from by
// a click, by press-drag-release, and by the keys, Escape closing it without choosing.
// The small program prints every change, so the test reads what the controls hold.

#include <gtest/gtest.h>

// Xlib names clash with the test framework's; it comes last.
#include "echo_window.h"  // NOLINT

namespace zu::test {
namespace {

// Rows are 19 high below the list's 2-pixel frame; the combo list opens under the box.
int ListRowY(int i) { return 10 + 2 + 19 * i + 9; }
int ComboRowY(int i) { return 33 + 2 + 19 * i + 9; }

class ListPicking : public EchoWindowTest {
protected:
    void SetUp() override { Start(ZU_CONTROL_ECHO_PATH, 340); }
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
    EXPECT_TRUE(StillRuns());
}

}  // namespace
}  // namespace zu::test
