// The backend-independent rules of the canvas: buffer, dashes, saved states, flushing,
// clearing and visual brushes, exercised through the Cairo canvas.

#include "scene/zu_scene/graphics/canvas.h"

#include <gtest/gtest.h>

#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/object.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu {
namespace {

// Records what a flush hands over.
class RecordingTarget : public TzuCanvasTarget {
public:
    void PutPixels(int x, int y, const uint32_t* pixels, int stride, int width, int height) override {
        this->x = x;
        this->y = y;
        this->width = width;
        this->height = height;
        first = pixels[0];
        last = pixels[int64_t(height - 1) * stride + width - 1];
    }
    int x = -1, y = -1, width = 0, height = 0;
    uint32_t first = 0, last = 0;
};

TEST(Canvas, BufferSizesBelowOneBecomeOne) {
    auto c = TzuCanvas::CreateBuffered(5, 5);
    c->SetBufferChanged(false);
    c->ResizeBuffer(5, 5);
    EXPECT_FALSE(c->BufferChanged());
    c->ResizeBuffer(0, -3);
    EXPECT_EQ(c->Width(), 1);
    EXPECT_EQ(c->Height(), 1);
    EXPECT_TRUE(c->BufferChanged());
    ASSERT_NE(c->BufferBits(), nullptr);
    EXPECT_THROW(c->ResizeBuffer(100000, 10), EzuError);
    EXPECT_EQ(c->BufferBits(), nullptr);
    c->FillRect(TzuRect{0, 0, 10, 10}, 0, 0, 0, 1, zuCornerRound);  // no buffer: nothing, no crash
    c->ResizeBuffer(3, 3);
    ASSERT_NE(c->BufferBits(), nullptr);
    c->FillRect(TzuRect{0, 0, 10, 10}, 0, 0, 0, 1, zuCornerRound);
    EXPECT_EQ(c->BufferBits()[4], 0xFFFFFFFFu);
}

TEST(Canvas, DashStylesSetTheirArraysAndCustomKeepsTheLast) {
    auto c = TzuCanvas::CreateBuffered(1, 1);
    c->SetStrokeDash(zuDashDashDotDot);
    EXPECT_EQ(c->DashArray(), (std::vector<float>{3, 1, 1, 1, 1, 1}));
    c->SetStrokeDash(zuDashDot);
    c->SetDashOffset(2);
    c->SetStrokeDash(zuDashCustom);
    EXPECT_EQ(c->DashArray(), (std::vector<float>{1, 1}));
    EXPECT_EQ(c->DashOffset(), 2);
    c->SetStrokeDash(zuDashSolid);
    EXPECT_TRUE(c->DashArray().empty());
    EXPECT_EQ(c->DashOffset(), 0);
}

TEST(Canvas, RestoreBringsBackStateAndTheDashArrayOnlyForDashedStyles) {
    auto c = TzuCanvas::CreateBuffered(4, 4);
    c->SetStrokeThickness(3);
    c->Font()->SetSize(30);
    const int solid = c->SaveCanvas();
    c->SetStrokeDash(zuDashCustom);
    c->SetDashArray({5, 2});
    const int custom = c->SaveCanvas();
    EXPECT_NE(solid, custom);
    c->SetDashArray({9, 9});
    c->SetStrokeThickness(1);
    c->Font()->SetSize(8);
    c->Stroke()->SetColor(0xFF00FF00);
    c->RestoreCanvas(custom);
    EXPECT_EQ(c->DashArray(), (std::vector<float>{5, 2}));
    EXPECT_EQ(c->Stroke()->Color(), 0xFF000000u);
    c->SetDashArray({7, 7});
    c->RestoreCanvas(solid);
    EXPECT_EQ(c->StrokeDash(), zuDashSolid);
    EXPECT_EQ(c->DashArray(), (std::vector<float>{7, 7}));  // a solid state carries no array
    EXPECT_EQ(c->StrokeThickness(), 3);
    EXPECT_EQ(c->Font()->Size(), 30);
    EXPECT_EQ(c->SaveCanvas(), solid);  // the freed entry is taken again
}

TEST(Canvas, FlushRectCopiesTheTruncatedAreaClippedToTheBuffer) {
    auto c = TzuCanvas::CreateBuffered(10, 8);
    for (int i = 0; i < 80; ++i) c->BufferBits()[i] = uint32_t(i);
    RecordingTarget t;
    c->FlushBufferRect(100, 200, t, TzuRect{2.7f, 3.2f, 5.9f, 20});
    EXPECT_EQ(t.x, 102);
    EXPECT_EQ(t.y, 203);
    EXPECT_EQ(t.width, 4);   // 2 .. 5 inclusive
    EXPECT_EQ(t.height, 5);  // 3 .. 7, clipped
    EXPECT_EQ(t.first, 32u);
    EXPECT_EQ(t.last, 75u);
    c->FlushBuffer(1, 2, t);
    EXPECT_EQ(t.width, 10);
    EXPECT_EQ(t.last, 79u);
}

TEST(Canvas, ClearRectWritesRawValuesAndAssignToCopies) {
    auto c = TzuCanvas::CreateBuffered(6, 4);
    c->ClearRect(TzuRect{-5, 1.9f, 2.4f, 2.6f}, 0x80FF0000);  // rows 1..2, columns 0..1
    c->ClearRect(TzuRect{1e30f, 0, -1e30f, 4}, 0x12345678);   // absurd bounds: nothing
    EXPECT_EQ(c->BufferBits()[6], 0x80FF0000u);
    EXPECT_EQ(c->BufferBits()[6 + 2], 0u);
    EXPECT_EQ(c->BufferBits()[0], 0u);
    TzuBitmap shot(1, 1);
    c->AssignTo(shot);
    EXPECT_EQ(shot.Width(), 6);
    EXPECT_EQ(shot.ScanLine(2)[1], 0x80FF0000u);
}

TEST(Canvas, VisualBrushPaintsThroughTheInstalledPainterClippedToTheFigure) {
    struct Call {
        int count = 0;
        TzuRect rect;
        float opacity = 0;
    };
    static Call call;
    call = {};
    SetVisualBrushPainter([](TzuCanvas& canvas, TzuComponent*, const TzuRect& rect, float opacity) {
        ++call.count;
        call.rect = rect;
        call.opacity = opacity;
        canvas.Fill()->SetStyle(zuBrushSolid);
        canvas.Fill()->SetColor(0xFF0000FF);
        canvas.FillRect(TzuRect{0, 0, 20, 20}, 0, 0, 0, 1, zuCornerRound);
    });
    auto c = TzuCanvas::CreateBuffered(20, 20);
    c->Fill()->SetStyle(zuBrushVisual);
    c->FillEllipse(TzuRect{0, 0, 20, 20}, 1);
    EXPECT_EQ(call.count, 0);  // no object: nothing
    {
        TzuObject object(nullptr);
        c->Fill()->Visual()->SetVisualObject(&object);
        c->SetStrokeThickness(5);
        c->FillEllipse(TzuRect{0, 0, 20, 20}, 0.5f);
        c->Fill()->Visual()->SetVisualObject(nullptr);
    }
    SetVisualBrushPainter(nullptr);
    EXPECT_EQ(call.count, 1);
    EXPECT_EQ(call.rect, (TzuRect{0, 0, 20, 20}));
    EXPECT_EQ(call.opacity, 0.5f);
    EXPECT_EQ(c->BufferBits()[10 * 20 + 10], 0xFF0000FFu);  // inside the ellipse
    EXPECT_EQ(c->BufferBits()[0], 0u);                      // clipped away
    EXPECT_EQ(c->Fill()->Style(), zuBrushVisual);           // the painter's state is undone
    EXPECT_EQ(c->StrokeThickness(), 5);
}

}  // namespace
}  // namespace zu
