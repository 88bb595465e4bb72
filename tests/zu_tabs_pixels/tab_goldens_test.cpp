// Tab controls as they paint in the default style: a plain and a hud control with three
// tabs each, the middle one current above its neighbours with its page (a label) below,
// and the pointer resting over an unselected tab.

#include <gtest/gtest.h>

#include <string>

#include "../zu_controls/hosted_scene.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_tabs/tab_control.h"
#include "scene/zu_tabs/tab_item.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu::test {
namespace {

class TabGoldens : public HostedScene {
protected:
    template <class Control, class Item>
    Control* MakeTabs(float x) {
        auto* tabs = Add<Control>(x, 10);
        tabs->SetBounds(x, 10, 250, 150);
        const char16_t* captions[] = {u"General", u"Colours", u"About"};
        for (int i = 0; i < 3; ++i) {
            auto* page = new TzuLayout(nullptr);
            page->SetParent(tabs);
            auto* label = new TzuLabel(nullptr);
            label->SetText(std::u16string(u"Page of ") + captions[i]);
            label->SetBounds(20, 20, 160, 20);
            label->SetParent(page);
            auto* tab = new Item(nullptr);
            tab->SetText(captions[i]);
            tab->SetLayout(page);
            tab->SetParent(tabs);
        }
        tabs->SetItemIndex(1);
        return tabs;
    }
};

TEST_F(TabGoldens, PlainAndHudTabs) {
    form->SetBounds(0, 0, 530, 170);
    root->Fill()->SetStyle(zuBrushSolid);
    root->Fill()->SetColor(0xFF2B2B2B);
    auto* plain = MakeTabs<TzuTabControl, TzuTabItem>(10);
    auto* hud = MakeTabs<TzuHudTabControl, TzuHudTabItem>(270);
    hud->SetFullSize(true);
    Settle();
    // The pointer over the plain control's last tab shows it half lit.
    window()->InjectMouseMove(10 + 200, 20);
    Tick(15);
    app.ProcessMessages();
    EXPECT_EQ(plain->ItemIndex(), 1);
    EXPECT_FLOAT_EQ(hud->Tab(2)->Position()->X(), 250.0f * 2 / 3);
    TzuBitmap picture(window()->ClientWidth(), window()->ClientHeight());
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) picture.ScanLine(y)[x] = window()->Pixel(x, y);
    EXPECT_TRUE(MatchesGolden(picture, "tabs"));
}

}  // namespace
}  // namespace zu::test
