// Lists as they paint in the default style: a focused list with its selection highlight,
// alternating rows, a multiple selection in two columns, check boxes and the hud list, then
// the combo boxes closed and one open list in its own window.

#include <gtest/gtest.h>

#include "../zu_controls/hosted_scene.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_lists/string_lists.h"
#include "scene/zu_scene/host/popup_form.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu::test {
namespace {

class ListGoldens : public HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 700, 170);
        root->Fill()->SetStyle(zuBrushSolid);
        root->Fill()->SetColor(0xFF2B2B2B);
        for (int i = 0; i < 5; ++i) {
            TzuStringListBox* list = i == 4 ? Add<TzuHudStringListBox>(10 + 136.0f * i, 10)
                                            : Add<TzuStringListBox>(10 + 136.0f * i, 10);
            list->SetBounds(10 + 136.0f * i, 10, 126, 110);
            list->Items()->SetText(u"Apple\nBanana\nCherry\nDamson\nElderberry\nFig\nGrape\nHoneydew");
            lists[i] = list;
        }
        lists[0]->SetItemIndex(2);
        lists[1]->SetAlternatingRowBackground(true);
        lists[1]->SetItemIndex(1);
        lists[2]->SetColumns(2);
        lists[2]->SetMultiSelect(true);
        lists[2]->SelectRange(1, 3);
        lists[2]->ItemByIndex(6)->SetIsSelected(true);
        lists[2]->SetHideSelectionUnfocused(false);
        lists[3]->SetShowCheckboxes(true);
        lists[3]->ItemByIndex(0)->SetIsChecked(true);
        lists[3]->ItemByIndex(2)->SetIsChecked(true);
        lists[4]->SetItemIndex(5);
        lists[4]->SetHideSelectionUnfocused(false);
        combo = Add<TzuStringComboBox>(10, 130);
        combo->SetWidth(150);
        combo->Items()->SetText(u"Red\nGreen\nBlue\nYellow");
        combo->SetItemIndex(1);
        hud = Add<TzuHudStringComboBox>(170, 130);
        hud->SetWidth(150);
        hud->Items()->SetText(u"One\nTwo\nThree");
        hud->SetItemIndex(2);
        lists[0]->SetFocus();
        Settle();
        Tick(15);
        app.ProcessMessages();
    }
    TzuStringListBox* lists[5]{};
    TzuStringComboBox* combo = nullptr;
    TzuStringComboBox* hud = nullptr;
};

TEST_F(ListGoldens, ListsAndClosedComboBoxes) {
    EXPECT_EQ(lists[0]->HighlightRects().size(), 1u);
    EXPECT_EQ(lists[2]->HighlightRects().size(), 2u);
    TzuBitmap picture(window()->ClientWidth(), window()->ClientHeight());
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) picture.ScanLine(y)[x] = window()->Pixel(x, y);
    EXPECT_TRUE(MatchesGolden(picture, "lists"));
}

TEST_F(ListGoldens, OpenComboList) {
    combo->DropDown();
    ASSERT_TRUE(combo->IsOpen());

    Tick(15);
    app.ProcessMessages();
    // A popup shows what its scene presents to its layered form window.
    auto* popup = static_cast<TzuHeadlessWindow*>(combo->Popup()->PopupScene()->Window());
    TzuBitmap picture(popup->ClientWidth(), popup->ClientHeight());
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) picture.ScanLine(y)[x] = popup->Pixel(x, y);
    EXPECT_TRUE(MatchesGolden(picture, "combo_open"));
    combo->CloseUp();
}

}  // namespace
}  // namespace zu::test
