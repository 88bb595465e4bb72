// Buttons that open a menu or a dialog: the popup box picking among its items, the popup
// button opening its menu below itself, and the colour button's chooser.

#include "scene/zu_controls/popup_box.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "hosted_scene.h"
#include "platform/core/popup_menu.h"
#include "scene/zu_controls/color_button.h"
#include "scene/zu_controls/popup_button.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_scene/tree/object_stream.h"

namespace zu::test {
namespace {

using MenuButtons = HostedScene;

TEST_F(MenuButtons, PopupBoxPicksAnItemFromItsMenu) {
    auto* box = Add<TzuPopupBox>(10, 100);
    int changes = 0;
    box->OnChange().Set([&changes](TzuPersistent*) { ++changes; });
    for (const char16_t* s : {u"Red", u"Green", u"Blue"}) box->Items()->Add(s);
    EXPECT_EQ(box->ItemIndex(), -1);
    box->SetItemIndex(1);
    EXPECT_EQ(box->Text(), u"Green");
    EXPECT_EQ(changes, 1);
    ClickAt(40, 110);
    ASSERT_TRUE(app.PopupOpen());
    const auto& request = app.PopupRequests().back();
    ASSERT_EQ(request.items.size(), 3u);
    EXPECT_TRUE(request.items[1].Checked);
    EXPECT_FALSE(request.items[0].Checked);
    // Centred on the box: 20 pixels an item above its middle.
    const TzuWinPoint origin = window()->ClientToScreen({10, 100});
    EXPECT_EQ(request.screen.X, origin.X);
    EXPECT_EQ(request.screen.Y, origin.Y + int(21 / 2.0f - 30));
    app.ChoosePopupItem(2);
    app.ProcessMessages();
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(box->Text(), u"Blue");
    EXPECT_EQ(changes, 2);
    // Text selects the matching item without OnChange; an unknown text selects nothing.
    box->SetText(u"Red");
    EXPECT_EQ(box->ItemIndex(), 0);
    box->SetText(u"Purple");
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_EQ(box->Text(), u"");
    EXPECT_EQ(changes, 2);
}

TEST_F(MenuButtons, AnIndexPastTheItemsSelectsNothing) {
    auto* box = Add<TzuPopupBox>(10, 100);
    box->Items()->Add(u"One");
    box->SetItemIndex(5);
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_EQ(box->Text(), u"");
    box->SetItemIndex(0);
    EXPECT_EQ(box->Text(), u"One");
    box->Items()->Clear();
    // The list shrank under the index: a click builds an empty menu and reads nothing.
    ClickAt(40, 110);
    EXPECT_FALSE(app.PopupOpen());
    // A stream whose index lies beyond its items loads with nothing selected.
    std::string text = "object TzuPopupBox\n  Items.Strings = (\n    'a'\n    'b')\n  ItemIndex = 7\nend\n";
    std::unique_ptr<TzuObject> loaded(LoadObjectFromText(nullptr, text));
    auto* copy = As<TzuPopupBox>(loaded.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Items()->Count(), 2);
    EXPECT_EQ(copy->ItemIndex(), -1);
    EXPECT_EQ(copy->Text(), u"");
}

TEST_F(MenuButtons, PopupButtonOpensItsMenuBelowItself) {
    auto* menu = new TzuPopupMenu(form);
    int chosen = 0;
    menu->Items()->AddItem(u"First")->OnClick().Set([&chosen](TzuPersistent*) { ++chosen; });
    menu->Items()->AddItem(u"Second");
    auto* b = Add<TzuPopupButton>(20, 30);
    int clicks = 0;
    b->OnClick().Set([&clicks](TzuPersistent*) { ++clicks; });
    ClickAt(40, 40);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(app.PopupOpen());  // no menu yet
    b->SetPopupMenu(menu);
    ClickAt(40, 40);
    EXPECT_EQ(clicks, 2);
    ASSERT_TRUE(app.PopupOpen());
    const TzuWinPoint corner = window()->ClientToScreen({20, 52});
    EXPECT_EQ(app.PopupRequests().back().screen.X, corner.X);
    EXPECT_EQ(app.PopupRequests().back().screen.Y, corner.Y);
    app.ChoosePopupItem(0);
    app.ProcessMessages();
    EXPECT_EQ(chosen, 1);
    // Freeing the menu clears the button's reference.
    delete menu;
    EXPECT_EQ(b->PopupMenu(), nullptr);
    ClickAt(40, 40);
    EXPECT_EQ(clicks, 3);
}

TEST_F(MenuButtons, ColorButtonShowsItsColourAndTakesAnOpaqueChoice) {
    auto* b = Add<TzuColorButton>(10, 10);
    ASSERT_NE(b->FillPart(), nullptr);
    int changes = 0;
    b->OnChange().Set([&changes](TzuPersistent*) { ++changes; });
    EXPECT_EQ(b->Color(), "#FF000000");
    b->SetColor("#80336699");
    EXPECT_EQ(b->FillPart()->Fill()->Color(), 0x80336699u);
    EXPECT_EQ(changes, 1);
    // Cancelled: nothing changes.
    ClickAt(30, 20);
    ASSERT_EQ(app.ColorRequests().size(), 1u);
    EXPECT_EQ(app.ColorRequests()[0], 0x80336699u);
    EXPECT_EQ(b->Color(), "#80336699");
    EXPECT_EQ(changes, 1);
    // Chosen: always opaque.
    app.SetColorChoice(0x00ABCDEFu);
    ClickAt(30, 20);
    EXPECT_EQ(b->Color(), "#FFABCDEF");
    EXPECT_EQ(b->FillPart()->Fill()->Color(), 0xFFABCDEFu);
    EXPECT_EQ(changes, 2);
    // Without the standard dialog the platform chooser is not asked but the library's own
    // editor, installed from above: cancelled the colour stays, chosen it keeps its alpha.
    b->SetUseStandardDialog(false);
    app.SetColorChoice(0xFF112233u);
    const TzuColorEditor installed = ColorButtonEditor();
    static std::optional<uint32_t> answer;
    static uint32_t shown = 0;
    SetColorButtonEditor([](TzuColorButton&, uint32_t current) {
        shown = current;
        return answer;
    });
    ClickAt(30, 20);
    EXPECT_EQ(shown, 0xFFABCDEFu);
    EXPECT_EQ(b->Color(), "#FFABCDEF");
    answer = 0x40112233u;
    ClickAt(30, 20);
    EXPECT_EQ(b->Color(), "#40112233");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(app.ColorRequests().size(), 2u);
    // With no editor installed nothing opens.
    SetColorButtonEditor(nullptr);
    ClickAt(30, 20);
    EXPECT_EQ(b->Color(), "#40112233");
    SetColorButtonEditor(installed);
}

}  // namespace
}  // namespace zu::test
