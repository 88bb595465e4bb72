#include <gtest/gtest.h>

#include "platform/headless/headless_application.h"
#include "scene/zu_ani/float_animation.h"
#include "scene/zu_ani/register_animations.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/register_objects.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "tests/zu_scene/visual_test_scene.h"

namespace zu {
namespace {

using test::MakeVisual;
using test::TestScene;

class CaretScene : public TestScene {
public:
    bool AnimatedCaret() const override { return animated; }
    bool animated = true;
};

class CaretTest : public ::testing::Test {
protected:
    CaretTest() {
        RegisterSceneClasses();
        RegisterObjectClasses();
        RegisterAnimationClasses();
        root = MakeVisual(nullptr, 0, 0, 200, 200);
        scene.AddObject(root);
    }
    ~CaretTest() override {
        delete root;
        TzuAniThread::FreeInstance();
    }
    void Tick(int n = 1) { app.Advance(int64_t(n) * TzuAniThread::kInterval); }

    TzuHeadlessApplication app;
    CaretScene scene;
    TzuVisualObject* root = nullptr;
};

TEST_F(CaretTest, BlinkingCaretIsAHiddenBlueRectangleChildUntilShown) {
    auto* box = MakeVisual(root, 10, 10, 100, 30);
    box->SetCaretPos({2.5f, 3.5f});
    auto* caret = As<TzuRectangle>(box->Caret());
    ASSERT_NE(caret, nullptr);
    EXPECT_EQ(caret->Parent(), box);
    EXPECT_EQ(caret->Owner(), box);
    EXPECT_FALSE(caret->Visible());
    EXPECT_FALSE(caret->Stored());
    EXPECT_FALSE(caret->HitTest());
    EXPECT_TRUE(caret->Locked());
    EXPECT_EQ(caret->Width(), 3);
    EXPECT_EQ(caret->Height(), 20);
    EXPECT_EQ(caret->Fill()->ColorText(), "#FF0000FF");
    EXPECT_EQ(caret->Stroke()->Style(), zuBrushNone);
    EXPECT_EQ(caret->Position()->GetPoint(), (TzuPoint{2, 4}));  // halves go to even
    ASSERT_EQ(caret->ChildrenCount(), 1);
    auto* blink = As<TzuFloatAnimation>(caret->Children(0));
    ASSERT_NE(blink, nullptr);
    EXPECT_FALSE(blink->Running());

    box->ShowCaret();
    EXPECT_TRUE(caret->Visible());
    EXPECT_TRUE(blink->Running());
    EXPECT_FLOAT_EQ(caret->Opacity(), 1);
    // It moves on every third tick only: 0.033 s of its 0.1 s after three ticks.
    Tick(2);
    EXPECT_FLOAT_EQ(caret->Opacity(), 1);
    Tick();
    EXPECT_NEAR(caret->Opacity(), 0.67f, 1e-4);
    Tick(9);  // past the end it turns back
    EXPECT_TRUE(blink->Inverse());
    EXPECT_TRUE(blink->Running());

    box->SetCaretSize({2, 25});
    box->SetCaretColor(0xFF112233);
    EXPECT_EQ(caret->Width(), 2);
    EXPECT_EQ(caret->Height(), 25);
    EXPECT_EQ(caret->Fill()->ColorText(), "#FF112233");
    box->HideCaret();
    EXPECT_FALSE(caret->Visible());
    EXPECT_EQ(box->Caret(), caret);
    // Whoever frees the caret leaves no stale caret behind: a new one is made.
    delete caret;
    TzuVisualObject* again = box->Caret();
    ASSERT_NE(again, nullptr);
    EXPECT_NE(box->ChildrenCount(), 0);
}

TEST_F(CaretTest, SteadyCaretWhenTheSceneDoesNotAnimateIt) {
    scene.animated = false;
    auto* box = MakeVisual(root, 0, 0, 100, 30);
    box->ShowCaret();
    TzuVisualObject* caret = box->Caret();
    ASSERT_NE(caret, nullptr);
    EXPECT_TRUE(caret->Visible());
    EXPECT_EQ(caret->ChildrenCount(), 0);
    Tick(10);
    EXPECT_FLOAT_EQ(caret->Opacity(), 1);
}

TEST_F(CaretTest, AnimateFloatRunsFromTheCurrentValueAndFreesItself) {
    auto* v = MakeVisual(root, 40, 0, 10, 10);
    TzuAnimation* a = v->AnimateFloat("Position.X", 140, 0.066f);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(v->ChildrenCount(), 1);
    Tick();
    EXPECT_FLOAT_EQ(v->Position()->X(), 90);
    Tick();
    EXPECT_FLOAT_EQ(v->Position()->X(), 140);
    EXPECT_EQ(v->ChildrenCount(), 0);  // freed once its finish handler had returned
    // The waiting form returns when done, with the animation gone.
    v->AnimateFloatWait("Opacity", 0.5f, 0.2f, zuAnimationOut, zuInterpolationQuadratic);
    EXPECT_FLOAT_EQ(v->Opacity(), 0.5f);
    EXPECT_EQ(v->ChildrenCount(), 0);
    // Freeing the object while its own wait runs ends the wait safely.
    auto* gone = MakeVisual(root, 0, 0, 10, 10);
    app.PostMessage([&] { delete gone; });
    gone->AnimateFloatWait("Position.Y", 100, 5);
    EXPECT_LT(app.Now(), 5000);
}

}  // namespace
}  // namespace zu
