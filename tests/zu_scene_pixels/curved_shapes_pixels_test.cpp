// Ellipses, circles, pies, arcs and paths in every wrap mode painted into real pixels:
// a golden picture, tiling through a repeated picture against tile-by-tile drawing, and
// hit tests that ask the canvas about the figure.

#include <gtest/gtest.h>

#include <memory>

#include "scene/zu_objects/arc.h"
#include "scene/zu_objects/circle.h"
#include "scene/zu_objects/ellipse.h"
#include "scene/zu_objects/path.h"
#include "scene/zu_objects/pie.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu {
namespace {

using test::MatchesGolden;
using test::PixelScene;

constexpr TzuColor kWhite = 0xFFFFFFFF;
constexpr TzuColor kFill = 0xFF4080C0;
constexpr TzuColor kStroke = 0xFF202020;
// A pentagram: filled even-odd, its centre stays empty.
constexpr const char* kStar = "M 12,0 L 19,24 L 0,9 L 24,9 L 5,24 Z";

struct CurveScene {
    PixelScene scene;
    std::unique_ptr<TzuVisualObject> root = std::make_unique<TzuVisualObject>(nullptr);
    CurveScene(int w, int h) : scene(w, h) {
        scene.AddObject(root.get());
        root->SetBounds(0, 0, float(w), float(h));
    }
    template <class T>
    T* Add(float x, float y, float w, float h, float stroke = 2) {
        auto* o = new T(nullptr);
        o->SetBounds(x, y, w, h);
        o->SetParent(root.get());
        o->Fill()->SetColor(kFill);
        o->Stroke()->SetColor(kStroke);
        o->SetStrokeThickness(stroke);
        if (stroke == 0) o->Stroke()->SetStyle(zuBrushNone);
        return o;
    }
    TzuPath* AddPath(float x, float y, float w, float h, const char* data, TzuPathWrap wrap,
                     float stroke = 1) {
        auto* p = Add<TzuPath>(x, y, w, h, stroke);
        TzuPathData d;
        d.SetData(data);
        p->SetData(d);
        p->SetWrapMode(wrap);
        return p;
    }
};

TEST(CurvedShapePixels, EveryFigureAndWrapModeMatchesGolden) {
    CurveScene f(240, 156);
    // Row 1: ellipse, circle in a wide box, pies: the default quarter, one across 0 and
    // one across 360.
    f.Add<TzuEllipse>(4, 4, 40, 28);
    f.Add<TzuCircle>(52, 4, 40, 28);
    f.Add<TzuPie>(100, 4, 40, 40);
    auto* across0 = f.Add<TzuPie>(148, 4, 40, 40);
    across0->SetStartAngle(-30);
    across0->SetEndAngle(300);
    auto* across360 = f.Add<TzuPie>(196, 4, 40, 40);
    across360->SetStartAngle(350);
    across360->SetEndAngle(400);
    // Row 2: arcs: the default quarter, a negative sweep, one across 360, a filled one,
    // and a pie running backwards.
    f.Add<TzuArc>(4, 56, 40, 40);
    auto* backwards = f.Add<TzuArc>(52, 56, 40, 40);
    backwards->SetStartAngle(90);
    backwards->SetEndAngle(-200);
    auto* arc360 = f.Add<TzuArc>(100, 56, 40, 40);
    arc360->SetStartAngle(330);
    arc360->SetEndAngle(100);
    auto* filled = f.Add<TzuArc>(148, 56, 40, 40);
    filled->Fill()->SetStyle(zuBrushSolid);
    filled->SetStartAngle(45);
    filled->SetEndAngle(270);
    auto* negativePie = f.Add<TzuPie>(196, 56, 40, 40);
    negativePie->SetStartAngle(-45);
    negativePie->SetEndAngle(-300);
    // Row 3: the star in each wrap mode, and tiny triangles tiled over a whole cell.
    f.AddPath(4, 108, 44, 44, kStar, zuPathOriginal);
    f.AddPath(52, 108, 44, 20, kStar, zuPathFit);
    f.AddPath(100, 108, 44, 30, kStar, zuPathStretch);
    f.AddPath(148, 108, 44, 44, kStar, zuPathTile, 0);
    f.AddPath(196, 108, 40, 44, "M 2,0 L 4,4 L 0,4 Z", zuPathTile, 0);
    f.scene.Frame();

    // The star's centre stays empty under the even-odd rule.
    EXPECT_EQ(f.scene.Pixel(100 + 22, 108 + 18), kWhite);
    EXPECT_EQ(f.scene.Pixel(100 + 22, 108 + 8), kFill);
    // The default pie fills up and to the right of its centre only.
    EXPECT_EQ(f.scene.Pixel(100 + 30, 4 + 12), kFill);
    EXPECT_EQ(f.scene.Pixel(100 + 10, 4 + 30), kWhite);
    // A pie from -30 to 300 leaves out only the wedge from 300 to 330.
    EXPECT_EQ(f.scene.Pixel(148 + 20 + 10, 4 + 20 + 2), kFill);    // just below 0 degrees
    EXPECT_EQ(f.scene.Pixel(148 + 20 + 12, 4 + 20 - 11), kWhite);  // about 315 degrees
    EXPECT_TRUE(MatchesGolden(f.scene.Picture(), "shapes_curved"));
}

TEST(CurvedShapePixels, ManyTilesDrawAsTheTilesWouldOneByOne) {
    // 4 x 4 triangles over 64 x 60: 17 x 16 tiles, drawn through one repeated picture.
    constexpr const char* kTriangle = "M 2,0 L 4,4 L 0,4 Z";
    CurveScene f(64, 60);
    f.AddPath(0, 0, 64, 60, kTriangle, zuPathTile, 0);
    f.scene.Frame();

    PixelScene reference(64, 60);
    reference.Frame();
    TzuCanvas* cv = reference.Canvas();
    cv->Fill()->SetColor(kFill);
    TzuPathData d;
    d.SetData(kTriangle);
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < 15; ++j)
            cv->FillPath(d, TzuRect{4.0f * i, 4.0f * j, 4.0f * i + 4, 4.0f * j + 4}, 1);
    }
    cv->EndScene();
    int worst = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 64; ++x) {
            for (int s = 0; s < 32; s += 8) {
                const int a = int(f.scene.Pixel(x, y) >> s & 255), b = int(reference.Pixel(x, y) >> s & 255);
                worst = std::max(worst, std::abs(a - b));
            }
        }
    }
    EXPECT_LE(worst, 2);
}

// The scene canvas, counting the figures drawn.
class CountingCanvas : public TzuCanvasCairo {
public:
    using TzuCanvasCairo::TzuCanvasCairo;
    void FillPath(const TzuPathData& p, const TzuRect& r, float o) override {
        ++paths;
        TzuCanvasCairo::FillPath(p, r, o);
    }
    void FillRect(const TzuRect& r, float rx, float ry, TzuCorners c, float o, TzuCornerType t) override {
        ++rects;
        TzuCanvasCairo::FillRect(r, rx, ry, c, o, t);
    }
    int paths = 0, rects = 0;
};

TEST(CurvedShapePixels, AHairlineTileOverALargeBoxCostsOneFill) {
    CountingCanvas* counting = nullptr;
    PixelScene scene(400, 300, [&](TzuBitmap& b) {
        auto c = std::make_unique<CountingCanvas>(b);
        counting = c.get();
        return c;
    });
    auto root = std::make_unique<TzuVisualObject>(nullptr);
    scene.AddObject(root.get());
    root->SetBounds(0, 0, 400, 300);
    // A vertical line has bounds 0.001 wide: a million columns of tiles.
    auto* p = new TzuPath(nullptr);
    p->SetParent(root.get());
    p->SetBounds(0, 0, 400, 300);
    p->SetWrapMode(zuPathTile);
    p->Data()->SetData("M 0,0 L 0,30 L 10,30");
    scene.Frame();
    EXPECT_EQ(counting->paths, 0);  // only the tile picture drew the path
    EXPECT_EQ(counting->rects, 2);  // the background and the one tiled fill
}

TEST(CurvedShapePixels, PieAndPathAreHitInsideTheirFigures) {
    CurveScene f(200, 100);
    auto* pie = f.Add<TzuPie>(0, 0, 100, 100, 0);
    EXPECT_TRUE(pie->PointInObject(75, 25));
    EXPECT_FALSE(pie->PointInObject(25, 25));  // inside the ellipse, outside the wedge
    EXPECT_FALSE(pie->PointInObject(75, 75));
    pie->SetStartAngle(-90);
    pie->SetEndAngle(180);  // three quarters: all but the top-left
    EXPECT_TRUE(pie->PointInObject(25, 75));
    EXPECT_FALSE(pie->PointInObject(25, 25));

    // The path is tested as stretched over its box, whatever its wrap mode.
    auto* path = f.AddPath(100, 0, 100, 100, "M 0,0 L 10,0 L 10,10 Z", zuPathOriginal, 0);
    EXPECT_TRUE(path->PointInObject(190, 10));
    EXPECT_FALSE(path->PointInObject(110, 90));
    // A path of a single point falls back to the box.
    path->Data()->SetData("M 5,5");
    EXPECT_TRUE(path->PointInObject(110, 90));
}

}  // namespace
}  // namespace zu
