// Actions and the controls linked to them, popup menus opened from objects and chosen on
// the headless platform, and the colour dialog's answer.

#include "platform/core/action.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/color_dialog.h"
#include "platform/core/popup_menu.h"
#include "scene/zu_controls/register_controls.h"
#include "scene/zu_controls/text_control.h"
#include "scene/zu_scene/tree/control_action_link.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "tests/platform_headless/host_fixture.h"

namespace zu::test {
namespace {

using Log = std::vector<std::string>;

class ActionTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        RegisterControlClasses();
        root = new TzuVisualObject(form);
        scene->AddObject(root);
        scene->RealignRoot();
        action = new TzuAction(form);
        action->SetName("SaveAction");
        action->SetCaption(u"Save");
        action->SetHint(u"Save the file");
        action->OnExecute().Set([this](TzuPersistent* sender) {
            log.push_back(sender == action ? "execute" : "execute from elsewhere");
        });
    }
    TzuTextControl* AddButton(const std::string& name) {
        auto* b = new TzuTextControl(form);
        b->SetName(name);
        root->AddObject(b);
        b->SetBounds(10, 5, 30, 20);
        return b;
    }

    TzuVisualObject* root = nullptr;
    TzuAction* action = nullptr;
    Log log;
};

TEST_F(ActionTest, LinkingTakesTheActionStateAndChangesFollowWhileLinked) {
    TzuTextControl* b = AddButton("SaveButton");
    b->SetText(u"SaveButton");  // the control's name counts as no caption of its own
    b->SetAction(action);
    EXPECT_EQ(b->Text(), u"Save");
    EXPECT_EQ(b->Hint(), u"Save the file");
    EXPECT_TRUE(b->OnClick().SameHandler(action->OnExecute()));
    EXPECT_EQ(action->LinkCount(), 1);

    action->SetEnabled(false);
    EXPECT_FALSE(b->Enabled());
    action->SetVisible(false);
    EXPECT_FALSE(b->Visible());
    action->SetVisible(true);
    action->SetEnabled(true);
    action->SetCaption(u"Save all");
    EXPECT_EQ(b->Text(), u"Save all");
    EXPECT_TRUE(b->Visible() && b->Enabled());

    // A property the control changed on its own is unlinked for the single-property step;
    // the change notification that follows applies the whole action again.
    auto* link = b->ActionLink();
    b->SetHint(u"mine");
    EXPECT_FALSE(link->IsHintLinked());
    EXPECT_TRUE(link->IsCaptionLinked());
    action->SetHint(u"Saves");
    EXPECT_EQ(b->Hint(), u"Saves");

    // Unlinking stops the following; freeing the action clears the control's reference.
    b->SetAction(nullptr);
    EXPECT_EQ(action->LinkCount(), 0);
    action->SetCaption(u"Other");
    EXPECT_EQ(b->Text(), u"Save all");
    b->SetAction(action);
    delete action;
    action = nullptr;
    EXPECT_EQ(b->Action(), nullptr);
    EXPECT_EQ(b->ActionLink(), nullptr);
}

TEST_F(ActionTest, CheckDefaultsKeepTheControlsOwnValues) {
    TzuTextControl* b = AddButton("B");
    b->SetText(u"Mine");
    b->SetHint(u"own hint");
    b->SetEnabled(false);
    b->OnClick().Set([this](TzuPersistent*) { log.push_back("own click"); });
    b->ActionChange(action, true);
    EXPECT_EQ(b->Text(), u"Mine");
    EXPECT_EQ(b->Hint(), u"own hint");
    EXPECT_FALSE(b->Enabled());
    EXPECT_FALSE(b->OnClick().SameHandler(action->OnExecute()));

    TzuTextControl* c = AddButton("C");
    c->SetText(u"C");  // equal to the name: taken over
    c->ActionChange(action, true);
    EXPECT_EQ(c->Text(), u"Save");
    EXPECT_EQ(c->Hint(), u"Save the file");
    EXPECT_TRUE(c->OnClick().SameHandler(action->OnExecute()));
}

TEST_F(ActionTest, ClickRunsTheOwnHandlerOrTheActionNeverBoth) {
    TzuTextControl* b = AddButton("B");
    b->SetAction(action);
    window()->InjectMouseDown(mbLeft, 20, 10);
    window()->InjectMouseUp(mbLeft, 20, 10);
    EXPECT_EQ(log, (Log{"execute"}));

    // A disabled action does not run, even when its handler is the control's OnClick.
    log.clear();
    action->SetEnabled(false);
    b->SetEnabled(true);
    b->Click();
    EXPECT_TRUE(log.empty());
    action->SetEnabled(true);

    b->OnClick().Set([this](TzuPersistent* sender) { log.push_back(sender->ClassType().name); });
    b->Click();
    EXPECT_EQ(log, (Log{"TzuTextControl"}));

    // A control without an action clicks as any visual object.
    log.clear();
    b->SetAction(nullptr);
    b->Click();
    EXPECT_EQ(log, (Log{"TzuTextControl"}));
}

TEST_F(ActionTest, PeriodicUpdateReachesLinkedControlsInScenesOnly) {
    int updates = 0;
    action->OnUpdate().Set([&](TzuPersistent* a) {
        ++updates;
        static_cast<TzuAction*>(a)->SetCaption(u"Update " + std::u16string(1, char16_t(u'0' + updates)));
    });
    TzuTextControl* inScene = AddButton("In");
    auto* outside = new TzuTextControl(form);  // in no scene: not updated
    inScene->SetAction(action);
    outside->SetAction(action);
    app.Advance(kActionUpdateInterval);
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(inScene->Text(), u"Update 1");
    scene->UpdateActions();
    EXPECT_EQ(updates, 2);

    // The update stops with the last link; an update handler may unlink its control.
    action->OnUpdate().Set([&](TzuPersistent*) {
        ++updates;
        inScene->SetAction(nullptr);
        outside->SetAction(nullptr);
    });
    const size_t timers = app.TimerCount();
    app.Advance(kActionUpdateInterval);
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(app.TimerCount(), timers - 1);
    delete outside;
}

TEST_F(ActionTest, ActionAndPopupMenuAreStreamedByName) {
    TzuTextControl* b = AddButton("B");
    b->SetAction(action);
    auto* menu = new TzuPopupMenu(form);
    menu->SetName("Menu1");
    b->SetPopupMenu(menu);
    std::string text;
    SaveObjectToText(b, text);
    EXPECT_NE(text.find("Action = SaveAction"), std::string::npos) << text;
    EXPECT_NE(text.find("PopupMenu = Menu1"), std::string::npos) << text;

    std::string skipped;
    TzuObject* loaded = LoadObjectFromText(form, text, [&](const std::string& m) { skipped += m + "\n"; });
    EXPECT_EQ(skipped, "");
    ASSERT_NE(loaded, nullptr);
    auto* copy = As<TzuTextControl>(loaded);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Action(), action);
    EXPECT_EQ(copy->PopupMenu(), menu);
    EXPECT_EQ(copy->Text(), u"Save");
    delete loaded;
}

class PopupMenuTest : public ActionTest {
protected:
    void SetUp() override {
        ActionTest::SetUp();
        menu = new TzuPopupMenu(form);
        for (const char16_t* caption : {u"Cut", u"-", u"Copy", u"Hidden", u"Paste"}) {
            TzuMenuItem* item = menu->Items()->AddItem(caption);
            item->OnClick().Set([this](TzuPersistent* sender) {
                const std::u16string& c = static_cast<TzuMenuItem*>(sender)->Caption();
                log.push_back(std::string(c.begin(), c.end()));
            });
        }
        menu->Items()->Item(3)->SetVisible(false);
        menu->Items()->Item(4)->SetEnabled(false);
        menu->Items()->Item(2)->SetChecked(true);
        target = new TzuVisualObject(form);
        root->AddObject(target);
        target->SetBounds(40, 10, 20, 10);
        target->SetPopupMenu(menu);
    }
    TzuPopupMenu* menu = nullptr;
    TzuVisualObject* target = nullptr;
};

TEST_F(PopupMenuTest, RightPressShowsTheVisibleItemsAndTheChoiceRunsItsHandler) {
    window()->InjectMouseDown(mbRight, 45, 12);
    window()->InjectMouseUp(mbRight, 45, 12);
    ASSERT_EQ(app.PopupRequests().size(), 1u);
    const auto& shown = app.PopupRequests().back();
    EXPECT_EQ(shown.near, window());
    EXPECT_EQ(shown.screen.X, window()->ClientToScreen({45, 12}).X);
    EXPECT_EQ(shown.screen.Y, window()->ClientToScreen({45, 12}).Y);
    ASSERT_EQ(shown.items.size(), 4u);  // the hidden item is left out
    EXPECT_TRUE(shown.items[1].Separator);
    EXPECT_TRUE(shown.items[2].Checked);
    EXPECT_FALSE(shown.items[3].Enabled);
    EXPECT_EQ(shown.items[3].Caption, u"Paste");
    EXPECT_EQ(menu->PopupComponent(), target);

    app.ChoosePopupItem(2);
    EXPECT_EQ(log, (Log{"Copy"}));
    EXPECT_FALSE(menu->IsShowing());

    // A disabled entry, a separator or a dismissal runs nothing.
    for (int entry : {3, 1, -1}) {
        window()->InjectKey(93);  // nothing focused: no key reaches the target
        target->SetCanFocus(true);
        target->SetFocus();
        window()->InjectKey(93);
        ASSERT_TRUE(app.PopupOpen());
        app.ChoosePopupItem(entry);
    }
    EXPECT_EQ(log, (Log{"Copy"}));
    // The context-menu key opens it at the object's centre.
    EXPECT_EQ(app.PopupRequests().back().screen.X, window()->ClientToScreen({50, 15}).X);
}

TEST_F(PopupMenuTest, ChoicesOutlivingTheirMenuOrItemsAreDropped) {
    ASSERT_TRUE(menu->Popup(5, 6));
    menu->Items()->Delete(0);  // the entries on screen no longer match the items
    app.ChoosePopupItem(0);
    EXPECT_TRUE(log.empty());

    ASSERT_TRUE(menu->Popup(5, 6));
    delete menu;
    app.ChoosePopupItem(0);
    EXPECT_TRUE(log.empty());

    // Freeing the object a menu was opened for clears its popup component.
    auto* other = new TzuPopupMenu(form);
    other->Items()->AddItem(u"Only");
    target->SetPopupMenu(other);
    target->ContextMenu({1, 1});
    EXPECT_EQ(other->PopupComponent(), target);
    delete target;
    EXPECT_EQ(other->PopupComponent(), nullptr);
    app.ChoosePopupItem(-1);
    // An empty menu shows nothing.
    other->Items()->Clear();
    EXPECT_FALSE(other->Popup(0, 0));
}

TEST(ColorDialogTest, ReturnsTheChosenOpaqueColourOrNothingOnCancel) {
    TzuHeadlessApplication app;
    TzuColorDialog dialog(nullptr);
    dialog.SetColor(0x80123456);
    EXPECT_FALSE(dialog.Execute());  // cancelled
    EXPECT_EQ(dialog.Color(), 0x80123456u);
    app.SetColorChoice(0x00ABCDEF);
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), 0xFFABCDEFu);
    EXPECT_EQ(app.ColorRequests(), (std::vector<uint32_t>{0x80123456u, 0x80123456u}));
}

}  // namespace
}  // namespace zu::test
