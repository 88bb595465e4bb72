// Visual objects painted through the whole pipeline into real pixels: opacity, clipping,
// holes, hidden subtrees, every shape, text layout and the display program's blurred
// panel, against golden images and single pixels.

#include <gtest/gtest.h>

#include <memory>

#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_objects/blur_rectangle.h"
#include "scene/zu_objects/blur_round_rect.h"
#include "scene/zu_objects/line.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/round_rect.h"
#include "scene/zu_objects/sides_rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/tree/background.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu {
namespace {

using test::MatchesGolden;
using test::PixelScene;

constexpr TzuColor kWhite = 0xFFFFFFFF;
constexpr TzuColor kBlack = 0xFF000000;
constexpr TzuColor kRed = 0xFFFF0000;
constexpr TzuColor kGreen = 0xFF00FF00;
constexpr TzuColor kBlue = 0xFF0000FF;

int Channel(uint32_t pixel, int shift) { return int((pixel >> shift) & 255); }

// A scene with a plain, unpainted top-level object covering it.
struct SceneFixture {
    PixelScene scene;
    std::unique_ptr<TzuVisualObject> root = std::make_unique<TzuVisualObject>(nullptr);
    SceneFixture(int w, int h) : scene(w, h) {
        scene.AddObject(root.get());
        root->SetBounds(0, 0, float(w), float(h));
    }
    template <class T = TzuVisualObject>
    T* Add(TzuObject* parent, float x, float y, float w, float h) {
        auto* o = new T(nullptr);
        o->SetBounds(x, y, w, h);
        o->SetParent(parent);
        return o;
    }
    // A filled rectangle without a stroke.
    TzuRectangle* Box(TzuObject* parent, float x, float y, float w, float h, TzuColor fill) {
        auto* r = Add<TzuRectangle>(parent, x, y, w, h);
        r->Fill()->SetColor(fill);
        r->Stroke()->SetStyle(zuBrushNone);
        return r;
    }
    uint32_t Pixel(int x, int y) const { return scene.Pixel(x, y); }
    ::testing::AssertionResult Golden(const char* name) const { return MatchesGolden(scene.Picture(), name); }
};

// The bounding box of the pixels inside area that differ from background; empty when none.
TzuRect Ink(const PixelScene& s, const TzuRect& area, uint32_t background = kWhite) {
    int l = 1 << 30, t = 1 << 30, r = -1, b = -1;
    for (int y = int(area.Top); y < int(area.Bottom); ++y) {
        for (int x = int(area.Left); x < int(area.Right); ++x) {
            if (s.Pixel(x, y) == background) continue;
            l = std::min(l, x), t = std::min(t, y), r = std::max(r, x + 1), b = std::max(b, y + 1);
        }
    }
    return r < 0 ? TzuRect{} : TzuRect{float(l), float(t), float(r), float(b)};
}

TEST(ScenePixels, NestedOpacityMultiplies) {
    SceneFixture f(80, 40);
    auto* half = f.Add(f.root.get(), 0, 0, 80, 40);
    half->SetOpacity(0.5f);
    f.Box(half, 5, 5, 20, 30, kBlack)->SetOpacity(0.5f);
    f.Box(f.root.get(), 30, 5, 20, 30, kBlack)->SetOpacity(0.25f);
    f.Box(half, 55, 5, 20, 30, kRed)->SetOpacity(0.5f);
    f.scene.Frame();
    // Exactly what the canvas makes of one fill at a quarter of the opacity.
    PixelScene reference(4, 4);
    reference.Frame();
    TzuCanvas* cv = reference.Canvas();
    cv->Fill()->SetColor(kBlack);
    cv->FillRect({0, 0, 2, 4}, 0, 0, kAllCorners, 0.25f, zuCornerRound);
    cv->Fill()->SetColor(kRed);
    cv->FillRect({2, 0, 4, 4}, 0, 0, kAllCorners, 0.25f, zuCornerRound);
    cv->EndScene();
    EXPECT_NEAR(Channel(f.Pixel(15, 20), 0), 191, 1);
    EXPECT_EQ(f.Pixel(15, 20), reference.Pixel(1, 1));
    EXPECT_EQ(f.Pixel(40, 20), reference.Pixel(1, 1));
    EXPECT_EQ(f.Pixel(65, 20), reference.Pixel(3, 1));
    EXPECT_EQ(Channel(f.Pixel(65, 20), 16), 255);
    EXPECT_EQ(f.Pixel(27, 20), kWhite);
    EXPECT_TRUE(f.Golden("scene_opacity"));
}

TEST(ScenePixels, ClipChildrenCutsAtTheParentUnlessTheChildOptsOut) {
    SceneFixture f(80, 60);
    auto* p = f.Box(f.root.get(), 10, 10, 40, 30, 0xFFC0C0C0);
    p->SetClipChildren(true);
    f.Box(p, 25, 5, 30, 10, kRed);                          // sticks out on the right
    f.Box(p, -8, 18, 20, 8, kBlue)->SetCanClipped(false);   // sticks out on the left
    f.Box(p, 45, 0, 10, 10, kGreen)->SetCanClipped(false);  // wholly outside
    f.Box(p, -5, -5, 10, 10, kGreen);                       // the top-left corner
    f.scene.Frame();
    EXPECT_EQ(f.Pixel(45, 17), kRed);
    EXPECT_EQ(f.Pixel(50, 17), kWhite);
    EXPECT_EQ(f.Pixel(4, 31), kBlue);
    EXPECT_EQ(f.Pixel(60, 15), kWhite);  // unclippable, but outside the parent: skipped
    EXPECT_EQ(f.Pixel(7, 7), kWhite);
    EXPECT_EQ(f.Pixel(12, 12), kGreen);
    EXPECT_TRUE(f.Golden("scene_clip_children"));
}

TEST(ScenePixels, ClipParentCutsAHoleInTheParentOnly) {
    SceneFixture f(80, 60);
    auto* p = f.Box(f.root.get(), 10, 10, 60, 40, kBlack);
    auto* hole = f.Box(p, 10, 10, 20, 20, kGreen);
    hole->SetOpacity(0.5f);
    hole->SetClipParent(true);
    f.Box(p, 25, 5, 20, 10, kRed);
    // Only the first child asking for a hole gets one.
    f.Add(p, 40, 25, 10, 10)->SetClipParent(true);
    f.scene.Frame();
    const uint32_t inHole = f.Pixel(25, 25);
    EXPECT_EQ(Channel(inHole, 8), 255);
    EXPECT_NEAR(Channel(inHole, 16), 128, 1);  // white shows through, not the black parent
    EXPECT_EQ(f.Pixel(37, 22), kRed);          // a sibling is not cut by the hole
    EXPECT_EQ(f.Pixel(37, 17), kRed);
    EXPECT_EQ(f.Pixel(15, 15), kBlack);
    EXPECT_EQ(f.Pixel(55, 40), kBlack);
    EXPECT_TRUE(f.Golden("scene_clip_parent"));
}

TEST(ScenePixels, HiddenSubtreesAreNeitherPaintedNorHitAndTheirDamageIsEnough) {
    SceneFixture f(60, 40);
    auto* p = f.Box(f.root.get(), 5, 5, 50, 30, kBlue);
    p->SetVisible(false);
    f.Box(p, 5, 5, 10, 10, kRed);
    auto* q = f.Add(f.root.get(), 0, 0, 60, 40);
    auto* hidden = f.Add(q, 30, 5, 20, 20);
    hidden->SetVisible(false);
    f.Box(hidden, 2, 2, 10, 10, kGreen);
    f.scene.Frame();
    EXPECT_EQ(Ink(f.scene, f.scene.Bounds()), TzuRect{});
    EXPECT_EQ(f.root->ObjectAtPoint(15, 15), q);
    EXPECT_EQ(f.root->ObjectAtPoint(35, 10), q);

    // Showing and hiding again repaint only what they damage, and that is enough.
    f.scene.rects.clear();
    p->SetVisible(true);
    ASSERT_FALSE(f.scene.rects.empty());
    f.scene.Frame();
    EXPECT_EQ(f.Pixel(7, 7), kBlue);
    EXPECT_EQ(f.Pixel(12, 12), kRed);
    p->SetVisible(false);
    f.scene.Frame();
    EXPECT_EQ(Ink(f.scene, f.scene.Bounds()), TzuRect{});
}

TEST(ScenePixels, ShapesMatchGolden) {
    SceneFixture f(200, 120);
    const TzuCornerType types[] = {zuCornerRound, zuCornerBevel, zuCornerInnerRound, zuCornerInnerLine};
    for (int i = 0; i < 4; ++i) {
        auto* r = f.Add<TzuRectangle>(f.root.get(), 4.0f + 48 * i, 4, 40, 40);
        r->Fill()->SetColor(0xFFE0A030);
        r->Stroke()->SetColor(0xFF203060);
        r->SetStrokeThickness(2);
        r->SetXRadius(12);
        r->SetYRadius(12);
        r->SetCornerType(types[i]);
        if (i == 3) r->SetCorners(CornerBit(zuCornerTopLeft) | CornerBit(zuCornerBottomRight));
    }
    auto* sides = f.Add<TzuSidesRectangle>(f.root.get(), 4, 50, 56, 34);
    sides->Fill()->SetColor(0xFF80C080);
    sides->Stroke()->SetColor(0xFF006000);
    sides->SetStrokeThickness(4);
    sides->SetSides(SideBit(zuSideTop) | SideBit(zuSideLeft));
    auto* wide = f.Add<TzuRoundRect>(f.root.get(), 66, 50, 60, 20);
    wide->Fill()->SetColor(0xFF6080E0);
    wide->SetStrokeThickness(2);
    auto* tall = f.Add<TzuRoundRect>(f.root.get(), 132, 50, 16, 34);
    tall->Fill()->SetColor(0xFF6080E0);
    tall->Stroke()->SetStyle(zuBrushNone);
    tall->SetCorners(CornerBit(zuCornerTopLeft) | CornerBit(zuCornerTopRight));
    const TzuRect lineBoxes[] = {{156, 50, 196, 84}, {4, 92, 44, 102}, {50, 90, 60, 116}};
    const TzuLineType lineTypes[] = {zuLineNormal, zuLineHorizontal, zuLineVertical};
    for (int i = 0; i < 3; ++i) {
        const TzuRect& b = lineBoxes[i];
        auto* l = f.Add<TzuLine>(f.root.get(), b.Left, b.Top, RectWidth(b), RectHeight(b));
        l->Stroke()->SetColor(0xFFC02020);
        l->SetStrokeThickness(2);
        l->SetLineType(lineTypes[i]);
    }
    auto* blur = f.Add<TzuBlurRectangle>(f.root.get(), 66, 90, 60, 26);
    blur->Fill()->SetColor(0xFF303030);
    blur->SetXRadius(4);
    blur->SetYRadius(4);
    auto* blurRound = f.Add<TzuBlurRoundRect>(f.root.get(), 134, 90, 62, 26);
    blurRound->Fill()->SetColor(0xFF2060A0);
    f.scene.Frame();

    // The sides rectangle fills to the edge where it draws no stroke.
    EXPECT_EQ(f.Pixel(4 + 55, 50 + 33), 0xFF80C080u);
    EXPECT_EQ(f.Pixel(4 + 30, 50), 0xFF006000u);
    EXPECT_EQ(f.Pixel(4, 50 + 20), 0xFF006000u);
    // A vertical line of thickness 2 runs along the left edge, from y 1 to height - 1.
    EXPECT_EQ(f.Pixel(50, 100), 0xFFC02020u);
    EXPECT_EQ(f.Pixel(51, 100), 0xFFC02020u);
    EXPECT_EQ(f.Pixel(52, 100), kWhite);
    EXPECT_EQ(f.Pixel(50, 90), kWhite);
    EXPECT_EQ(f.Pixel(50, 91), 0xFFC02020u);
    EXPECT_EQ(f.Pixel(50, 115), kWhite);
    // The blurred rectangle keeps its colour inside and fades towards its box.
    EXPECT_EQ(f.Pixel(96, 103), 0xFF303030u);
    EXPECT_GT(Channel(f.Pixel(66, 103), 0), 0x30);
    EXPECT_LT(Channel(f.Pixel(66, 103), 0), 0xFF);
    EXPECT_EQ(f.Pixel(65, 103), kWhite);
    EXPECT_TRUE(f.Golden("scene_shapes"));
}

TEST(ScenePixels, TextAlignsWrapsAndStretches) {
    SceneFixture f(200, 120);
    auto text = [&](float x, float y, float w, float h, const char16_t* s) {
        f.Box(f.root.get(), x, y, w, h, 0xFFE8E8F0);
        auto* t = f.Add<TzuText>(f.root.get(), x, y, w, h);
        t->Font()->SetFamily("DejaVu Sans");
        t->Font()->SetSize(11);
        t->Fill()->SetColor(0xFF102040);
        t->SetText(s);
        return t;
    };
    auto* nearText = text(4, 4, 60, 52, u"Near");
    nearText->SetHorzTextAlign(zuTextAlignNear);
    nearText->SetVertTextAlign(zuTextAlignNear);
    auto* farText = text(68, 4, 60, 52, u"Far");
    farText->SetHorzTextAlign(zuTextAlignFar);
    farText->SetVertTextAlign(zuTextAlignFar);
    auto* wrapped = text(132, 4, 64, 52, u"words wrap in a narrow box");
    auto* stretched = text(4, 62, 120, 54, u"Wide");
    stretched->Font()->SetStyle(zuFontBold);
    stretched->SetStretch(true);
    auto* plain = text(132, 62, 64, 54, u"Wide");
    plain->Font()->SetStyle(zuFontBold);
    f.scene.Frame();
    EXPECT_TRUE(f.Golden("scene_text"));

    const uint32_t box = 0xFFE8E8F0;
    const TzuRect nearInk = Ink(f.scene, {4, 4, 64, 56}, box);
    EXPECT_LT(nearInk.Left, 4 + 4);
    EXPECT_LT(nearInk.Top, 4 + 6);
    EXPECT_LT(nearInk.Bottom, 4 + 26);
    const TzuRect farInk = Ink(f.scene, {68, 4, 128, 56}, box);
    EXPECT_GT(farInk.Right, 128 - 4);
    EXPECT_GT(farInk.Bottom, 56 - 6);
    EXPECT_GT(farInk.Left, 68 + 26);
    // The plain copy stays at its natural size; the stretched one nearly fills its box.
    const TzuRect plainInk = Ink(f.scene, {132, 62, 196, 116}, box);
    const TzuRect wideInk = Ink(f.scene, {4, 62, 124, 116}, box);
    EXPECT_LT(RectWidth(plainInk), 40);
    EXPECT_GT(RectWidth(wideInk), 120 * 0.85f);
    EXPECT_GT(RectHeight(wideInk), 54 * 0.6f);
    EXPECT_GT(RectHeight(wideInk), 2.5f * RectHeight(plainInk));

    const float wrappedHeight = RectHeight(Ink(f.scene, {132, 4, 196, 56}, box));
    wrapped->SetWordWrap(false);
    f.scene.Frame();
    const float oneLine = RectHeight(Ink(f.scene, {132, 4, 196, 56}, box));
    EXPECT_GT(oneLine, 0);
    EXPECT_GE(wrappedHeight, 2.5f * oneLine);
}

// Keeps a copy of the picture the blur is handed, before blurring it.
class BlurSpy : public TzuBlurEffect {
public:
    using TzuBlurEffect::TzuBlurEffect;
    void ProcessEffect(TzuCanvas* canvas, TzuBitmap* bitmap, float scale) override {
        ++runs;
        before.Assign(*bitmap);
        TzuBlurEffect::ProcessEffect(canvas, bitmap, scale);
    }
    int runs = 0;
    TzuBitmap before;
};

// Notes which canvases the panel's own content went to.
class PanelSpy : public TzuRectangle {
public:
    using TzuRectangle::TzuRectangle;
    void Paint() override {
        (Canvas() == Scene()->Canvas() ? direct : offscreen) += 1;
        TzuRectangle::Paint();
    }
    int direct = 0, offscreen = 0;
};

TEST(ScenePixels, DisplaySceneShowsTheBlurredPanelOnly) {
    // The display program's scene at a fifth of its width: black background, stroked
    // rounded panel with two lines of bold text, blurred with softness 0.3.
    PixelScene scene(200, 60);
    auto root = std::make_unique<TzuBackground>(nullptr);
    scene.AddObject(root.get());
    root->SetBounds(0, 0, 200, 60);
    root->Fill()->SetStyle(zuBrushSolid);
    root->Fill()->SetColor(kBlack);
    root->Margins()->SetRect({8, 8, 8, 8});  // room to see the blur spill over
    auto* panel = new PanelSpy(nullptr);
    panel->SetParent(root.get());
    panel->SetAlign(vaClient);
    panel->Fill()->SetColor(0xFFBEBEBE);
    panel->Stroke()->SetColor(0xFF4DF4FF);
    panel->SetStrokeThickness(2);
    panel->SetXRadius(12);
    panel->SetYRadius(12);
    auto* text = new TzuText(nullptr);
    text->SetParent(panel);
    text->SetAlign(vaClient);
    text->Fill()->SetColor(0xFFF5C116);
    text->Font()->SetFamily("DejaVu Sans");
    text->Font()->SetSize(16);
    text->Font()->SetStyle(zuFontBold);
    text->SetText(u"first line\nsecond line");
    auto* blur = new BlurSpy(nullptr);
    blur->SetParent(panel);
    ASSERT_EQ(panel->BoundsRect(), (TzuRect{0, 0, 184, 44}));
    ASSERT_EQ(panel->AbsoluteRect(), (TzuRect{8, 8, 192, 52}));

    scene.Frame(0xFF808080);
    EXPECT_TRUE(MatchesGolden(scene.Picture(), "scene_display_blur"));
    EXPECT_EQ(panel->direct, 0);
    EXPECT_EQ(panel->offscreen, 1);
    EXPECT_EQ(blur->runs, 1);
    // The picture grows by the margin of 6 on every side; the panel lies at (6, 6) in it.
    EXPECT_EQ(blur->before.Width(), 184 + 12);
    EXPECT_EQ(blur->before.Height(), 44 + 12);
    EXPECT_EQ(blur->before.ScanLine(28)[5], 0u);
    EXPECT_EQ(blur->before.ScanLine(28)[6], 0xFF4DF4FFu);
    EXPECT_EQ(blur->before.ScanLine(28)[9], 0xFFBEBEBEu);
    EXPECT_EQ(blur->before.ScanLine(28)[6 + 184], 0u);
    // On screen: the blur spills into the margin but not beyond it, and the sharp edge
    // of the stroke is gone.
    EXPECT_EQ(scene.Pixel(1, 30), kBlack);
    EXPECT_NE(scene.Pixel(5, 30), kBlack);
    EXPECT_NE(scene.Pixel(8, 30), 0xFF4DF4FFu);

    // The picture is built again for every frame the panel is painted in.
    scene.Frame(0xFF808080);
    EXPECT_EQ(blur->runs, 2);
    EXPECT_EQ(panel->offscreen, 2);
    EXPECT_EQ(panel->direct, 0);
    EXPECT_TRUE(MatchesGolden(scene.Picture(), "scene_display_blur"));

    // Without the blur the panel is painted directly and sharp; the old halo is erased by
    // the damage the switch reports.
    scene.rects.clear();
    blur->SetEnabled(false);
    scene.Frame(0xFF808080);
    EXPECT_EQ(panel->direct, 1);
    EXPECT_EQ(blur->runs, 2);
    EXPECT_EQ(scene.Pixel(8, 30), 0xFF4DF4FFu);
    EXPECT_EQ(scene.Pixel(5, 30), kBlack);
    EXPECT_EQ(scene.Pixel(2, 30), kBlack);
}

// A visual brush shows its object with its children, mapped onto the filled figure and
// faded with it, wherever the figure sits; an object showing itself paints once.
TEST(ScenePixels, VisualBrushFillShowsItsObject) {
    RegisterSceneClasses();
    SceneFixture f(120, 60);
    TzuRectangle* source = f.Box(f.root.get(), 0, 0, 20, 20, kRed);
    f.Box(source, 10, 0, 10, 20, kBlue);
    TzuRectangle* target = f.Box(f.root.get(), 50, 10, 40, 30, kGreen);
    target->Fill()->SetStyle(zuBrushVisual);
    target->Fill()->Visual()->SetVisualObject(source);
    f.scene.Frame();
    EXPECT_EQ(f.Pixel(52, 12), kRed);
    EXPECT_EQ(f.Pixel(68, 38), kRed);
    EXPECT_EQ(f.Pixel(72, 12), kBlue);
    EXPECT_EQ(f.Pixel(88, 38), kBlue);
    EXPECT_EQ(f.Pixel(92, 25), kWhite);
    EXPECT_EQ(f.Pixel(48, 25), kWhite);
    EXPECT_EQ(source->Opacity(), 1);
    EXPECT_TRUE(f.scene.rects.empty());  // painting through the brush asked for no repaint

    target->SetOpacity(0.5f);
    f.scene.Frame();
    const uint32_t faded = f.Pixel(60, 25);
    EXPECT_NEAR(Channel(faded, 16), 255, 2);
    EXPECT_NEAR(Channel(faded, 8), 128, 3);
    EXPECT_NEAR(Channel(faded, 0), 128, 3);
    EXPECT_EQ(source->Opacity(), 1);

    // Filled with itself: painted through the brush once, not endlessly.
    source->Fill()->SetStyle(zuBrushVisual);
    source->Fill()->Visual()->SetVisualObject(source);
    f.scene.rects.clear();
    f.scene.Frame();
    EXPECT_EQ(f.Pixel(15, 10), kBlue);
}

}  // namespace
}  // namespace zu
