#include <gtest/gtest.h>

#include "platform/core/property.h"
#include "recording_canvas.h"
#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_objects/blur_rectangle.h"
#include "scene/zu_objects/blur_round_rect.h"
#include "scene/zu_objects/line.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/register_objects.h"
#include "scene/zu_objects/round_rect.h"
#include "scene/zu_objects/sides_rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_scene/tree/object_stream.h"

namespace zu {
namespace {

using test::CanvasScene;
using test::RecordingCanvas;

// Paints one object the way the pipeline does for a top-level object.
void PaintOnce(TzuVisualObject* obj) {
    obj->BeforePaint();
    obj->Paint();
    obj->AfterPaint();
}

bool Stored(TzuPersistent* obj, const char* name) {
    TzuPropRef ref = ResolveProperty(obj, name);
    return ref && IsPropStored(ref.object, *ref.prop);
}

struct ShapeFixture : ::testing::Test {
    RecordingCanvas canvas;
    CanvasScene scene{&canvas};
    template <class T>
    T* Make(float w, float h) {
        auto* obj = new T(&scene);
        obj->SetBounds(0, 0, w, h);
        scene.AddObject(obj);
        return obj;
    }
};

TEST_F(ShapeFixture, RectangleDrawsIntoTheStrokeInsetBoxWithItsBrushes) {
    auto* r = Make<TzuRectangle>(100, 60);
    r->Fill()->SetColor(0xFFBEBEBE);
    r->Stroke()->SetColor(0xFF4DF4FF);
    r->SetStrokeThickness(5);
    r->SetXRadius(50);
    r->SetYRadius(40);
    r->SetCornerType(zuCornerBevel);
    PaintOnce(r);
    const auto* fill = canvas.Find("FillRect");
    const auto* draw = canvas.Find("DrawRect");
    ASSERT_TRUE(fill && draw);
    EXPECT_EQ(fill->rect, (TzuRect{2.5f, 2.5f, 97.5f, 57.5f}));
    EXPECT_EQ(draw->rect, fill->rect);
    EXPECT_EQ(fill->fill, 0xFFBEBEBEu);
    EXPECT_EQ(draw->stroke, 0xFF4DF4FFu);
    EXPECT_EQ(draw->thickness, 5);
    EXPECT_EQ(fill->rx, 50);
    EXPECT_EQ(fill->ry, 40);
    EXPECT_EQ(fill->cornerType, zuCornerBevel);
    // The canvas gets its thin solid stroke back after the shape.
    EXPECT_EQ(canvas.StrokeThickness(), 1);
    // Without a stroke the full box is used.
    r->Stroke()->SetStyle(zuBrushNone);
    EXPECT_EQ(r->GetShapeRect(), (TzuRect{0, 0, 100, 60}));
}

TEST_F(ShapeFixture, LineFollowsItsType) {
    auto* line = Make<TzuLine>(10, 100);
    line->SetStrokeThickness(2);
    line->SetLineType(zuLineVertical);
    PaintOnce(line);
    const auto* c = canvas.Find("DrawLine");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->p1, (TzuPoint{1, 1}));
    EXPECT_EQ(c->p2, (TzuPoint{1, 99}));
    canvas.calls.clear();
    line->SetLineType(zuLineNormal);
    PaintOnce(line);
    EXPECT_EQ(canvas.Find("DrawLine")->p2, (TzuPoint{9, 99}));
    EXPECT_EQ(canvas.Count("FillRect"), 0);  // a line never fills
}

TEST_F(ShapeFixture, SidesRectangleFillsToTheEdgeWhereNoStrokeIsDrawn) {
    auto* r = Make<TzuSidesRectangle>(50, 30);
    r->SetStrokeThickness(4);
    r->SetSides(SideBit(zuSideTop));
    PaintOnce(r);
    EXPECT_EQ(canvas.Find("FillRect")->rect, (TzuRect{0, 2, 50, 30}));
    EXPECT_EQ(canvas.Count("DrawRect"), 0);
}

TEST_F(ShapeFixture, RoundRectRadiusIsHalfTheShorterSide) {
    auto* wide = Make<TzuRoundRect>(200, 40);
    wide->Stroke()->SetStyle(zuBrushNone);
    PaintOnce(wide);
    EXPECT_EQ(canvas.Find("FillRect")->rx, 20);
    canvas.calls.clear();
    wide->SetBounds(0, 0, 40, 200);
    PaintOnce(wide);
    EXPECT_EQ(canvas.Find("FillRect")->ry, 20);
}

TEST_F(ShapeFixture, StoredRulesOfShapeProperties) {
    auto* r = Make<TzuRectangle>(10, 10);
    EXPECT_FALSE(Stored(r, "StrokeThickness"));
    r->SetStrokeThickness(1.5f);
    EXPECT_TRUE(Stored(r, "StrokeThickness"));
    EXPECT_TRUE(Stored(r, "xRadius"));  // radii are always written
    EXPECT_FALSE(Stored(r, "Corners"));
    r->SetCorners(0);
    EXPECT_TRUE(Stored(r, "Corners"));
    EXPECT_EQ(GetPropText(ResolveProperty(r, "Corners")), "[]");
    EXPECT_TRUE(SetPropText(ResolveProperty(r, "Corners"), "[zuCornerTopLeft,zuCornerBottomRight]"));
    EXPECT_EQ(r->Corners(), CornerBit(zuCornerTopLeft) | CornerBit(zuCornerBottomRight));
    // Published subsets: a line has no Fill, a text no Stroke.
    auto* line = Make<TzuLine>(10, 10);
    EXPECT_FALSE(ResolveProperty(line, "Fill"));
    EXPECT_TRUE(Stored(line, "LineType"));
    auto* text = Make<TzuText>(10, 10);
    EXPECT_FALSE(ResolveProperty(text, "Stroke"));
    EXPECT_TRUE(ResolveProperty(text, "Fill.Color"));
    EXPECT_TRUE(Stored(text, "Text"));
}

TEST_F(ShapeFixture, BlurRectangleRebuildsItsPictureOnlyWhenStale) {
    auto* r = Make<TzuBlurRectangle>(40, 20);
    EXPECT_EQ(r->Stroke()->Style(), zuBrushNone);
    EXPECT_TRUE(r->BlurCache().Stale());
    PaintOnce(r);
    // No canvas factory is installed here, so the picture is only sized, not drawn.
    ASSERT_NE(r->BlurCache().Bitmap(), nullptr);
    EXPECT_EQ(r->BlurCache().Bitmap()->Width(), 40);
    EXPECT_FALSE(r->BlurCache().Stale());
    EXPECT_EQ(canvas.Find("DrawBitmap")->rect, (TzuRect{0, 0, 40, 20}));
    r->Fill()->SetColor(0xFF102030);
    EXPECT_TRUE(r->BlurCache().Stale());
    PaintOnce(r);
    r->SetBounds(0, 0, 41, 20);  // a size change alone is caught at paint time
    PaintOnce(r);
    EXPECT_EQ(r->BlurCache().Bitmap()->Width(), 41);
    EXPECT_EQ(BlurRadius(0.3f), 4);
    EXPECT_EQ(BlurRadius(0.06f), 0);
}

TEST_F(ShapeFixture, TextStretchScalesTheMeasuredExtentOntoTheBox) {
    auto* t = Make<TzuText>(1760, 158);
    t->SetText(u"AB");
    t->Font()->SetSize(96);
    t->SetStretch(true);
    PaintOnce(t);
    const auto* c = canvas.Find("FillText");
    ASSERT_TRUE(c);
    EXPECT_FLOAT_EQ(c->matrix.m11, 1760.0f / 400.0f);
    EXPECT_FLOAT_EQ(c->matrix.m22, 158.0f / 110.0f);
    EXPECT_EQ(c->rect, (TzuRect{-32, -32, 432, 142}));
    // An empty text measures empty and is drawn unscaled.
    canvas.calls.clear();
    canvas.SetMatrix(IdentityMatrix);
    t->SetText(u"");
    PaintOnce(t);
    EXPECT_EQ(canvas.Find("FillText")->matrix, IdentityMatrix);
    // Without stretching the whole local box is used and no stroke is drawn.
    canvas.calls.clear();
    t->SetStretch(false);
    t->Stroke()->SetStyle(zuBrushSolid);
    PaintOnce(t);
    EXPECT_EQ(canvas.Find("FillText")->rect, (TzuRect{0, 0, 1760, 158}));
    EXPECT_EQ(canvas.Count("DrawRect"), 0);
}

TEST_F(ShapeFixture, TextAutoSizeAndStretchExcludeEachOther) {
    auto* t = Make<TzuText>(100, 50);
    t->Font()->SetSize(96);
    t->SetWordWrap(false);
    t->SetAutoSize(true);
    EXPECT_EQ(t->Width(), 100);  // empty text: size unchanged
    t->SetText(u"Hello");
    EXPECT_EQ(t->Width(), 448);  // the measured width 400 plus half the font size
    t->SetVertTextAlign(zuTextAlignNear);
    t->SetText(u"Hello!");
    EXPECT_EQ(t->Height(), 110);
    t->SetStretch(true);
    EXPECT_FALSE(t->AutoSize());
    t->SetStretch(false);
    EXPECT_FALSE(t->AutoSize());
    EXPECT_EQ(VariantToWide(t->GetData()), u"Hello!");
    t->SetData(std::string("x"));
    EXPECT_EQ(t->Text(), u"x");
}

TEST_F(ShapeFixture, BackgroundPaintsItsFillOnlyWhenItHasOne) {
    auto* bg = Make<TzuBackground>(30, 20);
    PaintOnce(bg);
    EXPECT_EQ(canvas.Count("FillRect"), 0);
    bg->Fill()->SetStyle(zuBrushSolid);
    bg->Fill()->SetColor(0xFF000000);
    PaintOnce(bg);
    const auto* c = canvas.Find("FillRect");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->rect, (TzuRect{0, 0, 30, 20}));
    EXPECT_EQ(c->fill, 0xFF000000u);
}

TEST(TzuBlurEffect, SoftnessSetsMarginRadiusAndIsClamped) {
    TzuBlurEffect e(nullptr);
    EXPECT_TRUE(e.DisablePaint());
    EXPECT_EQ(e.GetEffectRect({0, 0, 1760, 158}), (TzuRect{-6, -6, 1766, 164}));
    EXPECT_EQ(e.GetEffectOffset(), (TzuPoint{6, 6}));
    e.SetSoftness(12);
    EXPECT_EQ(e.Softness(), 9);
    e.SetSoftness(-1);
    EXPECT_EQ(e.Softness(), 0);
    EXPECT_EQ(e.GetEffectRect({0, 0, 10, 10}), (TzuRect{0, 0, 10, 10}));
    TzuBitmap bmp(3, 3);
    bmp.Clear(0);
    bmp.Bits()[4] = 0xFFFFFFFF;
    e.ProcessEffect(nullptr, &bmp, 1);  // softness 0: untouched
    EXPECT_EQ(bmp.Bits()[0], 0u);
    e.SetSoftness(0.3f);
    e.ProcessEffect(nullptr, &bmp, 1);
    EXPECT_NE(bmp.Bits()[0], 0u);
    EXPECT_LT(bmp.Bits()[4] >> 24, 0xFFu);
}

}  // namespace
TEST_F(ShapeFixture, BrushesRoundTripThroughTheStreamWithoutMakingUnusedParts) {
    RegisterObjectClasses();
    auto* source = Make<TzuRectangle>(40, 20);
    source->Fill()->SetStyle(zuBrushGradient);
    source->Fill()->Gradient()->Points()->Points(1)->SetColor(0xFF0000FF);
    source->Fill()->Gradient()->Points()->AddPoint(0xFF00FF00, 0.5f);
    source->Stroke()->SetColor(0xFF123456);
    std::string text;
    SaveObjectToText(source, text);
    EXPECT_FALSE(source->Stroke()->HasGradient());
    EXPECT_FALSE(source->Fill()->HasBitmap());
    EXPECT_NE(text.find("Fill.Gradient.Points"), std::string::npos);
    EXPECT_EQ(text.find("Stroke.Gradient"), std::string::npos);

    TzuComponent owner(nullptr);
    auto* copy = As<TzuRectangle>(LoadObjectFromText(&owner, text));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Fill()->Style(), zuBrushGradient);
    TzuGradientPoints* points = copy->Fill()->Gradient()->Points();
    ASSERT_EQ(points->Count(), 3);
    EXPECT_EQ(points->Points(1)->Color(), 0xFF0000FFu);
    EXPECT_EQ(points->Points(2)->Color(), 0xFF00FF00u);
    EXPECT_EQ(points->Points(2)->Offset(), 0.5f);
    EXPECT_EQ(copy->Stroke()->Style(), zuBrushSolid);
    EXPECT_EQ(copy->Stroke()->Color(), 0xFF123456u);
    EXPECT_FALSE(copy->Stroke()->HasGradient());
    EXPECT_FALSE(copy->Stroke()->HasResource());
    std::string again;
    SaveObjectToText(copy, again);
    EXPECT_EQ(again, text);
}

}  // namespace zu
