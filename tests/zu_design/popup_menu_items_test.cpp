// Submenus, check items and radio items of a popup menu: what the platform is shown, how a
// choice inside a submenu comes back, the click rules and the stream form.
#include <gtest/gtest.h>

#include "platform/core/form.h"
#include "platform/core/popup_menu.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_writer.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_all/register_all.h"

namespace zu {
namespace {

TEST(PopupMenuItems, SubmenusChecksAndRadiosReachThePlatformAndComeBack) {
    RegisterAll();
    TzuHeadlessApplication app;
    TzuForm form(nullptr);
    TzuPopupMenu menu(&form);
    std::vector<std::string> clicked;
    auto record = [&](TzuPersistent* sender) {
        clicked.push_back(static_cast<TzuMenuItem*>(sender)->Name());
    };
    TzuMenuItem* top = menu.Items()->AddItem(u"Top");
    top->SetName("top");
    top->OnClick().Set(record);
    TzuMenuItem* grid = menu.Items()->AddItem(u"Grid");
    TzuMenuItem* show = grid->Items()->AddItem(u"Show");
    show->SetName("show");
    show->SetAutoCheck(true);
    show->OnClick().Set(record);
    TzuMenuItem* modes[3];
    for (int i = 0; i < 3; ++i) {
        modes[i] = grid->Items()->AddItem(u"Mode " + std::u16string(1, char16_t(u'0' + i)));
        modes[i]->SetName("mode" + std::to_string(i));
        modes[i]->SetRadioItem(true);
        modes[i]->SetGroupIndex(2);
        modes[i]->OnClick().Set(record);
    }
    modes[0]->SetChecked(true);
    TzuMenuItem* hidden = grid->Items()->AddItem(u"Hidden");
    hidden->SetVisible(false);
    TzuMenuItem* off = menu.Items()->AddItem(u"Off");
    off->SetEnabled(false);
    off->Items()->AddItem(u"Inside");

    ASSERT_TRUE(menu.Popup(0, 0));
    const std::vector<TzuMenuEntry>& entries = app.PopupRequests().back().items;
    ASSERT_EQ(entries.size(), 3u);
    ASSERT_EQ(entries[1].Submenu.size(), 4u);  // the hidden one is left out
    EXPECT_TRUE(entries[1].Submenu[0].CheckItem);
    EXPECT_TRUE(entries[1].Submenu[1].RadioItem && entries[1].Submenu[1].Checked);
    EXPECT_EQ(entries[1].Submenu[3].GroupIndex, 2);
    // Choice order: Top 0, Grid 1, Show 2, Mode 0..2 = 3..5, Off 6, Inside 7.
    EXPECT_EQ(app.PopupEntryIndex({u"Grid", u"Mode 2"}), 5);
    EXPECT_EQ(app.PopupEntryIndex({u"Off", u"Inside"}), 7);
    EXPECT_EQ(MenuEntryAt(entries, 7, true), nullptr);  // inside a disabled submenu
    ASSERT_TRUE(app.ChoosePopupPath({u"Grid", u"Mode 2"}));
    EXPECT_TRUE(modes[2]->Checked());
    EXPECT_FALSE(modes[0]->Checked());
    for (int choice : {2, 2, 1, 7, 0}) {  // Show twice, Grid itself and Inside are no choice
        ASSERT_TRUE(menu.Popup(0, 0));
        app.ChoosePopupItem(choice);
    }
    EXPECT_EQ(clicked, (std::vector<std::string>{"mode2", "show", "show", "top"}));
    EXPECT_FALSE(show->Checked());

    // A submenu that changes while the menu is up drops the choice.
    ASSERT_TRUE(menu.Popup(0, 0));
    grid->Items()->AddItem(u"Late");
    app.ChoosePopupItem(0);
    EXPECT_EQ(clicked.size(), 4u);

    // Submenus and the new flags stream with the menu.
    std::vector<uint8_t> bytes;
    TzuStreamWriter(bytes).WriteRoot(&menu);
    TzuPopupMenu copy(&form);
    TzuStreamReader(bytes).ReadRootInto(&copy);
    TzuMenuItem* copiedGrid = copy.Items()->Item(1);
    ASSERT_EQ(copiedGrid->Items()->Count(), 6);
    EXPECT_TRUE(copiedGrid->Items()->Item(0)->AutoCheck());
    EXPECT_TRUE(copiedGrid->Items()->Item(3)->RadioItem());
    EXPECT_TRUE(copiedGrid->Items()->Item(3)->Checked());
    EXPECT_EQ(copiedGrid->Items()->Item(3)->GroupIndex(), 2);
    EXPECT_EQ(copiedGrid->Items()->ParentItem(), copiedGrid);
    EXPECT_EQ(copy.Items()->Item(2)->Items()->Item(0)->Caption(), u"Inside");
}

}  // namespace
}  // namespace zu
