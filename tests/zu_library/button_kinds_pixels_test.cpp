// Every button kind as the default style paints it, in four columns: at rest, hovered,
// pressed (hovered and held) and focused, with the style animations run to their end.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/class_registry.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_controls/bitmap_button.h"
#include "scene/zu_controls/custom_button.h"
#include "scene/zu_controls/path_button.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu::test {
namespace {

constexpr int kColumns = 4;

class ButtonKindPixels : public ::testing::Test {
protected:
    void SetUp() override { RegisterLibraryClasses(); }
    void TearDown() override {
        delete root;
        TzuAniThread::FreeInstance();
    }
    // One row per class name: the same button four times, put in the column's state.
    ::testing::AssertionResult Rows(std::initializer_list<const char*> classes, float columnWidth,
                                    float rowHeight, const char* golden) {
        const int width = int(columnWidth * kColumns + 8);
        const int height = int(rowHeight * float(classes.size()) + 8);
        scene = std::make_unique<PixelScene>(width, height);
        root = new TzuLayout(nullptr);
        root->SetBounds(0, 0, float(width), float(height));
        scene->AddObject(root);
        std::vector<TzuCustomButton*> buttons;
        float y = 4;
        for (const char* name : classes) {
            for (int col = 0; col < kColumns; ++col) {
                auto* b = As<TzuCustomButton>(CreateObject(name, nullptr));
                if (!b) return ::testing::AssertionFailure() << name << " is not a registered button";
                b->Position()->SetPoint(TzuPoint{4 + columnWidth * float(col), y});
                b->SetText(u"Go");
                Decorate(b);
                b->SetParent(root);
                buttons.push_back(b);
            }
            y += rowHeight;
        }
        scene->Frame(0xFF2B2B2B);  // styles them all
        for (size_t i = 0; i < buttons.size(); ++i) {
            TzuCustomButton* b = buttons[i];
            switch (i % kColumns) {
                case 1: b->MouseEnter(); break;
                case 2:
                    b->MouseEnter();
                    b->MouseDown(mbLeft, ssLeft, 4, 4);
                    break;
                case 3: b->EnterFocus(); break;
                default: break;
            }
        }
        for (int i = 0; i < 10; ++i) app.Advance(TzuAniThread::kInterval);
        scene->rects.clear();
        scene->Frame(0xFF2B2B2B);
        return MatchesGolden(scene->Picture(), golden);
    }
    // Glyph buttons get a glyph to place.
    static void Decorate(TzuCustomButton* b) {
        if (auto* bitmap = As<TzuBitmapButton>(b)) {
            TzuBitmap picture;
            picture.SetSize(16, 16);
            picture.Clear(0xFF3FA0E0);
            bitmap->SetBitmapSize(20);
            bitmap->SetBitmap(picture);
        } else if (auto* path = As<TzuPathButton>(b)) {
            path->Path()->SetData("M 0 8 L 8 0 L 16 8 L 8 16 Z");
            path->SetPathSize(20);
        }
    }

    TzuHeadlessApplication app;
    std::unique_ptr<PixelScene> scene;
    TzuLayout* root = nullptr;
};

TEST_F(ButtonKindPixels, PushButtons) {
    EXPECT_TRUE(Rows({"TzuButton", "TzuRoundButton", "TzuCircleButton", "TzuSpeedButton", "TzuCornerButton",
                      "TzuPopupButton", "TzuColorButton", "TzuPopupBox"},
                     90, 30, "buttons_push"));
}

TEST_F(ButtonKindPixels, GlyphButtons) {
    EXPECT_TRUE(Rows({"TzuBitmapButton", "TzuToolButton", "TzuPathButton", "TzuToolPathButton"}, 60, 66,
                     "buttons_glyph"));
}

TEST_F(ButtonKindPixels, HudButtons) {
    EXPECT_TRUE(Rows({"TzuHudButton", "TzuHudRoundButton", "TzuHudCircleButton", "TzuHudCornerButton",
                      "TzuHudSpeedButton", "TzuHudPopupBox"},
                     90, 30, "buttons_hud"));
}

}  // namespace
}  // namespace zu::test
