// Buttons with glyphs and shapes of their own: glyph placement of bitmap and path buttons,
// corner buttons, bitmap-state buttons, and the status bar whose size grip resizes the form.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hosted_scene.h"
#include "scene/zu_controls/bitmap_button.h"
#include "scene/zu_controls/bitmap_state_button.h"
#include "scene/zu_controls/corner_button.h"
#include "scene/zu_controls/path_button.h"
#include "scene/zu_controls/size_grip.h"
#include "scene/zu_controls/status_bar.h"
#include "scene/zu_objects/image.h"
#include "scene/zu_objects/path.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"

namespace zu::test {
namespace {

using GlyphButtons = HostedScene;

std::unique_ptr<TzuBitmap> Solid(int w, int h, TzuColor color) {
    auto b = std::make_unique<TzuBitmap>();
    b->SetSize(w, h);
    b->Clear(color);
    return b;
}

TEST_F(GlyphButtons, EveryLayoutPlacesTheBitmapAndPadsTheText) {
    struct Case {
        TzuButtonLayout layout;
        TzuAlign align;
        TzuRect padding;  // of the image part, with size 24, spacing 5 and padding 3
        float width, height;
    };
    const Case cases[] = {
        {zuGlyphLeft, vaLeft, {3, 3, 5, 3}, 24, -1},     {zuGlyphRight, vaRight, {5, 3, 3, 3}, 24, -1},
        {zuGlyphTop, vaTop, {3, 3, 3, 5}, -1, 24},       {zuGlyphBottom, vaBottom, {3, 5, 3, 3}, -1, 24},
        {zuGlyphCenter, vaCenter, {5, 5, 5, 5}, 24, 24},
    };
    auto* b = Add<TzuBitmapButton>(10, 10);
    b->SetBounds(10, 10, 120, 80);
    ASSERT_NE(b->ImagePart(), nullptr);
    EXPECT_EQ(b->BitmapLayout(), zuGlyphLeft);
    b->SetBitmapSize(24);
    b->SetBitmapSpacing(5);
    b->SetBitmapPadding(3);
    b->SetBitmap(*Solid(16, 16, 0xFFFF0000));
    EXPECT_EQ(b->ImagePart()->Bitmap()->Width(), 16);
    auto* text = As<TzuText>(b->FindResource("text"));
    ASSERT_NE(text, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.layout));
        b->SetBitmapLayout(c.layout);
        TzuImage* image = b->ImagePart();
        EXPECT_EQ(image->Align(), c.align);
        EXPECT_EQ(image->Padding()->GetRect(), c.padding);
        if (c.width > 0) {
            EXPECT_FLOAT_EQ(image->Width(), c.width);
        }
        if (c.height > 0) {
            EXPECT_FLOAT_EQ(image->Height(), c.height);
        }
        EXPECT_EQ(text->Padding()->GetRect(), (TzuRect{3, 3, 3, 3}));
    }
    // A restyle places the glyph again in the new copy.
    b->SetResource("bitmapbuttonstyle");
    EXPECT_EQ(b->ImagePart()->Align(), vaCenter);
    // An empty bitmap leaves the whole button to the text.
    b->SetBitmap(*Solid(1, 1, 0));
    EXPECT_EQ(b->ImagePart()->Align(), vaNone);
    // The restyle replaced the text part too.
    text = As<TzuText>(b->FindResource("text"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Padding()->GetRect(), (TzuRect{3, 3, 3, 3}));
}

TEST_F(GlyphButtons, PathButtonsCopyTheirGlyphIntoTheStyle) {
    auto* b = Add<TzuPathButton>(10, 10);
    ASSERT_NE(b->PathPart(), nullptr);
    auto* owner = As<TzuVisualObject>(b->FindResource("pathowner"));
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(owner->Align(), vaNone);  // no points yet
    b->Path()->SetData("M 0 0 L 10 0 L 5 8 Z");
    EXPECT_EQ(owner->Align(), vaLeft);
    EXPECT_EQ(b->PathPart()->Data()->Count(), b->Path()->Count());
    b->PathFill()->SetColor(0xFF00FF00);
    b->PathStroke()->SetColor(0xFF0000FF);
    b->SetPathStrokeThickness(2.5f);
    b->SetPathStrokeCap(zuCapRound);
    b->SetPathStrokeJoin(zuJoinBevel);
    b->SetPathStrokeDash(zuDashDot);
    TzuPath* part = b->PathPart();
    EXPECT_EQ(part->Fill()->Color(), 0xFF00FF00u);
    EXPECT_EQ(part->Stroke()->Color(), 0xFF0000FFu);
    EXPECT_FLOAT_EQ(part->StrokeThickness(), 2.5f);
    EXPECT_EQ(part->StrokeCap(), zuCapRound);
    EXPECT_EQ(part->StrokeJoin(), zuJoinBevel);
    EXPECT_EQ(part->StrokeDash(), zuDashDot);
    b->SetPathLayout(zuGlyphBottom);
    b->SetPathSize(20);
    EXPECT_EQ(owner->Align(), vaBottom);
    EXPECT_FLOAT_EQ(owner->Height(), 20);

    auto* tool = Add<TzuToolPathButton>(80, 10);
    EXPECT_FALSE(tool->CanFocus());
    EXPECT_EQ(tool->PathLayout(), zuGlyphTop);
    auto* toolBitmap = Add<TzuToolButton>(150, 10);
    EXPECT_FALSE(toolBitmap->CanFocus());
    EXPECT_EQ(toolBitmap->BitmapLayout(), zuGlyphTop);
    ASSERT_NE(toolBitmap->ImagePart(), nullptr);
}

// A tool bar gives its buttons its own height, well below a tool button's 60: the glyph
// above the caption gives way so the caption keeps a whole line, both inside the button,
// and takes its full size again once the button is tall enough.
TEST_F(GlyphButtons, ToolButtonsKeepCaptionAndGlyphInsideAToolBarsHeight) {
    auto* bar = Add<TzuToolBar>(0, 0);
    bar->SetHeight(40);
    auto* tool = new TzuToolPathButton(nullptr);
    tool->SetParent(bar);
    tool->SetAlign(vaLeft);
    tool->SetWidth(56);
    tool->SetText(u"Path");
    tool->Path()->SetData("M 9 0 L 4 7 L 1 4 L 0 5 L 4 9 L 10 1 Z");
    auto* bitmapTool = new TzuToolButton(nullptr);
    bitmapTool->SetParent(bar);
    bitmapTool->SetAlign(vaLeft);
    bitmapTool->SetWidth(56);
    bitmapTool->SetText(u"Tool");
    bitmapTool->SetBitmap(*Solid(24, 24, 0xFF00FF00));
    Settle();
    for (TzuVisualObject* button :
         {static_cast<TzuVisualObject*>(tool), static_cast<TzuVisualObject*>(bitmapTool)}) {
        SCOPED_TRACE(button->ClassType().name);
        ASSERT_FLOAT_EQ(button->Height(), 40);
        auto* glyph = As<TzuVisualObject>(button->FindResource(button == tool ? "pathowner" : "image"));
        auto* text = As<TzuText>(button->FindResource("text"));
        ASSERT_TRUE(glyph && text);
        const TzuRect g = glyph->ParentedRect(), t = text->ParentedRect();
        EXPECT_GT(g.Bottom - g.Top, 10);
        EXPECT_GE(g.Top, 0);
        EXPECT_LE(g.Bottom, t.Top);
        EXPECT_LE(t.Bottom, 40);
        EXPECT_GE(t.Bottom - t.Top, text->Font()->Size());
    }
    // Tall enough again, the glyph has its size back; placed once more after a resize.
    tool->SetAlign(vaNone);
    tool->SetHeight(80);
    EXPECT_FLOAT_EQ(As<TzuVisualObject>(tool->FindResource("pathowner"))->Height(), tool->PathSize());
    tool->SetHeight(30);
    EXPECT_LT(As<TzuVisualObject>(tool->FindResource("pathowner"))->Height(), tool->PathSize());
}

TEST_F(GlyphButtons, CornerButtonsShapeTheirBackground) {
    auto* b = Add<TzuCornerButton>(10, 10);
    auto* bg = As<TzuRectangle>(b->FindResource("background"));
    ASSERT_NE(bg, nullptr);
    EXPECT_FLOAT_EQ(bg->xRadius(), 3);
    b->SetCorners(CornerBit(zuCornerTopLeft) | CornerBit(zuCornerBottomRight));
    b->SetCornerType(zuCornerBevel);
    b->SetXRadius(7);
    b->SetYRadius(5);
    EXPECT_EQ(bg->Corners(), b->Corners());
    EXPECT_EQ(bg->CornerType(), zuCornerBevel);
    EXPECT_FLOAT_EQ(bg->xRadius(), 7);
    EXPECT_FLOAT_EQ(bg->yRadius(), 5);
    b->SetResource("cornerbuttonstyle");
    bg = As<TzuRectangle>(b->FindResource("background"));
    ASSERT_NE(bg, nullptr);
    EXPECT_EQ(bg->CornerType(), zuCornerBevel);
    EXPECT_FLOAT_EQ(bg->xRadius(), 7);
}

TEST_F(GlyphButtons, BitmapStateButtonPaintsTheBitmapOfItsState) {
    auto* b = Add<TzuBitmapStateButton>(10, 10);
    b->SetBitmap(*Solid(8, 8, 0xFFFF0000));
    b->SetBitmapHot(*Solid(8, 8, 0xFF00FF00));
    b->SetBitmapDown(*Solid(128, 128, 0xFF0000FF));
    app.ProcessMessages();
    // 64 x 64 at (10,10): an 8 x 8 bitmap sits centred at its own size.
    EXPECT_EQ(window()->Pixel(42, 42), 0xFFFF0000u);
    EXPECT_NE(window()->Pixel(20, 20), 0xFFFF0000u);
    window()->InjectMouseMove(42, 42);
    app.ProcessMessages();
    EXPECT_EQ(window()->Pixel(42, 42), 0xFF00FF00u);
    window()->InjectMouseDown(mbLeft, 42, 42, ssLeft);
    app.ProcessMessages();
    // The larger pressed bitmap is scaled down to the whole button.
    EXPECT_EQ(window()->Pixel(42, 42), 0xFF0000FFu);
    EXPECT_EQ(window()->Pixel(12, 12), 0xFF0000FFu);
    window()->InjectMouseUp(mbLeft, 42, 42);
    app.ProcessMessages();
    EXPECT_EQ(window()->Pixel(42, 42), 0xFF00FF00u);
    EXPECT_NE(window()->Pixel(12, 12), 0xFF0000FFu);
}

TEST_F(GlyphButtons, StatusBarGripShowsOnRequestAndResizesTheForm) {
    auto* bar = new TzuStatusBar(nullptr);
    bar->SetParent(root);
    app.ProcessMessages();
    EXPECT_EQ(bar->Align(), vaBottom);
    EXPECT_FLOAT_EQ(bar->Height(), 22);
    EXPECT_FLOAT_EQ(bar->Width(), 300);
    auto* grip = As<TzuSizeGrip>(bar->FindResource("sizegrip"));
    ASSERT_NE(grip, nullptr);
    EXPECT_TRUE(grip->Visible());
    EXPECT_TRUE(grip->HitTest());
    EXPECT_FALSE(grip->Locked());
    EXPECT_NE(grip->StyleObject(), nullptr);  // the grip wears its own style
    // Dragging the grip resizes the form by the pointer's travel.
    ASSERT_EQ(scene->ObjectAtPoint(292, 190), grip);
    window()->InjectMouseMove(292, 190);
    window()->InjectMouseDown(mbLeft, 292, 190, ssLeft);
    window()->InjectMouseMove(312, 200, ssLeft);
    window()->InjectMouseUp(mbLeft, 312, 200);
    app.ProcessMessages();
    EXPECT_EQ(form->Width(), 320);
    EXPECT_EQ(form->Height(), 210);
    bar->SetShowSizeGrip(false);
    grip = As<TzuSizeGrip>(bar->FindResource("sizegrip"));
    ASSERT_NE(grip, nullptr);
    EXPECT_FALSE(grip->Visible());
    auto* hud = new TzuHudStatusBar(nullptr);
    hud->SetParent(root);
    app.ProcessMessages();
    EXPECT_NE(As<TzuHudSizeGrip>(hud->FindResource("sizegrip")), nullptr);
}

}  // namespace
}  // namespace zu::test
