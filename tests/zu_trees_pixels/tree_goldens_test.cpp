// Tree views as they paint in the default style: three levels expanded with the selection
// highlight, the same tree collapsed, and one with check boxes.

#include <gtest/gtest.h>

#include "../zu_controls/hosted_scene.h"
#include "scene/zu_trees/tree_view.h"
#include "scene/zu_trees/tree_view_item.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu::test {
namespace {

class TreeGoldens : public HostedScene {
protected:
    TzuTreeView* MakeTree(float x) {
        auto* tree = Add<TzuTreeView>(x, 10);
        tree->SetBounds(x, 10, 150, 150);
        const char16_t* tops[] = {u"Fruit", u"Vegetables", u"Nuts"};
        for (const char16_t* t : tops) {
            auto* top = Node(nullptr, tree, t);
            auto* mid = Node(top, tree, u"Kind");
            Node(mid, tree, u"Early");
            Node(mid, tree, u"Late");
            Node(top, tree, u"Other");
        }
        return tree;
    }
    static TzuTreeViewItem* Node(TzuTreeViewItem* parent, TzuTreeView* tree, const char16_t* text) {
        auto* item = new TzuTreeViewItem(nullptr);
        item->SetText(text);
        if (parent)
            parent->AddObject(item);
        else
            tree->AddObject(item);
        return item;
    }
};

TEST_F(TreeGoldens, ExpandedCollapsedAndChecked) {
    form->SetBounds(0, 0, 500, 170);
    root->Fill()->SetStyle(zuBrushSolid);
    root->Fill()->SetColor(0xFF2B2B2B);
    TzuTreeView* open = MakeTree(10);
    TzuTreeView* closed = MakeTree(170);
    TzuTreeView* checked = MakeTree(330);
    open->SetHideSelectionUnfocused(false);
    open->SetSelected(open->Item(0)->SubItem(0)->SubItem(1));  // opens both levels above
    checked->SetShowCheckboxes(true);
    checked->Item(0)->SetIsChecked(true);
    checked->Item(2)->SetIsChecked(true);
    checked->Item(0)->SetIsExpanded(true);
    Settle();
    Tick(15);
    app.ProcessMessages();
    EXPECT_EQ(open->VisibleCount(), 7);
    EXPECT_EQ(closed->VisibleCount(), 3);
    EXPECT_EQ(open->HighlightRects().size(), 1u);
    TzuBitmap picture(window()->ClientWidth(), window()->ClientHeight());
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) picture.ScanLine(y)[x] = window()->Pixel(x, y);
    EXPECT_TRUE(MatchesGolden(picture, "trees"));
}

}  // namespace
}  // namespace zu::test
