// One scene painted at device scale 1 and 2: at 2 it is the same picture with twice the
// pixels per side. A one-pixel line lands on two whole device rows, text is drawn at
// device resolution, and blurs, shadows and blurred shapes keep their reach in scene
// units (their radii double with the pixels), so the scale-2 picture averaged over
// 2 x 2 blocks is the scale-1 one.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_effects/shadow_effect.h"
#include "scene/zu_objects/blur_round_rect.h"
#include "scene/zu_objects/line.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/tree/background.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu {
namespace {

using test::MatchesGolden;
using test::PixelScene;

constexpr int kW = 200, kH = 90;
constexpr uint32_t kWhite = 0xFFFFFFFF, kInk = 0xFF102040;

struct DenseScene {
    PixelScene scene;
    std::unique_ptr<TzuBackground> root = std::make_unique<TzuBackground>(nullptr);

    explicit DenseScene(int scale) : scene(kW, kH, scale) {
        RegisterSceneClasses();
        scene.AddObject(root.get());
        root->SetBounds(0, 0, kW, kH);
        auto* line = Add<TzuLine>(10, 9.5f, 180, 1);  // drawn along y = 10
        line->SetLineType(zuLineHorizontal);
        line->Stroke()->SetColor(kInk);
        line->SetStrokeThickness(1);
        auto* text = Add<TzuText>(10, 14, 90, 24);
        text->Font()->SetFamily("DejaVu Sans");
        text->Font()->SetSize(13);
        text->Fill()->SetColor(kInk);
        text->SetText(u"Sharp text");
        auto* blurred = Add<TzuRectangle>(116, 16, 30, 20);
        blurred->Fill()->SetColor(0xFF3070C0);
        blurred->Stroke()->SetStyle(zuBrushNone);
        auto* blur = new TzuBlurEffect(nullptr);
        blur->SetSoftness(0.3f);
        blur->SetParent(blurred);
        auto* shadowed = Add<TzuRectangle>(20, 50, 40, 24);
        shadowed->Fill()->SetColor(0xFFE0A030);
        shadowed->Stroke()->SetColor(0xFF203060);
        (new TzuShadowEffect(nullptr))->SetParent(shadowed);
        auto* soft = Add<TzuBlurRoundRect>(100, 50, 70, 30);
        soft->Fill()->SetColor(0xFF2060A0);
        scene.Frame();
    }
    template <class T>
    T* Add(float x, float y, float w, float h) {
        auto* o = new T(nullptr);
        o->SetBounds(x, y, w, h);
        o->SetParent(root.get());
        return o;
    }
};

int Channel(uint32_t pixel, int shift) { return int((pixel >> shift) & 255); }

TEST(DensePixels, ScaleTwoIsTheScaleOnePictureWithTwiceThePixels) {
    DenseScene one(1), two(2);
    const TzuBitmap& small = one.scene.Picture();
    const TzuBitmap& big = two.scene.Picture();
    ASSERT_EQ(big.Width(), 2 * kW);
    ASSERT_EQ(big.Height(), 2 * kH);
    EXPECT_TRUE(MatchesGolden(big, "dense_scene_x2"));

    // The line along y = 10 covers scene rows 9.5 to 10.5: at scale 2 exactly device rows
    // 19 and 20, in full, with white on either side; at scale 1 it is spread over two.
    for (int x : {40, 200, 360}) {
        EXPECT_EQ(big.ScanLine(18)[x], kWhite) << x;
        EXPECT_EQ(big.ScanLine(19)[x], kInk) << x;
        EXPECT_EQ(big.ScanLine(20)[x], kInk) << x;
        EXPECT_EQ(big.ScanLine(21)[x], kWhite) << x;
    }
    EXPECT_NE(small.ScanLine(9)[100], kInk);
    EXPECT_NE(small.ScanLine(10)[100], kInk);

    // Each 2 x 2 block averaged is the scale-1 pixel: edges and text may differ by their
    // sharper rendering, blurs and shadows only by rounding. A radius left in device
    // pixels would halve the reach of the blur and the shadow and miss by far more.
    auto averaged = [&](int x, int y, int shift) {
        int sum = 0;
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx) sum += Channel(big.ScanLine(2 * y + dy)[2 * x + dx], shift);
        return (sum + 2) / 4;
    };
    auto worst = [&](int left, int top, int right, int bottom) {
        int most = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                for (int shift : {0, 8, 16})
                    most = std::max(most,
                                    std::abs(averaged(x, y, shift) - Channel(small.ScanLine(y)[x], shift)));
        return most;
    };
    EXPECT_LE(worst(104, 4, 158, 48), 16);  // the blur effect
    EXPECT_LE(worst(10, 44, 80, 90), 16);   // the shadow
    EXPECT_LE(worst(96, 46, 174, 84), 16);  // the blurred round rectangle
}

}  // namespace
}  // namespace zu
