// The shadow, glow, inner glow, bevel and reflection effects on bitmaps, without a
// canvas: the areas they cover, where the parent sits in the picture, their clamps, and
// what each makes of a picture.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_effects/bevel_effect.h"
#include "scene/zu_effects/glow_effect.h"
#include "scene/zu_effects/inner_glow_effect.h"
#include "scene/zu_effects/reflection_effect.h"
#include "scene/zu_effects/register_effects.h"
#include "scene/zu_effects/shadow_effect.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {
namespace {

uint8_t Alpha(const TzuBitmap& b, int x, int y) { return uint8_t(b.ScanLine(y)[x] >> 24); }

// An opaque w x h block of colour at (x, y) in a transparent picture.
std::unique_ptr<TzuBitmap> Picture(int pw, int ph, int x, int y, int w, int h, TzuColor colour = 0xFF808080) {
    auto b = std::make_unique<TzuBitmap>(pw, ph);
    FillPixelRect(b->Bits(), pw, ph, colour, x, y, x + w, y + h);
    return b;
}

TEST(TzuShadowEffect, AreaOffsetClampsAndKnockOut) {
    TzuShadowEffect e(nullptr);
    EXPECT_FALSE(e.DisablePaint() || e.PaintAfter());
    const TzuRect r = e.GetEffectRect({0, 0, 100, 50});
    const float d = 3 * std::cos(DegreesToRadians(45));
    EXPECT_FLOAT_EQ(r.Left, -6 + d);
    EXPECT_FLOAT_EQ(r.Bottom, 56 + d);
    EXPECT_EQ(e.GetEffectOffset(), (TzuPoint{6, 6}));
    e.SetSoftness(5);
    EXPECT_EQ(e.Softness(), 3);
    e.SetOpacity(2);
    EXPECT_EQ(e.Opacity(), 1);
    e.SetSoftness(0.3f);
    e.SetOpacity(0.6f);

    // A 20 x 20 block: the shadow is knocked out where the object will be drawn (the mask
    // moved 2 pixels back), and shows below and right of it.
    auto b = Picture(40, 40, 6, 6, 20, 20);
    e.ProcessEffect(nullptr, b.get(), 1);
    EXPECT_EQ(Alpha(*b, 10, 10), 0);                  // under the object after the shift
    EXPECT_GT(Alpha(*b, 25, 25), 0);                  // the shadow's own corner, beyond the object
    EXPECT_LE(Alpha(*b, 25, 25), 153);                // never above the shadow colour's alpha
    EXPECT_EQ(b->ScanLine(25)[25] & 0x00FFFFFF, 0u);  // black
    // Twice the scale moves the knock-out twice as far.
    auto scaled = Picture(40, 40, 6, 6, 20, 20);
    e.ProcessEffect(nullptr, scaled.get(), 2);
    EXPECT_EQ(Alpha(*b, 23, 23), 0);
    EXPECT_GT(Alpha(*scaled, 23, 23), 0);
    EXPECT_EQ(Alpha(*scaled, 21, 21), 0);
}

TEST(TzuGlowEffect, MarginRadiusAndTheObjectLeftClear) {
    TzuGlowEffect e(nullptr);
    EXPECT_EQ(e.GetEffectOffset(), (TzuPoint{13, 13}));  // Trunc(0.4 x 23) + 4
    e.SetSoftness(0);
    EXPECT_EQ(e.GetEffectRect({0, 0, 10, 10}), (TzuRect{-4, -4, 14, 14}));
    e.SetSoftness(20);
    EXPECT_EQ(e.Softness(), 9);
    e.SetSoftness(0);
    e.SetGlowColorText("#FFFF0000");
    EXPECT_EQ(GetPropText(ResolveProperty(&e, "GlowColor")), "#FFFF0000");
    // Radius 5 even at softness 0: the glow reaches 5 pixels out, not into the object.
    auto b = Picture(30, 30, 10, 10, 10, 10);
    e.ProcessEffect(nullptr, b.get(), 1);
    EXPECT_EQ(Alpha(*b, 15, 15), 0);
    EXPECT_GT(Alpha(*b, 7, 15), 0);
    EXPECT_EQ(Alpha(*b, 3, 15), 0);
    EXPECT_EQ(ColorRed(UnpremultiplyColor(b->ScanLine(15)[7])), 255);
}

TEST(TzuInnerGlowEffect, ColoursOnlyABandInsideTheBorder) {
    TzuInnerGlowEffect e(nullptr);
    EXPECT_TRUE(e.PaintAfter());
    EXPECT_EQ(e.GetEffectOffset(), (TzuPoint{8, 8}));  // Trunc(0.4 x 20)
    auto b = Picture(60, 60, 8, 8, 44, 44);
    e.ProcessEffect(nullptr, b.get(), 1);
    EXPECT_GT(Alpha(*b, 9, 30), 0);   // just inside the edge
    EXPECT_EQ(Alpha(*b, 30, 30), 0);  // the middle, far from any edge
    EXPECT_EQ(Alpha(*b, 4, 30), 0);   // outside the object
}

TEST(TzuBevelEffect, LightsSlopesAndLeavesFlatsAndSizeZeroAlone) {
    TzuBevelEffect e(nullptr);
    EXPECT_TRUE(e.DisablePaint());
    EXPECT_EQ(e.GetEffectRect({0, 0, 10, 10}), (TzuRect{-5, -5, 15, 15}));
    auto b = Picture(60, 60, 5, 5, 50, 50);
    const auto before = Picture(60, 60, 5, 5, 50, 50);
    e.SetSize(0);
    e.ProcessEffect(nullptr, b.get(), 1);
    EXPECT_TRUE(std::equal(b->Bits(), b->Bits() + 3600, before->Bits()));
    e.SetSize(4);
    e.ProcessEffect(nullptr, b.get(), 1);
    EXPECT_EQ(b->ScanLine(30)[30], before->ScanLine(30)[30]);  // flat: unchanged
    // Lit from 45 degrees: the rising top-left slope lightens, the falling bottom-right
    // slope darkens.
    EXPECT_GT(ColorRed(b->ScanLine(6)[6]), 0x80);
    EXPECT_LT(ColorRed(b->ScanLine(52)[52]), 0x80);
    EXPECT_EQ(Alpha(*b, 2, 30), 0);  // outside stays clear
}

TEST(TzuReflectionEffect, KeepsTheRowsNearestTheObjectFadingAndClampsItsAlpha) {
    TzuReflectionEffect e(nullptr);
    EXPECT_EQ(e.GetEffectRect({0, 0, 50, 20}), (TzuRect{-2, 18, 52, 42}));
    e.SetOffset(5);
    EXPECT_EQ(e.GetEffectRect({0, 0, 50, 20}), (TzuRect{-2, 23, 52, 47}));
    e.SetLength(0.05f);
    EXPECT_FLOAT_EQ(e.Length(), 0.1f);
    e.SetLength(0.5f);
    // 101 rows: after the flip, rows 0 ... 49 keep colour, fading away from the object.
    auto b = Picture(4, 101, 0, 0, 4, 101, 0xFFFFFFFF);
    e.ProcessEffect(nullptr, b.get(), 1);
    EXPECT_EQ(Alpha(*b, 0, 0), 127);  // Trunc(0.5 x 255)
    EXPECT_GT(Alpha(*b, 0, 49), 0);
    EXPECT_LT(Alpha(*b, 0, 49), Alpha(*b, 0, 10));
    EXPECT_EQ(Alpha(*b, 0, 50), 0);
    EXPECT_EQ(b->ScanLine(100)[0], 0u);
    // An opacity beyond 1 saturates the coverage instead of wrapping the byte; a
    // negative one leaves nothing.
    e.SetOpacity(3);
    auto bright = Picture(4, 101, 0, 0, 4, 101, 0xFFFFFFFF);
    e.ProcessEffect(nullptr, bright.get(), 1);
    EXPECT_EQ(bright->ScanLine(0)[0], 0xFFFFFFFFu);
    EXPECT_EQ(Alpha(*bright, 0, 20), 255);
    EXPECT_EQ(Alpha(*bright, 0, 40), 153);  // Trunc(3 x 10 / 50 x 255)
    e.SetOpacity(-1);
    auto dark = Picture(4, 101, 0, 0, 4, 101, 0xFFFFFFFF);
    e.ProcessEffect(nullptr, dark.get(), 1);
    EXPECT_EQ(dark->ScanLine(0)[0], 0u);
}

TEST(EffectRegistry, EveryEffectIsListedUnderEffectsAndCreatedByName) {
    RegisterEffectClasses();
    for (const char* name : {"TzuShadowEffect", "TzuBlurEffect", "TzuGlowEffect", "TzuInnerGlowEffect",
                             "TzuBevelEffect", "TzuReflectionEffect"}) {
        const auto& reg = ClassRegistry();
        EXPECT_TRUE(std::any_of(reg.begin(), reg.end(), [&](const auto& e) {
            return e.first == "Effects" && std::string(e.second->name) == name;
        })) << name;
        std::unique_ptr<TzuPersistent> made(CreateObject(name, nullptr));
        ASSERT_TRUE(made) << name;
        EXPECT_STREQ(made->ClassType().name, name);
    }
}

}  // namespace
}  // namespace zu
