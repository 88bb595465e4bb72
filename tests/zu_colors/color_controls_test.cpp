// The colour box, quad and picker through the scene's real input routing: picking by
// pointer, clamped setters, the cached square, the links picker -> quad -> box and their
// clearing when a linked control is freed.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "scene/zu_colors/color_box.h"
#include "scene/zu_colors/color_picker.h"
#include "scene/zu_colors/color_quad.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "tests/zu_controls/hosted_scene.h"

namespace zu {
namespace {

// Each channel of a within tolerance of b's.
::testing::AssertionResult Near(TzuColor a, TzuColor b, int tolerance = 1) {
    for (int shift : {0, 8, 16, 24})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return ::testing::AssertionFailure() << ColorToText(a) << " vs " << ColorToText(b);
    return ::testing::AssertionSuccess();
}

class Colors : public test::HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 400, 300);
        app.ProcessMessages();
        box = Add<TzuColorBox>(300, 10);
        quad = Add<TzuColorQuad>(10, 10);
        quad->SetBounds(10, 10, 100, 100);
        picker = Add<TzuColorPicker>(150, 10);
        picker->SetBounds(150, 10, 20, 100);
        quad->OnChange().Set([this](TzuPersistent*) { ++changes; });
        Settle();
    }
    TzuColorBox* box = nullptr;
    TzuColorQuad* quad = nullptr;
    TzuColorPicker* picker = nullptr;
    int changes = 0;
};

TEST_F(Colors, QuadPicksByPointerClampsAndFeedsItsBox) {
    quad->SetColorBox(box);
    quad->SetHue(0.5f);
    changes = 0;
    ClickAt(10 + 25, 10 + 75);
    EXPECT_FLOAT_EQ(quad->Sat(), 0.25f);
    EXPECT_FLOAT_EQ(quad->Lum(), 0.25f);
    EXPECT_EQ(box->Color(), HSLToRGB(0.5f, 0.25f, 0.25f));
    // The press and the release at one place: the pair changed once.
    EXPECT_EQ(changes, 1);

    // Dragged out of the square the pair stops at its edges.
    Press(10 + 50, 10 + 50);
    Drag(10 + 80, 10 + 20);
    EXPECT_FLOAT_EQ(quad->Sat(), 0.8f);
    EXPECT_FLOAT_EQ(quad->Lum(), 0.8f);
    Drag(300, -40);
    EXPECT_FLOAT_EQ(quad->Sat(), 1);
    EXPECT_FLOAT_EQ(quad->Lum(), 1);
    Drag(-50, 260);
    Release(-50, 260);
    EXPECT_FLOAT_EQ(quad->Sat(), 0);
    EXPECT_FLOAT_EQ(quad->Lum(), 0);
    // After the release, moves no longer pick.
    window()->InjectMouseMove(10 + 50, 10 + 50);
    EXPECT_FLOAT_EQ(quad->Sat(), 0);

    // Setters clamp; a value equal after clamping changes nothing; NaN counts as 0.
    quad->SetHue(1.5f);
    EXPECT_FLOAT_EQ(quad->Hue(), 1);
    changes = 0;
    quad->SetHue(7);
    EXPECT_EQ(changes, 0);
    quad->SetSat(-3);
    quad->SetLum(std::nanf(""));
    EXPECT_EQ(changes, 0);
    quad->SetLum(0.5f);
    quad->SetSat(1);
    quad->SetAlpha(0.5f);
    EXPECT_EQ(changes, 3);
    // Alpha reaches the box rounded to a byte; hue 1 wraps round to red.
    EXPECT_EQ(box->Color(), 0x80FF0000u);
    EXPECT_EQ(quad->Color(), 0x80FF0000u);
}

TEST_F(Colors, TheSquareIsBuiltOncePerHue) {
    const TzuBitmap* square = quad->Square();
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(square->Width(), 100);
    // Column x, row y: saturation x / width, luminance 1 - y / height, of the hue.
    EXPECT_EQ(square->ScanLine(0)[0], HSLToRGB(0, 0, 1));
    EXPECT_EQ(square->ScanLine(50)[99], HSLToRGB(0, 0.99f, 0.5f));
    EXPECT_EQ(square->ScanLine(75)[25], HSLToRGB(0, 0.25f, 0.25f));
    // Picking and alpha only move the marker.
    quad->SetSatLum(0.1f, 0.9f);
    quad->SetAlpha(0.2f);
    app.ProcessMessages();
    EXPECT_EQ(quad->Square(), square);
    // A new hue drops it; the next paint builds it for that hue.
    quad->SetHue(1.0f / 3);
    EXPECT_EQ(quad->Square(), nullptr);
    app.ProcessMessages();
    ASSERT_NE(quad->Square(), nullptr);
    EXPECT_EQ(quad->Square()->ScanLine(50)[99], HSLToRGB(1.0f / 3, 0.99f, 0.5f));
}

TEST_F(Colors, PickerDrivesQuadDrivesBox) {
    picker->SetColorQuad(quad);
    quad->SetColorBox(box);
    // A drag in the strip: hue y / height, which the quad takes.
    Press(160, 10 + 20);
    Drag(160, 10 + 60);
    EXPECT_FLOAT_EQ(picker->Hue(), 0.6f);
    EXPECT_FLOAT_EQ(quad->Hue(), 0.6f);
    Drag(160, 290);
    Release(160, 290);
    EXPECT_FLOAT_EQ(picker->Hue(), 1);
    EXPECT_FLOAT_EQ(quad->Hue(), 1);
    picker->SetHue(-2);
    EXPECT_FLOAT_EQ(quad->Hue(), 0);

    // Setting a colour: the hue on the strip, the rest in the quad, the box shows it all.
    for (TzuColor c : {0x80336699u, 0xFFFF8000u, 0x00123456u, 0xFF808080u}) {
        picker->SetColor(c);
        float h, s, l;
        RGBToHSL(c, h, s, l);
        EXPECT_FLOAT_EQ(picker->Hue(), h) << ColorToText(c);
        EXPECT_FLOAT_EQ(quad->Hue(), h);
        EXPECT_FLOAT_EQ(quad->Sat(), s);
        EXPECT_FLOAT_EQ(quad->Lum(), l);
        EXPECT_TRUE(Near(box->Color(), c));
    }
}

TEST_F(Colors, LinksAreClearedWhenTheLinkedControlGoes) {
    picker->SetColorQuad(quad);
    quad->SetColorBox(box);
    delete box;
    EXPECT_EQ(quad->ColorBox(), nullptr);
    quad->SetSat(0.3f);  // would reach the freed box
    delete quad;
    EXPECT_EQ(picker->ColorQuad(), nullptr);
    picker->SetColor(0xFF00FF00);
    EXPECT_FLOAT_EQ(picker->Hue(), 1.0f / 3);
}

TEST_F(Colors, LinksAndValuesSurviveAStreamRoundTrip) {
    box->SetName("swatch");
    quad->SetName("square");
    quad->SetColorBox(box);
    picker->SetColorQuad(quad);
    quad->SetHue(0.25f);
    quad->SetAlpha(0.5f);
    std::string text;
    SaveObjectToText(root, text);
    std::unique_ptr<TzuObject> copy(LoadObjectFromText(nullptr, text));
    ASSERT_NE(copy, nullptr);
    TzuColorQuad* q = nullptr;
    TzuColorPicker* p = nullptr;
    for (int i = 0; i < copy->ChildrenCount(); ++i) {
        if (auto* found = As<TzuColorQuad>(copy->Children(i))) q = found;
        if (auto* found = As<TzuColorPicker>(copy->Children(i))) p = found;
    }
    ASSERT_TRUE(q && p);
    EXPECT_FLOAT_EQ(q->Hue(), 0.25f);
    EXPECT_FLOAT_EQ(q->Alpha(), 0.5f);
    ASSERT_NE(q->ColorBox(), nullptr);
    EXPECT_NE(q->ColorBox(), box);
    EXPECT_EQ(q->ColorBox()->Parent(), copy.get());
    EXPECT_EQ(p->ColorQuad(), q);
}

}  // namespace
}  // namespace zu
