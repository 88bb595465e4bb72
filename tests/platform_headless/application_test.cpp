#include <gtest/gtest.h>

#include "platform/core/clock.h"
#include "platform/core/form.h"
#include "platform/core/timer.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/tree/object.h"

namespace zu::test {
namespace {

TEST(ErrorBox, AddsAFullStopOnlyAfterCharactersAboveIt) {
    TzuHeadlessApplication app;
    app.SetTitle("display");
    app.ShowException("Parameter N\"5\" not found!");
    app.ShowException("'x' is not a valid integer value");
    app.ShowException("Done.");
    app.ShowException("");
    ASSERT_EQ(app.Errors().size(), 4u);
    EXPECT_EQ(app.Errors()[0], "Parameter N\"5\" not found!");
    EXPECT_EQ(app.Errors()[1], "'x' is not a valid integer value.");
    EXPECT_EQ(app.Errors()[2], "Done.");
    EXPECT_EQ(app.Errors()[3], "");
    EXPECT_EQ(app.ErrorTitles()[0], "display");
}

TEST(ErrorBox, TitleDefaultsToTheExecutableName) {
    TzuHeadlessApplication app;
    EXPECT_EQ(app.Title(), "zu_platform_headless_tests");
}

TEST(ErrorBox, GuardedCallbacksShowWhatTheyThrow) {
    TzuHeadlessApplication app;
    RunGuarded([] { throw EzuError("list index error"); });
    RunGuarded([] { throw 42; });
    ASSERT_EQ(app.Errors().size(), 2u);
    EXPECT_EQ(app.Errors()[0], "list index error.");
    EXPECT_EQ(app.Errors()[1], "Unknown exception.");
}

TEST(ErrorBox, AFailingCreateHandlerIsShownAndTheFormGoesOn) {
    TzuHeadlessApplication app;
    TzuForm form(nullptr);
    form.OnCreate().Set([&](TzuPersistent*) {
        form.SetCaption(u"Set before the failure");
        throw EzuError("Parameter N\"1\" not found!");
    });
    form.Loaded();
    ASSERT_EQ(app.Errors().size(), 1u);
    EXPECT_EQ(app.Errors()[0], "Parameter N\"1\" not found!");
    EXPECT_EQ(form.Caption(), u"Set before the failure");
    form.Show();
    ASSERT_NE(form.Window(), nullptr);
    EXPECT_TRUE(form.Window()->Visible());
}

TEST(HeadlessLoop, PostedMessagesRunInOrderAndCanBeCancelled) {
    TzuHeadlessApplication app;
    std::string log;
    app.PostMessage([&] { log += "a"; });
    const uint64_t b = app.PostMessage([&] { log += "b"; });
    app.PostMessage([&] {
        log += "c";
        app.PostMessage([&] { log += "d"; });
    });
    app.CancelMessage(b);
    EXPECT_EQ(log, "");
    app.ProcessMessages();
    EXPECT_EQ(log, "acd");
}

TEST(HeadlessLoop, AMessageThatRepostsItselfDoesNotHangProcessMessages) {
    TzuHeadlessApplication app;
    int runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        app.PostMessage(again);
    };
    app.PostMessage(again);
    app.ProcessMessages();
    EXPECT_GT(runs, 1);
    EXPECT_EQ(app.PendingMessageCount(), 1u);
}

TEST(HeadlessLoop, SceneWaitsPumpTheApplicationsMessages) {
    RegisterSceneClasses();
    TzuHeadlessApplication app;
    bool ran = false;
    app.PostMessage([&] { ran = true; });
    TzuObject::ProcessMessages();
    EXPECT_TRUE(ran);
}

TEST(HeadlessLoop, RunEndsWhenTheMainFormCloses) {
    TzuHeadlessApplication app;
    TzuForm form(nullptr);
    app.SetMainForm(&form);
    form.Show();
    TzuTimer closer(nullptr);
    closer.SetInterval(50);
    closer.OnTimer().Set([&](TzuPersistent*) { form.Close(); });
    app.Run();
    EXPECT_TRUE(app.Terminated());
    EXPECT_EQ(app.Now(), 50);
    EXPECT_FALSE(form.Visible());
}

TEST(Timer, FiresEveryIntervalOnTheManualClock) {
    TzuHeadlessApplication app;
    EXPECT_EQ(TickCount(), 0);
    std::vector<int64_t> ticks;
    TzuTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer().Set([&](TzuPersistent*) { ticks.push_back(TickCount()); });
    app.Advance(35);
    EXPECT_EQ(ticks, (std::vector<int64_t>{10, 20, 30}));
    EXPECT_EQ(TickCount(), 35);
    timer.SetEnabled(false);
    app.Advance(100);
    EXPECT_EQ(ticks.size(), 3u);
    timer.SetInterval(0);
    timer.SetEnabled(true);
    app.Advance(100);
    EXPECT_EQ(ticks.size(), 3u);
    EXPECT_EQ(app.TimerCount(), 0u);
}

TEST(Timer, TimersFireInTimeOrder) {
    TzuHeadlessApplication app;
    std::string log;
    TzuTimer slow(nullptr), fast(nullptr);
    slow.SetInterval(15);
    slow.OnTimer().Set([&](TzuPersistent*) { log += "s"; });
    fast.SetInterval(10);
    fast.OnTimer().Set([&](TzuPersistent*) { log += "f"; });
    app.Advance(30);
    EXPECT_EQ(log, "fsfsf");
}

TEST(Timer, AOneShotTimerMayFreeItselfInItsHandler) {
    TzuHeadlessApplication app;
    TzuComponent owner(nullptr);
    auto* timer = new TzuTimer(&owner);
    timer->SetInterval(1);
    int ticks = 0;
    timer->OnTimer().Set([&](TzuPersistent*) {
        ++ticks;
        timer->SetEnabled(false);
        delete timer;
    });
    app.Advance(10);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(app.TimerCount(), 0u);
}

TEST(Clock, SteadyClockReturnsWithoutAnApplication) {
    const int64_t a = TickCount();
    const int64_t b = TickCount();
    EXPECT_GE(b, a);
    EXPECT_GT(a, 0);
}

TEST(WinControl, AlignsChildrenInsideTheClientArea) {
    TzuHeadlessApplication app;
    TzuForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    TzuWinControl top(&form), left(&form), client(&form);
    top.SetParent(&form);
    top.SetHeight(20);
    top.SetAlign(alTop);
    left.SetParent(&form);
    left.SetWidth(30);
    left.SetAlign(alLeft);
    client.SetParent(&form);
    client.SetAlign(alClient);
    EXPECT_EQ(top.Width(), 200);
    EXPECT_EQ(left.Top(), 20);
    EXPECT_EQ(left.Height(), 80);
    EXPECT_EQ(client.Left(), 30);
    EXPECT_EQ(client.Width(), 170);
    form.SetBounds(0, 0, 300, 100);
    EXPECT_EQ(client.Width(), 270);
    EXPECT_THROW(form.SetParent(&client), EzuError);
    form.Show();
    ASSERT_TRUE(client.HandleAllocated());
    EXPECT_EQ(client.Window()->ClientToScreen({1, 1}).X, 31);
}

}  // namespace
}  // namespace zu::test

namespace zu::test {
namespace {

// An error box that itself runs code which fails, as a paint under a dialog can.
class ReentrantApplication : public TzuHeadlessApplication {
protected:
    void ShowErrorBox(const std::string& title, const std::string& text) override {
        TzuHeadlessApplication::ShowErrorBox(title, text);
        RunGuarded([] { throw EzuError("again"); });
    }
};

TEST(ErrorBox, ErrorsWhileABoxIsUpDoNotStackBoxes) {
    ReentrantApplication app;
    app.ShowException("first");
    ASSERT_EQ(app.Errors().size(), 1u);
    EXPECT_EQ(app.Errors()[0], "first.");
    app.ShowException("second");
    EXPECT_EQ(app.Errors().size(), 2u);
}

}  // namespace
}  // namespace zu::test
