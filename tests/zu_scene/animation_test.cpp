#include "scene/zu_scene/tree/animation.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "platform/core/clock.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/effect.h"
#include "tests/zu_scene/visual_test_scene.h"

namespace zu {
namespace {

using test::MakeVisual;
using test::TestScene;

// Writes start + (stop - start) * NormalizedTime to its float property path, as the
// float kind does, and counts its steps.
class ProbeAnimation : public TzuAnimation {
public:
    using TzuAnimation::TzuAnimation;
    void ProcessAnimation() override {
        ++steps;
        lastT = NormalizedTime();
        const TzuPropRef& ref = ResolvePropertyPath();
        if (ref && ref.prop->kind == TzuPropKind::Float)
            ref.prop->setFloat(ref.object, start + (stop - start) * lastT);
    }
    float start = 0, stop = 100;
    float lastT = -1;
    int steps = 0;
};

// Two settable state flags for trigger texts.
class StateObject : public TzuObject {
    ZU_CLASS(StateObject)
public:
    using TzuObject::TzuObject;
    bool IsMouseOver() const { return over; }
    void SetIsMouseOver(bool v) { over = v; }
    bool IsPressed() const { return pressed; }
    void SetIsPressed(bool v) { pressed = v; }
    std::string Caption() const { return "x"; }
    bool over = false, pressed = false;
};

const TzuClass& StateObject::StaticClass() {
    using P = ZuProps<StateObject>;
    static const TzuPropInfo props[] = {
        P::Bool<&StateObject::IsMouseOver, &StateObject::SetIsMouseOver>("IsMouseOver"),
        P::Bool<&StateObject::IsPressed, &StateObject::SetIsPressed>("IsPressed"),
        P::String<&StateObject::Caption>("Caption"),
    };
    static const TzuClass cls = ZuClass<StateObject, TzuObject>("StateObject", props);
    return cls;
}

// A headless application (manual clock), a scene and a visual root; the clock is freed
// before the application goes, as the host does with its last scene.
class AnimationTest : public ::testing::Test {
protected:
    AnimationTest() {
        root = MakeVisual(nullptr, 0, 0, 100, 100);
        scene.AddObject(root);
    }
    ~AnimationTest() override {
        delete root;
        TzuAniThread::FreeInstance();
    }
    ProbeAnimation* Probe(TzuObject* parent, const char* path = "Position.X") {
        auto* a = new ProbeAnimation(nullptr);
        a->SetParent(parent);
        a->SetPropertyName(path);
        return a;
    }
    void Tick(int n = 1) { app.Advance(int64_t(n) * TzuAniThread::kInterval); }

    TzuHeadlessApplication app;
    TestScene scene;
    TzuVisualObject* root = nullptr;
};

TEST_F(AnimationTest, RunsOverItsDurationInClockTicksAndFinishesOnce) {
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* a = Probe(target);
    int finished = 0;
    a->OnFinish().Set([&](TzuPersistent*) { ++finished; });
    a->Start();
    // The start value is written at once, before any tick.
    EXPECT_EQ(a->steps, 1);
    EXPECT_TRUE(a->Running());
    EXPECT_TRUE(a->Enabled());
    ASSERT_NE(TzuAniThread::Instance(), nullptr);
    EXPECT_EQ(TzuAniThread::Instance()->Count(), 1);
    Tick(3);
    EXPECT_NEAR(target->Position()->X(), 100 * 0.099f / 0.2f, 1e-3);
    Tick(3);
    EXPECT_TRUE(a->Running());
    EXPECT_EQ(finished, 0);
    Tick();  // the seventh tick passes 0.2 s
    EXPECT_FALSE(a->Running());
    EXPECT_FALSE(a->Enabled());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(a->steps, 8);
    EXPECT_FLOAT_EQ(target->Position()->X(), 100);
    EXPECT_EQ(TzuAniThread::Instance()->Count(), 0);
    // With nothing to animate the clock's timer sleeps, so an idle window is not woken.
    EXPECT_FALSE(TzuAniThread::Instance()->Enabled());
    Tick(5);
    EXPECT_EQ(a->steps, 8);
    // Restarting a running animation keeps it listed once; the clock wakes, and its first
    // tick counts from the restart, not from the time it slept.
    app.Advance(10000);
    a->Start();
    a->Start();
    EXPECT_EQ(TzuAniThread::Instance()->Count(), 1);
    EXPECT_TRUE(TzuAniThread::Instance()->Enabled());
    Tick();
    EXPECT_NEAR(a->CurrentTime(), 0.033f, 1e-6);
    EXPECT_TRUE(a->Running());
}

TEST_F(AnimationTest, ImmediateStartAppliesTheEndAndLeavesDurationAlone) {
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* a = Probe(target);
    a->SetDuration(0);
    int finished = 0;
    a->OnFinish().Set([&](TzuPersistent*) { ++finished; });
    a->Start();
    EXPECT_FLOAT_EQ(target->Position()->X(), 100);
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(a->Enabled());
    EXPECT_FALSE(a->Running());
    EXPECT_EQ(a->Duration(), 0);
    // Without a scene (and in design mode) a long animation is applied at once too, and
    // its Duration survives for the next start; Inverse lands on the start value.
    auto* loose = new TzuVisualObject(nullptr);
    ProbeAnimation* b = Probe(loose);
    b->SetDuration(2);
    b->SetInverse(true);
    b->Start();
    EXPECT_FLOAT_EQ(loose->Position()->X(), 0);
    EXPECT_EQ(b->steps, 1);
    EXPECT_EQ(b->Duration(), 2);
    b->SetInverse(false);
    scene.designing = true;
    ProbeAnimation* c = Probe(target);
    c->stop = 7;
    c->Start();
    EXPECT_FLOAT_EQ(target->Position()->X(), 7);
    EXPECT_EQ(c->Duration(), 0.2f);
    EXPECT_EQ(TzuAniThread::Instance(), nullptr);
    delete loose;
}

TEST_F(AnimationTest, DelayHoldsTheStartValue) {
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* a = Probe(target);
    a->SetDelay(0.5f);
    a->Start();
    Tick(15);  // 0.495 s
    EXPECT_EQ(a->NormalizedTime(), 0);
    EXPECT_FLOAT_EQ(target->Position()->X(), 0);
    Tick(2);
    EXPECT_GT(target->Position()->X(), 0);
    Tick(10);
    EXPECT_FALSE(a->Running());
    EXPECT_FLOAT_EQ(target->Position()->X(), 100);
}

TEST_F(AnimationTest, LoopAutoReverseAndInverse) {
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* bounce = Probe(target);
    bounce->SetDuration(0.1f);
    bounce->SetLoop(true);
    bounce->SetAutoReverse(true);
    bounce->Start();
    Tick(4);  // 0.132: reached the end, flipped
    EXPECT_TRUE(bounce->Inverse());
    EXPECT_FLOAT_EQ(bounce->CurrentTime(), 0.1f);
    Tick();
    EXPECT_NEAR(bounce->CurrentTime(), 0.1f - 0.033f, 1e-5);
    Tick(3);
    EXPECT_FALSE(bounce->Inverse());
    EXPECT_EQ(bounce->CurrentTime(), 0);
    EXPECT_TRUE(bounce->Running());
    bounce->Stop();
    // Loop alone jumps back to the start; Inverse starts at the end and runs down.
    auto* other = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* wrap = Probe(other);
    wrap->SetDuration(0.1f);
    wrap->SetLoop(true);
    wrap->Start();
    Tick(4);
    EXPECT_EQ(wrap->CurrentTime(), 0);
    EXPECT_FALSE(wrap->Inverse());
    wrap->SetLoop(false);
    wrap->SetInverse(true);
    wrap->Start();
    EXPECT_FLOAT_EQ(other->Position()->X(), 100);
    Tick();
    EXPECT_NEAR(other->Position()->X(), 100 * (0.1f - 0.033f) / 0.1f, 1e-3);
    Tick(3);
    EXPECT_FALSE(wrap->Running());
    EXPECT_FLOAT_EQ(other->Position()->X(), 0);
}

TEST_F(AnimationTest, StopJumpsToTheEndAndStopAtCurrentKeepsTheValue) {
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* a = Probe(target);
    int finished = 0;
    a->OnFinish().Set([&](TzuPersistent*) { ++finished; });
    a->Start();
    Tick(2);
    const float mid = target->Position()->X();
    EXPECT_GT(mid, 0);
    a->StopAtCurrent();
    EXPECT_FLOAT_EQ(target->Position()->X(), mid);
    EXPECT_FALSE(a->Running());
    EXPECT_EQ(finished, 1);
    a->Start();
    Tick(2);
    a->Stop();
    EXPECT_FLOAT_EQ(target->Position()->X(), 100);
    EXPECT_EQ(finished, 2);
    a->Stop();  // not running: nothing
    EXPECT_EQ(finished, 2);
    // Enabled drives starts and stops.
    a->SetEnabled(true);
    EXPECT_TRUE(a->Running());
    a->SetEnabled(false);
    EXPECT_FALSE(a->Running());
    EXPECT_EQ(finished, 3);
    // A hidden parent refuses starts and stops a running animation at the next tick.
    a->Start();
    target->SetVisible(false);
    Tick();
    EXPECT_FALSE(a->Running());
    a->Start();
    EXPECT_FALSE(a->Running());
}

TEST_F(AnimationTest, EveryEasingFamilyAndDirectionIsDispatched) {
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* a = Probe(target);
    a->SetDuration(0.099f);
    struct Case {
        TzuInterpolationType type;
        double (*fn)(double, double, double, double, TzuAnimationType);
    };
    const Case cases[] = {
        {zuInterpolationLinear, [](double t, double b, double c, double d,
                                   TzuAnimationType) { return InterpolateLinear(t, b, c, d); }},
        {zuInterpolationQuadratic, InterpolateQuadratic},
        {zuInterpolationCubic, InterpolateCubic},
        {zuInterpolationQuartic, InterpolateQuartic},
        {zuInterpolationQuintic, InterpolateQuintic},
        {zuInterpolationSinusoidal, InterpolateSinusoidal},
        {zuInterpolationExponential, InterpolateExponential},
        {zuInterpolationCircular, InterpolateCircular},
        {zuInterpolationElastic, [](double t, double b, double c, double d,
                                    TzuAnimationType k) { return InterpolateElastic(t, b, c, d, 0, 0, k); }},
        {zuInterpolationBack, [](double t, double b, double c, double d,
                                 TzuAnimationType k) { return InterpolateBack(t, b, c, d, 0, k); }},
        {zuInterpolationBounce, InterpolateBounce},
    };
    for (const Case& c : cases) {
        for (TzuAnimationType k : {zuAnimationIn, zuAnimationOut, zuAnimationInOut}) {
            a->SetInterpolation(c.type);
            a->SetAnimationType(k);
            a->Start();
            EXPECT_NEAR(a->lastT, c.fn(0, 0, 1, 0.099, k), 1e-6);
            Tick();
            EXPECT_NEAR(a->lastT, c.fn(0.033, 0, 1, 0.099, k), 1e-5) << c.type << " " << k;
            Tick(2);
            EXPECT_NEAR(a->lastT, 1, 1e-5);
            EXPECT_FALSE(a->Running());
        }
    }
    a->SetInterpolation(static_cast<TzuInterpolationType>(42));
    a->Start();
    Tick();
    EXPECT_EQ(a->lastT, 0);
}

TEST_F(AnimationTest, TriggerConditionsMustAllHoldAndOneMustMatch) {
    auto* obj = new StateObject(nullptr);
    obj->SetParent(root);
    ProbeAnimation* a = Probe(obj, "");
    a->SetTrigger("IsMouseOver=true; IsPressed = false");
    a->ApplyTrigger(obj, "IsMouseOver");
    EXPECT_FALSE(a->Running());
    obj->over = true;
    a->ApplyTrigger(obj, "IsFocused");  // a name the trigger does not mention
    EXPECT_FALSE(a->Running());
    a->ApplyTrigger(obj, "ismouseover");
    EXPECT_TRUE(a->Running());
    a->Stop();
    obj->pressed = true;
    a->ApplyTrigger(obj, "IsPressed");
    EXPECT_FALSE(a->Running());
    a->ApplyTrigger(nullptr, "IsPressed");
    EXPECT_FALSE(a->Running());
    // Missing and non-enumeration properties are skipped; with nothing checked nothing starts.
    a->SetTrigger("Caption=x;Missing=true");
    a->ApplyTrigger(obj, "Caption");
    EXPECT_FALSE(a->Running());
    a->SetTrigger("Missing=true;IsPressed=TRUE");
    a->ApplyTrigger(obj, "IsPressed");
    EXPECT_TRUE(a->Running());
    // The object's trigger dispatch stops triggered animations before applying triggers.
    ProbeAnimation* other = Probe(obj, "");
    other->SetTrigger("IsMouseOver=false");
    obj->StartTriggerAnimation(obj, "IsMouseOver");
    EXPECT_FALSE(a->Running());
    EXPECT_FALSE(other->Running());
    obj->over = false;
    obj->StartTriggerAnimation(obj, "IsMouseOver");
    EXPECT_TRUE(other->Running());
}

TEST_F(AnimationTest, TriggerDispatchFollowsChangesToTheStyleParts) {
    auto* obj = new StateObject(nullptr);
    obj->SetParent(root);
    obj->over = true;
    TzuVisualObject* part = MakeVisual(obj, 0, 0, 10, 10);
    part->SetLocked(true);
    part->SetHitTest(false);
    ProbeAnimation* a = Probe(part, "");
    a->SetTrigger("IsMouseOver=true");
    obj->StartTriggerAnimation(obj, "IsMouseOver");
    EXPECT_TRUE(a->Running());
    // A part that takes hits is no longer passive: the dispatch stops reaching into it.
    part->SetHitTest(true);
    obj->StopTriggerAnimation(obj);
    EXPECT_TRUE(a->Running());
    part->SetHitTest(false);
    obj->StopTriggerAnimation(obj);
    EXPECT_FALSE(a->Running());
    // Animations and effects added after a dispatch are reached by the next one, in order.
    ProbeAnimation* b = Probe(part, "");
    b->SetTrigger("IsMouseOver=true");
    auto* effect = new TzuEffect(nullptr);
    effect->SetParent(part);
    effect->SetTrigger("IsMouseOver=true");
    effect->SetEnabled(false);
    obj->StartTriggerAnimation(obj, "IsMouseOver");
    obj->ApplyTriggerEffect(obj, "IsMouseOver");
    EXPECT_TRUE(a->Running());
    EXPECT_TRUE(b->Running());
    EXPECT_TRUE(effect->Enabled());
    // Freed and untriggered ones drop out (a stale entry would be a use after free here).
    delete b;
    a->SetTrigger("");
    obj->StopTriggerAnimation(obj);
    EXPECT_TRUE(a->Running());
    obj->over = false;
    obj->ApplyTriggerEffect(obj, "IsMouseOver");
    EXPECT_FALSE(effect->Enabled());
    // A moved part takes its animations along: the old owner no longer reaches them.
    ProbeAnimation* c = Probe(part, "");
    c->SetTrigger("IsMouseOver=false");
    obj->StartTriggerAnimation(obj, "IsMouseOver");
    EXPECT_TRUE(c->Running());
    part->SetParent(root);
    obj->StopTriggerAnimation(obj);
    EXPECT_TRUE(c->Running());
}

TEST(AnimationToken, ExtractTokenSplitsAndTrims) {
    std::string s = " IsMouseOver = true ;IsPressed=false ";
    EXPECT_EQ(ExtractToken(s, ";"), "IsMouseOver = true");
    EXPECT_EQ(s, "IsPressed=false");
    std::string cond = ExtractToken(s, ";");
    EXPECT_EQ(cond, "IsPressed=false");
    EXPECT_EQ(ExtractToken(cond, "="), "IsPressed");
    EXPECT_EQ(cond, "false");
    EXPECT_EQ(ExtractToken(s, ";"), "");
    std::string path = "Fill.Color";
    EXPECT_EQ(ExtractToken(path, ".,"), "Fill");
    EXPECT_EQ(path, "Color");
}

TEST_F(AnimationTest, PathsReachThroughObjectsAndFollowTheParent) {
    auto* mid = MakeVisual(root, 0, 0, 10, 10);
    auto* leaf = MakeVisual(mid, 0, 0, 10, 10);
    ProbeAnimation* a = Probe(leaf, "Parent.Position.Y");
    a->stop = -200;
    a->SetDuration(0);
    a->Start();
    EXPECT_FLOAT_EQ(mid->Position()->Y(), -200);
    EXPECT_FLOAT_EQ(leaf->Position()->Y(), 0);
    // A segment that names no object is dropped; a missing property writes nothing.
    ProbeAnimation* b = Probe(leaf, "Nothing.Position.X");
    b->SetDuration(0);
    b->Start();
    EXPECT_FLOAT_EQ(leaf->Position()->X(), 100);
    ProbeAnimation* c = Probe(leaf, "Position.Missing");
    int finished = 0;
    c->OnFinish().Set([&](TzuPersistent*) { ++finished; });
    c->Start();
    Tick(8);
    EXPECT_EQ(finished, 1);
    // Moving the animation to another parent (or renaming the path) resolves anew, and
    // the grandparent reached by "Parent" may go first without leaving a stale target.
    a->SetParent(root);
    a->SetPropertyName("Position.X");
    a->Start();
    EXPECT_FLOAT_EQ(root->Position()->X(), -200);
    auto* survivor = MakeVisual(nullptr, 0, 0, 10, 10);
    a->SetParent(survivor);
    a->SetPropertyName("Parent.Position.X");
    auto* holder = MakeVisual(root, 0, 0, 5, 5);
    survivor->SetParent(holder);
    a->Start();
    EXPECT_FLOAT_EQ(holder->Position()->X(), -200);
    survivor->SetParent(nullptr);
    delete holder;
    a->Start();  // the old grandparent is gone: nothing to write, nothing touched
    delete survivor;
}

// A path of a few hundred thousand segments resolves in time proportional to its length:
// the segments that name nothing are dropped and the last two still reach the property.
TEST_F(AnimationTest, AVeryLongPathResolvesInLinearTime) {
    auto* leaf = MakeVisual(root, 0, 0, 10, 10);
    std::string path;
    constexpr int kSegments = 300000;
    path.reserve(kSegments * 9 + 16);
    for (int i = 0; i < kSegments; ++i) path += " Nothing.";
    path += "Position . Y ";
    ProbeAnimation* a = Probe(leaf, path.c_str());
    a->stop = 42;
    a->SetDuration(0);
    a->Start();
    EXPECT_FLOAT_EQ(leaf->Position()->Y(), 42);
}

TEST_F(AnimationTest, CaretAnimationsMoveAtAThirdOfTheRate) {
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* caret = Probe(target);
    caret->SetBindingName("Caret");
    caret->SetDuration(1);
    caret->Start();
    Tick(2);
    EXPECT_EQ(caret->CurrentTime(), 0);
    Tick();
    EXPECT_NEAR(caret->CurrentTime(), 0.033f, 1e-6);
    Tick(3);
    EXPECT_NEAR(caret->CurrentTime(), 0.066f, 1e-6);
}

TEST_F(AnimationTest, ClockKeepsMillisecondsAfterLongUptime) {
    // Fifty days of uptime: past the 32-bit millisecond wrap, where a single-precision
    // second count can no longer tell ticks apart.
    app.Advance(50LL * 24 * 3600 * 1000);
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* a = Probe(target);
    a->Start();
    Tick();
    EXPECT_NEAR(a->CurrentTime(), 0.033f, 1e-6);
    EXPECT_NEAR(TzuAniThread::Instance()->DeltaTime(), 0.033, 1e-9);
    // A tick at an unchanged time advances nothing.
    TzuAniThread::Instance()->Tick();
    EXPECT_NEAR(a->CurrentTime(), 0.033f, 1e-6);
}

TEST_F(AnimationTest, HandlersMayFreeAndStartAnimationsDuringTheWalk) {
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    std::vector<ProbeAnimation*> all;
    for (int i = 0; i < 6; ++i) all.push_back(Probe(target));
    ProbeAnimation *first = all[0], *victim = all[1], *selfish = all[2], *starter = all[3],
                   *finisher = all[4], *last = all[5];
    ProbeAnimation* late = Probe(target);
    // Walked last to first: `last` frees `victim`, still ahead in the walk, and `first`
    // (walked after it) must still advance exactly once.
    last->OnProcess().Set([&](TzuPersistent*) {
        if (victim) {
            delete victim;
            victim = nullptr;
        }
    });
    selfish->OnProcess().Set([&](TzuPersistent*) {
        delete selfish;
        selfish = nullptr;
    });
    starter->OnProcess().Set([&](TzuPersistent*) {
        if (late->steps == 0) late->Start();
    });
    finisher->SetDuration(0.03f);
    finisher->OnFinish().Set([&](TzuPersistent* s) {
        delete s;
        finisher = nullptr;
    });
    for (ProbeAnimation* a : all) a->Start();
    Tick();
    EXPECT_EQ(victim, nullptr);
    EXPECT_EQ(selfish, nullptr);
    EXPECT_EQ(finisher, nullptr);
    EXPECT_EQ(first->steps, 2);
    EXPECT_EQ(last->steps, 2);
    EXPECT_EQ(late->steps, 1);  // started inside the walk: advanced from the next tick on
    EXPECT_EQ(TzuAniThread::Instance()->Count(), 4);
    Tick();
    EXPECT_EQ(first->steps, 3);
    EXPECT_EQ(late->steps, 2);
    // A handler may free the parent of everything, the running animation included.
    first->OnProcess().Set([&](TzuPersistent*) { delete target; });
    Tick();
    EXPECT_EQ(TzuAniThread::Instance()->Count(), 0);
    // Or free the clock itself with the last scene.
    auto* t2 = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* b = Probe(t2);
    ProbeAnimation* c = Probe(t2);
    b->OnProcess().Set([&](TzuPersistent*) { TzuAniThread::FreeInstance(); });
    b->Start();
    c->Start();
    Tick();
    EXPECT_EQ(TzuAniThread::Instance(), nullptr);
    EXPECT_FALSE(TzuAniThread::Instance() && TzuAniThread::Instance()->Contains(c));
}

TEST_F(AnimationTest, WaitsEndWhenTheAnimationEndsLoopsOrGoes) {
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* a = Probe(target);
    a->Start();
    TzuAnimation::WaitWhileRunning(a);
    EXPECT_FALSE(a->Running());
    EXPECT_FLOAT_EQ(target->Position()->X(), 100);
    EXPECT_EQ(app.Now(), 7 * 33);
    // A looping animation would never end: no wait.
    a->SetLoop(true);
    a->Start();
    TzuAnimation::WaitWhileRunning(a);
    EXPECT_TRUE(a->Running());
    a->SetLoop(false);
    // The parent freed by a message handled while waiting takes the animation along.
    a->Start();
    app.PostMessage([&] { delete target; });
    TzuAnimation::WaitWhileRunning(a);
    // The application quitting ends the wait too.
    auto* t2 = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* b = Probe(t2);
    b->SetDuration(100);
    b->Start();
    app.PostMessage([&] { app.Terminate(); });
    TzuAnimation::WaitWhileRunning(b);
    EXPECT_TRUE(b->Running());
    EXPECT_LT(app.Now(), 1000);
}

TEST_F(AnimationTest, EnabledFromAStreamStartsAfterLoading) {
    auto* target = MakeVisual(root, 0, 0, 10, 10);
    ProbeAnimation* a = Probe(target);
    a->SetLoading(true);
    a->SetEnabled(true);
    EXPECT_FALSE(a->Running());
    a->Loaded();
    EXPECT_TRUE(a->Running());
    EXPECT_TRUE(a->Enabled());
}

}  // namespace
}  // namespace zu
