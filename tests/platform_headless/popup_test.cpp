// Popups in a headless application: the popup window's place for every placement, the
// window it moves into and back from, the rules that close it, the follow timer on the
// manual clock, modal results, and popups, targets and scenes freed while open.

#include <gtest/gtest.h>

#include "platform/core/class_registry.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_scene/host/message_popup.h"
#include "scene/zu_scene/host/popup_form.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu::test {
namespace {

// Reopens, closes again or frees itself from inside its own closed-state announcement.
class TzuReentrantPopup : public TzuPopup {
public:
    using TzuPopup::TzuPopup;
    enum class Act { None, Reopen, CloseAgain, Free } act = Act::None;
    int closedAnnouncements = 0;
    void StartTriggerAnimation(TzuObject* instance, std::string_view trigger) override {
        TzuPopup::StartTriggerAnimation(instance, trigger);
        if (instance != this || trigger != "IsOpen" || IsOpen()) return;
        ++closedAnnouncements;
        switch (std::exchange(act, Act::None)) {
            case Act::Reopen: Open(); break;
            case Act::CloseAgain: Close(); break;
            case Act::Free: delete this; break;
            case Act::None: break;
        }
    }
};

// A scene being designed, as a design tool has it.
class DesignScene : public IzuScene {
public:
    void AddObject(TzuObject*) override {}
    void RemoveObject(TzuObject*) override {}
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void EndUpdateSilently() override {}
    void AddUpdateRect(const TzuRect&) override {}
    bool IsUpdating() const override { return false; }
    void SetUpdating(bool) override {}
    bool IsDesigning() const override { return true; }
    TzuCanvas* Canvas() const override { return nullptr; }
    TzuObject* Root() const override { return nullptr; }
    TzuComponent* SceneControl() override { return nullptr; }
    void Notification(TzuComponent*, TzuOperation) override {}
    int UpdateRectCount() const override { return 0; }
    TzuRect UpdateRect(int) const override { return {}; }
};

class PopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSceneClasses();
        form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 200, 300, 200);
        scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        root = new TzuBackground(nullptr);
        scene->AddObject(root);
        target = new TzuBackground(nullptr);
        target->SetBounds(50, 40, 60, 20);
        target->SetParent(root);
        popup = new TzuReentrantPopup(nullptr);
        popup->SetBounds(7, 9, 80, 30);
        popup->SetParent(root);
        form->Show();
        app.ProcessMessages();
    }
    void TearDown() override { delete form; }

    TzuHeadlessWindow* popupWindow() const {
        return popup->PopupForm() ? static_cast<TzuHeadlessWindow*>(popup->PopupForm()->Window()) : nullptr;
    }
    TzuWinRect popupBounds() const { return popupWindow() ? popupWindow()->Bounds() : TzuWinRect{}; }
    TzuHeadlessWindow* mainWindow() const { return static_cast<TzuHeadlessWindow*>(scene->Window()); }

    TzuHeadlessApplication app;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
    TzuBackground* root = nullptr;
    TzuBackground* target = nullptr;
    TzuReentrantPopup* popup = nullptr;
};

TEST_F(PopupTest, PlacesTheWindowForEveryPlacement) {
    popup->SetPlacementTarget(target);
    popup->SetHorizontalOffset(3);
    popup->SetVerticalOffset(4);
    // The target's top-left on the screen: the form at (100, 200), the target at (50, 40).
    struct Case {
        TzuPlacement placement;
        bool rect;
        int x, y;
    } cases[] = {
        {zuPlacementBottom, false, 150 + 3, 240 + 20 + 4},
        {zuPlacementTop, false, 150 + 3, 240 - 30 - 4},  // the bottom edge 4 above the target
        {zuPlacementLeft, false, 150 - 3 - 80, 240 + 4},
        {zuPlacementRight, false, 150 + 60 + 3, 240 + 4},
        {zuPlacementCenter, false, 150 - 10 + 3, 240 - 5 + 4},
        // With a rectangle (10, 5, 30, 15) in the target's units.
        {zuPlacementBottom, true, 150 + 10 + 3, 240 + 15 + 4},
        {zuPlacementTop, true, 150 + 10 + 3, 240 + 5 - 30 - 4},
        {zuPlacementLeft, true, 150 + 10 - 80 - 3, 240 + 5 + 4},
        {zuPlacementRight, true, 150 + 30 + 3, 240 + 5 + 4},
        {zuPlacementCenter, true, 150 + 10 - 30 + 3, 240 + 5 - 10 + 4},
        // Absolute and mouse placements take screen points and no offsets.
        {zuPlacementAbsolute, true, 10, 5},
        {zuPlacementMouse, false, 333, 222},
    };
    app.SetCursorPos({333, 222});
    for (const Case& c : cases) {
        SCOPED_TRACE(kPlacementEnum.names[c.placement]);
        popup->SetPlacement(c.placement);
        popup->PlacementRectangle()->SetRect(c.rect ? TzuRect{10, 5, 30, 15} : TzuRect{});
        popup->Open();
        ASSERT_TRUE(popup->IsOpen());
        EXPECT_EQ(popupBounds(), (TzuWinRect{c.x, c.y, c.x + 80, c.y + 30}));
        popup->Close();
    }
    // Without a target or parent the rectangle is taken as screen pixels.
    popup->SetPlacementTarget(nullptr);
    root->RemoveObject(popup);
    popup->SetPlacement(zuPlacementRight);
    popup->PlacementRectangle()->SetRect({10.7f, 20.2f, 40.9f, 50});
    popup->Place();
    EXPECT_EQ(popup->PlacedAt().X, 43);  // 40.9 + 3, truncated
    EXPECT_EQ(popup->PlacedAt().Y, 24);
    delete popup;
}

TEST_F(PopupTest, KeepsTheWindowOnTheMonitorAtItsEdges) {
    app.SetScreenWorkArea({0, 0, 400, 300});
    popup->SetPlacementTarget(target);
    popup->SetPlacement(zuPlacementBottom);
    popup->SetVerticalOffset(100);  // would hang below the monitor's bottom edge
    popup->Open();
    EXPECT_EQ(popupBounds(), (TzuWinRect{150, 270, 230, 300}));
    popup->Close();
    popup->SetVerticalOffset(0);
    popup->SetPlacement(zuPlacementLeft);
    popup->SetHorizontalOffset(100);  // past the left edge
    popup->Open();
    EXPECT_EQ(popupBounds(), (TzuWinRect{0, 240, 80, 270}));
    popup->Close();
    popup->SetPlacement(zuPlacementAbsolute);
    popup->PlacementRectangle()->SetRect({390, -20, 0, 0});
    popup->Open();
    EXPECT_EQ(popupBounds(), (TzuWinRect{320, 0, 400, 30}));
}

TEST_F(PopupTest, OpensInItsOwnScaledWindowAndComesBack) {
    root->Scale()->SetPoint({2, 2});
    EXPECT_FALSE(popup->Visible());
    popup->Open();
    ASSERT_NE(popupWindow(), nullptr);
    EXPECT_TRUE(popupWindow()->IsPopup());
    EXPECT_EQ(popupWindow()->PopupOwner(), form->Window());
    EXPECT_TRUE(popupWindow()->DismissOnOutsidePress());
    EXPECT_TRUE(popupWindow()->Layered());  // the private scene is transparent
    EXPECT_TRUE(popupWindow()->Visible());
    // Twice its size in the scaled scene, and shown at that scale.
    EXPECT_EQ(popupBounds().Width(), 160);
    EXPECT_EQ(popupBounds().Height(), 60);
    EXPECT_EQ(popup->ScalePoint().X, 2);
    EXPECT_EQ(popup->Parent(), nullptr);
    EXPECT_EQ(popup->Scene(), static_cast<IzuScene*>(popup->PopupScene()));
    EXPECT_TRUE(popup->Visible());
    app.ProcessMessages();
    EXPECT_GT(static_cast<TzuHeadlessWindow*>(popup->PopupScene()->Window())->LayeredPresentCount(), 0);
    EXPECT_EQ(app.FormWindows().size(), 2u);

    popup->SetIsOpen(false);
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(popup->Parent(), root);
    EXPECT_EQ(popup->Scene(), static_cast<IzuScene*>(scene));
    EXPECT_FALSE(popup->Visible());
    EXPECT_EQ(popup->ScalePoint().X, 1);
    EXPECT_EQ(popup->Position()->GetPoint(), (TzuPoint{7, 9}));
    EXPECT_EQ(popup->Width(), 80);
    EXPECT_EQ(app.FormWindows().size(), 1u);

    // Opening an open popup closes it; at design time it never opens.
    popup->Open();
    EXPECT_TRUE(popup->IsOpen());
    popup->Open();
    EXPECT_FALSE(popup->IsOpen());
    DesignScene designScene;
    root->RemoveObject(popup);
    popup->SetScene(&designScene);
    popup->SetIsOpen(true);
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(app.FormWindows().size(), 1u);
    popup->SetScene(nullptr);
    delete popup;
}

TEST_F(PopupTest, ClosesOnOutsidePressOrLostActivationUnlessItStaysOpen) {
    popup->Open();
    popupWindow()->InjectMouseDown(mbLeft, 5, 5);  // inside: stays
    EXPECT_TRUE(popup->IsOpen());
    app.InjectDesktopPress();
    EXPECT_FALSE(popup->IsOpen());
    popup->Open();
    mainWindow()->InjectMouseDown(mbLeft, 5, 5);
    EXPECT_FALSE(popup->IsOpen());
    popup->Open();
    popupWindow()->InjectActivate(false);
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(app.FormWindows().size(), 1u);

    popup->SetStaysOpen(true);
    popup->Open();
    EXPECT_FALSE(popupWindow()->DismissOnOutsidePress());
    app.InjectDesktopPress();
    mainWindow()->InjectMouseDown(mbLeft, 5, 5);
    popupWindow()->InjectActivate(false);
    EXPECT_TRUE(popup->IsOpen());
    // The window system closing the window takes the popup back too.
    popup->PopupForm()->WindowCloseRequest();
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(popup->Parent(), root);
    EXPECT_EQ(app.FormWindows().size(), 1u);
}

TEST_F(PopupTest, LosingTheSceneFocusClosesUnlessItMovesInside) {
    auto* inner = new TzuBackground(nullptr);
    inner->SetBounds(0, 0, 10, 10);
    inner->SetCanFocus(true);
    inner->SetParent(popup);
    popup->SetCanFocus(true);
    popup->Open();
    popup->SetFocus();
    ASSERT_TRUE(popup->IsFocused());
    inner->SetFocus();
    app.ProcessMessages();
    EXPECT_TRUE(popup->IsOpen());
    popup->SetFocus();
    popup->PopupScene()->SetFocused(nullptr);
    app.ProcessMessages();
    EXPECT_FALSE(popup->IsOpen());
}

TEST_F(PopupTest, KeysReachTheOpenPopupAndEscapeEndsAModalOne) {
    std::string log;
    auto watch = [&log](TzuVisualObject* o, const std::string& name) {
        o->SetCanFocus(true);
        o->OnKeyDown().Set([&log, name](uint16_t& key, char16_t& ch, TzuShiftState) {
            log += name + (ch ? std::string(1, char(ch)) : std::to_string(key)) + " ";
        });
    };
    auto* edit = new TzuBackground(nullptr);
    edit->SetBounds(150, 100, 10, 10);
    edit->SetParent(root);
    auto* field = new TzuBackground(nullptr);
    field->SetBounds(0, 0, 10, 10);
    field->SetParent(popup);
    watch(edit, "owner:");
    watch(field, "popup:");
    edit->SetFocus();

    // Open, the popup's first object that takes the focus has it and the keys typed into
    // the owner's window, Enter included; the owner's scene keeps its own focus.
    popup->Open();
    EXPECT_EQ(popup->PopupScene()->Focused(), field);
    EXPECT_EQ(scene->Focused(), edit);
    mainWindow()->InjectKey('A', 0, u'a');
    mainWindow()->InjectKey(keys::Enter);
    mainWindow()->InjectImeCommit(u"b");
    EXPECT_EQ(log, "popup:65 popup:a popup:13 popup:b ");
    popup->Close();
    mainWindow()->InjectKey('C', 0, u'c');
    EXPECT_EQ(log, "popup:65 popup:a popup:13 popup:b owner:67 owner:c ");
    // With nothing in it that takes the focus, the popup leaves the keys to the owner's
    // focused object, as a combo box keeps them under its open list.
    field->SetCanFocus(false);
    popup->Open();
    EXPECT_EQ(popup->PopupScene()->Focused(), nullptr);
    log.clear();
    mainWindow()->InjectKey('E', 0, u'e');
    mainWindow()->InjectImeCommit(u"f");
    EXPECT_EQ(log, "owner:69 owner:e owner:f ");
    EXPECT_TRUE(popup->IsOpen());
    popup->Close();
    field->SetCanFocus(true);

    // Escape in a modal popup ends it as cancelled and leaves the owner form's result.
    log.clear();
    app.PostMessage([&] {
        mainWindow()->InjectKey('D', 0, u'd');
        mainWindow()->InjectKey(keys::Escape);
    });
    EXPECT_EQ(popup->PopupModal(), mrCancel);
    EXPECT_EQ(form->ModalResult(), mrNone);
    EXPECT_EQ(log, "popup:68 popup:d ");
    // A popup that takes the focus itself has it.
    popup->SetCanFocus(true);
    popup->Open();
    EXPECT_EQ(popup->PopupScene()->Focused(), popup);
}

TEST_F(PopupTest, FollowTimerMovesTheWindowWithItsForm) {
    popup->SetPlacementTarget(target);
    popup->SetStaysOpen(true);
    popup->SetDragWithParent(true);
    popup->Open();
    EXPECT_EQ(popupBounds().Left, 150);
    form->SetBounds(130, 210, 300, 200);
    app.Advance(9);
    EXPECT_EQ(popupBounds().Left, 150);
    app.Advance(1);
    EXPECT_EQ(popupBounds().Left, 180);
    EXPECT_EQ(popupBounds().Top, 210 + 40 + 20);
    popup->Close();
    EXPECT_EQ(app.TimerCount(), 0u);

    // Without dragging along the window stays put.
    popup->SetDragWithParent(false);
    popup->Open();
    form->SetBounds(100, 200, 300, 200);
    app.Advance(50);
    EXPECT_EQ(popupBounds().Left, 180);
}

TEST_F(PopupTest, ModalLoopAnswersTheFormsResult) {
    app.PostMessage([&] { popup->PopupForm()->SetModalResult(mrOk); });
    EXPECT_EQ(popup->PopupModal(), mrOk);
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_TRUE(popup->StaysOpen());
    EXPECT_FALSE(popup->InModalLoop());
    // Asked for again while its loop runs, the loop ends as cancelled.
    app.PostMessage([&] { EXPECT_EQ(popup->PopupModal(), mrNone); });
    EXPECT_EQ(popup->PopupModal(), mrCancel);
    // Nothing left that could answer: cancelled instead of waiting for ever.
    EXPECT_EQ(popup->PopupModal(), mrCancel);
    EXPECT_EQ(app.FormWindows().size(), 1u);
    // The application terminating ends the loop with mrCancel.
    app.PostMessage([&] { app.Terminate(); });
    EXPECT_EQ(popup->PopupModal(), mrCancel);
    EXPECT_FALSE(popup->IsOpen());
}

TEST_F(PopupTest, MessagePopupHangsFromTheFormAndDisablesItsScene) {
    auto* message = new TzuMessagePopup(nullptr);
    message->SetBounds(0, 0, 120, 50);
    message->SetParent(target);
    EXPECT_TRUE(message->StaysOpen());
    EXPECT_TRUE(message->DragWithParent());
    root->SetEnabled(true);
    bool sawDisabled = false;
    TzuWinRect placed{};
    app.PostMessage([&] {
        sawDisabled = !root->Enabled();
        placed = static_cast<TzuHeadlessWindow*>(message->PopupForm()->Window())->Bounds();
        message->PopupForm()->SetModalResult(mrYes);
    });
    EXPECT_EQ(message->PopupModal(), mrYes);
    EXPECT_TRUE(sawDisabled);
    EXPECT_TRUE(root->Enabled());
    // Centred on the form's client area, hanging from its top edge.
    EXPECT_EQ(placed, (TzuWinRect{100 + 90, 200, 100 + 90 + 120, 250}));

    // A root that was disabled before stays disabled.
    root->SetEnabled(false);
    app.PostMessage([&] { message->PopupForm()->SetModalResult(mrOk); });
    message->PopupModal();
    EXPECT_FALSE(root->Enabled());

    // With a target it centres under it.
    message->SetPlacementTarget(target);
    message->Open();
    EXPECT_EQ(static_cast<TzuHeadlessWindow*>(message->PopupForm()->Window())->Bounds().Left, 150 - 30);
}

TEST_F(PopupTest, ReopeningClosingOrFreeingInsideTheCloseAnnouncementIsHarmless) {
    popup->Open();
    popup->act = TzuReentrantPopup::Act::Reopen;
    popup->Close();
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(popup->Parent(), root);
    popup->Open();
    popup->act = TzuReentrantPopup::Act::CloseAgain;
    popup->Close();
    popup->Close();
    EXPECT_EQ(popup->closedAnnouncements, 2);
    EXPECT_EQ(app.FormWindows().size(), 1u);
    popup->Open();
    popup->act = TzuReentrantPopup::Act::Free;
    TzuObjectGuard guard(popup);
    popup->Close();
    EXPECT_FALSE(guard.Alive());
    EXPECT_EQ(app.FormWindows().size(), 1u);
}

TEST_F(PopupTest, FreeingThePopupTargetParentOrSceneWhileOpenClosesCleanly) {
    // The target goes while the follow timer is due.
    popup->SetPlacementTarget(target);
    popup->SetStaysOpen(true);
    popup->SetDragWithParent(true);
    popup->Open();
    delete target;
    target = nullptr;
    EXPECT_EQ(popup->PlacementTarget(), nullptr);
    app.Advance(30);
    EXPECT_TRUE(popup->IsOpen());
    // The popup itself goes: its window and timer with it.
    delete popup;
    EXPECT_EQ(app.FormWindows().size(), 1u);
    EXPECT_EQ(app.TimerCount(), 0u);

    // The parent goes: the popup goes with its tree, window and all.
    auto* panel = new TzuBackground(nullptr);
    panel->SetParent(root);
    popup = new TzuReentrantPopup(nullptr);
    popup->SetBounds(0, 0, 20, 20);
    popup->SetParent(panel);
    popup->Open();
    TzuObjectGuard guard(popup);
    delete panel;
    EXPECT_FALSE(guard.Alive());
    EXPECT_EQ(app.FormWindows().size(), 1u);

    // The whole scene goes: the same.
    popup = new TzuReentrantPopup(nullptr);
    popup->SetBounds(0, 0, 20, 20);
    popup->SetParent(root);
    popup->SetStaysOpen(true);
    popup->SetDragWithParent(true);
    popup->Open();
    TzuObjectGuard second(popup);
    delete form;
    form = nullptr;
    EXPECT_FALSE(second.Alive());
    EXPECT_TRUE(app.FormWindows().empty());
    EXPECT_EQ(app.TimerCount(), 0u);
    app.Advance(30);
}

TEST_F(PopupTest, StreamsItsPlacementAndHidesWhileClosed) {
    const TzuClass& cls = TzuPopup::StaticClass();
    ASSERT_NE(cls.FindProperty("Placement"), nullptr);
    ASSERT_NE(cls.FindProperty("PlacementRectangle"), nullptr);
    EXPECT_EQ(cls.FindProperty("Visible")->defOrd, 0);
    EXPECT_EQ(TzuMessagePopup::StaticClass().FindProperty("StaysOpen")->defOrd, 1);
    EXPECT_EQ(FindClass("TzuMessagePopup"), &TzuMessagePopup::StaticClass());
}

}  // namespace
}  // namespace zu::test
