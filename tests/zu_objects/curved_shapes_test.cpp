// The curved figures and paths as calls on a recording canvas: where each figure goes,
// how many tiles a tiled path draws, the sweeps of pies and arcs, hit tests that need no
// canvas, and what the stream writes.

#include <gtest/gtest.h>

#include "platform/core/property.h"
#include "recording_canvas.h"
#include "scene/zu_objects/arc.h"
#include "scene/zu_objects/circle.h"
#include "scene/zu_objects/ellipse.h"
#include "scene/zu_objects/path.h"
#include "scene/zu_objects/pie.h"

namespace zu {
namespace {

using test::CanvasScene;
using test::RecordingCanvas;

struct CurveFixture : ::testing::Test {
    RecordingCanvas canvas;
    CanvasScene scene{&canvas};
    template <class T>
    T* Make(float w, float h) {
        auto* obj = new T(&scene);
        obj->SetBounds(0, 0, w, h);
        scene.AddObject(obj);
        return obj;
    }
    void Paint(TzuVisualObject* o) {
        canvas.calls.clear();
        o->BeforePaint();
        o->Paint();
        o->AfterPaint();
    }
    std::vector<TzuRect> Rects(const char* op) const {
        std::vector<TzuRect> out;
        for (auto& c : canvas.calls) {
            if (c.op == op) out.push_back(c.rect);
        }
        return out;
    }
};

bool Stored(TzuPersistent* obj, const char* name) {
    TzuPropRef ref = ResolveProperty(obj, name);
    return ref && IsPropStored(ref.object, *ref.prop);
}

TEST_F(CurveFixture, EllipseAndCircleDrawIntoTheStrokeInsetBox) {
    auto* e = Make<TzuEllipse>(80, 40);
    e->SetStrokeThickness(4);
    Paint(e);
    EXPECT_EQ(Rects("FillEllipse"), (std::vector<TzuRect>{{2, 2, 78, 38}}));
    EXPECT_EQ(Rects("DrawEllipse"), (std::vector<TzuRect>{{2, 2, 78, 38}}));

    auto* c = Make<TzuCircle>(200, 100);
    c->Stroke()->SetStyle(zuBrushNone);
    Paint(c);
    EXPECT_EQ(Rects("FillEllipse"), (std::vector<TzuRect>{{50, 0, 150, 100}}));
}

TEST_F(CurveFixture, EllipseIsHitInsideItsFigureOnly) {
    auto* e = Make<TzuEllipse>(100, 50);
    EXPECT_TRUE(e->PointInObject(50, 25));
    EXPECT_TRUE(e->PointInObject(1, 25));  // on the left end of the figure
    EXPECT_FALSE(e->PointInObject(5, 5));  // inside the box, outside the figure
    EXPECT_FALSE(e->PointInObject(95, 45));
    e->Position()->SetX(10);
    EXPECT_FALSE(e->PointInObject(1, 25));  // the test follows the object
    EXPECT_TRUE(e->PointInObject(11, 25));
    e->SetWidth(0);
    EXPECT_FALSE(e->PointInObject(10, 25));  // a zero-width ellipse is never hit
    auto* arc = Make<TzuArc>(100, 100);
    EXPECT_TRUE(arc->PointInObject(20, 80));  // the arc is hit in its whole ellipse
    EXPECT_FALSE(arc->PointInObject(3, 3));
}

TEST_F(CurveFixture, PieSweepsFromStartToEndArcSweepsByEnd) {
    auto* pie = Make<TzuPie>(100, 100);
    auto* arc = Make<TzuArc>(100, 100);
    EXPECT_EQ(arc->Fill()->Style(), zuBrushNone);
    // Defaults (0 to -90) draw the same quarter: up and to the right of the centre.
    Paint(pie);
    ASSERT_EQ(Rects("FillPath").size(), 1u);
    EXPECT_EQ(Rects("FillPath")[0].Left, 50);
    EXPECT_NEAR(Rects("FillPath")[0].Top, 0.5f, 1e-4f);
    EXPECT_NEAR(Rects("FillPath")[0].Right, 99.5f, 1e-4f);
    EXPECT_EQ(Rects("FillPath")[0].Bottom, 50);
    // With 45 to 90 the pie covers 45 degrees below the centre; the arc 45 to 135.
    pie->SetStartAngle(45);
    pie->SetEndAngle(90);
    Paint(pie);
    const TzuRect wedge = Rects("FillPath")[0];
    EXPECT_EQ(wedge.Left, 50);
    EXPECT_EQ(wedge.Top, 50);
    EXPECT_NEAR(wedge.Bottom, 99.5f, 1e-3f);
    EXPECT_NEAR(wedge.Right, 50 + 49.5f * 0.70710678f, 1e-3f);
    // Without a canvas the pie falls back to the ellipse test.
    TzuPie loose(nullptr);
    loose.SetBounds(0, 0, 100, 100);
    EXPECT_TRUE(loose.PointInObject(20, 50));
}

TEST_F(CurveFixture, PathPlacesItsDataByWrapMode) {
    auto* p = Make<TzuPath>(100, 100);
    Paint(p);
    EXPECT_TRUE(canvas.calls.empty());  // empty data draws nothing
    TzuPathData d;
    d.SetData("M 10,10 L 40,10 L 40,40 Z");
    p->SetData(d);
    EXPECT_EQ(p->Data()->Count(), 4);
    p->SetStrokeThickness(4);
    Paint(p);  // stretched over the inset box
    EXPECT_EQ(Rects("FillPath"), (std::vector<TzuRect>{{2, 2, 98, 98}}));
    p->SetWrapMode(zuPathOriginal);
    Paint(p);  // its own place, moved by the stroke inset
    EXPECT_EQ(Rects("DrawPath"), (std::vector<TzuRect>{{12, 12, 42, 42}}));
    p->SetWrapMode(zuPathFit);
    Paint(p);  // never enlarged: its own size, centred in the inset box
    EXPECT_EQ(Rects("FillPath"), (std::vector<TzuRect>{{35, 35, 65, 65}}));
    p->SetBounds(0, 0, 24, 64);
    Paint(p);  // shrunk into the inset box
    EXPECT_EQ(Rects("FillPath"), (std::vector<TzuRect>{{2, 22, 22, 42}}));
}

TEST_F(CurveFixture, TiledPathDrawsOnlyTheTilesThatMeetTheBox) {
    auto* p = Make<TzuPath>(100, 100);
    p->Stroke()->SetStyle(zuBrushNone);
    p->SetWrapMode(zuPathTile);
    TzuPathData d;
    d.SetData("M 0,0 L 30,0 L 30,30 Z");
    p->SetData(d);
    Paint(p);
    // Round(100 / 30) = 3, plus one: 4 x 4 tiles at steps of 30.
    auto tiles = Rects("FillPath");
    ASSERT_EQ(tiles.size(), 16u);
    EXPECT_EQ(tiles.front(), (TzuRect{0, 0, 30, 30}));
    EXPECT_EQ(tiles.back(), (TzuRect{90, 90, 120, 120}));
    // With a stroke the step grows by the stroke and the tiles move by its inset.
    p->Stroke()->SetStyle(zuBrushSolid);
    p->SetStrokeThickness(2);
    Paint(p);
    tiles = Rects("DrawPath");
    EXPECT_EQ(tiles[0], (TzuRect{1, 1, 31, 31}));
    EXPECT_EQ(tiles[1], (TzuRect{1, 33, 31, 63}));
    // Tiles past the box are not drawn at all: a path placed far right starts its
    // columns beyond the box.
    d.SetData("M 90,0 L 120,0 L 120,30 Z");
    p->SetData(d);
    p->Stroke()->SetStyle(zuBrushNone);
    Paint(p);
    EXPECT_EQ(Rects("FillPath").size(), 4u);  // one column (x 90) of 4 rows
}

TEST_F(CurveFixture, StoredRulesAndPublishedSubsets) {
    auto* pie = Make<TzuPie>(10, 10);
    EXPECT_TRUE(Stored(pie, "StartAngle"));  // angles are always written
    EXPECT_TRUE(Stored(pie, "EndAngle"));
    auto* arc = Make<TzuArc>(10, 10);
    EXPECT_FALSE(Stored(arc, "Fill.Style"));  // none is the arc's own default
    arc->Fill()->SetStyle(zuBrushSolid);
    EXPECT_TRUE(Stored(arc, "Fill.Style"));
    auto* path = Make<TzuPath>(10, 10);
    EXPECT_FALSE(Stored(path, "WrapMode"));
    path->SetWrapMode(zuPathTile);
    EXPECT_EQ(GetPropText(ResolveProperty(path, "WrapMode")), "zuPathTile");
    EXPECT_TRUE(SetPropText(ResolveProperty(path, "Data.Data"), "M 0,0 L 5,5 "));
    EXPECT_EQ(path->Data()->Count(), 2);
    EXPECT_FALSE(ResolveProperty(Make<TzuCircle>(1, 1), "StartAngle"));
}

}  // namespace
}  // namespace zu
