// The image filter: encode and decode round trips, format choice, rotation, thumbnails,
// and bad input failing cleanly.

#include "backend/zu_canvas_cairo/filter_pixbuf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "backend/zu_canvas_cairo/image_sniff.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu {
namespace {

namespace fs = std::filesystem;

class FilterPixbuf : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("zu_filter_" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }

    fs::path m_dir;
    TzuFilterPixbuf m_filter;
};

// Premultiplied pixels: a left-to-right red ramp, top-to-bottom green, alpha 255 except a
// translucent and a clear column on the right.
void Pattern(TzuBitmap& b, int w, int h) {
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t a = x == w - 1 ? 0 : x == w - 2 ? 128 : 255;
            const uint32_t r = (x * 255 / w) * a / 255, g = (y * 255 / h) * a / 255;
            b.ScanLine(y)[x] = a << 24 | r << 16 | g << 8;
        }
    }
}

TEST_F(FilterPixbuf, PngRoundTripIsLossless) {
    TzuBitmap source(23, 17);
    std::mt19937 random(7);
    for (int64_t i = 0; i < source.PixelCount(); ++i) {
        const uint32_t a = random() & 255;
        source.Bits()[i] = PremultiplyColor(a << 24 | (random() & 0xFFFFFF));
    }
    TzuBytes data;
    ASSERT_TRUE(m_filter.SaveToStream(data, source, "png", ""));
    TzuBitmap back;
    ASSERT_TRUE(m_filter.LoadFromStream(data, back));
    ASSERT_EQ(back.Width(), 23);
    ASSERT_EQ(back.Height(), 17);
    for (int64_t i = 0; i < source.PixelCount(); ++i) ASSERT_EQ(back.Bits()[i], source.Bits()[i]) << i;
}

TEST_F(FilterPixbuf, LossyAndOtherFormatsDecodeCloseToTheSource) {
    TzuBitmap source;
    Pattern(source, 40, 30);
    struct Case {
        const char* format;
        int tolerance;
        bool keepsAlpha;
    };
    for (const Case& c :
         {Case{"jpeg", 24, false}, Case{"gif", 48, true}, Case{"bmp", 0, false}, Case{"tiff", 0, true}}) {
        SCOPED_TRACE(c.format);
        TzuBytes data;
        ASSERT_TRUE(m_filter.SaveToStream(data, source, c.format, "quality=90"));
        TzuBitmap back;
        ASSERT_TRUE(m_filter.LoadFromStream(data, back));
        ASSERT_EQ(back.Width(), 40);
        ASSERT_EQ(back.Height(), 30);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 37; ++x) {  // the opaque columns
                const uint32_t s = source.ScanLine(y)[x], d = back.ScanLine(y)[x];
                ASSERT_EQ(d >> 24, 255u);
                ASSERT_NEAR(int((d >> 16) & 255), int((s >> 16) & 255), c.tolerance) << x << "," << y;
                ASSERT_NEAR(int((d >> 8) & 255), int((s >> 8) & 255), c.tolerance) << x << "," << y;
            }
        }
        if (c.keepsAlpha) {
            EXPECT_EQ(back.ScanLine(5)[39], 0u);  // the clear column stays clear
        }
    }
}

TEST_F(FilterPixbuf, EncoderFollowsFormatNameAndExtension) {
    EXPECT_EQ(EncoderForFormat("JPG"), "jpeg");
    EXPECT_EQ(EncoderForFormat("tif"), "tiff");
    EXPECT_EQ(EncoderForFormat("webp"), "png");
    EXPECT_EQ(EncoderForFileName("a/photo.JPG"), "jpeg");
    EXPECT_EQ(EncoderForFileName("x.tiff"), "tiff");
    EXPECT_EQ(EncoderForFileName("x.ico"), "");
    EXPECT_EQ(EncoderForFileName("dir.png/name"), "");

    TzuBitmap b(4, 4);
    TzuBytes data;
    ASSERT_TRUE(m_filter.SaveToStream(data, b, "webp", ""));
    EXPECT_EQ(SniffImage(data).kind, TzuImageKind::Png);
    EXPECT_FALSE(m_filter.SaveToFile(File("icon.ico"), b, ""));
    EXPECT_FALSE(fs::exists(File("icon.ico")));
    ASSERT_TRUE(m_filter.SaveToFile(File("photo.JPG"), b, ""));
    std::ifstream in(File("photo.JPG"), std::ios::binary);
    char magic[2] = {};
    in.read(magic, 2);
    EXPECT_EQ(uint8_t(magic[0]), 0xFF);
    EXPECT_EQ(uint8_t(magic[1]), 0xD8);
}

TEST_F(FilterPixbuf, QualityParameterTakesTheLastQualityItem) {
    EXPECT_EQ(QualityParameter(""), -1);
    EXPECT_EQ(QualityParameter("quality=80 foo=1"), 80);
    EXPECT_EQ(QualityParameter("QUALITY=10 quality=55"), 55);
    EXPECT_THROW(QualityParameter("quality=high"), EzuError);

    TzuBitmap b;
    Pattern(b, 64, 64);
    TzuBytes low, high;
    ASSERT_TRUE(m_filter.SaveToStream(low, b, "jpeg", "quality=5"));
    ASSERT_TRUE(m_filter.SaveToStream(high, b, "jpeg", "quality=100"));
    EXPECT_LT(low.size(), high.size());
}

TEST_F(FilterPixbuf, LoadFromFileRotates) {
    TzuBitmap b;
    Pattern(b, 200, 100);
    b.ScanLine(0)[0] = 0xFFFFFFFF;  // a white top-left pixel to follow
    ASSERT_TRUE(m_filter.SaveToFile(File("wide.png"), b, ""));

    TzuBitmap turned;
    ASSERT_TRUE(m_filter.LoadFromFile(File("wide.png"), 90, turned));
    EXPECT_EQ(turned.Width(), 100);
    EXPECT_EQ(turned.Height(), 200);
    EXPECT_EQ(turned.ScanLine(0)[99], 0xFFFFFFFFu);  // clockwise: top-left goes top-right
    ASSERT_TRUE(m_filter.LoadFromFile(File("wide.png"), -90, turned));
    EXPECT_EQ(turned.Width(), 100);
    EXPECT_EQ(turned.ScanLine(199)[0], 0xFFFFFFFFu);
    ASSERT_TRUE(m_filter.LoadFromFile(File("wide.png"), 180, turned));
    EXPECT_EQ(turned.Width(), 200);
    EXPECT_EQ(turned.ScanLine(99)[199], 0xFFFFFFFFu);
    ASSERT_TRUE(m_filter.LoadFromFile(File("wide.png"), 45, turned));
    EXPECT_NEAR(turned.Width(), 212, 1);
    EXPECT_NEAR(turned.Height(), 212, 1);
    EXPECT_EQ(turned.ScanLine(2)[2], 0u);  // corners of the larger bitmap stay clear
    EXPECT_EQ(turned.ScanLine(106)[106] >> 24, 255u);
}

TEST_F(FilterPixbuf, ThumbnailsShrinkButNeverEnlarge) {
    TzuBitmap b;
    Pattern(b, 50, 50);
    ASSERT_TRUE(m_filter.SaveToFile(File("small.png"), b, ""));
    Pattern(b, 200, 100);
    ASSERT_TRUE(m_filter.SaveToFile(File("wide.bmp"), b, ""));
    TzuBitmap thumb;
    for (bool embedded : {false, true}) {
        ASSERT_TRUE(m_filter.LoadThumbnailFromFile(File("small.png"), 100, 100, embedded, thumb));
        EXPECT_EQ(thumb.Width(), 50);
        EXPECT_EQ(thumb.Height(), 50);
        ASSERT_TRUE(m_filter.LoadThumbnailFromFile(File("wide.bmp"), 50, 50, embedded, thumb));
        EXPECT_EQ(thumb.Width(), 50);
        EXPECT_EQ(thumb.Height(), 25);
    }
    EXPECT_EQ(m_filter.GetImageSize(File("wide.bmp")), (TzuPoint{200, 100}));
    EXPECT_EQ(m_filter.GetImageSize(File("missing.png")), (TzuPoint{0, 0}));
}

TEST_F(FilterPixbuf, BadInputFailsAndLeavesTheBitmapAlone) {
    TzuBitmap source;
    Pattern(source, 30, 20);
    TzuBytes png;
    ASSERT_TRUE(m_filter.SaveToStream(png, source, "png", ""));
    TzuBytes jpeg;
    ASSERT_TRUE(m_filter.SaveToStream(jpeg, source, "jpeg", ""));

    TzuBytes truncated(png.begin(), png.begin() + png.size() / 2);
    TzuBytes hugePng = png;  // IHDR claims 100000 x 100000
    for (int i : {16, 20}) {
        hugePng[i] = 0;
        hugePng[i + 1] = 0x01;
        hugePng[i + 2] = 0x86;
        hugePng[i + 3] = 0xA0;
    }
    TzuBytes brokenJpeg(jpeg.begin(), jpeg.begin() + 40);
    TzuBytes garbage{'B', 'M', 1, 2, 3};
    // A bitmap file whose info header claims about 4 GB: the decoder would allocate that.
    TzuBytes hugeBmpHeader(64, 0);
    hugeBmpHeader[0] = 'B';
    hugeBmpHeader[1] = 'M';
    hugeBmpHeader[14] = 0x28;
    hugeBmpHeader[17] = 0xF6;
    // One whose pixels supposedly start about 4 GB into the file.
    TzuBytes farBmpPixels = hugeBmpHeader;
    farBmpPixels[17] = 0;
    farBmpPixels[13] = 0xED;
    const TzuBytes cases[] = {{},      truncated,     hugePng,      brokenJpeg,
                              garbage, hugeBmpHeader, farBmpPixels, {'h', 'e', 'l', 'l', 'o'}};
    TzuBitmap target;
    Pattern(target, 7, 5);
    const uint32_t before = target.ScanLine(2)[3];
    for (const TzuBytes& data : cases) {
        EXPECT_FALSE(m_filter.LoadFromStream(data, target));
        EXPECT_EQ(target.Width(), 7);
        EXPECT_EQ(target.ScanLine(2)[3], before);
    }
    EXPECT_FALSE(m_filter.LoadFromFile(File("missing.png"), 0, target));
    EXPECT_EQ(target.Width(), 7);
}

TEST_F(FilterPixbuf, IcoDecodes) {
    // A 2 x 2 icon, 32 bits per pixel, rows bottom-up: blue, green / red, half-clear white.
    const TzuBytes ico{0,   0, 1, 0,   1, 0,                                                // one image
                       2,   2, 0, 0,   1, 0,   32, 0,   64, 0, 0,   0,   22,  0,   0,   0,  // its entry
                       40,  0, 0, 0,   2, 0,   0,  0,   4,  0, 0,   0,   1,   0,   32,  0,  // header
                       0,   0, 0, 0,   0, 0,   0,  0,   0,  0, 0,   0,   0,   0,   0,   0,
                       0,   0, 0, 0,   0, 0,   0,  0,   0,  0, 255, 255, 255, 255, 255, 128,  // bottom row
                       255, 0, 0, 255, 0, 255, 0,  255,                                       // top row
                       0,   0, 0, 0,   0, 0,   0,  0};                                        // mask
    TzuBitmap back;
    ASSERT_TRUE(m_filter.LoadFromStream(ico, back));
    ASSERT_EQ(back.Width(), 2);
    ASSERT_EQ(back.Height(), 2);
    EXPECT_EQ(back.ScanLine(0)[0], 0xFF0000FFu);
    EXPECT_EQ(back.ScanLine(1)[0], 0xFFFF0000u);
    EXPECT_EQ(back.ScanLine(1)[1], 0x80808080u);  // premultiplied
}

}  // namespace
}  // namespace zu
