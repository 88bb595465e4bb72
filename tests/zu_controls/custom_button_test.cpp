// Buttons driven through the scene's input routing on the manual clock: presses, drags,
// releases, keys, repeat clicks, dialog keys, modal results and handlers that free their
// own button.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosted_scene.h"
#include "platform/core/action.h"
#include "platform/core/property.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_controls/speed_button.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/object_stream.h"

namespace zu::test {
namespace {

// A scene object whose published method handles clicks, so a handler can travel as data.
class THandler : public TzuObject {
    ZU_CLASS(THandler)
public:
    using TzuObject::TzuObject;
    void Clicked(TzuPersistent* sender) { senders.push_back(sender); }
    std::vector<TzuPersistent*> senders;
};

const TzuClass& THandler::StaticClass() {
    static const TzuMethodInfo methods[] = {ZuMethod<&THandler::Clicked>("Clicked")};
    static const TzuClass cls = ZuClass<THandler, TzuObject>("THandler", {}, methods);
    return cls;
}

class Buttons : public HostedScene {
protected:
    // A button at (10,10), 80 x 22, counting its clicks.
    template <class T = TzuButton>
    T* Counted(int& clicks, float x = 10, float y = 10) {
        T* b = Add<T>(x, y);
        b->OnClick().Set([&clicks](TzuPersistent*) { ++clicks; });
        return b;
    }
    std::string BackgroundColor(TzuControl* c) {
        auto* bg = As<TzuRectangle>(c->FindResource("background"));
        return bg ? bg->Fill()->ColorText() : "no background";
    }
};

TEST_F(Buttons, PressShowsPressedAndAReleaseInsideClicksOnce) {
    int clicks = 0;
    TzuButton* b = Counted(clicks);
    window()->InjectMouseMove(30, 20);
    Press(30, 20);
    EXPECT_TRUE(b->IsPressed());
    EXPECT_TRUE(b->Tracking());
    EXPECT_TRUE(b->IsFocused());  // a press focuses a focusable button
    EXPECT_EQ(clicks, 0);
    Release(31, 21);
    EXPECT_FALSE(b->IsPressed());
    EXPECT_FALSE(b->Tracking());
    EXPECT_EQ(clicks, 1);
}

TEST_F(Buttons, DraggingOutPopsUpAndBackInPressesAgainAndAReleaseOutsideDoesNotClick) {
    int clicks = 0;
    TzuButton* b = Counted(clicks);
    window()->InjectMouseMove(30, 20);
    Press(30, 20);
    Drag(150, 100);
    EXPECT_FALSE(b->IsPressed());
    Drag(40, 25);
    EXPECT_TRUE(b->IsPressed());
    Drag(150, 100);
    Release(150, 100);
    EXPECT_FALSE(b->IsPressed());
    EXPECT_EQ(clicks, 0);
    // A move without the button held after the release changes nothing.
    window()->InjectMouseMove(30, 20);
    EXPECT_FALSE(b->IsPressed());
}

TEST_F(Buttons, PressedStateDrivesTheStyleAnimations) {
    int clicks = 0;
    TzuButton* b = Counted(clicks);
    window()->InjectMouseMove(30, 20);
    Advance(300);
    EXPECT_EQ(BackgroundColor(b), "#FF707070");  // hovered
    Press(30, 20);
    Advance(300);
    EXPECT_EQ(BackgroundColor(b), "#FF404040");  // hovered and pressed
    Release(30, 20);
    window()->InjectMouseMove(200, 150);
    Advance(300);
    EXPECT_EQ(BackgroundColor(b), "#FF505050");  // back at rest
}

TEST_F(Buttons, EnterSpaceAndADoubleClickClick) {
    int clicks = 0;
    TzuButton* b = Counted(clicks);
    b->SetFocus();
    ASSERT_TRUE(b->IsFocused());
    window()->InjectKey(keys::Space, 0, u' ');
    EXPECT_EQ(clicks, 1);
    window()->InjectKey(keys::Enter, 0, u'\r');
    EXPECT_EQ(clicks, 2);
    window()->InjectKey(keys::Left);
    window()->InjectKey(65, 0, u'a');
    EXPECT_EQ(clicks, 2);
    // A double click: the first release clicks, the double press clicks once more and its
    // release does not.
    window()->InjectMouseMove(30, 20);
    Press(30, 20);
    Release(30, 20);
    window()->InjectMouseDown(mbLeft, 30, 20, ssLeft | ssDouble, true);
    window()->InjectMouseUp(mbLeft, 30, 20, 0, true);
    EXPECT_EQ(clicks, 4);
}

TEST_F(Buttons, StaysPressedButtonsToggleOnEachPressAndKeepTheirStateApart) {
    int clicksA = 0, clicksB = 0;
    TzuButton* a = Counted(clicksA, 10, 10);
    TzuButton* b = Counted(clicksB, 10, 50);
    a->SetStaysPressed(true);
    b->SetStaysPressed(true);
    ClickAt(30, 20);
    EXPECT_TRUE(a->IsPressed());
    EXPECT_FALSE(b->IsPressed());
    ClickAt(30, 60);
    EXPECT_TRUE(a->IsPressed());
    EXPECT_TRUE(b->IsPressed());
    // Dragging a stays-pressed button out does not pop it up.
    Press(30, 20);
    Drag(200, 150);
    EXPECT_FALSE(a->IsPressed());  // toggled by the press itself
    Release(200, 150);
    EXPECT_FALSE(a->IsPressed());
    EXPECT_EQ(clicksA, 1);
    EXPECT_EQ(clicksB, 1);
    // From code only a stays-pressed button can be pressed.
    a->SetIsPressed(true);
    EXPECT_TRUE(a->IsPressed());
    int plainClicks = 0;
    TzuButton* plain = Counted(plainClicks, 10, 90);
    plain->SetIsPressed(true);
    EXPECT_FALSE(plain->IsPressed());
}

TEST_F(Buttons, HeldSpeedButtonRepeatsFrom600msEvery100msAndClicksOnRelease) {
    int clicks = 0;
    auto* b = Counted<TzuSpeedButton>(clicks);
    EXPECT_FALSE(b->CanFocus());
    EXPECT_TRUE(b->RepeatClick());
    window()->InjectMouseMove(20, 20);
    Press(20, 20);
    EXPECT_FALSE(b->IsFocused());
    std::vector<int> times;
    b->OnClick().Set([&](TzuPersistent*) { times.push_back(int(app.Now())); });
    const int64_t start = app.Now();
    Advance(850);
    ASSERT_EQ(times.size(), 3u);
    EXPECT_EQ(times[0] - start, 600);
    EXPECT_EQ(times[1] - start, 700);
    EXPECT_EQ(times[2] - start, 800);
    // Held outside it pops up and stops repeating; back inside it goes on.
    Drag(200, 150);
    Advance(300);
    EXPECT_EQ(times.size(), 3u);
    Drag(20, 20);
    Advance(100);
    EXPECT_EQ(times.size(), 4u);
    Release(20, 20);
    EXPECT_EQ(times.size(), 5u);
    Advance(1000);
    EXPECT_EQ(times.size(), 5u);  // the timer stopped with the release
    (void)clicks;
}

TEST_F(Buttons, RepeatingStopsWhenTheButtonLeavesItsSceneWhileHeld) {
    int clicks = 0;
    auto* b = Counted<TzuSpeedButton>(clicks);
    window()->InjectMouseMove(20, 20);
    Press(20, 20);
    Advance(750);
    EXPECT_EQ(clicks, 2);
    // Taken out of the tree with the button still down: no release will come.
    b->SetParent(nullptr);
    Advance(1000);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(b->IsPressed());
    EXPECT_FALSE(b->Tracking());
    delete b;
}

TEST_F(Buttons, AClickHandlerMayFreeItsOwnButton) {
    // On a repeat tick, on a release and from a key: nothing touches the button after.
    auto* speed = Add<TzuSpeedButton>(10, 10);
    speed->OnClick().Set([speed](TzuPersistent*) { delete speed; });
    TzuObjectGuard speedAlive(speed);
    window()->InjectMouseMove(20, 20);
    Press(20, 20);
    Advance(650);
    EXPECT_FALSE(speedAlive.Alive());
    Release(20, 20);
    Advance(500);

    auto* button = Add<TzuButton>(10, 10);
    button->OnClick().Set([button](TzuPersistent*) { delete button; });
    TzuObjectGuard buttonAlive(button);
    window()->InjectMouseMove(30, 20);
    Press(30, 20);
    Release(30, 20);
    EXPECT_FALSE(buttonAlive.Alive());

    auto* keyed = Add<TzuButton>(10, 10);
    keyed->OnClick().Set([keyed](TzuPersistent*) { delete keyed; });
    TzuObjectGuard keyedAlive(keyed);
    keyed->SetFocus();
    window()->InjectKey(keys::Enter, 0, u'\r');
    EXPECT_FALSE(keyedAlive.Alive());
    EXPECT_TRUE(app.Errors().empty());
}

TEST_F(Buttons, DefaultTakesEnterAndCancelTakesEscapeWhereverTheFocusIs) {
    int okClicks = 0, cancelClicks = 0, otherClicks = 0;
    TzuButton* ok = Counted(okClicks, 10, 10);
    TzuButton* cancel = Counted(cancelClicks, 100, 10);
    TzuButton* other = Counted(otherClicks, 10, 50);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    other->SetFocus();
    window()->InjectKey(keys::Enter, 0, u'\r');
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(otherClicks, 0);  // the default button consumed it
    window()->InjectKey(keys::Escape);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(form->ModalResult(), mrNone);  // consumed before the scene's own Escape step
    // Without a default button Enter reaches the focused one.
    ok->SetDefault(false);
    window()->InjectKey(keys::Enter, 0, u'\r');
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(otherClicks, 1);
    // A hidden or disabled default button does not take Enter.
    ok->SetDefault(true);
    ok->SetEnabled(false);
    window()->InjectKey(keys::Enter, 0, u'\r');
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(otherClicks, 2);
}

TEST_F(Buttons, AClickHandsTheModalResultToTheHostForm) {
    int clicks = 0;
    TzuButton* b = Counted(clicks);
    ClickAt(30, 20);
    EXPECT_EQ(form->ModalResult(), mrNone);
    b->SetModalResult(mrOk);
    ClickAt(30, 20);
    EXPECT_EQ(form->ModalResult(), mrOk);
    b->SetModalResult(mrRetry);
    b->SetFocus();
    window()->InjectKey(keys::Space, 0, u' ');
    EXPECT_EQ(form->ModalResult(), mrRetry);
    EXPECT_EQ(clicks, 3);
}

TEST_F(Buttons, DataSetsTheTextAndAnEventValueBecomesTheClickHandler) {
    THandler handler(nullptr);
    TzuButton* source = Add<TzuButton>(10, 50);
    source->OnClick().Bind(&handler, THandler::StaticClass().FindMethod("Clicked"));
    const std::string method = MethodToDataText(source->OnClick());
    ASSERT_EQ(method.rfind("zumet", 0), 0u);
    TzuButton* b = Add<TzuButton>(10, 10);
    b->SetData(std::string("Apply"));
    EXPECT_EQ(b->Text(), u"Apply");
    EXPECT_EQ(VariantToWide(b->GetData()), u"Apply");
    b->SetData(method);
    EXPECT_EQ(b->Text(), u"Apply");  // the handler is not a caption
    ClickAt(30, 20);
    EXPECT_EQ(handler.senders, (std::vector<TzuPersistent*>{b}));
    // A text that only looks like a handler is a caption.
    b->SetData(std::string("zumet-not-a-method"));
    EXPECT_EQ(b->Text(), u"zumet-not-a-method");
}

TEST_F(Buttons, ALinkedActionGivesTheCaptionAndRunsOnEveryKindOfClick) {
    auto* action = new TzuAction(form);
    action->SetCaption(u"Save");
    int runs = 0;
    action->OnExecute().Set([&runs](TzuPersistent*) { ++runs; });
    TzuButton* b = Add<TzuButton>(10, 10);
    b->SetAction(action);
    EXPECT_EQ(b->Text(), u"Save");
    ClickAt(30, 20);
    b->SetFocus();
    window()->InjectKey(keys::Space, 0, u' ');
    b->SetDefault(true);
    window()->InjectKey(keys::Enter, 0, u'\r');
    EXPECT_EQ(runs, 3);
    // A disabled action disables the button: no click reaches it.
    action->SetEnabled(false);
    ClickAt(30, 20);
    EXPECT_EQ(runs, 3);
    EXPECT_FALSE(b->Enabled());
}

TEST_F(Buttons, StreamsOnlyWhatDiffersFromEachKindsDefaults) {
    auto* speed = Add<TzuSpeedButton>(10, 10);
    auto* button = Add<TzuButton>(10, 50);
    std::string speedText, buttonText;
    SaveObjectToText(speed, speedText);
    SaveObjectToText(button, buttonText);
    for (const char* name : {"CanFocused", "RepeatClick", "AutoTranslate", "ModalResult", "Default"}) {
        EXPECT_EQ(speedText.find(name), std::string::npos) << name;
        EXPECT_EQ(buttonText.find(name), std::string::npos) << name;
    }
    speed->SetCanFocus(true);
    button->SetDefault(true);
    button->SetModalResult(mrCancel);
    button->SetStaysPressed(true);
    button->SetIsPressed(true);
    speedText.clear();
    buttonText.clear();
    SaveObjectToText(speed, speedText);
    SaveObjectToText(button, buttonText);
    // One entry each although the speed button publishes CanFocused again.
    EXPECT_EQ(speedText.find("CanFocused"), speedText.rfind("CanFocused"));
    std::unique_ptr<TzuObject> speedCopy(LoadObjectFromText(nullptr, speedText));
    std::unique_ptr<TzuObject> buttonCopy(LoadObjectFromText(nullptr, buttonText));
    auto* s = As<TzuSpeedButton>(speedCopy.get());
    auto* c = As<TzuButton>(buttonCopy.get());
    ASSERT_TRUE(s && c);
    EXPECT_TRUE(s->CanFocus());
    EXPECT_TRUE(s->RepeatClick());
    EXPECT_TRUE(c->Default());
    EXPECT_EQ(c->ModalResult(), mrCancel);
    EXPECT_TRUE(c->StaysPressed());
    EXPECT_TRUE(c->IsPressed());
}

}  // namespace
}  // namespace zu::test
