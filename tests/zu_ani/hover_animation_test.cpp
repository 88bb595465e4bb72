// Style-like hover animations driven through injected input on a headless scene window,
// and the clock going with the last scene.

#include <gtest/gtest.h>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_ani/color_animation.h"
#include "scene/zu_ani/register_animations.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/register_objects.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"

namespace zu {
namespace {

TzuColorAnimation* HoverAnimation(TzuObject* parent, const char* trigger, const char* from, const char* to) {
    auto* a = new TzuColorAnimation(nullptr);
    a->SetTrigger(trigger);
    a->SetDuration(0.066f);
    a->SetStartValue(from);
    a->SetStopValue(to);
    a->SetPropertyName("Fill.Color");
    a->SetParent(parent);
    return a;
}

TEST(HoverAnimation, MouseOverStartsTheStyleAnimationAndLeavingRunsItsMirror) {
    RegisterSceneClasses();
    RegisterObjectClasses();
    RegisterAnimationClasses();
    RegisterCairoBackend();
    TzuHeadlessApplication app;
    auto* form = new TzuForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 200, 200);
    auto* scene = new TzuScene(form);
    scene->SetParent(form);
    scene->SetAlign(alClient);
    auto* root = new TzuVisualObject(nullptr);  // the scene's root fills it
    root->SetHitTest(false);
    scene->AddObject(root);
    auto* button = new TzuRectangle(nullptr);
    button->SetBounds(20, 20, 100, 40);
    button->Fill()->SetColor(0xFF808080);
    button->SetParent(root);
    TzuColorAnimation* in = HoverAnimation(button, "IsMouseOver=true", "#FF808080", "#FFCCCCCC");
    TzuColorAnimation* out = HoverAnimation(button, "IsMouseOver=false", "#FFCCCCCC", "#FF808080");
    form->Show();
    app.ProcessMessages();
    auto* window = static_cast<TzuHeadlessWindow*>(scene->Window());

    window->InjectMouseMove(50, 30);
    EXPECT_TRUE(button->IsMouseOver());
    EXPECT_TRUE(in->Running());
    EXPECT_FALSE(out->Running());
    app.Advance(33);
    EXPECT_EQ(button->Fill()->ColorText(), "#FFA6A6A6");
    app.Advance(33);
    EXPECT_EQ(button->Fill()->ColorText(), "#FFCCCCCC");
    EXPECT_FALSE(in->Running());

    // Leaving halfway through a new hover: the running one stops at its end and the
    // mirror runs back.
    window->InjectMouseMove(10, 80);
    EXPECT_FALSE(button->IsMouseOver());
    EXPECT_TRUE(out->Running());
    app.Advance(33);
    EXPECT_EQ(button->Fill()->ColorText(), "#FFA6A6A6");
    window->InjectMouseMove(50, 30);
    EXPECT_FALSE(out->Running());
    EXPECT_EQ(button->Fill()->ColorText(), "#FF808080");
    EXPECT_TRUE(in->Running());

    ASSERT_NE(TzuAniThread::Instance(), nullptr);
    delete form;  // the last scene takes the clock along
    EXPECT_EQ(TzuAniThread::Instance(), nullptr);
}

}  // namespace
}  // namespace zu
