// TzuImage and TzuPaintBox in real pixels: every wrap mode and nine slices, larger and
// smaller than their margins, against a golden; a picture loaded through the data value
// from a file; the paint box's handler drawing in its own coordinates.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/load_limits.h"
#include "scene/zu_objects/image.h"
#include "scene/zu_objects/paint_box.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_scene/graphics/filter.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/tree/bitmap_object.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu {
namespace {

using test::MatchesGolden;
using test::PixelScene;

// 12 x 12: a dark 3-pixel frame with red corners around a light centre with a blue dot.
void FramedPicture(TzuBitmap& b) {
    b.SetSize(12, 12);
    b.Clear(0xFF303030);
    FillPixelRect(b.Bits(), 12, 12, 0xFFE0E0A0, 3, 3, 9, 9);
    FillPixelRect(b.Bits(), 12, 12, 0xFF2040C0, 5, 5, 7, 7);
    for (int x : {0, 9}) {
        for (int y : {0, 9}) FillPixelRect(b.Bits(), 12, 12, 0xFFD02020, x, y, x + 3, y + 3);
    }
    b.Changed();
}

struct ImageScene {
    PixelScene scene;
    std::unique_ptr<TzuVisualObject> root = std::make_unique<TzuVisualObject>(nullptr);
    ImageScene(int w, int h) : scene(w, h) {
        scene.AddObject(root.get());
        root->SetBounds(0, 0, float(w), float(h));
    }
    TzuImage* Add(float x, float y, float w, float h, TzuImageWrap wrap) {
        auto* image = new TzuImage(nullptr);
        image->SetBounds(x, y, w, h);
        image->SetParent(root.get());
        FramedPicture(*image->Bitmap());
        image->SetWrapMode(wrap);
        return image;
    }
};

TEST(ImagePixels, WrapModesAndNineSlicesMatchGolden) {
    ImageScene f(232, 44);
    f.Add(2, 2, 8, 8, zuImageOriginal);  // clipped to its box
    f.Add(14, 2, 40, 20, zuImageFit);
    f.Add(58, 2, 40, 20, zuImageStretch)->SetDisableInterpolation(true);
    f.Add(102, 2, 40, 20, zuImageStretch);
    f.Add(146, 2, 40, 40, zuImageTile);
    auto* nine = f.Add(2, 26, 60, 16, zuImageFit);
    nine->BitmapMargins()->SetRect({3, 3, 3, 3});
    auto* narrow = f.Add(70, 26, 4, 16, zuImageFit);  // narrower than its two margins
    narrow->BitmapMargins()->SetRect({3, 3, 3, 3});
    auto* tiny = f.Add(80, 26, 5, 5, zuImageFit);  // smaller both ways
    tiny->BitmapMargins()->SetRect({3, 3, 3, 3});
    f.Add(190, 2, 40, 40, zuImageTile)->Bitmap()->SetSize(1, 1);  // a transparent pixel
    f.scene.Frame();

    EXPECT_EQ(f.scene.Pixel(2, 2), 0xFFD02020u);
    EXPECT_EQ(f.scene.Pixel(10, 2), 0xFFFFFFFFu);  // the original is cut at its box
    // Nine slices: 3-pixel corners stay 3 pixels, the centre stretches.
    EXPECT_EQ(f.scene.Pixel(2 + 2, 26 + 2), 0xFFD02020u);
    EXPECT_EQ(f.scene.Pixel(2 + 3, 26 + 2), 0xFF303030u);
    EXPECT_EQ(f.scene.Pixel(2 + 58, 26 + 14), 0xFFD02020u);
    EXPECT_EQ(f.scene.Pixel(2 + 8, 26 + 8), 0xFFE0E0A0u);
    EXPECT_EQ(f.scene.Pixel(2 + 30, 26 + 8), 0xFF2040C0u);
    // Tiles repeat the picture every 12 pixels.
    EXPECT_EQ(f.scene.Pixel(146 + 12, 2), 0xFFD02020u);
    EXPECT_EQ(f.scene.Pixel(146 + 24 + 6, 2 + 12 + 6), f.scene.Pixel(146 + 6, 2 + 6));
    EXPECT_TRUE(MatchesGolden(f.scene.Picture(), "image_modes"));
}

TEST(ImagePixels, DataValueLoadsAFileAndBadFilesChangeNothing) {
    const auto dir = std::filesystem::temp_directory_path() / ("zu_image_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    TzuBitmap source;
    FramedPicture(source);
    const std::string good = (dir / "framed.png").string(), bad = (dir / "broken.png").string();
    ASSERT_TRUE(source.SaveToFile(good));
    if (FILE* f = std::fopen(bad.c_str(), "wb")) {
        std::fputs("\x89PNG\r\n\x1a\n not really", f);
        std::fclose(f);
    }
    TzuImage image(nullptr);
    int loaded = 0;
    image.OnBitmapLoaded().Set([&](TzuPersistent*) { ++loaded; });
    image.SetData(good);
    EXPECT_EQ(loaded, 1);
    ASSERT_EQ(image.Bitmap()->Width(), 12);
    EXPECT_TRUE(std::equal(source.Bits(), source.Bits() + 144, image.Bitmap()->Bits()));
    image.SetData(bad);
    image.SetData((dir / "missing.png").string());
    EXPECT_EQ(loaded, 1);
    EXPECT_EQ(image.Bitmap()->Width(), 12);
    std::filesystem::remove_all(dir);
}

TEST(PaintBoxPixels, HandlerDrawsInTheBoxCoordinatesOncePerFrameUnderTheChildren) {
    ImageScene f(40, 30);
    auto* box = new TzuPaintBox(nullptr);
    box->SetBounds(10, 5, 20, 20);
    box->SetParent(f.root.get());
    // A child over the box's top-left corner stays on top of what the handler draws.
    auto* child = new TzuRectangle(nullptr);
    child->SetBounds(0, 0, 3, 3);
    child->Fill()->SetColor(0xFF0000C0);
    child->Stroke()->SetStyle(zuBrushNone);
    child->SetParent(box);
    int calls = 0;
    box->OnPaint().Set([&](TzuPersistent* sender, TzuCanvas* cv) {
        EXPECT_EQ(sender, box);
        ++calls;
        cv->Fill()->SetColor(0xFF00A000);
        cv->FillRect(TzuRect{0, 0, 5, 5}, 0, 0, kAllCorners, 1, zuCornerRound);
    });
    f.scene.Frame();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(f.scene.Pixel(11, 6), 0xFF0000C0u);
    EXPECT_EQ(f.scene.Pixel(14, 9), 0xFF00A000u);
    EXPECT_EQ(f.scene.Pixel(9, 5), 0xFFFFFFFFu);
    EXPECT_EQ(f.scene.Pixel(15, 10), 0xFFFFFFFFu);
}

// The images of one load share one pixel budget, as its items share one item limit: a
// stream of images each within the budget is refused as a whole once their sum passes it.
TEST(ImageLoadBudget, TheImagesOfOneLoadShareThePixelBudget) {
    RegisterSceneClasses();
    RegisterCairoBackend();
    TzuBitmapObject root(nullptr);
    root.SetBitmap(TzuBitmap(60, 60));
    for (int i = 0; i < 2; ++i) (new TzuBitmapObject(nullptr))->SetParent(&root);
    static_cast<TzuBitmapObject*>(root.Children(1))->SetBitmap(TzuBitmap(60, 60));
    std::vector<uint8_t> stream;
    SaveObjectToStream(&root, stream);
    constexpr int64_t kAll = 2 * 3600 + 1;  // a holder's own bitmap is a single pixel
    SetImagePixelBudget(kAll);              // each load counts afresh
    for (int round = 0; round < 2; ++round) {
        std::unique_ptr<TzuObject> loaded(LoadObjectFromStream(nullptr, stream));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(static_cast<TzuBitmapObject*>(loaded->Children(1))->Bitmap()->Width(), 60);
    }
    SetImagePixelBudget(kAll - 1);
    EXPECT_THROW(delete LoadObjectFromStream(nullptr, stream), EzuLimitError);
    SetImagePixelBudget(kDefaultImagePixelBudget);
}

}  // namespace
}  // namespace zu
