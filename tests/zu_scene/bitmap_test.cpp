#include "scene/zu_scene/graphics/bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/filter.h"
#include "scene/zu_scene/tree/bitmap_object.h"

namespace zu {
namespace {

// An uncompressed image format for the tests: "TOY1", width, height (4 bytes each,
// little-endian), then the raw pixels. The last format asked for is kept for inspection.
class ToyFilter : public TzuFilter {
    ZU_CLASS(ToyFilter)
public:
    static inline std::string lastFormat;
    // Makes a decode fail after it has resized the bitmap, as a real decoder may.
    static inline bool failLate = false;

    bool LoadFromStream(std::span<const uint8_t> data, TzuBitmap& bitmap) override {
        if (data.size() < 12 || std::memcmp(data.data(), "TOY1", 4) != 0) return false;
        int32_t w, h;
        std::memcpy(&w, data.data() + 4, 4);
        std::memcpy(&h, data.data() + 8, 4);
        if (w < 1 || h < 1) return false;
        bitmap.SetSize(w, h);  // may raise for absurd sizes
        if (failLate) return false;
        if (data.size() - 12 < size_t(w) * size_t(h) * 4) return false;
        std::memcpy(bitmap.Bits(), data.data() + 12, size_t(w) * size_t(h) * 4);
        return true;
    }
    bool SaveToStream(TzuBytes& data, const TzuBitmap& bitmap, const std::string& format,
                      const std::string&) override {
        lastFormat = format;
        data.assign({'T', 'O', 'Y', '1'});
        int32_t size[2] = {bitmap.Width(), bitmap.Height()};
        const auto* s = reinterpret_cast<const uint8_t*>(size);
        data.insert(data.end(), s, s + 8);
        const auto* p = reinterpret_cast<const uint8_t*>(bitmap.Bits());
        data.insert(data.end(), p, p + bitmap.PixelCount() * 4);
        return true;
    }
};

const TzuClass& ToyFilter::StaticClass() {
    static const TzuClass cls = ZuClass<ToyFilter, TzuFilter>("ToyFilter");
    return cls;
}

class WithToyFilter : public ::testing::Test {
protected:
    void SetUp() override {
        SetDefaultFilterClass(&ToyFilter::StaticClass());
        ToyFilter::failLate = false;
    }
    void TearDown() override { SetDefaultFilterClass(nullptr); }
};

struct Events {
    std::vector<std::string> log;
    void Watch(TzuBitmap& b) {
        b.OnChange().Set([this](TzuPersistent*) { log.push_back("change"); });
        b.OnSizeChanging().Set([this](TzuPersistent*) { log.push_back("changing"); });
        b.OnDestroyHandle().Set([this](TzuPersistent*) { log.push_back("handle"); });
        b.OnSizeChanged().Set([this](TzuPersistent*) { log.push_back("changed"); });
    }
};

void Fill(TzuBitmap& b, std::initializer_list<uint32_t> pixels) {
    ASSERT_EQ(int64_t(pixels.size()), b.PixelCount());
    std::copy(pixels.begin(), pixels.end(), b.Bits());
}

std::vector<uint32_t> Pixels(const TzuBitmap& b) { return {b.Bits(), b.Bits() + b.PixelCount()}; }

TEST(TzuBitmap, SizesClampAndReallocationClearsAndReports) {
    Events ev;  // outlives the bitmaps that report to it
    TzuBitmap b(0, 0);
    EXPECT_EQ(b.Width(), 1);
    EXPECT_EQ(b.Height(), 1);
    EXPECT_EQ(b.Bits()[0], 0u);
    b.SetSize(-5, 3);
    EXPECT_EQ(b.Width(), 1);
    EXPECT_EQ(b.Height(), 3);

    b.Clear(0x80402000);
    EXPECT_EQ(Pixels(b), std::vector<uint32_t>(3, 0x80201000u));
    ev.Watch(b);
    b.SetSize(1, 3);
    EXPECT_TRUE(ev.log.empty());
    EXPECT_EQ(b.Bits()[2], 0x80201000u);
    b.SetSize(2, 2);
    EXPECT_EQ((ev.log), (std::vector<std::string>{"changing", "handle", "changed"}));
    EXPECT_EQ(Pixels(b), std::vector<uint32_t>(4, 0u));
}

TEST(TzuBitmap, AbsurdSizesRaiseAndKeepTheBitmap) {
    Events ev;  // outlives the bitmaps that report to it
    TzuBitmap b(2, 1);
    Fill(b, {1, 2});
    ev.Watch(b);
    EXPECT_THROW(b.SetSize(100000, 10), EzuError);
    EXPECT_THROW(b.SetSize(30000, 30000), EzuError);
    EXPECT_TRUE(ev.log.empty());
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(Pixels(b), (std::vector<uint32_t>{1, 2}));
}

TEST(TzuBitmap, ScanLineAddressesRowsTopDown) {
    TzuBitmap b(3, 2);
    EXPECT_EQ(b.ScanLine(0), b.Bits());
    EXPECT_EQ(b.ScanLine(1), b.Bits() + 3);
    EXPECT_EQ(b.ScanLine(2), nullptr);
    EXPECT_EQ(b.ScanLine(-1), nullptr);
}

TEST(TzuBitmap, AssignCopiesPixelsIndependently) {
    Events ev;  // outlives the bitmaps that report to it
    TzuBitmap src(2, 2);
    Fill(src, {1, 2, 3, 4});
    TzuBitmap dst;
    ev.Watch(dst);
    dst.Assign(src);
    EXPECT_EQ(dst.Width(), 2);
    EXPECT_EQ(Pixels(dst), Pixels(src));
    EXPECT_EQ(ev.log.back(), "change");
    src.Bits()[0] = 9;
    EXPECT_EQ(dst.Bits()[0], 1u);
}

TEST(TzuBitmap, FlipAndAlphaRoutines) {
    Events ev;  // outlives the bitmaps that report to it
    TzuBitmap b(2, 3);
    Fill(b, {1, 2, 3, 4, 5, 6});
    b.FlipVertical();
    EXPECT_EQ(Pixels(b), (std::vector<uint32_t>{5, 6, 3, 4, 1, 2}));
    TzuBitmap even(1, 2);
    Fill(even, {7, 8});
    even.FlipVertical();
    EXPECT_EQ(Pixels(even), (std::vector<uint32_t>{8, 7}));

    TzuBitmap a(3, 1);
    Fill(a, {0xFFFF0000, 0x80800000, 0x00000000});
    a.InvertAlpha();
    EXPECT_EQ(Pixels(a), (std::vector<uint32_t>{0x00000000, 0x7F7F0000, 0xFF000000}));

    TzuBitmap shape(3, 1);
    Fill(shape, {0xFF000000, 0x80000000, 0});
    ev.Watch(shape);
    shape.FillColor(0xFF00FF00);
    EXPECT_EQ(Pixels(shape), (std::vector<uint32_t>{0xFF00FF00, 0x80008000, 0}));
    EXPECT_EQ(ev.log, std::vector<std::string>{"change"});
    EXPECT_TRUE(shape.NeedUpdate());
}

TEST(TzuBitmap, AlphaMaskRoundTripAndShift) {
    TzuBitmap b(2, 2);
    Fill(b, {0xFFFFFFFF, 0x80808080, 0x00000000, 0xFF0000FF});
    const std::vector<uint8_t> mask = b.CreateAlphaMask();
    EXPECT_EQ(mask, (std::vector<uint8_t>{0xFF, 0x80, 0x00, 0xFF}));

    // A full mask byte erases, an empty one keeps; shifted by one column, column 0 has no
    // mask position and stays as it is.
    TzuBitmap target(2, 2);
    Fill(target, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF});
    target.ApplyAlphaMask(std::vector<uint8_t>{0xFF, 0x00, 0x00, 0x00}, 0, 0);
    EXPECT_EQ(Pixels(target), (std::vector<uint32_t>{0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}));
    Fill(target, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF});
    target.ApplyAlphaMask(std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}, 1, 0);
    EXPECT_EQ(Pixels(target), (std::vector<uint32_t>{0xFFFFFFFF, 0, 0xFFFFFFFF, 0}));
    // A mask shorter than the bitmap is read as far as it goes.
    Fill(target, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF});
    target.ApplyAlphaMask(std::vector<uint8_t>{0x00, 0xFF}, 0, 0);
    EXPECT_EQ(Pixels(target), (std::vector<uint32_t>{0xFFFFFFFF, 0, 0xFFFFFFFF, 0xFFFFFFFF}));
}

TEST(PixelBlocks, FillsStayInsideTheArray) {
    std::vector<uint32_t> px(12, 0);  // 4 x 3
    FillPixelRect(px.data(), 4, 3, 7, -2, 1, 9, 9);
    EXPECT_EQ(px, (std::vector<uint32_t>{0, 0, 0, 0, 7, 7, 7, 7, 7, 7, 7, 7}));
    FillPixelRect(px.data(), 4, 3, 1, 3, 0, 1, 3);  // empty
    EXPECT_EQ(px[0], 0u);
    FillPixelRect(px.data(), 4, 3, 1, 1, 0, 3, 1);
    EXPECT_EQ(px[0], 0u);
    EXPECT_EQ(px[1], 1u);
    EXPECT_EQ(px[3], 0u);

    std::vector<uint32_t> a{0x12345678, 0xFFFFFFFF};
    FillAlpha(a.data(), 2, 0x80);
    EXPECT_EQ(a, (std::vector<uint32_t>{0x80345678, 0x80FFFFFF}));
    FillPixels(a.data(), 1, 5);
    MovePixels(a.data(), a.data() + 1, 1);
    EXPECT_EQ(a, (std::vector<uint32_t>{5, 5}));
}

TEST(TzuBitmap, StackBlurSpreadsAndReports) {
    Events ev;  // outlives the bitmaps that report to it
    TzuBitmap b(5, 1);
    Fill(b, {0, 0, 0xFFFFFFFF, 0, 0});
    ev.Watch(b);
    StackBlur(b, 1);
    EXPECT_NE(b.Bits()[1], 0u);
    EXPECT_LT(b.Bits()[2], 0xFFFFFFFFu);
    EXPECT_EQ(ev.log, std::vector<std::string>{"change"});
}

TEST_F(WithToyFilter, PngPropertyRoundTripsEveryBitmapLosslessly) {
    Events ev;  // outlives the bitmaps that report to it
    const TzuPropInfo* png = TzuBitmap::StaticClass().FindProperty("PNG");
    ASSERT_NE(png, nullptr);
    ASSERT_EQ(png->kind, TzuPropKind::Defined);

    TzuBitmap opaque(2, 2);
    Fill(opaque, {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0});
    EXPECT_TRUE(IsPropStored(&opaque, *png));
    const TzuStreamValue data = png->writeValue(&opaque);
    EXPECT_EQ(ToyFilter::lastFormat, "png");

    TzuBitmap copy;
    ev.Watch(copy);
    png->readValue(&copy, data);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(Pixels(copy), Pixels(opaque));
    EXPECT_EQ(ev.log.back(), "change");
}

TEST_F(WithToyFilter, UnreadableImagesLeaveTheBitmapAlone) {
    Events ev;  // outlives the bitmaps that report to it
    TzuBitmap b(2, 1);
    Fill(b, {0xFF000001, 0xFF000002});
    ev.Watch(b);
    const std::vector<uint8_t> garbage{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    EXPECT_FALSE(b.LoadFromStream(garbage));
    EXPECT_FALSE(b.LoadFromStream({}));
    EXPECT_THROW(b.ReadPNG(TzuBytes(garbage)), EzuError);
    EXPECT_THROW(b.ReadPNG(std::string("text")), EzuError);

    // A header claiming an absurd size, and a decoder that gives up after resizing.
    TzuBytes huge{'T', 'O', 'Y', '1', 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
    EXPECT_FALSE(b.LoadFromStream(huge));
    TzuBytes truncated{'T', 'O', 'Y', '1', 3, 0, 0, 0, 3, 0, 0, 0, 1, 2};
    EXPECT_FALSE(b.LoadFromStream(truncated));
    ToyFilter::failLate = true;
    TzuBytes good = b.SaveToStream();
    good[4] = 1;
    good[8] = 2;
    EXPECT_FALSE(b.LoadFromStream(good));

    EXPECT_TRUE(ev.log.empty());
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(Pixels(b), (std::vector<uint32_t>{0xFF000001, 0xFF000002}));
    EXPECT_FALSE(b.LoadFromFile("/nonexistent/picture.png"));
}

TEST(TzuBitmap, WithoutAFilterLoadsFailAndSavesRaise) {
    SetDefaultFilterClass(nullptr);
    TzuBitmap b;
    EXPECT_FALSE(b.LoadFromStream(std::vector<uint8_t>{'T', 'O', 'Y', '1'}));
    EXPECT_THROW(b.SaveToStream(), EzuError);
    EXPECT_THROW(b.SaveToFile("/tmp/never-written.png"), EzuError);
    EXPECT_THROW(SetDefaultFilterClass(&TzuBitmap::StaticClass()), EzuError);
}

TEST(TzuFilter, CodecOperationsOfTheBaseAreAbstract) {
    TzuFilter f;
    TzuBitmap b;
    TzuBytes data;
    EXPECT_EQ(f.GetFileTypes(), "");
    EXPECT_EQ(f.GetImageSize("x.png"), (TzuPoint{0, 0}));
    EXPECT_THROW(f.LoadFromStream(data, b), EzuError);
    EXPECT_THROW(f.SaveToStream(data, b, "png", ""), EzuError);
    EXPECT_THROW(f.LoadFromFile("x.png", 0, b), EzuError);
}

TEST(TzuBitmap, SharedBitmapByNameAndItsDeath) {
    Events ev;  // outlives the bitmaps that report to it
    TzuBitmap b;
    ev.Watch(b);
    b.SetResourceName("Logo");
    EXPECT_EQ(ev.log, std::vector<std::string>{"change"});
    EXPECT_EQ(b.ResourceBitmap(), nullptr);

    auto holder = std::make_unique<TzuBitmapObject>(nullptr);
    holder->SetName("logo");
    holder->Bitmap()->SetSize(4, 4);
    EXPECT_EQ(b.ResourceBitmap(), holder->Bitmap());

    // A copy of a bitmap showing a shared one shares it too, without pixels.
    TzuBitmap copy;
    copy.Assign(b);
    EXPECT_EQ(copy.Resource(), holder.get());
    EXPECT_EQ(copy.Width(), 1);

    holder.reset();
    EXPECT_EQ(b.Resource(), nullptr);
    EXPECT_EQ(copy.Resource(), nullptr);
    EXPECT_EQ(b.ResourceName(), "Logo");

    // Copying plain pixels drops the shared link, or the copy would not show them.
    TzuBitmapObject other(nullptr);
    other.SetName("other");
    copy.SetResource(&other);
    EXPECT_EQ(copy.ResourceName(), "other");
    TzuBitmap plain(3, 1);
    copy.Assign(plain);
    EXPECT_EQ(copy.Resource(), nullptr);
    EXPECT_EQ(copy.ResourceName(), "");
    EXPECT_EQ(copy.Width(), 3);

    copy.SetResource(&other);
    copy.SetResource(nullptr);
    EXPECT_EQ(copy.ResourceName(), "");

    // A holder whose own bitmap names it does not show itself.
    other.Bitmap()->SetResourceName("other");
    EXPECT_EQ(other.Bitmap()->ResourceBitmap(), nullptr);
}

}  // namespace
}  // namespace zu
