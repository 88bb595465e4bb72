// A tree view driven with real X pointer and key input: a click on an expander shows the
// sub-items (a click where the first one must now be selects it), the arrows and the
// keypad's plus and minus open, close and walk the tree, a double click toggles an item
// and type-ahead jumps to a row. The small program prints every selection change.

#include <gtest/gtest.h>

// Xlib names clash with the test framework's; it comes last.
#include "echo_window.h"  // NOLINT

namespace zu::test {
namespace {

// Rows are 19 high below the tree's 2-pixel frame; each level indents the expander by 19.
int RowY(int i) { return 10 + 2 + 19 * i + 9; }
int ExpanderX(int level) { return 10 + 2 + 19 * level + 9; }

class TreeWalking : public EchoWindowTest {
protected:
    void SetUp() override { Start(ZU_TREE_ECHO_PATH, 300); }
};

TEST_F(TreeWalking, ExpandersKeysKeypadAndDoubleClick) {
    Xdo("windowfocus --sync " + std::to_string(w) + " sleep 0.3");
    Xdo(At(120, RowY(0)) + "click 1");
    ASSERT_TRUE(Says("select Fruit")) << printed;
    // Fruit opens: Apple is now the second row.
    Xdo(At(ExpanderX(0), RowY(0)) + "click 1 sleep 0.2");
    Xdo(At(120, RowY(1)) + "click 1");
    ASSERT_TRUE(Says("select Apple")) << printed;

    // Right opens, then enters; Left goes up, then closes: Down then skips Cherry's rows.
    Xdo("key Down");
    EXPECT_TRUE(Says("select Cherry")) << printed;
    Xdo("key Right sleep 0.1 key Right");
    EXPECT_TRUE(Says("select Red")) << printed;
    Xdo("key Left");
    EXPECT_TRUE(Says("select Cherry")) << printed;
    Xdo("key Left sleep 0.1 key Down");
    EXPECT_TRUE(Says("select Roots")) << printed;

    // The keypad's plus opens and its minus closes.
    Xdo("key KP_Add sleep 0.1 key Down");
    EXPECT_TRUE(Says("select Carrot")) << printed;
    Xdo("key Left");
    EXPECT_TRUE(Says("select Roots")) << printed;
    Xdo("key KP_Subtract sleep 0.1 key Down");
    EXPECT_TRUE(Says("select Nuts")) << printed;

    // A double click on Fruit closes it: Roots follows it directly.
    Xdo(At(120, RowY(0)) + "click --repeat 2 --delay 80 1");
    EXPECT_TRUE(Says("select Fruit")) << printed;
    Xdo("sleep 0.2 key Down");
    EXPECT_TRUE(Says("select Roots")) << printed;
    Xdo("type n");
    EXPECT_TRUE(Says("select Nuts")) << printed;
    EXPECT_TRUE(StillRuns());
}

}  // namespace
}  // namespace zu::test
