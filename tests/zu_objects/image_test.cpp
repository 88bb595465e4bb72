// TzuImage as calls on a recording canvas: where each wrap mode and the nine slices put
// the picture, tiles that miss the box, when OnBitmapLoaded fires, and its data value.

#include "scene/zu_objects/image.h"

#include <gtest/gtest.h>

#include "platform/core/property.h"
#include "recording_canvas.h"
#include "scene/zu_scene/tree/bitmap_object.h"

namespace zu {
namespace {

using test::CanvasCall;
using test::CanvasScene;
using test::RecordingCanvas;

struct ImageFixture : ::testing::Test {
    RecordingCanvas canvas;
    CanvasScene scene{&canvas};
    TzuImage* image = nullptr;
    void SetUp() override {
        image = new TzuImage(&scene);
        scene.AddObject(image);
    }
    std::vector<CanvasCall> Draws(float w, float h) {
        image->SetBounds(0, 0, w, h);
        canvas.calls.clear();
        TzuVisualObject* v = image;
        v->BeforePaint();
        v->Paint();
        v->AfterPaint();
        return canvas.calls;
    }
};

TEST_F(ImageFixture, WrapModesPlaceThePicture) {
    image->Bitmap()->SetSize(200, 100);
    auto d = Draws(100, 100);  // fit by default: shrunk and centred
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].rect, (TzuRect{0, 25, 100, 75}));
    EXPECT_EQ(d[0].source, (TzuRect{0, 0, 200, 100}));
    EXPECT_FALSE(d[0].highSpeed);
    image->Bitmap()->SetSize(50, 20);
    d = Draws(100, 100);  // never enlarged
    EXPECT_EQ(d[0].rect, (TzuRect{25, 40, 75, 60}));
    image->SetWrapMode(zuImageStretch);
    image->SetDisableInterpolation(true);
    d = Draws(100, 100);
    EXPECT_EQ(d[0].rect, (TzuRect{0, 0, 100, 100}));
    EXPECT_TRUE(d[0].highSpeed);
    image->SetWrapMode(zuImageOriginal);
    d = Draws(30, 30);
    EXPECT_EQ(d[0].rect, (TzuRect{0, 0, 50, 20}));
    EXPECT_TRUE(d[0].highSpeed);
}

TEST_F(ImageFixture, TilesThatMissTheBoxAreNotDrawn) {
    image->Bitmap()->SetSize(10, 10);
    image->SetWrapMode(zuImageTile);
    // 35 x 20: four columns (the fifth, at 40, lies outside), two rows.
    auto d = Draws(35, 20);
    ASSERT_EQ(d.size(), 8u);
    EXPECT_EQ(d.back().rect, (TzuRect{30, 10, 40, 20}));
    for (const auto& c : d) EXPECT_TRUE(c.highSpeed);
    // Many tiles: one repeating fill of the box.
    d = Draws(1000, 1000);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].op, "FillRect");
    EXPECT_EQ(d[0].rect, (TzuRect{0, 0, 1000, 1000}));
}

TEST_F(ImageFixture, NineSlicesKeepCornersAndNeverTurnInsideOut) {
    image->Bitmap()->SetSize(16, 16);
    image->BitmapMargins()->SetRect({4, 4, 4, 4});
    auto d = Draws(100, 30);
    ASSERT_EQ(d.size(), 9u);
    EXPECT_EQ(d[0].rect, (TzuRect{0, 0, 4, 4}));
    EXPECT_EQ(d[0].source, (TzuRect{0, 0, 4, 4}));
    EXPECT_EQ(d[4].rect, (TzuRect{4, 4, 96, 26}));  // the centre stretches both ways
    EXPECT_EQ(d[4].source, (TzuRect{4, 4, 12, 12}));
    EXPECT_EQ(d[8].rect, (TzuRect{96, 26, 100, 30}));
    // Narrower than both margins: they share the width, the middle column goes.
    d = Draws(6, 30);
    ASSERT_EQ(d.size(), 6u);
    for (const auto& c : d) {
        EXPECT_GT(RectWidth(c.rect), 0);
        EXPECT_GT(RectHeight(c.rect), 0);
    }
    EXPECT_EQ(d[0].rect, (TzuRect{0, 0, 3, 4}));
    EXPECT_EQ(d[1].rect, (TzuRect{3, 0, 6, 4}));
    EXPECT_EQ(d[1].source, (TzuRect{12, 0, 16, 4}));
}

TEST_F(ImageFixture, BitmapLoadedFiresForANewPictureAndDataCopiesOtherImages) {
    int loaded = 0;
    image->OnBitmapLoaded().Set([&](TzuPersistent* sender) {
        EXPECT_EQ(sender, image);
        ++loaded;
    });
    image->Bitmap()->SetSize(4, 4);
    EXPECT_EQ(loaded, 1);
    image->Bitmap()->Clear(0xFF00FF00);
    image->Bitmap()->Changed();
    EXPECT_EQ(loaded, 1);  // a content change is not a new picture

    TzuImage other(nullptr);
    other.Bitmap()->SetSize(3, 2);
    other.Bitmap()->Clear(0xFFFF0000);
    image->SetData(other.GetData());
    EXPECT_EQ(image->Bitmap()->Width(), 3);
    EXPECT_EQ(image->Bitmap()->Bits()[0], 0xFFFF0000u);
    TzuBitmapObject shared(nullptr);
    shared.Bitmap()->SetSize(5, 5);
    image->SetData(ObjectToDataText(&shared));
    EXPECT_EQ(image->Bitmap()->Width(), 5);
    // A name that is no image file leaves the picture as it was.
    image->SetData(std::string("/nonexistent/picture.png"));
    EXPECT_EQ(image->Bitmap()->Width(), 5);
    EXPECT_EQ(GetPropText(ResolveProperty(image, "WrapMode")), "zuImageFit");
    EXPECT_TRUE(IsPropStored(image, *ResolveProperty(image, "WrapMode").prop));
}

}  // namespace
}  // namespace zu
