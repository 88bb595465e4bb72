// The shadow, glow, inner glow, bevel and reflection effects through the painting
// pipeline: their pictures against a golden, and the damage they leave when a trigger
// switches them off and on again, checked on every pixel.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "scene/zu_effects/bevel_effect.h"
#include "scene/zu_effects/glow_effect.h"
#include "scene/zu_effects/inner_glow_effect.h"
#include "scene/zu_effects/reflection_effect.h"
#include "scene/zu_effects/shadow_effect.h"
#include "scene/zu_objects/rectangle.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu {
namespace {

using test::MatchesGolden;
using test::PixelScene;

constexpr int kW = 280, kH = 76;

// Five rounded boxes in a row, each with one kind of effect when asked.
struct EffectRow {
    PixelScene scene{kW, kH};
    std::unique_ptr<TzuVisualObject> root = std::make_unique<TzuVisualObject>(nullptr);
    std::vector<TzuEffect*> effects;

    explicit EffectRow(bool withEffects) {
        scene.AddObject(root.get());
        root->SetBounds(0, 0, kW, kH);
        for (int i = 0; i < 5; ++i) {
            auto* box = new TzuRectangle(nullptr);
            box->SetBounds(14.0f + 56 * i, 10, 30, 22);
            box->SetParent(root.get());
            box->Fill()->SetColor(0xFF3070C0);
            box->Stroke()->SetStyle(zuBrushNone);
            box->SetXRadius(5);
            box->SetYRadius(5);
            if (!withEffects) continue;
            TzuEffect* e = nullptr;
            switch (i) {
                case 0: e = new TzuShadowEffect(nullptr); break;
                case 1: e = new TzuGlowEffect(nullptr); break;
                case 2: e = new TzuInnerGlowEffect(nullptr); break;
                case 3: {
                    auto* bevel = new TzuBevelEffect(nullptr);
                    bevel->SetSize(4);
                    e = bevel;
                    break;
                }
                default: {
                    auto* reflection = new TzuReflectionEffect(nullptr);
                    reflection->SetOffset(3);
                    e = reflection;
                }
            }
            e->SetParent(box);
            effects.push_back(e);
        }
    }
    void Trigger(const char* text) {
        for (TzuEffect* e : effects) {
            e->SetTrigger(text);
            e->ApplyTrigger(e->Parent(), "Visible");
        }
    }
};

// The scene host repaints whole pixels: each damage rectangle widened as it does.
void FrameDamage(PixelScene& scene) {
    for (TzuRect& r : scene.rects) {
        r = TzuRect{std::trunc(r.Left), std::trunc(r.Top), std::trunc(r.Right) + 1, std::trunc(r.Bottom) + 1};
    }
    scene.Frame();
}

::testing::AssertionResult SamePixels(const TzuBitmap& a, const TzuBitmap& b) {
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.ScanLine(y)[x] != b.ScanLine(y)[x]) {
                return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(EffectPixels, TriggersSwitchEachEffectAndLeaveNoStalePixels) {
    EffectRow row(true);
    row.scene.Frame();
    EXPECT_TRUE(MatchesGolden(row.scene.Picture(), "effects_on"));
    TzuBitmap on;
    on.Assign(row.scene.Picture());
    // The shadow lies below and right of its box, the glow all around, the reflection
    // below, Offset apart.
    EXPECT_NE(row.scene.Pixel(14 + 31, 10 + 24), 0xFFFFFFFFu);
    EXPECT_EQ(row.scene.Pixel(14 - 5, 10 - 5), 0xFFFFFFFFu);
    EXPECT_NE(row.scene.Pixel(70 - 3, 20), 0xFFFFFFFFu);
    EXPECT_EQ(row.scene.Pixel(238 + 15, 10 + 22 + 1), 0xFFFFFFFFu);
    EXPECT_NE(row.scene.Pixel(238 + 15, 10 + 22 + 4), 0xFFFFFFFFu);

    // Off: only the damage is repainted, and it is exactly the plain boxes.
    EffectRow plain(false);
    plain.scene.Frame();
    row.scene.rects.clear();
    row.Trigger("Visible=False");
    for (TzuEffect* e : row.effects) EXPECT_FALSE(e->Enabled());
    ASSERT_FALSE(row.scene.rects.empty());
    FrameDamage(row.scene);
    EXPECT_TRUE(SamePixels(row.scene.Picture(), plain.scene.Picture()));

    // And on again: the damage brings every picture back.
    row.Trigger("Visible=True");
    ASSERT_FALSE(row.scene.rects.empty());
    FrameDamage(row.scene);
    EXPECT_TRUE(SamePixels(row.scene.Picture(), on));
}

TEST(EffectPixels, MovingOrShrinkingAPictureRepaintsBothItsOldAndNewPlace) {
    const auto change = [](EffectRow& r) {
        auto* shadow = static_cast<TzuShadowEffect*>(r.effects[0]);
        shadow->SetDirection(-135);  // from below-right to above-left
        shadow->SetDistance(6);
        static_cast<TzuGlowEffect*>(r.effects[1])->SetSoftness(0);
        static_cast<TzuReflectionEffect*>(r.effects[4])->SetOffset(12);
    };
    EffectRow row(true);
    row.scene.Frame();
    row.scene.rects.clear();
    change(row);
    FrameDamage(row.scene);
    EffectRow fresh(true);
    change(fresh);
    fresh.scene.Frame();
    EXPECT_TRUE(SamePixels(row.scene.Picture(), fresh.scene.Picture()));
}

}  // namespace
}  // namespace zu
