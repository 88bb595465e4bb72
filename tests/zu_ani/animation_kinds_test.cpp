#include <gtest/gtest.h>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/class_registry.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_ani/bitmap_animation.h"
#include "scene/zu_ani/color_animation.h"
#include "scene/zu_ani/color_key_animation.h"
#include "scene/zu_ani/float_animation.h"
#include "scene/zu_ani/float_key_animation.h"
#include "scene/zu_ani/gradient_animation.h"
#include "scene/zu_ani/path_animation.h"
#include "scene/zu_ani/path_switcher.h"
#include "scene/zu_ani/rect_animation.h"
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

// Runs animations of 0.066 s on the manual clock: a start, one tick (t = 0.5) and a
// second tick (t = 1) give the three moments exactly.
class AnimationKindsTest : public ::testing::Test {
protected:
    AnimationKindsTest() {
        RegisterSceneClasses();
        RegisterObjectClasses();
        RegisterAnimationClasses();
        root = MakeVisual(nullptr, 0, 0, 200, 200);
        scene.AddObject(root);
    }
    ~AnimationKindsTest() override {
        delete root;
        TzuAniThread::FreeInstance();
    }
    template <class A>
    A* Make(TzuObject* parent, const char* path) {
        auto* a = new A(nullptr);
        a->SetDuration(0.066f);
        a->SetPropertyName(path);
        a->SetParent(parent);
        return a;
    }
    void Tick() { app.Advance(TzuAniThread::kInterval); }

    TzuHeadlessApplication app;
    TestScene scene;
    TzuVisualObject* root = nullptr;
};

TEST_F(AnimationKindsTest, ColourAnimationBlendsEachChannelAndWritesColourText) {
    auto* shape = new TzuRectangle(nullptr);
    shape->SetParent(root);
    auto* a = Make<TzuColorAnimation>(shape, "Fill.Color");
    a->SetStartValue("#FF808080");
    a->SetStopValue("#FFCCCCCC");
    a->Start();
    EXPECT_EQ(shape->Fill()->ColorText(), "#FF808080");
    Tick();
    EXPECT_EQ(shape->Fill()->ColorText(), "#FFA6A6A6");
    Tick();
    EXPECT_EQ(shape->Fill()->ColorText(), "#FFCCCCCC");
    EXPECT_FALSE(a->Running());
    // Alpha counts down as well; starting from the current colour takes the brush's.
    a->SetStartValue("#F0102030");
    a->SetStopValue("#10FFFFFF");
    a->Start();
    Tick();
    EXPECT_EQ(shape->Fill()->Color(), InterpolateColor(0xF0102030, 0x10FFFFFF, 0.5f));
    Tick();
    EXPECT_EQ(shape->Fill()->ColorText(), "#10FFFFFF");
    shape->Fill()->SetColor(0xFF000000);
    a->SetStartFromCurrent(true);
    a->Start();
    EXPECT_EQ(a->StartValue(), "#FF000000");
    // An integer property takes the 32-bit colour; a missing one is left alone.
    auto* b = Make<TzuColorAnimation>(shape, "Tag");
    b->SetStopValue("#FF00FF00");
    b->SetDuration(0);
    b->Start();
    EXPECT_EQ(shape->Tag(), 0xFF00FF00);
    auto* c = Make<TzuColorAnimation>(shape, "Fill.Nothing");
    int finished = 0;
    c->OnFinish().Set([&](TzuPersistent*) { ++finished; });
    c->Start();
    Tick();
    Tick();
    EXPECT_EQ(finished, 1);
}

TEST_F(AnimationKindsTest, FloatAnimationReachesTheGrandparentThroughParent) {
    auto* mid = MakeVisual(root, 0, 10, 50, 50);
    auto* leaf = MakeVisual(mid, 0, 0, 10, 10);
    auto* a = Make<TzuFloatAnimation>(leaf, "Parent.Position.Y");
    a->SetStopValue(-200);
    a->SetStartFromCurrent(true);
    a->Start();
    EXPECT_FLOAT_EQ(mid->Position()->Y(), 10);
    Tick();
    EXPECT_FLOAT_EQ(mid->Position()->Y(), -95);
    Tick();
    EXPECT_FLOAT_EQ(mid->Position()->Y(), -200);
    EXPECT_FLOAT_EQ(leaf->Position()->Y(), 0);
    // A text property is no float: nothing is written.
    auto* shape = new TzuRectangle(nullptr);
    shape->SetParent(root);
    const std::string colour = shape->Fill()->ColorText();
    auto* b = Make<TzuFloatAnimation>(shape, "Fill.Color");
    b->SetDuration(0);
    b->Start();
    EXPECT_EQ(shape->Fill()->ColorText(), colour);
}

TEST_F(AnimationKindsTest, RectAnimationMovesMarginsSideBySide) {
    auto* v = MakeVisual(root, 0, 0, 50, 50);
    auto* a = Make<TzuRectAnimation>(v, "Margins");
    a->StopValue()->SetLeft(10);
    a->StopValue()->SetTop(20);
    a->StopValue()->SetRight(-30);
    a->StopValue()->SetBottom(40);
    a->Start();
    Tick();
    EXPECT_FLOAT_EQ(v->Margins()->Left(), 5);
    EXPECT_FLOAT_EQ(v->Margins()->Top(), 10);
    EXPECT_FLOAT_EQ(v->Margins()->Right(), -15);
    EXPECT_FLOAT_EQ(v->Margins()->Bottom(), 20);
    Tick();
    EXPECT_FLOAT_EQ(v->Margins()->Bottom(), 40);
    // Starting from the current bounds runs from there back to the stop bounds.
    a->SetStartFromCurrent(true);
    a->StopValue()->SetBottom(0);
    a->Start();
    EXPECT_FLOAT_EQ(a->StartValue()->Bottom(), 40);
    Tick();
    EXPECT_FLOAT_EQ(v->Margins()->Bottom(), 20);
}

TEST_F(AnimationKindsTest, GradientAnimationBlendsOnlyThePointsAllThreeHave) {
    auto* shape = new TzuRectangle(nullptr);
    shape->SetParent(root);
    TzuGradientPoints* target = shape->Fill()->Gradient()->Points();
    target->Clear();
    target->AddPoint(0xFF000000, 0);
    target->AddPoint(0xFF000000, 0.5f);
    target->AddPoint(0xFF123456, 1);
    auto* a = Make<TzuGradientAnimation>(shape, "Fill.Gradient");
    a->StartValue()->Points()->Clear();
    a->StopValue()->Points()->Clear();
    a->StartValue()->Points()->AddPoint(0xFF000000, 0);
    a->StartValue()->Points()->AddPoint(0xFF808080, 1);
    a->StopValue()->Points()->AddPoint(0xFFFFFFFF, 0);
    a->StopValue()->Points()->AddPoint(0xFF000000, 1);
    a->StopValue()->Points()->AddPoint(0xFFFFFFFF, 1);
    a->Start();
    Tick();
    EXPECT_EQ(target->Points(0)->Color(), 0xFF7F7F7Fu);
    EXPECT_EQ(target->Points(1)->Color(), 0xFF404040u);
    EXPECT_EQ(target->Points(2)->Color(), 0xFF123456u);
    EXPECT_FLOAT_EQ(target->Points(1)->Offset(), 0.5f);
    Tick();
    EXPECT_EQ(target->Points(0)->Color(), 0xFFFFFFFFu);
    EXPECT_EQ(target->Points(1)->Color(), 0xFF000000u);
}

TEST_F(AnimationKindsTest, KeyAnimationsInterpolateWithinTheirSegment) {
    auto* v = MakeVisual(root, 0, 0, 50, 50);
    auto* a = Make<TzuFloatKeyAnimation>(v, "Position.X");
    a->SetDuration(0.132f);
    const float keys[][2] = {{0, 0}, {0.5f, 10}, {1, 30}};
    for (auto& k : keys) {
        auto* key = static_cast<TzuFloatKey*>(a->Keys()->AddKey());
        key->SetKey(k[0]);
        key->SetValue(k[1]);
    }
    a->Start();
    Tick();
    EXPECT_FLOAT_EQ(v->Position()->X(), 5);
    Tick();
    Tick();  // t = 0.75: halfway between the second and third key
    EXPECT_FLOAT_EQ(v->Position()->X(), 20);
    // Keys at the same position covering t write nothing; one key writes nothing.
    a->Keys()->Keys(1)->SetKey(0);
    a->Keys()->Keys(2)->SetKey(0);
    v->Position()->SetX(-1);
    a->Start();
    Tick();
    EXPECT_FLOAT_EQ(v->Position()->X(), -1);
    // Keys are kept to [0, 1].
    a->Keys()->Keys(0)->SetKey(1.5f);
    EXPECT_EQ(a->Keys()->Keys(0)->Key(), 1);
    a->Keys()->Keys(0)->SetKey(-0.2f);
    EXPECT_EQ(a->Keys()->Keys(0)->Key(), 0);

    auto* shape = new TzuRectangle(nullptr);
    shape->SetParent(root);
    auto* c = Make<TzuColorKeyAnimation>(shape, "Fill.Color");
    c->SetDuration(0);
    static_cast<TzuColorKey*>(c->Keys()->AddKey())->SetValue("#FF000000");
    const std::string colour = shape->Fill()->ColorText();
    c->Start();
    EXPECT_EQ(shape->Fill()->ColorText(), colour);
    auto* last = static_cast<TzuColorKey*>(c->Keys()->AddKey());
    last->SetKey(1);
    last->SetValue("#FF0000FF");
    c->Start();
    EXPECT_EQ(shape->Fill()->ColorText(), "#FF0000FF");
    // Starting from the current colour replaces the first key's value.
    shape->Fill()->SetColor(0xFF00FF00);
    c->SetStartFromCurrent(true);
    c->SetDuration(0.066f);
    c->Start();
    EXPECT_EQ(static_cast<TzuColorKey*>(c->Keys()->Keys(0))->Value(), "#FF00FF00");
    Tick();
    EXPECT_EQ(shape->Fill()->ColorText(), "#FF00807F");
}

TEST_F(AnimationKindsTest, PathAnimationFollowsThePathFromWhereTheObjectStood) {
    auto* v = MakeVisual(root, 5, 7, 10, 10);
    auto* a = new TzuPathAnimation(nullptr);
    a->SetDuration(0.066f);
    a->SetRotate(true);
    a->SetParent(v);
    a->Path()->MoveTo({0, 0});
    a->Path()->LineTo({10, 0});
    a->Path()->LineTo({20, 0});
    v->SetRotateAngle(30);
    a->Start();
    ASSERT_EQ(a->Polygon().size(), 3u);
    Tick();  // parameter 0.5 * 3 points: 15 along a straight spline
    EXPECT_FLOAT_EQ(v->Position()->X(), 20);
    EXPECT_FLOAT_EQ(v->Position()->Y(), 7);
    EXPECT_FLOAT_EQ(v->RotateAngle(), 30);  // a horizontal stretch leaves the angle alone
    // A diagonal path turns the object to its heading.
    a->Path()->Clear();
    a->Path()->MoveTo({0, 0});
    a->Path()->LineTo({10, 10});
    v->Position()->SetPoint({0, 0});
    // The restart's first step still follows the previous polygon from the previous
    // start point (5, 7), and the new run starts from there.
    a->Start();
    EXPECT_FLOAT_EQ(v->Position()->X(), 5);
    Tick();
    EXPECT_FLOAT_EQ(v->Position()->X(), 15);
    EXPECT_FLOAT_EQ(v->Position()->Y(), 17);
    EXPECT_FLOAT_EQ(v->RotateAngle(), 45);
}

TEST_F(AnimationKindsTest, BitmapAnimationCrossFadesTheTwoPictures) {
    RegisterCairoBackend();
    auto* holder = new TzuBitmapAnimation(nullptr);
    auto* target = new TzuBitmapAnimation(nullptr);  // any object with a bitmap property
    target->SetParent(root);
    holder->SetParent(target);
    holder->SetPropertyName("StartValue");
    holder->SetDuration(0.066f);
    holder->StartValue()->SetSize(2, 2);
    holder->StartValue()->Clear(0xFFFF0000);
    holder->StopValue()->SetSize(2, 2);
    holder->StopValue()->Clear(0xFF0000FF);
    holder->Start();
    EXPECT_EQ(target->StartValue()->Width(), 2);
    EXPECT_EQ(target->StartValue()->Bits()[0], holder->StartValue()->Bits()[0]);
    Tick();
    const uint32_t mid = target->StartValue()->Bits()[3];
    EXPECT_NEAR(int((mid >> 16) & 0xFF), 128, 2);
    EXPECT_NEAR(int(mid & 0xFF), 127, 2);
    Tick();
    EXPECT_EQ(target->StartValue()->Bits()[3], holder->StopValue()->Bits()[3]);
}

TEST_F(AnimationKindsTest, KindsAreRegisteredWithTheirDefaults) {
    for (const char* name : {"TzuColorAnimation", "TzuGradientAnimation", "TzuFloatAnimation",
                             "TzuRectAnimation", "TzuBitmapAnimation", "TzuColorKeyAnimation",
                             "TzuFloatKeyAnimation", "TzuPathAnimation", "TzuPathSwitcher"}) {
        std::unique_ptr<TzuPersistent> obj(CreateObject(name, nullptr));
        auto* a = As<TzuAnimation>(obj.get());
        ASSERT_NE(a, nullptr) << name;
        EXPECT_FLOAT_EQ(a->Duration(), SameText(name, "TzuPathSwitcher") ? 0.001f : 0.2f) << name;
    }
    bool listed = false;
    for (const auto& [category, cls] : ClassRegistry())
        listed |= category == "Animations" && SameText(cls->name, "TzuPathSwitcher");
    EXPECT_TRUE(listed);
}

}  // namespace
}  // namespace zu
