// Pixel tests of the Cairo canvas: figures, corners, brushes, pens, text, clipping and
// opacity against golden images, plus the rules that can be checked on single pixels.

#include "backend/zu_canvas_cairo/canvas_cairo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "backend/zu_canvas_cairo/font_map.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/brush_object.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu {
namespace {

using test::MatchesGolden;

std::unique_ptr<TzuCanvas> WhiteCanvas(int w, int h) {
    auto canvas = TzuCanvas::CreateBuffered(w, h);
    canvas->ClearRect(TzuRect{0, 0, float(w), float(h)}, 0xFFFFFFFF);
    return canvas;
}

uint32_t Pixel(const TzuCanvas& c, int x, int y) { return c.BufferBits()[y * c.Width() + x]; }

::testing::AssertionResult Golden(const TzuCanvas& canvas, const std::string& name) {
    TzuBitmap shot;
    canvas.AssignTo(shot);
    return MatchesGolden(shot, name);
}

// A 4 x 4 bitmap: red, green / blue, transparent quadrants.
void Quadrants(TzuBitmap& b) {
    b.SetSize(4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            b.ScanLine(y)[x] = y < 2 ? (x < 2 ? 0xFFFF0000 : 0xFF00FF00) : (x < 2 ? 0xFF0000FF : 0);
        }
    }
    b.Changed();
}

TEST(CanvasCairo, FiguresMatchGolden) {
    auto c = WhiteCanvas(200, 100);
    c->Fill()->SetColor(0xFF3070C0);
    c->SetStrokeThickness(2);
    c->DrawLine(TzuPoint{5, 5}, TzuPoint{60, 40}, 1);
    c->FillEllipse(TzuRect{70, 5, 130, 45}, 1);
    c->DrawEllipse(TzuRect{70, 5, 130, 45}, 1);
    c->FillArc(TzuPoint{165, 25}, TzuPoint{25, 20}, 0, 120, 1);
    c->DrawArc(TzuPoint{165, 25}, TzuPoint{25, 20}, 180, 90, 1);
    TzuPolygon star{{10, 95}, {30, 55}, {50, 95}, {5, 70}, {55, 70}};
    c->FillPolygon(star, 1);
    EXPECT_EQ(Pixel(*c, 30, 76), 0xFFFFFFFFu);  // the alternate rule leaves the centre open
    EXPECT_EQ(Pixel(*c, 30, 62), 0xFF3070C0u);
    TzuPolygon open{{70, 60}, {90, 95}, {110, 60}, ClosePolygon, {120, 60}, {140, 95}};
    c->DrawPolygon(open, 1);
    TzuPathData path;
    path.MoveTo({0, 0});
    path.CurveTo({10, 0}, {10, 10}, {20, 10});
    path.LineTo({20, 0});
    path.ClosePath();
    c->FillPath(path, TzuRect{150, 55, 195, 95}, 1);
    c->DrawPath(path, TzuRect{150, 55, 195, 95}, 1);
    EXPECT_TRUE(Golden(*c, "canvas_figures"));
}

TEST(CanvasCairo, CornerTypesAndSidesMatchGolden) {
    auto c = WhiteCanvas(200, 100);
    c->Fill()->SetColor(0xFFE0A030);
    c->SetStrokeThickness(2);
    const TzuCornerType types[] = {zuCornerRound, zuCornerBevel, zuCornerInnerRound, zuCornerInnerLine};
    for (int i = 0; i < 4; ++i) {
        const TzuRect r{5.0f + i * 48, 5, 45.0f + i * 48, 45};
        const TzuCorners corners =
            i == 3 ? CornerBit(zuCornerTopLeft) | CornerBit(zuCornerBottomRight) : kAllCorners;
        c->FillRect(r, 12, 12, corners, 1, types[i]);
        c->DrawRect(r, 12, 12, corners, 1, types[i]);
    }
    c->DrawRectSides(TzuRect{5, 55, 95, 95}, 10, 10, CornerBit(zuCornerTopRight),
                     SideBit(zuSideTop) | SideBit(zuSideRight), 1, zuCornerRound);
    c->DrawRectSides(TzuRect{105, 55, 195, 95}, 10, 10, 0, SideBit(zuSideLeft) | SideBit(zuSideBottom), 1,
                     zuCornerRound);
    EXPECT_TRUE(Golden(*c, "canvas_corners"));
}

TEST(CanvasCairo, OversizedRadiiMakeACircle) {
    auto a = WhiteCanvas(40, 40);
    a->Fill()->SetColor(0xFF000000);
    a->FillRect(TzuRect{0, 0, 40, 40}, 50, 50, kAllCorners, 1, zuCornerRound);
    auto b = WhiteCanvas(40, 40);
    b->Fill()->SetColor(0xFF000000);
    b->FillEllipse(TzuRect{0, 0, 40, 40}, 1);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) ASSERT_NEAR(int(Pixel(*a, x, y) & 255), int(Pixel(*b, x, y) & 255), 3);
    }
    EXPECT_EQ(Pixel(*a, 1, 1), 0xFFFFFFFFu);
}

TEST(CanvasCairo, NoCornersFillsAndStrokesASquare) {
    auto c = WhiteCanvas(20, 20);
    c->Fill()->SetColor(0xFF000000);
    c->FillRect(TzuRect{2, 2, 18, 18}, 6, 6, 0, 1, zuCornerRound);
    EXPECT_EQ(Pixel(*c, 2, 2), 0xFF000000u);
    c->Stroke()->SetColor(0xFFFF0000);
    c->SetStrokeThickness(2);
    c->DrawRect(TzuRect{2, 2, 18, 18}, 6, 6, 0, 1, zuCornerRound);
    EXPECT_EQ(Pixel(*c, 2, 2), 0xFFFF0000u);  // the square corner is stroked
}

TEST(CanvasCairo, PolygonOfFourCornersFillsTheSquare) {
    auto c = WhiteCanvas(20, 20);
    c->Fill()->SetColor(0xFF000000);
    c->FillPolygon(TzuPolygon{{0, 0}, {20, 0}, {20, 20}, {0, 20}}, 1);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) ASSERT_EQ(Pixel(*c, x, y), 0xFF000000u) << x << "," << y;
    }
}

TEST(CanvasCairo, BrushesMatchGolden) {
    auto c = WhiteCanvas(200, 100);
    TzuBrush& fill = *c->Fill();
    fill.SetStyle(zuBrushGradient);
    TzuGradient& g = *fill.Gradient();
    g.Points()->Clear();
    g.Points()->AddPoint(0xFFFF0000, 0.2f);
    g.Points()->AddPoint(0x800000FF, 0.6f);
    g.StopPosition()->SetPoint(TzuPoint{0.5f, 0});  // mirrored beyond the stop point
    c->FillRect(TzuRect{5, 5, 65, 45}, 0, 0, 0, 1, zuCornerRound);
    g.SetStyle(zuRadialGradient);
    c->FillEllipse(TzuRect{70, 5, 130, 45}, 1);
    g.RadialTransform()->Position()->SetPoint(TzuPoint{-20, 10});
    g.RadialTransform()->MatrixUpdate();
    c->FillRect(TzuRect{135, 5, 195, 45}, 0, 0, 0, 1, zuCornerRound);

    fill.SetStyle(zuBrushBitmap);
    Quadrants(*fill.Bitmap()->Bitmap());
    const TzuWrapMode modes[] = {zuWrapTile, zuWrapTileOriginal, zuWrapTileStretch};
    for (int i = 0; i < 3; ++i) {
        // The image is anchored at the origin, as a shape's local space puts it.
        c->SetMatrix(TzuMatrix{1, 0, 0, 0, 1, 0, 5.0f + i * 64, 52, 1});
        fill.Bitmap()->SetWrapMode(modes[i]);
        c->FillRect(TzuRect{0, 0, 56, 43}, 0, 0, 0, 1, zuCornerRound);
    }
    EXPECT_TRUE(Golden(*c, "canvas_brushes"));
}

TEST(CanvasCairo, ResourceBrushPaintsWithTheSharedBrushAndNoneWithNothing) {
    auto c = WhiteCanvas(10, 10);
    c->Fill()->SetStyle(zuBrushResource);  // names nothing: paints nothing
    c->FillRect(TzuRect{0, 0, 10, 10}, 0, 0, 0, 1, zuCornerRound);
    c->Fill()->SetStyle(zuBrushNone);
    c->FillRect(TzuRect{0, 0, 10, 10}, 0, 0, 0, 1, zuCornerRound);
    EXPECT_EQ(Pixel(*c, 5, 5), 0xFFFFFFFFu);
}

// A brush naming a shared one is overwritten by a copy of it before it draws, for fills,
// pens and text alike.
TEST(CanvasCairo, ResourceBrushBecomesACopyOfTheSharedBrush) {
    TzuBrushObject shared(nullptr);
    shared.SetResourceName("SharedPaint");
    shared.Brush()->SetColor(0xFF00FF00);
    auto c = WhiteCanvas(20, 20);
    for (TzuBrush* b : {c->Fill(), c->Stroke()}) {
        b->SetStyle(zuBrushResource);
        b->Resource()->SetResourceName("sharedpaint");
    }
    c->FillRect(TzuRect{0, 0, 10, 10}, 0, 0, 0, 1, zuCornerRound);
    EXPECT_EQ(c->Fill()->Style(), zuBrushSolid);
    EXPECT_EQ(c->Fill()->Color(), 0xFF00FF00u);
    EXPECT_EQ(Pixel(*c, 5, 5), 0xFF00FF00u);
    EXPECT_EQ(c->Stroke()->Style(), zuBrushResource);  // not used yet
    c->SetStrokeThickness(2);
    c->DrawLine(TzuPoint{0, 15}, TzuPoint{20, 15}, 1);
    EXPECT_EQ(c->Stroke()->Style(), zuBrushSolid);
    EXPECT_EQ(Pixel(*c, 15, 15), 0xFF00FF00u);
}

// A path's pen is made for the path's own bounds: a gradient stroke runs across the
// path's coordinates, not across the rectangle the path is mapped onto.
TEST(CanvasCairo, DrawPathMakesItsPenForThePathsOwnBounds) {
    auto c = WhiteCanvas(44, 44);
    TzuBrush& pen = *c->Stroke();
    pen.SetStyle(zuBrushGradient);
    pen.Gradient()->Points()->Clear();
    pen.Gradient()->Points()->AddPoint(0xFFFF0000, 0);
    pen.Gradient()->Points()->AddPoint(0xFF0000FF, 1);
    c->SetStrokeThickness(2);
    TzuPathData square;
    square.MoveTo({0, 0});
    square.LineTo({10, 0});
    square.LineTo({10, 10});
    square.LineTo({0, 10});
    square.ClosePath();
    c->DrawPath(square, TzuRect{2, 2, 42, 42}, 1);
    // The gradient spans x 0..10 and mirrors beyond: at x 41.5 it is back near its start.
    const uint32_t right = Pixel(*c, 41, 20);
    EXPECT_GT((right >> 16) & 255, 200u);
    EXPECT_LT(right & 255, 60u);
}

TEST(CanvasCairo, PensMatchGolden) {
    auto c = WhiteCanvas(200, 100);
    c->SetStrokeThickness(4);
    const TzuStrokeDash dashes[] = {zuDashSolid, zuDashDash, zuDashDot, zuDashDashDot, zuDashDashDotDot};
    for (int i = 0; i < 5; ++i) {
        c->SetStrokeDash(dashes[i]);
        c->SetStrokeCap(i % 2 ? zuCapRound : zuCapFlat);
        c->DrawLine(TzuPoint{10, 8.0f + i * 10}, TzuPoint{190, 8.0f + i * 10}, 1);
    }
    c->SetStrokeDash(zuDashSolid);
    c->SetStrokeThickness(8);
    const TzuStrokeJoin joins[] = {zuJoinMiter, zuJoinRound, zuJoinBevel};
    for (int i = 0; i < 3; ++i) {
        c->SetStrokeJoin(joins[i]);
        c->DrawRect(TzuRect{15.0f + i * 60, 62, 55.0f + i * 60, 90}, 0.5f, 0, kAllCorners, 1, zuCornerBevel);
    }
    EXPECT_TRUE(Golden(*c, "canvas_pens"));
}

TEST(CanvasCairo, DashLengthsCountInStrokeWidths) {
    auto c = WhiteCanvas(40, 10);
    c->SetStrokeThickness(4);
    c->SetStrokeDash(zuDashDash);  // 12 on, 4 off at this width
    c->DrawLine(TzuPoint{0, 5}, TzuPoint{40, 5}, 1);
    EXPECT_EQ(Pixel(*c, 10, 5), 0xFF000000u);
    EXPECT_EQ(Pixel(*c, 14, 5), 0xFFFFFFFFu);
    EXPECT_EQ(Pixel(*c, 17, 5), 0xFF000000u);
}

TEST(CanvasCairo, BadDashesAndSingularMatricesDoNotStopLaterDrawing) {
    auto c = WhiteCanvas(10, 10);
    c->SetStrokeDash(zuDashCustom);
    c->SetDashArray({0, 0});
    c->DrawLine(TzuPoint{0, 2}, TzuPoint{10, 2}, 1);  // drawn solid
    EXPECT_EQ(Pixel(*c, 5, 2) >> 24, 0xFFu);
    c->SetMatrix(TzuMatrix{});
    c->FillRect(TzuRect{0, 0, 10, 10}, 0, 0, 0, 1, zuCornerRound);
    c->SetMatrix(IdentityMatrix);
    c->Fill()->SetColor(0xFF00FF00);
    c->FillRect(TzuRect{0, 5, 10, 10}, 0, 0, 0, 1, zuCornerRound);
    EXPECT_EQ(Pixel(*c, 5, 7), 0xFF00FF00u);
}

TEST(CanvasCairo, TextAlignmentMatchesGolden) {
    auto c = WhiteCanvas(200, 100);
    c->Fill()->SetColor(0xFF000000);
    c->Font()->SetFamily("DejaVu Sans");
    c->Font()->SetSize(12);
    c->Font()->SetClearType(false);
    const TzuTextAlign aligns[] = {zuTextAlignNear, zuTextAlignCenter, zuTextAlignFar};
    c->Stroke()->SetColor(0xFFC0C0C0);
    c->SetStrokeThickness(1);
    c->DrawRect(TzuRect{10.5f, 10.5f, 189.5f, 89.5f}, 0, 0, 0, 1, zuCornerRound);
    for (TzuTextAlign h : aligns) {
        for (TzuTextAlign v : aligns) c->FillText(TzuRect{10, 10, 190, 90}, u"Ab", false, 1, h, v);
    }
    EXPECT_TRUE(Golden(*c, "canvas_text_align"));
}

TEST(CanvasCairo, TextWrapsOnlyWhenAskedMatchesGolden) {
    auto c = WhiteCanvas(200, 100);
    c->Fill()->SetColor(0xFF204080);
    c->Font()->SetFamily("Liberation Sans");
    c->Font()->SetSize(14);
    c->Font()->SetStyle(zuFontBold);
    c->Font()->SetClearType(false);
    c->FillText(TzuRect{5, 5, 95, 95}, u"wrapped words in a box", true, 1, zuTextAlignCenter,
                zuTextAlignNear);
    c->Font()->SetStyle(zuFontItalic);
    c->FillText(TzuRect{105, 5, 195, 50}, u"one long line, not wrapped", false, 1, zuTextAlignNear,
                zuTextAlignNear);
    c->Font()->SetStyle(zuFontUnderline);
    c->FillText(TzuRect{105, 50, 195, 95}, u"Supercalifragilistic", true, 0.5f, zuTextAlignNear,
                zuTextAlignFar);
    EXPECT_TRUE(Golden(*c, "canvas_text_wrap"));
}

// Blanks that end a line never move it: padded lines draw where unpadded ones do, for
// every alignment, wrapped or not, under a plain and a stretched matrix.
TEST(CanvasCairo, TrailingBlanksDoNotMoveAlignedText) {
    const TzuMatrix matrices[] = {IdentityMatrix, TzuMatrix{2.5f, 0, 0, 0, 0.8f, 0, 0, 0, 1}};
    const TzuTextAlign aligns[] = {zuTextAlignNear, zuTextAlignCenter, zuTextAlignFar};
    auto draw = [](const TzuMatrix& m, const std::u16string& text, bool wrap, TzuTextAlign h) {
        auto c = WhiteCanvas(300, 60);
        c->Fill()->SetColor(0xFF000000);
        c->Font()->SetFamily("DejaVu Sans");
        c->Font()->SetSize(14);
        c->Font()->SetClearType(false);
        c->SetMatrix(m);
        c->FillText(TzuRect{2, 2, 118, 58}, text, wrap, 1, h, zuTextAlignCenter);
        return std::vector<uint32_t>(c->BufferBits(), c->BufferBits() + 300 * 60);
    };
    for (const TzuMatrix& m : matrices) {
        for (TzuTextAlign h : aligns) {
            for (bool wrap : {false, true}) {
                const auto plain = draw(m, u"ABC\r\nDE F", wrap, h);
                EXPECT_EQ(plain, draw(m, u"ABC                 \r\nDE F \t   ", wrap, h)) << h << wrap;
                EXPECT_NE(plain, draw(m, u"ABC\r\nDE  F", wrap, h)) << h << wrap;  // inner ones count
            }
        }
    }
    // Measuring counts them; outlining counts them only without wrapping.
    auto c = WhiteCanvas(10, 10);
    TzuRect plain{0, 0, 400, 100}, padded = plain;
    c->MeasureText(plain, u"ABC", false, zuTextAlignNear, zuTextAlignNear);
    c->MeasureText(padded, u"ABC     ", false, zuTextAlignNear, zuTextAlignNear);
    EXPECT_GT(RectWidth(padded), RectWidth(plain) + 10);
    TzuPathData a, b;
    ASSERT_TRUE(c->TextToPath(a, TzuRect{0, 0, 400, 100}, u"ABC", true, zuTextAlignFar, zuTextAlignNear));
    ASSERT_TRUE(
        c->TextToPath(b, TzuRect{0, 0, 400, 100}, u"ABC     ", true, zuTextAlignFar, zuTextAlignNear));
    EXPECT_EQ(a.GetBounds(), b.GetBounds());
    ASSERT_TRUE(
        c->TextToPath(b, TzuRect{0, 0, 400, 100}, u"ABC     ", false, zuTextAlignFar, zuTextAlignNear));
    EXPECT_LT(b.GetBounds().Right, a.GetBounds().Right - 10);
}

// A text longer than the layout limit draws and measures as its first part.
TEST(CanvasCairo, HugeTextIsLaidOutUpToTheLimit) {
    auto c = WhiteCanvas(100, 20);
    const size_t limit = TzuCanvas::kMaxLaidOutText;
    std::u16string text(limit, u'x');
    TzuRect atLimit{0, 0, 100, 20};
    c->MeasureText(atLimit, text, false, zuTextAlignNear, zuTextAlignNear);
    text.append(3 * limit, u'W');
    TzuRect beyond{0, 0, 100, 20};
    c->MeasureText(beyond, text, false, zuTextAlignNear, zuTextAlignNear);
    EXPECT_EQ(beyond, atLimit);
    EXPECT_GT(RectWidth(atLimit), float(limit));
    c->Fill()->SetColor(0xFF000000);
    c->FillText(TzuRect{0, 0, 100, 20}, text, true, 1, zuTextAlignNear, zuTextAlignNear);
    int inked = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 100; ++x) inked += Pixel(*c, x, y) != 0xFFFFFFFFu;
    }
    EXPECT_GT(inked, 100);
    // A surrogate pair across the limit is not cut in half.
    text.assign(limit - 1, u'x');
    text += u"\U0001F600";
    TzuRect cut{0, 0, 100, 20};
    c->MeasureText(cut, text, false, zuTextAlignNear, zuTextAlignNear);
    EXPECT_LT(cut.Right, atLimit.Right);
}

TEST(CanvasCairo, OpaqueTextIsDrawnAtAlpha252) {
    auto c = TzuCanvas::CreateBuffered(60, 30);
    c->Fill()->SetColor(0xFF000000);
    c->Font()->SetSize(24);
    c->Font()->SetClearType(false);
    c->FillText(TzuRect{0, 0, 60, 30}, u"\u2588", false, 1, zuTextAlignCenter, zuTextAlignCenter);
    uint32_t strongest = 0;
    for (int i = 0; i < 60 * 30; ++i) strongest = std::max(strongest, c->BufferBits()[i] >> 24);
    EXPECT_EQ(strongest, 252u);
}

TEST(CanvasCairo, MeasureTextKeepsOneLineWithoutWrapAndFallsBackToSans) {
    auto c = TzuCanvas::CreateBuffered(10, 10);
    c->Font()->SetSize(20);
    TzuRect one{0, 0, 100, 400};
    c->MeasureText(one, u"a rather long line of text here", false, zuTextAlignNear, zuTextAlignNear);
    TzuRect wrapped{0, 0, 100, 400};
    c->MeasureText(wrapped, u"a rather long line of text here", true, zuTextAlignNear, zuTextAlignNear);
    EXPECT_GT(RectWidth(one), 150);
    EXPECT_LT(RectHeight(one), 30);
    EXPECT_LE(RectWidth(wrapped), 100.5f);
    EXPECT_GT(RectHeight(wrapped), 2 * RectHeight(one));

    c->Font()->SetFamily("No Such Family");
    const float fallback = c->TextWidth(u"Width check");
    c->Font()->SetFamily("DejaVu Sans");
    EXPECT_FLOAT_EQ(fallback, c->TextWidth(u"Width check"));
    c->Font()->SetFamily("DejaVu Serif");
    EXPECT_NE(fallback, c->TextWidth(u"Width check"));
}

TEST(CanvasCairo, DrawingTextDoesNotChangeItsMeasure) {
    auto c = TzuCanvas::CreateBuffered(200, 40);
    c->Font()->SetSize(17);
    const float before = c->TextWidth(u"Measured 1234");
    c->FillText(TzuRect{0, 0, 200, 40}, u"Measured 1234", false, 1, zuTextAlignNear, zuTextAlignNear);
    c->SetMatrix(TzuMatrix{1.5f, 0, 0, 0, 1.5f, 0, 0, 0, 1});
    c->FillText(TzuRect{0, 0, 200, 40}, u"Measured 1234", false, 1, zuTextAlignNear, zuTextAlignNear);
    EXPECT_FLOAT_EQ(before, c->TextWidth(u"Measured 1234"));
}

TEST(CanvasCairo, CentredMeasureSitsOnTheLeftEdgeWithoutWrap) {
    auto c = TzuCanvas::CreateBuffered(10, 10);
    TzuRect r{50, 0, 150, 20};
    c->MeasureText(r, u"abc", false, zuTextAlignCenter, zuTextAlignNear);
    EXPECT_NEAR((r.Left + r.Right) / 2, 50, 0.01);
    TzuRect empty{1, 2, 3, 4};
    c->MeasureText(empty, u"", true, zuTextAlignCenter, zuTextAlignNear);
    EXPECT_EQ(empty, (TzuRect{1, 2, 3, 4}));
}

TEST(CanvasCairo, TextToPathGivesClosedOutlines) {
    auto c = TzuCanvas::CreateBuffered(10, 10);
    c->Font()->SetSize(30);
    TzuPathData path;
    path.MoveTo({1, 1});
    EXPECT_FALSE(c->TextToPath(path, TzuRect{0, 0, 100, 40}, u"", false, zuTextAlignNear, zuTextAlignNear));
    ASSERT_TRUE(c->TextToPath(path, TzuRect{0, 0, 100, 40}, u"O", false, zuTextAlignNear, zuTextAlignNear));
    ASSERT_GT(path.Count(), 4);
    EXPECT_EQ(path.Points().back().Kind, zuPathPointClose);
    const TzuRect b = path.GetBounds();
    EXPECT_GT(RectHeight(b), 15);
    EXPECT_LT(RectHeight(b), 30);
    // The two contours of an O fill as a ring.
    EXPECT_FALSE(c->PtInPath(TzuPoint{(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2}, b, path));
}

TEST(CanvasCairo, FontFromMemoryBecomesUsableByName) {
    std::ifstream in("/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf", std::ios::binary);
    const TzuBytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(data.empty());
    auto c = TzuCanvas::CreateBuffered(10, 10);
    EXPECT_FALSE(c->LoadFontFromStream(TzuBytes{1, 2, 3}));
    c->Font()->SetFamily("Liberation Mono");
    const float before = c->TextWidth(u"iiii");
    ASSERT_FALSE(FontFamilyAvailable("Liberation Mono"));
    ASSERT_TRUE(c->LoadFontFromStream(data));
    EXPECT_TRUE(FontFamilyAvailable("liberation mono"));
    const float after = c->TextWidth(u"iiii");
    EXPECT_NE(before, after);
    EXPECT_FLOAT_EQ(after, c->TextWidth(u"MMMM"));  // monospaced
}

TEST(CanvasCairo, ClipOpacityAndSavedStatesMatchGolden) {
    auto c = WhiteCanvas(100, 100);
    const int outer = c->SaveCanvas();
    c->IntersectClipRect(TzuRect{10, 10, 90, 90});
    c->ExcludeClipRect(TzuRect{40, 40, 60, 60});
    c->Fill()->SetColor(0xFF008000);
    const int inner = c->SaveCanvas();
    c->SetMatrix(TzuMatrix{1, 0, 0, 0, 1, 0, 50, 0, 1});
    c->Fill()->SetColor(0xFF0000FF);
    c->FillRect(TzuRect{0, 0, 50, 50}, 0, 0, 0, 0.5f, zuCornerRound);
    c->RestoreCanvas(inner);
    EXPECT_EQ(c->Fill()->Color(), 0xFF008000u);
    EXPECT_EQ(c->Matrix(), IdentityMatrix);
    c->FillRect(TzuRect{0, 0, 50, 100}, 0, 0, 0, 1, zuCornerRound);
    c->RestoreCanvas(outer);
    c->RestoreCanvas(outer);  // already free: ignored
    c->RestoreCanvas(7);
    c->Fill()->SetColor(0xFFFF0000);
    c->FillEllipse(TzuRect{0, 0, 20, 20}, 0.25f);
    TzuRect rects[] = {{70, 70, 80, 80}, {85, 85, 100, 100}};
    c->SetClipRects(rects);
    c->FillRect(TzuRect{0, 0, 100, 100}, 0, 0, 0, 1, zuCornerRound);
    EXPECT_TRUE(Golden(*c, "canvas_clip_opacity"));
}

TEST(CanvasCairo, BitmapsMatchGolden) {
    auto c = WhiteCanvas(100, 50);
    TzuBitmap b;
    Quadrants(b);
    const TzuRect all{0, 0, 4, 4};
    c->DrawBitmap(b, all, TzuRect{0, 0, 40, 40}, 1, true);
    c->DrawBitmap(b, all, TzuRect{45, 0, 85, 40}, 0.5f, false);
    c->DrawBitmap(b, TzuRect{0, 0, 2, 2}, TzuRect{88, 0, 100, 12}, 0, true);  // nothing
    EXPECT_TRUE(Golden(*c, "canvas_bitmaps"));
    // Drawing again after the pixels changed shows the new pixels.
    b.ScanLine(0)[0] = 0xFF000000;
    b.Changed();
    c->DrawBitmap(b, all, TzuRect{0, 0, 40, 40}, 1, true);
    EXPECT_EQ(Pixel(*c, 2, 2), 0xFF000000u);
}

TEST(CanvasCairo, BitmapCanvasDrawsIntoTheBitmap) {
    TzuBitmap b(8, 8);
    TzuCanvas* c = b.Canvas();
    ASSERT_NE(c, nullptr);
    c->Fill()->SetColor(0x80FF0000);
    c->FillRect(TzuRect{0, 0, 4, 8}, 0, 0, 0, 1, zuCornerRound);
    c->EndScene();
    EXPECT_EQ(b.ScanLine(3)[1], 0x80800000u);  // premultiplied
    EXPECT_EQ(b.ScanLine(3)[6], 0u);
    b.SetSize(16, 16);  // the canvas goes with the old pixels
    EXPECT_NE(b.Canvas(), nullptr);
}

}  // namespace
}  // namespace zu
