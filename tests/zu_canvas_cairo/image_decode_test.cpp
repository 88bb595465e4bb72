// Image files decoded as they are: alpha taken as each decoder really hands it back, icon
// files shown from their largest entry, GIF frames smaller than their screen, and image
// bombs (a few bytes claiming a huge picture) refused before any decoder allocates.

#include <gtest/gtest.h>

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <png.h>

#include "backend/zu_canvas_cairo/filter_pixbuf.h"
#include "backend/zu_canvas_cairo/image_sniff.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/filter.h"
#include "tests/zu_canvas_cairo/image_files.h"

namespace zu {
namespace {

using test::Gif;
using test::GifFrame;
using test::Icon;
using test::IconBitmap;

// The channel as drawn over white.
int OverWhite(uint32_t pixel, int shift) { return int((pixel >> shift) & 255) + 255 - int(pixel >> 24); }

// The system decoder's reading of a PNG, premultiplied (rounded) as the bitmap holds it.
std::vector<uint32_t> SystemDecode(const TzuBytes& png, const char* type = "png") {
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type(type, nullptr);
    std::vector<uint32_t> pixels;
    if (gdk_pixbuf_loader_write(loader, png.data(), png.size(), nullptr) &&
        gdk_pixbuf_loader_close(loader, nullptr)) {
        GdkPixbuf* p = gdk_pixbuf_loader_get_pixbuf(loader);
        const int n = gdk_pixbuf_get_n_channels(p), stride = gdk_pixbuf_get_rowstride(p);
        for (int y = 0; y < gdk_pixbuf_get_height(p); ++y) {
            for (int x = 0; x < gdk_pixbuf_get_width(p); ++x) {
                const uint8_t* s = gdk_pixbuf_read_pixels(p) + y * stride + x * n;
                const uint32_t a = n == 4 ? s[3] : 255;
                const auto times = [a](uint32_t c) { return (c * a + 127) / 255; };  // rounded
                pixels.push_back(a << 24 | times(s[0]) << 16 | times(s[1]) << 8 | times(s[2]));
            }
        }
    }
    g_object_unref(loader);
    return pixels;
}

TEST(ImageDecode, PngOfEveryLayoutReadsAsTheSystemDecoderShowsIt) {
    TzuFilterPixbuf filter;
    struct Layout {
        int type;
        std::vector<int> depths;
        bool transparent;
    };
    const Layout layouts[] = {{PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}, true},
                              {PNG_COLOR_TYPE_RGB, {8, 16}, true},
                              {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}, true},
                              {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}, false},
                              {PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}, false}};
    uint32_t seed = 1;
    for (const Layout& layout : layouts) {
        for (int depth : layout.depths) {
            for (int variant = 0; variant < 4; ++variant) {
                const bool interlaced = variant & 1, transparent = layout.transparent && (variant & 2);
                SCOPED_TRACE(testing::Message()
                             << "type " << layout.type << " depth " << depth << " interlaced " << interlaced
                             << " transparent " << transparent);
                const TzuBytes png = test::Png(13, 7, layout.type, depth, interlaced, transparent, ++seed);
                const std::vector<uint32_t> expected = SystemDecode(png);
                ASSERT_EQ(expected.size(), 13u * 7u);
                TzuBitmap b;
                ASSERT_TRUE(filter.LoadFromStream(png, b));
                ASSERT_EQ(b.Width(), 13);
                ASSERT_EQ(b.Height(), 7);
                for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(b.Bits()[i], expected[i]) << i;
            }
        }
    }
    // Any cut of a file fails and leaves the bitmap alone.
    const TzuBytes png = test::Png(13, 7, PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false, 99);
    TzuBitmap b(2, 2);
    for (size_t n = 0; n + 12 < png.size(); n += 3) {
        EXPECT_FALSE(filter.LoadFromStream(std::span(png.data(), n), b)) << n;
        EXPECT_EQ(b.Width(), 2);
    }
}

TEST(ImageDecode, JpegOfEveryKindReadsAsTheSystemDecoderShowsIt) {
    TzuFilterPixbuf filter;
    uint32_t seed = 1;
    for (int channels : {1, 3, 4}) {
        for (bool progressive : {false, true}) {
            SCOPED_TRACE(testing::Message() << channels << " channels, progressive " << progressive);
            const TzuBytes jpeg = test::Jpeg(37, 21, channels, progressive, ++seed);
            const std::vector<uint32_t> expected = SystemDecode(jpeg, "jpeg");
            ASSERT_EQ(expected.size(), 37u * 21u);
            TzuBitmap b;
            ASSERT_TRUE(filter.LoadFromStream(jpeg, b));
            ASSERT_EQ(b.Width(), 37);
            ASSERT_EQ(b.Height(), 21);
            for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(b.Bits()[i], expected[i]) << i;
            // A file cut short anywhere fails and leaves the bitmap alone.
            for (size_t n = 0; n + 2 < jpeg.size(); n += 37) {
                EXPECT_FALSE(filter.LoadFromStream(std::span(jpeg.data(), n), b)) << n;
                EXPECT_EQ(b.Width(), 37);
            }
        }
    }
}

TEST(ImageDecode, TiffAlphaIsPremultipliedOnce) {
    TzuFilterPixbuf filter;
    // (225, 50, 50) at alpha 147, stored straight and stored premultiplied.
    const TzuBytes straight = test::TiffRgba(2, 1, {225, 50, 50, 147, 0, 0, 255, 255}, 2);
    const TzuBytes associated = test::TiffRgba(2, 1, {130, 29, 29, 147, 0, 0, 255, 255}, 1);
    for (const TzuBytes* file : {&straight, &associated}) {
        TzuBitmap b;
        ASSERT_TRUE(filter.LoadFromStream(*file, b));
        const uint32_t p = b.ScanLine(0)[0];
        EXPECT_EQ(p >> 24, 147u);
        EXPECT_NEAR(OverWhite(p, 16), 237, 1);
        EXPECT_NEAR(OverWhite(p, 8), 136, 1);
        EXPECT_EQ(b.ScanLine(0)[1], 0xFF0000FFu);
    }
    // The library's own TIFFs come back as they were written.
    TzuBitmap source(3, 1);
    source.ScanLine(0)[0] = PremultiplyColor(0x93E13232);
    source.ScanLine(0)[1] = PremultiplyColor(0x20FFFFFF);
    source.ScanLine(0)[2] = PremultiplyColor(0xFE102030);
    TzuBytes data;
    ASSERT_TRUE(filter.SaveToStream(data, source, "tiff", ""));
    TzuBitmap back;
    ASSERT_TRUE(filter.LoadFromStream(data, back));
    for (int x = 0; x < 3; ++x) {
        for (int shift : {0, 8, 16, 24}) {
            EXPECT_NEAR(int((back.ScanLine(0)[x] >> shift) & 255),
                        int((source.ScanLine(0)[x] >> shift) & 255), 1)
                << x << " " << shift;
        }
    }
}

TEST(ImageDecode, IconShowsItsLargestEntryFromItsOwnBytes) {
    TzuFilterPixbuf filter;
    TzuBitmap big(256, 256);
    big.Clear(0xFF20C040);
    big.ScanLine(255)[255] = PremultiplyColor(0x80FF0000);
    TzuBytes png;
    ASSERT_TRUE(filter.SaveToStream(png, big, "png", ""));
    const TzuBytes icon = Icon({{16, IconBitmap(16, 0xFFFF0000)},
                                {32, IconBitmap(32, 0xFFFF0000)},
                                {48, IconBitmap(48, 0xFFFF0000)},
                                {256, png}});
    TzuBitmap b;
    ASSERT_TRUE(filter.LoadFromStream(icon, b));
    ASSERT_EQ(b.Width(), 256);
    ASSERT_EQ(b.Height(), 256);
    for (int y = 0; y < 256; y += 15) {
        for (int x = 0; x < 255; x += 15) ASSERT_EQ(b.ScanLine(y)[x], 0xFF20C040u) << x << "," << y;
    }
    EXPECT_EQ(b.ScanLine(255)[255], PremultiplyColor(0x80FF0000));
    EXPECT_EQ(SniffImage(icon).width, 256);

    // The largest bitmap entry wins over a smaller compressed one, wherever it stands.
    const TzuBytes small = [&] {
        TzuBitmap s(8, 8);
        TzuBytes d;
        filter.SaveToStream(d, s, "png", "");
        return d;
    }();
    ASSERT_TRUE(filter.LoadFromStream(
        Icon({{8, small}, {48, IconBitmap(48, 0xFF0000FF)}, {16, IconBitmap(16, 0)}}), b));
    EXPECT_EQ(b.Width(), 48);
    EXPECT_EQ(b.ScanLine(47)[47], 0xFF0000FFu);

    // An entry whose bytes run past the end of the file is never drawn: the next one is.
    TzuBytes cut = Icon({{32, IconBitmap(32, 0xFF00FF00)}, {48, IconBitmap(48, 0xFF0000FF)}});
    cut.resize(cut.size() - 100);
    ASSERT_TRUE(filter.LoadFromStream(cut, b));
    EXPECT_EQ(b.Width(), 32);
    EXPECT_EQ(b.ScanLine(0)[0], 0xFF00FF00u);
    // With no readable entry at all the icon fails like any unreadable image.
    TzuBytes only = Icon({{48, IconBitmap(48, 0xFF0000FF)}});
    only.resize(only.size() - 600);
    EXPECT_FALSE(filter.LoadFromStream(only, b));
    EXPECT_EQ(b.Width(), 32);
}

TEST(ImageDecode, GifFrameSmallerThanTheScreen) {
    TzuFilterPixbuf filter;
    const TzuBytes gif = Gif(8, 6, {GifFrame{2, 1, 3, 2, {1, 1, 1, 2, 2, 3}}, GifFrame{0, 0, 8, 6, {}}});
    TzuBitmap b;
    ASSERT_TRUE(filter.LoadFromStream(gif, b));
    ASSERT_EQ(b.Width(), 8);
    ASSERT_EQ(b.Height(), 6);
    EXPECT_EQ(b.ScanLine(1)[2], 0xFFFF0000u);
    EXPECT_EQ(b.ScanLine(2)[4], 0xFF0000FFu);
    EXPECT_EQ(b.ScanLine(0)[0], 0u);
    EXPECT_EQ(b.ScanLine(5)[7], 0u);
    // A frame larger than the screen is shown clipped to it.
    ASSERT_TRUE(filter.LoadFromStream(Gif(2, 2, {GifFrame{0, 0, 3, 3, std::vector<uint8_t>(9, 2)}}), b));
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.ScanLine(1)[1], 0xFF00FF00u);

    // A screen or any frame of no pixels fails.
    for (const TzuBytes& empty :
         {Gif(0, 4, {GifFrame{0, 0, 1, 1, {1}}}), Gif(4, 4, {GifFrame{0, 0, 0, 2, {}}}),
          Gif(4, 4, {GifFrame{0, 0, 1, 1, {1}}, GifFrame{0, 0, 2, 0, {}}})}) {
        EXPECT_FALSE(filter.LoadFromStream(empty, b));
    }

    // Every cut of the file before its first frame ends fails and leaves the bitmap alone.
    const TzuBytes one = Gif(8, 6, {GifFrame{2, 1, 3, 2, {1, 1, 1, 2, 2, 3}}});
    for (size_t n = 0; n + 2 < one.size(); ++n) {
        EXPECT_FALSE(filter.LoadFromStream(std::span(one.data(), n), b)) << n;
        EXPECT_EQ(b.Width(), 2);
    }
}

TEST(ImageDecode, BombsFailBeforeAnyDecoderAllocates) {
    TzuFilterPixbuf filter;
    TzuBitmap small(10, 10);
    TzuBytes png;
    ASSERT_TRUE(filter.SaveToStream(png, small, "png", ""));
    TzuBytes bigPng = png;  // IHDR claims 16384 x 16384: 1 GB of pixels
    for (int at : {16, 20}) bigPng[size_t(at) + 2] = 0x40, bigPng[size_t(at) + 3] = 0;
    TzuBytes dibBomb = IconBitmap(16, 0);  // an entry claiming 16384 x 16384, 16 x 16 of bytes
    dibBomb[5] = dibBomb[9] = 0x40, dibBomb[4] = dibBomb[8] = 0;
    // A directory entry pointing 2 GB into a 94-byte file.
    // A 3 x 2 bitmap file of 280 bits per pixel: the decoder asked for 4 GB.
    TzuBytes deepBmp(0x4E, 0xFF);
    const uint8_t deepHead[] = {'B', 'M', 0x4E, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 0x28, 0, 0,    0,
                                3,   0,   0,    0, 2, 0, 0, 0, 1, 0, 0x18, 1, 0, 0, 0,    0, 0x18, 0,
                                0,   0,   0,    0, 0, 0, 0, 0, 0, 0, 0,    0, 0, 0, 0,    0, 0,    0};
    std::copy(std::begin(deepHead), std::end(deepHead), deepBmp.begin());
    TzuBytes paletteBmp = deepBmp;  // 8 bits per pixel, but a palette of 2^31 colours
    paletteBmp[28] = 8, paletteBmp[29] = 0, paletteBmp[49] = 0x80;
    TzuBytes farEntry = Icon({{16, TzuBytes(72, 0)}});
    farEntry[21] = 0x7F;
    const TzuBytes cases[] = {
        Gif(16384, 16384, {GifFrame{0, 0, 1, 1, {1}}}),
        Gif(1, 1, {GifFrame{0, 0, 16384, 16384, {1}}}),  // one frame far beyond its screen
        Gif(1, 1, {GifFrame{0, 0, 1, 1, {1}}, GifFrame{0, 0, 9000, 9000, {1}}}),
        bigPng,
        Icon({{16, dibBomb}}),
        farEntry,
        test::TiffRgba(16384, 16384, {1, 2, 3, 4}, 2),
        deepBmp,
        paletteBmp,
    };
    TzuBitmap b(3, 3);
    for (const TzuBytes& data : cases) {
        EXPECT_FALSE(filter.LoadFromStream(data, b));
        EXPECT_EQ(b.Width(), 3);
    }
}

TEST(ImageDecode, PixelBudgetIsASetting) {
    TzuFilterPixbuf filter;
    TzuBitmap source(100, 80);
    TzuBytes png, gif;
    ASSERT_TRUE(filter.SaveToStream(png, source, "png", ""));
    ASSERT_TRUE(filter.SaveToStream(gif, source, "gif", ""));
    EXPECT_EQ(ImagePixelBudget(), kDefaultImagePixelBudget);
    TzuBitmap b;
    SetImagePixelBudget(7999);
    EXPECT_FALSE(filter.LoadFromStream(png, b));
    EXPECT_FALSE(filter.LoadFromStream(gif, b));
    SetImagePixelBudget(8000);
    EXPECT_TRUE(filter.LoadFromStream(png, b));
    EXPECT_TRUE(filter.LoadFromStream(gif, b));
    SetImagePixelBudget(-5);
    EXPECT_EQ(ImagePixelBudget(), 1);
    SetImagePixelBudget(int64_t(1) << 40);
    EXPECT_EQ(ImagePixelBudget(), kMaxBitmapPixels);
    SetImagePixelBudget(kDefaultImagePixelBudget);
}

}  // namespace
}  // namespace zu
