#include "scene/zu_lists/list_box.h"

#include <gtest/gtest.h>

#include "scene/zu_controls/check_box.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_lists/string_lists.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "tests/zu_controls/hosted_scene.h"

namespace zu {
namespace {

class HostedList : public test::HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 400, 300);
        app.ProcessMessages();
        list = Add<TzuListBox>(10, 10);
        list->SetBounds(10, 10, 170, 120);
        Settle();
    }
    void Fill(int n, float height = 19) {
        list->BeginUpdate();
        for (int i = 0; i < n; ++i) {
            auto* item = new TzuListBoxItem(nullptr);
            item->SetText(u"item " + std::u16string(1, char16_t(u'a' + i % 26)));
            item->SetHeight(height);
            list->AddObject(item);
        }
        list->EndUpdate();
        Settle();
    }
    TzuListBoxItem* Item(int i) { return list->ItemByIndex(i); }
    // The middle of an item in window pixels.
    TzuPoint At(int i) {
        TzuListBoxItem* item = Item(i);
        return item->LocalToAbsolute({item->Width() / 2, item->Height() / 2});
    }
    void Key(TzuKeyCode k, TzuShiftState shift = 0) { window()->InjectKey(k, shift); }
    void ClickItem(int i, TzuShiftState shift = 0) {
        const TzuPoint p = At(i);
        window()->InjectMouseMove(int(p.X), int(p.Y), shift);
        window()->InjectMouseDown(mbLeft, int(p.X), int(p.Y), shift | ssLeft);
        window()->InjectMouseUp(mbLeft, int(p.X), int(p.Y), shift);
    }
    TzuListBox* list = nullptr;
};

TEST_F(HostedList, ColumnsItemSizesPaddingAndHorizontalLayout) {
    Fill(10);
    const float w = list->Viewport()->Width();
    EXPECT_FLOAT_EQ(Item(0)->Width(), w);
    EXPECT_FLOAT_EQ(Item(3)->Position()->Y(), 57);
    // ItemWidth 50 in a list 170 wide: as many columns as fit the content's width.
    list->SetWidth(170 + (170 - w));
    list->SetItemWidth(50);
    EXPECT_EQ(list->Columns(), 3);
    EXPECT_FLOAT_EQ(Item(4)->Position()->X(), 50);
    EXPECT_FLOAT_EQ(Item(4)->Position()->Y(), 19);
    EXPECT_FLOAT_EQ(Item(4)->Width(), 50);
    // A row is as tall as its tallest item with padding; every item takes that height.
    list->SetItemWidth(0);
    list->SetColumns(2);
    Item(2)->SetHeight(30);
    Item(3)->Padding()->SetTop(4);
    list->Realign();
    EXPECT_FLOAT_EQ(Item(2)->Height(), 30);
    EXPECT_FLOAT_EQ(Item(3)->Position()->Y(), 19 + 4);
    EXPECT_FLOAT_EQ(Item(3)->Height(), 26);
    EXPECT_FLOAT_EQ(Item(4)->Position()->Y(), 49);
    // Horizontal: rows of ItemHeight down each column, columns as wide as their widest item.
    list->SetColumns(1);
    list->SetItemHeight(19);
    list->SetListStyle(zuListHorizontal);
    const int rows = int(list->Viewport()->Height() / 19);
    EXPECT_FLOAT_EQ(Item(rows)->Position()->X(), Item(0)->Width());
    EXPECT_FLOAT_EQ(Item(rows)->Position()->Y(), 0);
    // Rows of a column are as tall as its tallest item with padding (item 3's top 4).
    EXPECT_FLOAT_EQ(Item(1)->Position()->Y(), 23);
    // Hiding an item leaves its place in the order without height.
    list->SetListStyle(zuListVertical);
    Item(1)->SetVisible(false);
    list->Realign();
    EXPECT_FLOAT_EQ(Item(2)->Position()->Y(), 19);
}

TEST_F(HostedList, KeysWithColumnsPagesAndTypeAhead) {
    Fill(10);
    list->SetColumns(3);
    list->SetFocus();
    list->SetItemIndex(8);
    Key(keys::Down);
    EXPECT_EQ(list->ItemIndex(), 9);  // clamped to the last
    Key(keys::End);
    EXPECT_EQ(list->ItemIndex(), 7);  // count - Columns
    Key(keys::Up);
    EXPECT_EQ(list->ItemIndex(), 4);
    Key(keys::Left);
    EXPECT_EQ(list->ItemIndex(), 3);
    Key(keys::Home);
    EXPECT_EQ(list->ItemIndex(), 0);
    Key(keys::Up);
    EXPECT_EQ(list->ItemIndex(), 0);
    // Single selection: only the current item is selected.
    EXPECT_TRUE(Item(0)->IsSelected());
    EXPECT_FALSE(Item(3)->IsSelected());
    EXPECT_EQ(list->SelectedItems().size(), 1u);

    // A page is the rows that fit the viewport.
    list->SetColumns(1);
    Fill(40);
    const int page = int(list->Viewport()->Height() / 19);
    Key(keys::PageDown);
    EXPECT_EQ(list->ItemIndex(), page);
    // The current item is scrolled into view, whole.
    Key(keys::End);
    EXPECT_EQ(list->ItemIndex(), 49);
    const TzuRect shown = list->Content()->ClipRect();
    EXPECT_LE(Item(49)->ParentedRect().Bottom, shown.Bottom + 0.5f);
    Key(keys::PageUp);
    EXPECT_EQ(list->ItemIndex(), 49 - page);

    // Type-ahead: letters within a second make one prefix, case-blind; the same letter
    // again moves to the next match.
    Item(20)->SetText(u"Zebra");
    Item(30)->SetText(u"zeta");
    Item(35)->SetText(u"zoo");
    Key(keys::Home);
    window()->InjectKeyChar(u'z');
    EXPECT_EQ(list->ItemIndex(), 20);
    window()->InjectKeyChar(u'o');
    EXPECT_EQ(list->ItemIndex(), 35);
    Advance(1100);
    window()->InjectKeyChar(u'Z');
    EXPECT_EQ(list->ItemIndex(), 20);  // a fresh search from after the current item wraps
    window()->InjectKeyChar(u'z');
    EXPECT_EQ(list->ItemIndex(), 30);
}

TEST_F(HostedList, HighlightMergesRunsAndFollowsFocus) {
    Fill(8);
    list->SetMultiSelect(true);
    list->SetFocus();
    list->ClearSelection();
    list->SelectRange(1, 3);
    ASSERT_EQ(list->HighlightRects().size(), 1u);
    const TzuRect r = list->HighlightRects()[0];
    EXPECT_FLOAT_EQ(r.Bottom - r.Top, 3 * 19);
    list->ClearSelection();
    Item(1)->SetIsSelected(true);
    Item(3)->SetIsSelected(true);
    EXPECT_EQ(list->HighlightRects().size(), 2u);
    // The copies of the "selection" part show exactly these rectangles.
    int shown = 0;
    for (int i = 0; i < list->StyleObject()->ChildrenCount(); ++i) {
        auto* v = As<TzuVisualObject>(list->StyleObject()->Children(i));
        if (v && v->Visible() && v->ResourceName().empty() && !v->Stored()) ++shown;
    }
    EXPECT_EQ(shown, 2);
    // Hidden without the focus, back with it; a list that keeps it shows it always.
    form->SetBounds(0, 0, 400, 300);
    auto* other = Add<TzuListBox>(200, 10);
    other->SetFocus();
    Settle();
    EXPECT_TRUE(list->HighlightRects().empty());
    list->SetFocus();
    EXPECT_EQ(list->HighlightRects().size(), 2u);
    other->SetFocus();
    list->SetHideSelectionUnfocused(false);
    EXPECT_EQ(list->HighlightRects().size(), 2u);
    // Turning multiple selection off deselects every item.
    list->SetMultiSelect(false);
    EXPECT_TRUE(list->SelectedItems().empty());
}

TEST_F(HostedList, MouseSelectsRangesTogglesAndChecks) {
    Fill(8);
    int changes = 0;
    list->OnChange().Set([&](TzuPersistent*) { ++changes; });
    ClickItem(2);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_TRUE(list->IsFocused());
    EXPECT_EQ(changes, 1);
    list->SetMultiSelect(true);
    ClickItem(5, ssShift);
    EXPECT_EQ(list->SelectedItems().size(), 4u);
    EXPECT_EQ(list->ItemIndex(), 5);
    ClickItem(3, ssCtrl);
    EXPECT_FALSE(Item(3)->IsSelected());
    EXPECT_EQ(list->SelectedItems().size(), 3u);
    ClickItem(0);
    EXPECT_EQ(list->SelectedItems().size(), 1u);
    // Dragging with the button down selects from the anchor.
    const TzuPoint a = At(1), b = At(4);
    window()->InjectMouseMove(int(a.X), int(a.Y));
    window()->InjectMouseDown(mbLeft, int(a.X), int(a.Y), ssLeft);
    window()->InjectMouseMove(int(b.X), int(b.Y), ssLeft);
    window()->InjectMouseUp(mbLeft, int(b.X), int(b.Y));
    EXPECT_EQ(list->SelectedItems().size(), 4u);
    EXPECT_EQ(list->ItemIndex(), 4);

    // Check boxes: shown with ShowCheckboxes; a click checks the item and makes it current.
    list->SetMultiSelect(false);
    list->SetShowCheckboxes(true);
    Settle();
    TzuListBoxItem* third = Item(3);
    auto* check = As<TzuCheckBox>(third->FindResource("check"));
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->Visible());
    TzuListBoxItem* checkedItem = nullptr;
    list->OnChangeCheck().Set([&](TzuPersistent* sender) { checkedItem = As<TzuListBoxItem>(sender); });
    const TzuPoint c = check->LocalToAbsolute({check->Width() / 2, check->Height() / 2});
    ClickAt(int(c.X), int(c.Y));
    EXPECT_TRUE(third->IsChecked());
    EXPECT_EQ(checkedItem, third);
    EXPECT_EQ(list->ItemIndex(), 3);
}

TEST_F(HostedList, SortingStreamingAndFreedItems) {
    Fill(0);
    for (const char16_t* t : {u"pear", u"Apple", u"fig", u"banana"}) {
        auto* item = new TzuListBoxItem(nullptr);
        item->SetText(t);
        list->AddObject(item);
    }
    list->SetSorted(true);
    EXPECT_EQ(Item(0)->Text(), u"Apple");
    EXPECT_EQ(Item(3)->Text(), u"pear");
    list->SetSorted(false);
    list->OnCompare().Set([](TzuPersistent*, TzuListBoxItem* a, TzuListBoxItem* b, int& result) {
        result = int(b->Text().size()) - int(a->Text().size());  // longest first
    });
    list->SetSorted(true);
    EXPECT_EQ(Item(0)->Text(), u"banana");
    EXPECT_EQ(Item(3)->Text(), u"fig");

    // A selected item that is freed leaves the selection; the stream keeps items and state.
    list->SetMultiSelect(true);
    list->ClearSelection();
    list->SelectRange(0, 1);
    delete Item(0);
    EXPECT_EQ(list->SelectedItems().size(), 1u);
    list->SetColumns(2);
    std::string written;
    SaveObjectToText(list, written);
    auto* loaded = As<TzuListBox>(LoadObjectFromText(nullptr, written));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Count(), 3);
    EXPECT_EQ(loaded->Columns(), 2);
    EXPECT_TRUE(loaded->MultiSelect());
    EXPECT_EQ(loaded->SelectedItems().size(), 1u);
    delete loaded;
}

TEST_F(HostedList, StringListRebuildsKeepIndexAndScroll) {
    auto* strings = Add<TzuStringListBox>(200, 10);
    strings->SetBounds(200, 10, 150, 100);
    for (int i = 0; i < 60; ++i) strings->Items()->Add(u"line " + std::u16string(1, char16_t(u'A' + i % 26)));
    Settle();
    EXPECT_EQ(strings->Count(), 60);
    EXPECT_FLOAT_EQ(strings->ItemByIndex(5)->Height(), 19);
    strings->SetItemIndex(40);
    const float scrolled = strings->VScrollBar()->Value();
    EXPECT_GT(scrolled, 0);
    strings->Items()->Put(3, u"changed");
    EXPECT_EQ(strings->ItemByIndex(3)->Text(), u"changed");
    EXPECT_EQ(strings->ItemIndex(), 40);
    EXPECT_FLOAT_EQ(strings->VScrollBar()->Value(), scrolled);
    strings->SetTextAlign(zuTextAlignFar);
    EXPECT_EQ(strings->ItemByIndex(0)->TextAlign(), zuTextAlignFar);
    strings->Font()->SetSize(15);
    EXPECT_FLOAT_EQ(strings->ItemByIndex(0)->Font()->Size(), 15);
    EXPECT_EQ(strings->ItemIndex(), 40);
    EXPECT_EQ(VariantToWide(strings->GetData()), u"line O");
    // Rows are styled as they first show, not all at once.
    Settle();
    EXPECT_NE(strings->ItemByIndex(40)->StyleObject(), nullptr);
    EXPECT_EQ(strings->ItemByIndex(0)->StyleObject(), nullptr);
    // Items made from the strings are not streamed; the strings are.
    std::string written;
    SaveObjectToText(strings, written);
    EXPECT_EQ(written.find("TzuListBoxItem"), std::string::npos);
    auto* loaded = As<TzuStringListBox>(LoadObjectFromText(nullptr, written));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Count(), 60);
    delete loaded;
}

}  // namespace
}  // namespace zu
