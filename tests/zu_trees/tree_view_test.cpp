#include "scene/zu_trees/tree_view.h"

#include <gtest/gtest.h>

#include "scene/zu_controls/check_box.h"
#include "scene/zu_controls/custom_button.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_trees/tree_view_item.h"
#include "tests/zu_controls/hosted_scene.h"

namespace zu {
namespace {

class HostedTree : public test::HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 400, 300);
        app.ProcessMessages();
        tree = Add<TzuTreeView>(10, 10);
        tree->SetBounds(10, 10, 200, 200);
        // fruit: apple (green, red), pear; vegetables: kale; nuts
        fruit = Node(nullptr, u"Fruit");
        apple = Node(fruit, u"Apple");
        green = Node(apple, u"Green");
        Node(apple, u"Red");
        pear = Node(fruit, u"Pear");
        veg = Node(nullptr, u"Vegetables");
        kale = Node(veg, u"Kale");
        nuts = Node(nullptr, u"Nuts");
        Settle();
    }
    TzuTreeViewItem* Node(TzuTreeViewItem* parent, const char16_t* text) {
        auto* item = new TzuTreeViewItem(nullptr);
        item->SetText(text);
        if (parent)
            parent->AddObject(item);
        else
            tree->AddObject(item);
        return item;
    }
    TzuPoint At(TzuTreeViewItem* item, float x = 40) {
        return item->LocalToAbsolute({x, item->Height() / 2});
    }
    void Key(TzuKeyCode k, TzuShiftState shift = 0) { window()->InjectKey(k, shift); }
    TzuTreeView* tree = nullptr;
    TzuTreeViewItem *fruit, *apple, *green, *pear, *veg, *kale, *nuts;
};

TEST_F(HostedTree, NumbersIndentsAndCollapsedSubtrees) {
    EXPECT_EQ(tree->VisibleCount(), 3);
    EXPECT_EQ(nuts->VisibleNumber(), 2);
    EXPECT_EQ(green->VisibleNumber(), -1);
    fruit->SetIsExpanded(true);
    apple->SetIsExpanded(true);
    EXPECT_EQ(tree->VisibleCount(), 7);
    EXPECT_EQ(green->VisibleNumber(), 2);
    EXPECT_EQ(pear->VisibleNumber(), 4);
    EXPECT_EQ(nuts->VisibleNumber(), 6);
    // Two levels down: indented 38 and 38 narrower, stacked below the rows before it.
    const TzuRect top = fruit->AbsoluteRect(), deep = green->AbsoluteRect();
    EXPECT_FLOAT_EQ(deep.Left - top.Left, 38);
    EXPECT_FLOAT_EQ((top.Right - top.Left) - (deep.Right - deep.Left), 38);
    EXPECT_FLOAT_EQ(deep.Top - top.Top, 2 * 19);
    EXPECT_TRUE(green->AbsoluteVisible());
    // Collapsing hides the whole subtree; the expander shows only on items with sub-items.
    fruit->SetIsExpanded(false);
    EXPECT_EQ(tree->VisibleCount(), 3);
    EXPECT_FALSE(green->AbsoluteVisible());
    EXPECT_EQ(veg->VisibleNumber(), 1);
    Settle();
    auto* button = As<TzuCustomButton>(fruit->FindResource("button"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->HitTest());
    EXPECT_EQ(button->Opacity(), 1);
    // A leaf's expander is not there to see or click, but keeps its room.
    auto* leafButton = As<TzuCustomButton>(nuts->FindResource("button"));
    EXPECT_FALSE(leafButton->HitTest());
    EXPECT_EQ(leafButton->Opacity(), 0);
    EXPECT_TRUE(leafButton->Visible());
    // A click on the expander opens the item.
    const TzuPoint b = button->LocalToAbsolute({button->Width() / 2, button->Height() / 2});
    ClickAt(int(b.X), int(b.Y));
    EXPECT_TRUE(fruit->IsExpanded());
    EXPECT_EQ(tree->VisibleCount(), 7);
}

TEST_F(HostedTree, SelectionFollowsCollapseAndOpensAncestors) {
    int changes = 0;
    tree->OnChange().Set([&](TzuPersistent*) { ++changes; });
    // Selecting a hidden item opens every ancestor and scrolls it into view.
    tree->SetSelected(green);
    EXPECT_TRUE(fruit->IsExpanded());
    EXPECT_TRUE(apple->IsExpanded());
    EXPECT_TRUE(green->IsSelected());
    EXPECT_EQ(changes, 1);
    // Collapsing an ancestor of the selected item selects that ancestor.
    fruit->SetIsExpanded(false);
    EXPECT_EQ(tree->Selected(), fruit);
    EXPECT_FALSE(green->IsSelected());
    EXPECT_TRUE(fruit->IsSelected());
    // An item selected by its own property becomes the current one; freeing it clears it.
    kale->SetIsSelected(true);
    EXPECT_EQ(tree->Selected(), kale);
    EXPECT_FALSE(fruit->IsSelected());
    delete kale;
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_TRUE(tree->SelectedItems().empty());
}

TEST_F(HostedTree, KeysWalkOpenAndCloseAndTypeAhead) {
    tree->SetFocus();
    tree->SetSelected(fruit);
    Key(keys::Right);  // opens
    EXPECT_TRUE(fruit->IsExpanded());
    Key(keys::Right);  // to the first sub-item
    EXPECT_EQ(tree->Selected(), apple);
    Key(keys::Add);  // the keypad's plus opens
    EXPECT_TRUE(apple->IsExpanded());
    Key(keys::Down);
    EXPECT_EQ(tree->Selected(), green);
    Key(keys::Left);  // no sub-items: to the parent
    EXPECT_EQ(tree->Selected(), apple);
    Key(keys::Subtract);
    window()->InjectKeyChar(u'-');  // typed by the same key: not the start of a prefix
    EXPECT_FALSE(apple->IsExpanded());
    Key(keys::End);
    EXPECT_EQ(tree->Selected(), nuts);
    Key(keys::Up);
    EXPECT_EQ(tree->Selected(), veg);
    Key(keys::Home);
    EXPECT_EQ(tree->Selected(), fruit);
    Key(keys::Left);  // open: closes
    EXPECT_FALSE(fruit->IsExpanded());
    window()->InjectKeyChar(u'n');
    EXPECT_EQ(tree->Selected(), nuts);
    // A double click toggles an item.
    const TzuPoint v = At(veg);
    window()->InjectMouseMove(int(v.X), int(v.Y));
    window()->InjectMouseDown(mbLeft, int(v.X), int(v.Y), ssLeft | ssDouble, true);
    window()->InjectMouseUp(mbLeft, int(v.X), int(v.Y));
    EXPECT_TRUE(veg->IsExpanded());
}

TEST_F(HostedTree, MultipleSelectionHighlightChecksSortingAndStreaming) {
    tree->SetMultiSelect(true);
    fruit->SetIsExpanded(true);
    tree->SetFocus();
    auto click = [&](TzuTreeViewItem* item, TzuShiftState shift) {
        const TzuPoint p = At(item);
        window()->InjectMouseMove(int(p.X), int(p.Y), shift);
        window()->InjectMouseDown(mbLeft, int(p.X), int(p.Y), shift | ssLeft);
        window()->InjectMouseUp(mbLeft, int(p.X), int(p.Y), shift);
    };
    click(apple, 0);
    click(veg, ssShift);  // apple, pear, vegetables: numbers 1..3, one run
    EXPECT_EQ(tree->SelectedItems().size(), 3u);
    EXPECT_EQ(tree->HighlightRects().size(), 1u);
    click(pear, ssCtrl);  // apple and vegetables: two runs
    EXPECT_EQ(tree->SelectedItems().size(), 2u);
    EXPECT_EQ(tree->HighlightRects().size(), 2u);

    // Check boxes: the click checks the item, selects it and tells OnChangeCheck.
    tree->SetMultiSelect(false);
    tree->SetShowCheckboxes(true);
    Settle();
    auto* check = As<TzuCheckBox>(nuts->FindResource("check"));
    ASSERT_NE(check, nullptr);
    ASSERT_TRUE(check->Visible());
    TzuTreeViewItem* told = nullptr;
    tree->OnChangeCheck().Set([&](TzuPersistent* s) { told = As<TzuTreeViewItem>(s); });
    const TzuPoint c = check->LocalToAbsolute({check->Width() / 2, check->Height() / 2});
    ClickAt(int(c.X), int(c.Y));
    EXPECT_TRUE(nuts->IsChecked());
    EXPECT_EQ(told, nuts);
    EXPECT_EQ(tree->Selected(), nuts);

    // Sorting orders the top level; the stream keeps the hierarchy; Clear frees it all.
    tree->OnCompare().Set([](TzuPersistent*, TzuTreeViewItem* a, TzuTreeViewItem* b, int& r) {
        r = int(a->Text().size()) - int(b->Text().size());  // shortest first
    });
    tree->SetSorted(true);
    EXPECT_EQ(tree->Item(0), nuts);
    EXPECT_EQ(tree->Item(2), veg);
    std::string written;
    SaveObjectToText(tree, written);
    auto* loaded = As<TzuTreeView>(LoadObjectFromText(nullptr, written));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->Count(), 3);
    // Read back sorted by text, as no comparison handler came with it.
    EXPECT_EQ(loaded->Item(0)->Text(), u"Fruit");
    EXPECT_EQ(loaded->Item(0)->SubItemCount(), 2);
    EXPECT_EQ(loaded->Item(0)->SubItem(0)->SubItemCount(), 2);
    EXPECT_TRUE(loaded->Item(1)->IsChecked());
    delete loaded;
    tree->Clear();
    EXPECT_EQ(tree->Count(), 0);
    EXPECT_EQ(tree->VisibleCount(), 0);
    EXPECT_EQ(tree->Selected(), nullptr);
}

}  // namespace
}  // namespace zu
