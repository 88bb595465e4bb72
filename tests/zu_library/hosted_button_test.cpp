// The styled button in a real (headless) scene: input routed by the scene host drives
// the style's trigger animations on the animation clock, and the scene's focus switches
// the glow on.

#include <gtest/gtest.h>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/class_registry.h"
#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_effects/glow_effect.h"
#include "scene/zu_library/library.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"
#include "test_button.h"

namespace zu::test {
namespace {

class HostedButton : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLibraryClasses();
        RegisterCairoBackend();
        RegisterClass(TzuTestButton::StaticClass());
        form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 100, 40);
        scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        auto* root = new TzuBackground(nullptr);
        scene->AddObject(root);
        button = new TzuTestButton(nullptr);
        button->SetBounds(10, 9, 80, 22);
        button->SetParent(root);
        form->Show();
        app.ProcessMessages();
        Tick(1);
    }
    void TearDown() override {
        delete form;
        TzuAniThread::FreeInstance();
    }
    void Tick(int n) {
        for (int i = 0; i < n; ++i) app.Advance(TzuAniThread::kInterval);
    }
    TzuHeadlessWindow* window() const { return static_cast<TzuHeadlessWindow*>(scene->Window()); }
    TzuRectangle* background() const { return As<TzuRectangle>(button->FindResource("background")); }
    TzuGlowEffect* glow() const {
        for (int i = 0; button->StyleObject() && i < button->StyleObject()->ChildrenCount(); ++i) {
            if (auto* g = As<TzuGlowEffect>(button->StyleObject()->Children(i))) return g;
        }
        return nullptr;
    }

    TzuHeadlessApplication app;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
    TzuTestButton* button = nullptr;
};

TEST_F(HostedButton, HoverAnimatesTheBackgroundAndFocusLightsTheGlow) {
    ASSERT_NE(background(), nullptr);  // styled by the first paint
    window()->InjectMouseMove(30, 20);
    EXPECT_TRUE(button->IsMouseOver());
    Tick(3);
    EXPECT_NE(background()->Fill()->ColorText(), "#FF707070");
    Tick(4);  // 0.2 s at 33 ms a tick
    EXPECT_EQ(background()->Fill()->ColorText(), "#FF707070");
    window()->InjectMouseMove(2, 2);
    EXPECT_FALSE(button->IsMouseOver());
    Tick(7);
    EXPECT_EQ(background()->Fill()->ColorText(), "#FF505050");

    ASSERT_NE(glow(), nullptr);
    EXPECT_FALSE(glow()->Enabled());
    button->SetFocus();
    EXPECT_TRUE(button->IsFocused());
    EXPECT_TRUE(glow()->Enabled());
    // A restyle keeps showing the focus.
    button->SetResource("buttonstyle");
    EXPECT_TRUE(glow()->Enabled());
}

}  // namespace
}  // namespace zu::test
