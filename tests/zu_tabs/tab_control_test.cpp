// The tab control hosted in a scene: the strip and page layout, the current tab as tabs
// are hidden, shown and freed, selection by code, pointer and keys, and the text stream.

#include "scene/zu_tabs/tab_control.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../zu_controls/hosted_scene.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_tabs/tab_item.h"

namespace zu::test {
namespace {

class TabControlTest : public HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 400, 300);
        app.ProcessMessages();
        tabs = Add<TzuTabControl>(10, 10);
        tabs->SetBounds(10, 10, 300, 200);
        tabs->SetName("Tabs");
        for (int i = 0; i < 3; ++i) {
            page[i] = new TzuLayout(nullptr);
            page[i]->SetName("Page" + std::to_string(i));
            page[i]->SetParent(tabs);
            tab[i] = new TzuTabItem(nullptr);
            tab[i]->SetText(u"Tab " + std::u16string(1, char16_t(u'A' + i)));
            tab[i]->SetLayout(page[i]);
            tab[i]->SetParent(tabs);
        }
        tabs->OnChange().Set([this](TzuPersistent*) { ++changes; });
        Settle();
    }
    // Which pages show, as a string of 0 and 1.
    std::string Shown() const {
        std::string s;
        for (TzuLayout* p : page) s += p && p->Visible() ? '1' : '0';
        return s;
    }
    std::string Selected() const {
        std::string s;
        for (TzuTabItem* t : tab) s += t && t->IsSelected() ? '1' : '0';
        return s;
    }
    // Opacity of a tab's "background" style part once its trigger animations ran.
    float TabBackgroundOpacity(TzuTabItem* t) {
        Tick(10);
        auto* part = As<TzuVisualObject>(t->FindResource("background"));
        return part ? part->Opacity() : -1;
    }

    TzuTabControl* tabs = nullptr;
    TzuTabItem* tab[3]{};
    TzuLayout* page[3]{};
    int changes = 0;
};

TEST_F(TabControlTest, StripSharesHeightsAndPagePlacement) {
    // Nothing is current at first: no page shows, the strip is the tabs' height.
    EXPECT_EQ(tabs->ItemIndex(), -1);
    EXPECT_EQ(Shown(), "000");
    EXPECT_FLOAT_EQ(tabs->StripHeight(), 20);
    EXPECT_FLOAT_EQ(tab[1]->Position()->X(), 80);
    EXPECT_FLOAT_EQ(tab[2]->Position()->X(), 160);

    // Shared out: three 80-wide tabs fill 300 as 100 each; switched off they are 80 again.
    tabs->SetFullSize(true);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(tab[i]->Width(), 100) << i;
        EXPECT_FLOAT_EQ(tab[i]->Position()->X(), 100.0f * i) << i;
    }
    tabs->SetWidth(240);
    EXPECT_FLOAT_EQ(tab[2]->Width(), 80);
    EXPECT_FLOAT_EQ(tab[2]->Position()->X(), 160);
    tabs->SetWidth(300);
    tabs->SetFullSize(false);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(tab[i]->Width(), 80) << i;

    // A fixed strip height wins over the tabs' own; back at 0 the strip shrinks again.
    tabs->SetItemHeight(30);
    EXPECT_FLOAT_EQ(tabs->StripHeight(), 30);
    EXPECT_FLOAT_EQ(tab[0]->Height(), 30);
    tabs->SetItemHeight(0);
    EXPECT_FLOAT_EQ(tabs->StripHeight(), 20);
    EXPECT_FLOAT_EQ(tab[0]->Height(), 20);
    // The tallest tab with its padding sets the strip.
    tab[1]->Padding()->SetTop(4);
    tab[1]->SetHeight(26);
    EXPECT_FLOAT_EQ(tabs->StripHeight(), 30);
    EXPECT_FLOAT_EQ(tab[1]->Position()->Y(), 4);
    EXPECT_FLOAT_EQ(tab[0]->Height(), 30);

    // The style frames the page area below the strip, and the current page fills it.
    tabs->SetItemIndex(1);
    ASSERT_NE(tabs->StyleObject(), nullptr);
    EXPECT_FLOAT_EQ(tabs->StyleObject()->Position()->Y(), 30);
    EXPECT_FLOAT_EQ(tabs->StyleObject()->Height(), 170);
    EXPECT_EQ(Shown(), "010");
    EXPECT_FLOAT_EQ(page[1]->Position()->Y(), 30);
    EXPECT_FLOAT_EQ(page[1]->Width(), 300);
    EXPECT_FLOAT_EQ(page[1]->Height(), 170);
    EXPECT_TRUE(page[1]->ClipChildren());
}

TEST_F(TabControlTest, SelectingFiresTriggersAndChangeOnce) {
    tabs->SetItemIndex(0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Selected(), "100");
    EXPECT_EQ(Shown(), "100");
    EXPECT_FLOAT_EQ(TabBackgroundOpacity(tab[0]), 1);

    tabs->SetItemIndex(2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(Selected(), "001");
    EXPECT_EQ(Shown(), "001");
    // The old tab's "IsSelected=false" trigger ran as well as the new one's.
    EXPECT_LT(TabBackgroundOpacity(tab[0]), 0.5f);
    EXPECT_FLOAT_EQ(TabBackgroundOpacity(tab[2]), 1);

    // The same index again, or one outside the tabs, changes nothing or selects none.
    tabs->SetItemIndex(2);
    EXPECT_EQ(changes, 2);
    tabs->SetItemIndex(7);
    EXPECT_EQ(tabs->ItemIndex(), -1);
    EXPECT_EQ(Shown(), "000");
    EXPECT_EQ(changes, 3);
    // Selecting a tab through its own state makes it current.
    tab[1]->SetIsSelected(true);
    EXPECT_EQ(tabs->ItemIndex(), 1);
    EXPECT_EQ(Shown(), "010");
    tab[1]->SetIsSelected(false);
    EXPECT_EQ(tabs->ItemIndex(), -1);
}

TEST_F(TabControlTest, HidingAndFreeingTabsKeepsAValidCurrentTab) {
    // Hiding the current last tab makes the new last one current.
    tabs->SetItemIndex(2);
    changes = 0;
    tab[2]->SetVisible(false);
    EXPECT_EQ(tabs->ItemIndex(), 1);
    EXPECT_EQ(Selected(), "010");
    EXPECT_EQ(Shown(), "010");
    EXPECT_EQ(changes, 1);

    // Hiding a tab before the current one keeps that tab current at its new index.
    tab[0]->SetVisible(false);
    EXPECT_EQ(tabs->ItemIndex(), 0);
    EXPECT_EQ(tabs->CurrentTab(), tab[1]);
    EXPECT_FLOAT_EQ(tab[1]->Position()->X(), 0);
    EXPECT_EQ(changes, 1);

    // Every tab hidden: none is current and no page shows.
    tab[1]->SetVisible(false);
    EXPECT_EQ(tabs->ItemIndex(), -1);
    EXPECT_EQ(Selected(), "000");
    EXPECT_EQ(Shown(), "000");
    EXPECT_FLOAT_EQ(tabs->StripHeight(), 0);
    EXPECT_EQ(changes, 2);

    // Shown again: still none current until chosen; a tab shown before the current one
    // moves its index along.
    tab[2]->SetVisible(true);
    EXPECT_EQ(tabs->ItemIndex(), -1);
    tabs->SetItemIndex(0);
    tab[0]->SetVisible(true);
    EXPECT_EQ(tabs->CurrentTab(), tab[2]);
    EXPECT_EQ(tabs->ItemIndex(), 1);

    // Freeing the current tab moves to the one now at its place; its page stops showing.
    tab[1]->SetVisible(true);
    tabs->SetItemIndex(1);
    delete tab[1];
    tab[1] = nullptr;
    EXPECT_EQ(tabs->CurrentTab(), tab[2]);
    EXPECT_EQ(tabs->ItemIndex(), 1);
    EXPECT_EQ(Shown(), "001");
    // Freeing a page leaves its tab without one.
    delete page[2];
    page[2] = nullptr;
    EXPECT_EQ(tab[2]->Layout(), nullptr);
    tabs->SetItemIndex(0);
    EXPECT_EQ(Shown(), "100");

    // A new tab added before the current one keeps the same tab current.
    auto* added = new TzuTabItem(nullptr);
    added->SetParent(tabs);
    added->SetIndex(0);
    EXPECT_EQ(tabs->CurrentTab(), tab[0]);
}

TEST_F(TabControlTest, ReleasingOverATabSelectsIt) {
    // The strip starts at the control's top-left, 80-wide tabs, 20 high.
    ClickAt(10 + 80 + 40, 10 + 10);
    EXPECT_EQ(tabs->ItemIndex(), 1);
    EXPECT_TRUE(tabs->IsFocused());
    // Pressed on one tab and released over another: neither is chosen.
    window()->InjectMouseMove(10 + 40, 20);
    Press(10 + 40, 20);
    Drag(10 + 200, 20);
    Release(10 + 200, 20);
    EXPECT_EQ(tabs->ItemIndex(), 1);
    // The right button does not choose.
    window()->InjectMouseMove(10 + 200, 20);
    window()->InjectMouseDown(mbRight, 10 + 200, 20, ssRight);
    window()->InjectMouseUp(mbRight, 10 + 200, 20);
    EXPECT_EQ(tabs->ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(TabControlTest, CtrlTabAndCtrlPageKeysMoveBetweenTabs) {
    auto* button = Add<TzuButton>(10, 250);
    tabs->SetFocus();
    Settle();
    ASSERT_TRUE(tabs->IsFocused());
    window()->InjectKey(keys::Tab, ssCtrl);
    EXPECT_EQ(tabs->ItemIndex(), 0);
    window()->InjectKey(keys::PageDown, ssCtrl);
    window()->InjectKey(keys::PageDown, ssCtrl);
    EXPECT_EQ(tabs->ItemIndex(), 2);
    // Forward past the last wraps to the first; backward before the first to the last.
    window()->InjectKey(keys::Tab, ssCtrl);
    EXPECT_EQ(tabs->ItemIndex(), 0);
    window()->InjectKey(keys::Tab, ssCtrl | ssShift);
    EXPECT_EQ(tabs->ItemIndex(), 2);
    window()->InjectKey(keys::PageUp, ssCtrl);
    EXPECT_EQ(tabs->ItemIndex(), 1);
    EXPECT_TRUE(tabs->IsFocused());
    // Plain keys are the scene's: Tab still moves the focus on.
    window()->InjectKey(keys::PageDown);
    EXPECT_EQ(tabs->ItemIndex(), 1);
    window()->InjectKey(keys::Tab);
    EXPECT_TRUE(button->IsFocused());
    window()->InjectKey(keys::Tab, ssCtrl);
    EXPECT_EQ(tabs->ItemIndex(), 1);
    EXPECT_EQ(changes, 6);
}

TEST_F(TabControlTest, TextStreamRoundTrip) {
    tabs->SetItemIndex(1);
    tabs->SetItemHeight(24);
    tabs->SetFullSize(true);
    auto* label = new TzuButton(nullptr);
    label->SetName("OnPageOne");
    label->SetParent(page[1]);
    std::string text;
    SaveObjectToText(tabs, text);
    EXPECT_EQ(text.find("IsSelected"), std::string::npos) << text;
    std::unique_ptr<TzuObject> copy(LoadObjectFromText(nullptr, text));
    auto* loaded = As<TzuTabControl>(copy.get());
    ASSERT_NE(loaded, nullptr) << text;
    loaded->Position()->SetPoint(TzuPoint{10, 220});
    loaded->SetParent(root);
    Settle();
    ASSERT_EQ(loaded->TabCount(), 3);
    EXPECT_EQ(loaded->ItemIndex(), 1);
    EXPECT_FLOAT_EQ(loaded->ItemHeight(), 24);
    EXPECT_TRUE(loaded->FullSize());
    EXPECT_EQ(loaded->Tab(2)->Text(), u"Tab C");
    for (int i = 0; i < 3; ++i) {
        TzuTabItem* t = loaded->Tab(i);
        ASSERT_NE(t->Layout(), nullptr) << i;
        EXPECT_EQ(t->Layout()->Parent(), loaded) << i;
        EXPECT_EQ(t->Layout()->Visible(), i == 1) << i;
        EXPECT_EQ(t->IsSelected(), i == 1) << i;
        EXPECT_FLOAT_EQ(t->Width(), 100) << i;
    }
    EXPECT_EQ(loaded->Tab(1)->Layout()->ChildrenCount(), 1);
    EXPECT_FLOAT_EQ(loaded->Tab(1)->Layout()->Position()->Y(), 24);
    // The loaded control keeps working: the next tab's page takes over.
    loaded->SetItemIndex(2);
    EXPECT_TRUE(loaded->Tab(2)->Layout()->Visible());
    EXPECT_FALSE(loaded->Tab(1)->Layout()->Visible());
}

TEST_F(TabControlTest, HudKindsWearTheirStyles) {
    auto* hud = Add<TzuHudTabControl>(10, 10);
    EXPECT_EQ(hud->ItemClass(), "TzuHudTabItem");
    auto* item = new TzuHudTabItem(nullptr);
    item->SetParent(hud);
    hud->SetItemIndex(0);
    Settle();
    EXPECT_NE(hud->FindResource("background"), nullptr);
    EXPECT_FLOAT_EQ(TabBackgroundOpacity(item), 1);
    EXPECT_EQ(hud->ItemIndex(), 0);
}

}  // namespace
}  // namespace zu::test
