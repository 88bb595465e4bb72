// The button style as it paints: at rest, hovered (the background's colour animation run
// to its end on the manual clock) and focused (the orange glow around it).

#include <gtest/gtest.h>

#include "platform/core/class_registry.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "test_button.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu::test {
namespace {

class ButtonPixels : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLibraryClasses();
        RegisterClass(TzuTestButton::StaticClass());
        root = new TzuLayout(nullptr);
        root->SetBounds(0, 0, 100, 40);
        scene.AddObject(root);
        button = new TzuTestButton(nullptr);
        button->SetBounds(10, 9, 80, 22);
        button->SetText(u"OK");
        button->SetParent(root);
    }
    void TearDown() override {
        delete root;
        TzuAniThread::FreeInstance();
    }
    void Tick(int n) {
        for (int i = 0; i < n; ++i) app.Advance(TzuAniThread::kInterval);
    }
    ::testing::AssertionResult Frame(const char* golden) {
        scene.rects.clear();
        scene.Frame(0xFF2B2B2B);
        return MatchesGolden(scene.Picture(), golden);
    }

    TzuHeadlessApplication app;
    PixelScene scene{100, 40};
    TzuLayout* root = nullptr;
    TzuTestButton* button = nullptr;
};

TEST_F(ButtonPixels, RestHoverAndFocus) {
    EXPECT_TRUE(Frame("styles_button_rest"));
    ASSERT_NE(button->StyleObject(), nullptr);  // applied on the first paint
    button->SetHover(true);
    Tick(8);
    EXPECT_TRUE(Frame("styles_button_hover"));
    button->SetHover(false);
    Tick(8);
    button->Focus(true);
    EXPECT_TRUE(Frame("styles_button_focus"));
    // Rest again once the focus goes: the glow leaves no trace.
    button->Focus(false);
    EXPECT_TRUE(Frame("styles_button_rest"));
}

}  // namespace
}  // namespace zu::test
