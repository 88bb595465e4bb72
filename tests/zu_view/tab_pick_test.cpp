// A tab control chosen from with real X pointer and key input: a click on a tab shows its
// page, and Ctrl+Tab, Ctrl+Shift+Tab and Ctrl+PageDown/PageUp move between the tabs of the
// focused control rather than moving the focus. The program names the page that shows.

#include <gtest/gtest.h>

#include <string>

// Xlib names clash with the test framework's; it comes last.
#include "echo_window.h"  // NOLINT

namespace zu::test {
namespace {

// The strip runs along the control's top edge at (10, 10); tabs are 80 wide, 20 high.
int TabX(int i) { return 10 + 80 * i + 40; }
constexpr int kTabY = 20;

class TabPicking : public EchoWindowTest {
protected:
    void SetUp() override { Start(ZU_CONTROL_ECHO_PATH, 340, "tabs"); }
};

TEST_F(TabPicking, ClicksAndCtrlKeysShowTheChosenPage) {
    Xdo("windowfocus --sync " + std::to_string(w) + " sleep 0.3");
    Xdo(At(TabX(1), kTabY) + "click 1");
    ASSERT_TRUE(Says("tab 1 Two page Page1")) << printed;
    Xdo(At(TabX(2), kTabY) + "click 1");
    ASSERT_TRUE(Says("tab 2 Three page Page2")) << printed;
    // Below the strip is the page, not a tab: nothing changes there.
    Xdo(At(TabX(0), 120) + "click 1");

    // The click focused the control; the keys move along the strip and wrap around.
    Xdo("key ctrl+Tab");
    EXPECT_TRUE(Says("tab 0 One page Page0")) << printed;
    Xdo("key ctrl+shift+Tab");
    EXPECT_TRUE(Says("tab 2 Three page Page2")) << printed;
    Xdo("key ctrl+Prior");
    EXPECT_TRUE(Says("tab 1 Two page Page1")) << printed;
    Xdo("key ctrl+Next");
    EXPECT_TRUE(Says("tab 2 Three page Page2")) << printed;
    EXPECT_EQ(printed.find("tab 0", seen), std::string::npos) << printed;
    EXPECT_TRUE(StillRuns());
}

}  // namespace
}  // namespace zu::test
