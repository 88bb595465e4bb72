// The painting pipeline without looking at pixels: the order of the painting steps and
// effect pictures, off-screen painting that fails half way, the size of effect pictures
// and the damage an effect leaves when it is switched off.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_scene/tree/effect.h"
#include "scene/zu_scene/tree/visual_object.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu {
namespace {

using test::PixelScene;
using Log = std::vector<std::string>;

// Records its painting steps, marking those made into another canvas than the scene's.
class Probe : public TzuVisualObject {
public:
    Probe(std::string name, Log& log) : TzuVisualObject(nullptr), m_name(std::move(name)), m_log(log) {}
    void BeforePaint() override { Note("Before"); }
    void Paint() override {
        Note("Paint");
        if (failPaint) throw std::runtime_error("paint failed");
    }
    void AfterPaint() override { Note("After"); }
    void Note(const char* step) {
        m_log.push_back(m_name + "." + step + (Canvas() == Scene()->Canvas() ? "" : "@off"));
    }
    void WatchOnPaint() {
        OnPaint().Set([this](TzuPersistent*, TzuCanvas* cv, const TzuRect& r) {
            EXPECT_EQ(r, LocalRect());
            EXPECT_EQ(cv->Matrix(), AbsoluteMatrix());
            Note("OnPaint");
        });
    }
    bool failPaint = false;

private:
    std::string m_name;
    Log& m_log;
};

// An effect that grows the picture by a fixed margin and only records that it ran.
class ProbeEffect : public TzuEffect {
public:
    enum Kind { kUnder, kReplace, kOver };
    ProbeEffect(Kind kind, Log& log, float margin = 2) : TzuEffect(nullptr), m_log(log), m_margin(margin) {
        SetDisablePaint(kind == kReplace);
        SetPaintAfter(kind == kOver);
    }
    TzuRect GetEffectRect(const TzuRect& r) const override {
        return TzuRect{r.Left - m_margin, r.Top - m_margin, r.Right + m_margin, r.Bottom + m_margin};
    }
    TzuPoint GetEffectOffset() const override { return {m_margin, m_margin}; }
    void ProcessEffect(TzuCanvas*, TzuBitmap* bitmap, float scale) override {
        m_log.push_back("Effect.Process");
        sizes.push_back({float(bitmap->Width()), float(bitmap->Height())});
        scales.push_back(scale);
    }
    std::vector<TzuPoint> sizes;
    std::vector<float> scales;

private:
    Log& m_log;
    float m_margin;
};

// The scene canvas, noting where effect pictures are drawn.
class PictureCanvas : public TzuCanvasCairo {
public:
    PictureCanvas(TzuBitmap& b, Log& log) : TzuCanvasCairo(b), m_log(log) {}
    void DrawBitmap(TzuBitmap& bitmap, const TzuRect& src, const TzuRect& dst, float opacity,
                    bool fast) override {
        m_log.push_back("Picture");
        targets.push_back(dst);
        matrices.push_back(Matrix());
        opacities.push_back(opacity);
        highSpeed.push_back(fast);
        TzuCanvasCairo::DrawBitmap(bitmap, src, dst, opacity, fast);
    }
    std::vector<TzuRect> targets;
    std::vector<TzuMatrix> matrices;
    std::vector<float> opacities;
    std::vector<bool> highSpeed;

private:
    Log& m_log;
};

struct Pipeline : ::testing::Test {
    Log log;
    PictureCanvas* canvas = nullptr;
    PixelScene scene{120, 80, [this](TzuBitmap& b) {
                         auto c = std::make_unique<PictureCanvas>(b, log);
                         canvas = c.get();
                         return c;
                     }};
    std::unique_ptr<Probe> root = std::make_unique<Probe>("R", log);
    Probe* q = nullptr;
    Probe* k = nullptr;

    void SetUp() override {
        scene.AddObject(root.get());
        root->SetBounds(0, 0, 120, 80);
        root->WatchOnPaint();
        q = new Probe("Q", log);
        q->SetBounds(20, 10, 40, 30);
        q->SetParent(root.get());
        q->WatchOnPaint();
        k = new Probe("K", log);
        k->SetBounds(5, 5, 10, 10);
        k->SetParent(q);
    }
    ProbeEffect* AddEffect(ProbeEffect::Kind kind, float margin = 2) {
        auto* e = new ProbeEffect(kind, log, margin);
        e->SetParent(q);
        return e;
    }
    Log FrameLog() {
        log.clear();
        scene.Frame();
        return log;
    }
};

const Log kOffscreen = {"Q.Before@off", "Q.Paint@off", "Q.After@off",    "K.Before@off",
                        "K.Paint@off",  "K.After@off", "Effect.Process", "Picture"};

Log Join(std::initializer_list<Log> parts) {
    Log out;
    for (const Log& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST_F(Pipeline, StepsRunInOrderWithoutEffects) {
    EXPECT_EQ(FrameLog(), (Log{"R.Before", "R.Paint", "R.After", "Q.Before", "Q.Paint", "K.Before", "K.Paint",
                               "K.After", "Q.OnPaint", "Q.After", "R.OnPaint"}));
}

TEST_F(Pipeline, EffectPictureLiesUnderTheObjectAndIsKeptWhileFresh) {
    AddEffect(ProbeEffect::kUnder);
    const Log top = {"R.Before", "R.Paint", "R.After"};
    const Log own = {"Q.Paint", "K.Before", "K.Paint", "K.After", "Q.OnPaint", "Q.After"};
    EXPECT_EQ(FrameLog(), Join({top, {"Q.Before"}, kOffscreen, own, {"R.OnPaint"}}));
    // Nothing changed: the kept picture is drawn again without painting off-screen.
    EXPECT_EQ(FrameLog(), Join({top, {"Q.Before", "Picture"}, own, {"R.OnPaint"}}));
    // A child's look changing refreshes the ancestor's picture.
    k->InvalidateEffects();
    EXPECT_EQ(FrameLog(), Join({top, {"Q.Before"}, kOffscreen, own, {"R.OnPaint"}}));
}

TEST_F(Pipeline, PaintAfterEffectIsDrawnOverTheObject) {
    AddEffect(ProbeEffect::kOver);
    const Log top = {"R.Before", "R.Paint", "R.After"};
    const Log own = {"Q.Before", "Q.Paint", "K.Before", "K.Paint", "K.After", "Q.OnPaint", "Q.After"};
    EXPECT_EQ(FrameLog(), Join({top, own, kOffscreen, {"R.OnPaint"}}));
    EXPECT_EQ(FrameLog(), Join({top, own, {"Picture", "R.OnPaint"}}));
}

TEST_F(Pipeline, DisablePaintEffectReplacesTheObjectAndIsRebuiltEveryFrame) {
    AddEffect(ProbeEffect::kReplace);
    const Log expected =
        Join({{"R.Before", "R.Paint", "R.After", "Q.Before"}, kOffscreen, {"Q.After", "R.OnPaint"}});
    EXPECT_EQ(FrameLog(), expected);
    EXPECT_EQ(FrameLog(), expected);
}

TEST_F(Pipeline, DisabledEffectLeavesThePlainPipeline) {
    ProbeEffect* e = AddEffect(ProbeEffect::kReplace);
    scene.Frame();
    e->SetEnabled(false);
    EXPECT_EQ(FrameLog(), (Log{"R.Before", "R.Paint", "R.After", "Q.Before", "Q.Paint", "K.Before", "K.Paint",
                               "K.After", "Q.OnPaint", "Q.After", "R.OnPaint"}));
}

TEST_F(Pipeline, EffectPictureIsSizedByTheAbsoluteScaleAndDrawnBackInLocalUnits) {
    ProbeEffect* e = AddEffect(ProbeEffect::kUnder, 6);
    q->SetWidth(40.7f);
    root->Scale()->SetPoint({2, 1.5f});
    scene.Frame();
    // (40.7 + 12) x 2 = 105.4 and (30 + 12) x 1.5 = 63: truncated, not rounded.
    ASSERT_EQ(e->sizes.size(), 1u);
    EXPECT_EQ(e->sizes[0], (TzuPoint{105, 63}));
    EXPECT_EQ(e->scales[0], 2);
    ASSERT_TRUE(q->EffectBitmap());
    EXPECT_EQ(q->EffectBitmap()->Width(), 105);
    ASSERT_EQ(canvas->targets.size(), 1u);
    EXPECT_NEAR(canvas->targets[0].Left, -6, 1e-4);
    EXPECT_NEAR(canvas->targets[0].Top, -6, 1e-4);
    EXPECT_NEAR(canvas->targets[0].Right, 46.7, 1e-4);
    EXPECT_NEAR(canvas->targets[0].Bottom, 36, 1e-4);
    EXPECT_EQ(canvas->matrices[0], q->AbsoluteMatrix());
    EXPECT_TRUE(canvas->highSpeed[0]);

    // Growing the object resizes the kept bitmap; a rotated object is drawn smoothly.
    q->SetHeight(50);
    q->SetRotateAngle(10);
    scene.Frame();
    ASSERT_EQ(e->sizes.size(), 2u);
    EXPECT_EQ(e->sizes[1], (TzuPoint{105, 93}));
    EXPECT_EQ(q->EffectBitmap()->Height(), 93);
    EXPECT_FALSE(canvas->highSpeed.back());
}

TEST_F(Pipeline, EffectPictureCarriesTheAbsoluteOpacity) {
    AddEffect(ProbeEffect::kReplace);
    root->SetOpacity(0.5f);
    q->SetOpacity(0.5f);
    scene.Frame();
    ASSERT_EQ(canvas->opacities.size(), 1u);
    EXPECT_FLOAT_EQ(canvas->opacities[0], 0.25f);
}

TEST_F(Pipeline, EachEffectDrawsItsOwnPicture) {
    ProbeEffect* a = AddEffect(ProbeEffect::kUnder, 2);
    ProbeEffect* b = AddEffect(ProbeEffect::kUnder, 5);
    scene.Frame();
    ASSERT_EQ(a->sizes.size(), 1u);
    ASSERT_EQ(b->sizes.size(), 1u);
    EXPECT_EQ(a->sizes[0], (TzuPoint{44, 34}));
    EXPECT_EQ(b->sizes[0], (TzuPoint{50, 40}));
    ASSERT_EQ(canvas->targets.size(), 2u);
    EXPECT_EQ(canvas->targets[0], (TzuRect{-2, -2, 42, 32}));
    EXPECT_EQ(canvas->targets[1], (TzuRect{-5, -5, 45, 35}));
}

TEST_F(Pipeline, PaintToRestoresTheObjectWhenPaintingThrows) {
    q->Position()->SetPoint({7, 9});
    q->Scale()->SetPoint({2, 3});
    q->SetRotateAngle(30);
    const TzuMatrix before = q->AbsoluteMatrix();
    const TzuMatrix childBefore = k->AbsoluteMatrix();
    TzuCanvas* sceneCanvas = scene.Canvas();
    TzuBitmap target(50, 50);
    ASSERT_TRUE(target.Canvas());
    const TzuMatrix targetMatrix = target.Canvas()->Matrix();

    for (Probe* failing : {q, k}) {
        SCOPED_TRACE(failing == q ? "object fails" : "child fails");
        failing->failPaint = true;
        EXPECT_THROW(q->PaintTo(target.Canvas(), TzuRect{0, 0, 25, 25}, nullptr), std::runtime_error);
        failing->failPaint = false;
        EXPECT_EQ(q->Parent(), root.get());
        EXPECT_EQ(q->Position()->GetPoint(), (TzuPoint{7, 9}));
        EXPECT_EQ(q->ScalePoint(), (TzuPoint{2, 3}));
        EXPECT_EQ(q->RotateAngle(), 30);
        EXPECT_EQ(q->AbsoluteMatrix(), before);
        EXPECT_EQ(k->AbsoluteMatrix(), childBefore);
        EXPECT_FALSE(q->PaintingOffscreen());
        EXPECT_FALSE(k->PaintingOffscreen());
        EXPECT_FALSE(q->Realigning());
        EXPECT_EQ(q->Canvas(), sceneCanvas);
        EXPECT_EQ(k->Canvas(), sceneCanvas);
        EXPECT_FALSE(scene.IsUpdating());
        EXPECT_EQ(target.Canvas()->Matrix(), targetMatrix);
    }

    // A scene that was already suspended stays suspended.
    scene.updating = true;
    q->PaintTo(target.Canvas(), TzuRect{0, 0, 25, 25}, nullptr);
    EXPECT_TRUE(scene.IsUpdating());
    scene.updating = false;

    // The object paints normally afterwards, in place.
    EXPECT_EQ(FrameLog(), (Log{"R.Before", "R.Paint", "R.After", "Q.Before", "Q.Paint", "K.Before", "K.Paint",
                               "K.After", "Q.OnPaint", "Q.After", "R.OnPaint"}));
}

TEST_F(Pipeline, PaintToMapsTheLocalBoxOntoTheTargetRectangle) {
    q->Scale()->SetPoint({3, 3});
    TzuBitmap target(100, 100);
    TzuMatrix seen{};
    Log steps;
    // Q is 40 x 30: (10, 20, 90, 35) scales it by (2, 0.5).
    struct Spy : Probe {
        using Probe::Probe;
        TzuMatrix* out = nullptr;
        void Paint() override { *out = Canvas()->Matrix(); }
    };
    auto* spy = new Spy("S", steps);
    spy->out = &seen;
    spy->SetBounds(0, 0, 40, 30);
    spy->SetParent(root.get());
    spy->Scale()->SetPoint({3, 3});
    scene.rects.clear();
    spy->PaintTo(target.Canvas(), TzuRect{10, 20, 90, 35}, nullptr);
    EXPECT_EQ(seen, (TzuMatrix{2, 0, 0, 0, 0.5f, 0, 10, 20, 1}));
    // Nothing painted off-screen asks for a repaint.
    EXPECT_TRUE(scene.rects.empty());
}

TEST_F(Pipeline, ZeroAreaObjectIsNotPaintedOffscreen) {
    TzuBitmap target(10, 10);
    q->SetWidth(0);
    log.clear();
    q->PaintTo(target.Canvas(), TzuRect{0, 0, 10, 10}, nullptr);
    EXPECT_TRUE(log.empty());
}

TEST_F(Pipeline, SwitchingAnEffectOffDamagesItsMargin) {
    auto* blur = new TzuBlurEffect(nullptr);
    blur->SetParent(q);
    scene.Frame();
    // Q sits at (20, 10, 60, 40); the blur's margin is 6.
    EXPECT_EQ(q->UpdateRect(), (TzuRect{14, 4, 66, 46}));
    scene.rects.clear();
    blur->SetEnabled(false);
    EXPECT_EQ(scene.Damage(), (TzuRect{14, 4, 66, 46}));
    // Once the old picture is erased the area is the object's own again.
    EXPECT_EQ(q->UpdateRect(), (TzuRect{20, 10, 60, 40}));

    scene.rects.clear();
    blur->SetEnabled(true);
    EXPECT_EQ(scene.Damage(), (TzuRect{14, 4, 66, 46}));
    scene.rects.clear();
    blur->SetSoftness(0.5f);  // margin 10
    EXPECT_EQ(scene.Damage(), (TzuRect{10, 0, 70, 50}));
    EXPECT_TRUE(q->EffectPictureStale());
}

}  // namespace
}  // namespace zu
