#include "scene/zu_lists/combo_box.h"

#include <gtest/gtest.h>

#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_lists/string_lists.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "tests/zu_controls/hosted_scene.h"

namespace zu {
namespace {

class HostedCombo : public test::HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 400, 300);
        app.ProcessMessages();
        combo = Add<TzuStringComboBox>(20, 20);
        for (int i = 0; i < 12; ++i) combo->Items()->Add(u"choice " + std::u16string(1, char16_t(u'a' + i)));
        combo->SetItemIndex(0);
        changes = 0;
        combo->OnChange().Set([this](TzuPersistent*) { ++changes; });
        Settle();
    }
    TzuHeadlessWindow* PopupWindow() {
        TzuScene* s = combo->Popup()->PopupScene();
        return s ? static_cast<TzuHeadlessWindow*>(s->Window()) : nullptr;
    }
    // An item of the open list in screen pixels.
    TzuWinPoint ItemOnScreen(int i) {
        TzuListBoxItem* item = combo->ListBox()->ItemByIndex(i);
        const TzuPoint p = item->LocalToAbsolute({item->Width() / 2, item->Height() / 2});
        return PopupWindow()->ClientToScreen({int(p.X), int(p.Y)});
    }
    TzuStringComboBox* combo = nullptr;
    int changes = 0;
};

TEST_F(HostedCombo, PopupSizeAndReleaseOverAnItemChooses) {
    const TzuPoint mid = combo->LocalToAbsolute({50, 11});
    Press(int(mid.X), int(mid.Y));
    ASSERT_TRUE(combo->IsOpen());
    // Items of ItemHeight 19: DropDownCount rows of it.
    EXPECT_FLOAT_EQ(combo->Popup()->Height(), 8 * 19);
    EXPECT_FLOAT_EQ(combo->Popup()->Width(), combo->Width());
    // Held from the press, dragged into the list and let go over the fourth item.
    const TzuWinPoint at = ItemOnScreen(3);
    const TzuWinPoint origin = window()->ClientToScreen({0, 0});
    window()->InjectMouseMove(at.X - origin.X, at.Y - origin.Y, ssLeft);
    Release(at.X - origin.X, at.Y - origin.Y);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(VariantToWide(combo->GetData()), u"choice d");

    // A click opens it and it stays open; a click on an item in the list chooses that.
    Advance(300);
    ClickAt(int(mid.X), int(mid.Y));
    ASSERT_TRUE(combo->IsOpen());
    TzuHeadlessWindow* popup = PopupWindow();
    ASSERT_NE(popup, nullptr);
    TzuListBoxItem* fifth = combo->ListBox()->ItemByIndex(5);
    const TzuPoint p = fifth->LocalToAbsolute({10, 9});
    popup->InjectMouseMove(int(p.X), int(p.Y));
    popup->InjectMouseDown(mbLeft, int(p.X), int(p.Y), ssLeft);
    popup->InjectMouseUp(mbLeft, int(p.X), int(p.Y));
    app.ProcessMessages();
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->ItemIndex(), 5);
    EXPECT_EQ(changes, 2);

    // The automatic row height is the box's height less 4.
    auto* plain = Add<TzuComboBox>(200, 20);
    for (int i = 0; i < 9; ++i) plain->AddObject(new TzuListBoxItem(nullptr));
    EXPECT_EQ(plain->Count(), 9);
    plain->ListBox()->SetItemHeight(0);
    plain->DropDown();
    EXPECT_FLOAT_EQ(plain->Popup()->Height(), 8 * (23 - 4));
    plain->CloseUp();
}

TEST_F(HostedCombo, KeysWheelAndTheEmptyList) {
    combo->SetFocus();
    window()->InjectKey(keys::Down);
    EXPECT_EQ(combo->ItemIndex(), 1);
    window()->InjectKey(keys::End);
    EXPECT_EQ(combo->ItemIndex(), 11);
    window()->InjectKey(keys::Right);
    EXPECT_EQ(combo->ItemIndex(), 11);
    window()->InjectKey(keys::Home);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(changes, 3);
    const TzuPoint mid = combo->LocalToAbsolute({50, 11});
    window()->InjectMouseMove(int(mid.X), int(mid.Y));
    window()->InjectMouseWheel(-120, int(mid.X), int(mid.Y));
    EXPECT_EQ(combo->ItemIndex(), 1);
    window()->InjectMouseWheel(120, int(mid.X), int(mid.Y));
    EXPECT_EQ(combo->ItemIndex(), 0);
    // Type-ahead on the closed box; Alt+Down opens, Escape closes.
    window()->InjectKeyChar(u'c');
    window()->InjectKeyChar(u'h');
    window()->InjectKeyChar(u'o');
    window()->InjectKeyChar(u'i');
    window()->InjectKeyChar(u'c');
    window()->InjectKeyChar(u'e');
    window()->InjectKeyChar(u' ');
    window()->InjectKeyChar(u'k');
    EXPECT_EQ(combo->ItemIndex(), 10);
    window()->InjectKey(keys::Down, ssAlt);
    EXPECT_TRUE(combo->IsOpen());
    window()->InjectKey(keys::Escape);
    EXPECT_FALSE(combo->IsOpen());

    // An empty list opens nothing, has no current item, and ignores keys and the wheel.
    combo->Items()->Clear();
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->DropDown();
    EXPECT_FALSE(combo->IsOpen());
    const int before = changes;
    window()->InjectKey(keys::Down);
    window()->InjectMouseWheel(-120, int(mid.X), int(mid.Y));
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(changes, before);
    // A shorter list keeps the index within it.
    combo->Items()->SetText(u"a\nb\nc\nd");
    combo->SetItemIndex(3);
    combo->Items()->SetText(u"a\nb");
    EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(HostedCombo, ItemsStreamAsTheComboBoxOwn) {
    auto* plain = Add<TzuComboBox>(200, 20);
    for (const char16_t* t : {u"one", u"two", u"three"}) {
        auto* item = new TzuListBoxItem(nullptr);
        item->SetText(t);
        plain->AddObject(item);
    }
    plain->SetItemIndex(2);
    plain->SetDropDownCount(5);
    std::string written;
    SaveObjectToText(plain, written);
    EXPECT_EQ(written.find("TzuPopup"), std::string::npos);
    auto* loaded = As<TzuComboBox>(LoadObjectFromText(nullptr, written));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Count(), 3);
    EXPECT_EQ(loaded->ItemIndex(), 2);
    EXPECT_EQ(loaded->DropDownCount(), 5);
    EXPECT_EQ(loaded->ListBox()->ItemByIndex(1)->Text(), u"two");
    delete loaded;
}

}  // namespace
}  // namespace zu
