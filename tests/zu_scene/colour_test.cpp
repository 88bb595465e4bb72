#include "scene/zu_scene/types/colour.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace zu {
namespace {

TEST(Colour, MakeColorPacksChannelsAsAARRGGBB) {
    EXPECT_EQ(MakeColor(0x12, 0x34, 0x56, 0x78), 0x78123456u);
    EXPECT_EQ(MakeColor(1, 2, 3), 0xFF010203u);
}

TEST(Colour, OpacityTruncatesAlphaAndSaturates) {
    EXPECT_EQ(ColorWithOpacity(0xFF102030, 0.5f), 0x7F102030u);
    EXPECT_EQ(ColorWithOpacity(0x80102030, 1.0f), 0x80102030u);
    EXPECT_EQ(ColorWithOpacity(0x80102030, 3.0f), 0x80102030u);
    EXPECT_EQ(ColorWithOpacity(0xFF102030, 0.0f), 0x00102030u);
    EXPECT_EQ(ColorWithOpacity(0xFF102030, -2.0f), 0x00102030u);
}

TEST(Colour, PremultiplyTruncatesEachChannel) {
    EXPECT_EQ(PremultiplyColor(0x80402000), 0x80201000u);
    EXPECT_EQ(PremultiplyColor(0x00FFFFFF), 0u);
    EXPECT_EQ(PremultiplyColor(0xFF123456), 0xFF123456u);
}

TEST(Colour, UnpremultiplyInvertsAndSaturatesInvalidChannels) {
    EXPECT_EQ(UnpremultiplyColor(0x80201000), 0x803F1F00u);  // 32*255/128 = 63.75 -> 63
    EXPECT_EQ(UnpremultiplyColor(0x00123456), 0u);
    EXPECT_EQ(UnpremultiplyColor(0xFF123456), 0xFF123456u);
    // A channel equal to alpha is full intensity, not one short of it.
    EXPECT_EQ(UnpremultiplyColor(0x33333333), 0x33FFFFFFu);
    // Channel above alpha: not a premultiplied colour; saturate instead of wrapping.
    EXPECT_EQ(UnpremultiplyColor(0x10FF2008), 0x10FFFF7Fu);
    for (int a = 1; a < 255; ++a) {
        TzuColor c = MakeColor(200, 100, 7, uint8_t(a));
        TzuColor back = UnpremultiplyColor(PremultiplyColor(c));
        EXPECT_EQ(ColorAlpha(back), a);
        EXPECT_LE(ColorRed(back), 200);
        EXPECT_GE(ColorRed(back) + 255 / a + 1, 200) << "alpha " << a;
    }
}

TEST(Colour, InterpolateMovesEachChannelIndependently) {
    EXPECT_EQ(InterpolateColor(0xFF000000, 0x00FF8040, 0.0f), 0xFF000000u);
    EXPECT_EQ(InterpolateColor(0xFF000000, 0x00FF8040, 1.0f), 0x00FF8040u);
    // Alpha falls 255 -> 0: 255 + Trunc(-127.5) = 128; red 0 + Trunc(127.5) = 127.
    EXPECT_EQ(InterpolateColor(0xFF000000, 0x00FF8040, 0.5f), 0x807F4020u);
}

TEST(Colour, InterpolateSaturatesWhenEasingOvershoots) {
    EXPECT_EQ(InterpolateColor(0x00000000, 0xFFFFFFFF, 1.5f), 0xFFFFFFFFu);
    EXPECT_EQ(InterpolateColor(0x00000000, 0xFFFFFFFF, -0.5f), 0x00000000u);
    EXPECT_EQ(InterpolateColor(0x10203040, 0x10203040, 1e30f), 0x10203040u);
}

TEST(Colour, RGBToHSLOfPrimariesAndGrays) {
    float h, s, l;
    RGBToHSL(0xFFFF0000, h, s, l);
    EXPECT_FLOAT_EQ(h, 0);
    EXPECT_FLOAT_EQ(s, 1);
    EXPECT_FLOAT_EQ(l, 0.5f);
    RGBToHSL(0xFF00FF00, h, s, l);
    EXPECT_FLOAT_EQ(h, 1.0f / 3);
    RGBToHSL(0xFF0000FF, h, s, l);
    EXPECT_FLOAT_EQ(h, 2.0f / 3);
    RGBToHSL(0xFFFF00FF, h, s, l);  // magenta: red holds the maximum, hue wraps to 5/6
    EXPECT_FLOAT_EQ(h, 5.0f / 6);
    RGBToHSL(0x00808080, h, s, l);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 0);
    EXPECT_FLOAT_EQ(l, 128.0f / 255);
}

TEST(Colour, HSLRoundTripReproducesRGB) {
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 3)
            for (int b = 0; b < 256; b += 7) {
                TzuColor c = MakeColor(uint8_t(r), uint8_t(g), uint8_t(b), 0x40);
                float h, s, l;
                RGBToHSL(c, h, s, l);
                ASSERT_EQ(HSLToRGB(h, s, l), c | 0xFF000000u) << std::hex << c;
            }
}

TEST(Colour, HSLToRGBKeepsChannelsInRangeForWildInput) {
    EXPECT_EQ(HSLToRGB(0.3f, 0, 2.0f), 0xFFFFFFFFu);
    EXPECT_EQ(HSLToRGB(0.3f, 0, -1.0f), 0xFF000000u);
    EXPECT_EQ(HSLToRGB(7.0f, 1, 0.5f), 0xFFFF0000u);  // hue wraps
    TzuColor c = HSLToRGB(0.1f, 5.0f, 0.9f);
    EXPECT_EQ(ColorAlpha(c), 0xFF);
}

TEST(Colour, ChangeHSLClampsAndKeepsAlpha) {
    EXPECT_EQ(ChangeHSL(0x80FF0000, 0, 0, 1), 0x80FFFFFFu);
    EXPECT_EQ(ChangeHSL(0x80FF0000, 0, -1, 0), 0x80808080u);  // L 0.5 -> 127.5 -> 128
    // Hue is clamped, not wrapped: blue (2/3) plus one stays at hue 1, which is red.
    EXPECT_EQ(ChangeHSL(0xFF0000FF, 1, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(ChangeHSL(0x12345678, 0, 0, 0), 0x12345678u);
}

TEST(Colour, NamedColorTableIsSortedCapitalisedAndComplete) {
    auto table = NamedColors();
    ASSERT_EQ(table.size(), 147u);
    for (size_t i = 0; i < table.size(); ++i) {
        std::string name = table[i].name;
        EXPECT_TRUE(std::isupper((unsigned char)name[0])) << name;
        for (size_t k = 1; k < name.size(); ++k) EXPECT_TRUE(std::islower((unsigned char)name[k])) << name;
        EXPECT_EQ(std::string(table[i].text).substr(0, 3), "#FF") << name;
        EXPECT_EQ(std::string(table[i].text).size(), 9u);
        if (i > 0) {
            std::string prev = table[i - 1].name;
            prev[0] = char(std::tolower(prev[0]));
            name[0] = char(std::tolower(name[0]));
            EXPECT_LT(prev, name);
        }
    }
    EXPECT_STREQ(table.front().name, "Aliceblue");
    EXPECT_STREQ(table.front().text, "#FFF0F8FF");
    EXPECT_STREQ(table.back().name, "Yellowgreen");
}

TEST(Colour, NamedColorsHaveTheWebValues) {
    EXPECT_EQ(TextToColor("Darkgray"), TextToColor("Darkgrey"));
    EXPECT_EQ(TextToColor("Darkgray"), 0xFFA9A9A9u);
    EXPECT_EQ(TextToColor("Gray"), 0xFF808080u);
    EXPECT_EQ(TextToColor("Green"), 0xFF008000u);
    EXPECT_EQ(TextToColor("Lime"), 0xFF00FF00u);
    EXPECT_EQ(TextToColor("Maroon"), 0xFF800000u);
    EXPECT_EQ(TextToColor("Purple"), 0xFF800080u);
    EXPECT_EQ(TextToColor("Rebeccapurple"), 0u);  // a later keyword, not part of the set
    EXPECT_EQ(TextToColor("Lightgoldenrodyellow"), 0xFFFAFAD2u);
    EXPECT_EQ(TextToColor("White"), 0xFFFFFFFFu);
}

TEST(Colour, ColorToTextIsHashAndEightUpperCaseDigits) {
    EXPECT_EQ(ColorToText(0x80FF0000), "#80FF0000");
    EXPECT_EQ(ColorToText(0xFF000000), "#FF000000");
    EXPECT_EQ(ColorToText(0), "#00000000");
    EXPECT_EQ(ColorToText(0xabcdef12), "#ABCDEF12");
}

TEST(Colour, TextToColorReadsHexNamesAndIntegers) {
    EXPECT_EQ(TextToColor("#80ff0000"), 0x80FF0000u);
    EXPECT_EQ(TextToColor("#FF0000"), 0x00FF0000u);  // short forms are not expanded
    EXPECT_EQ(TextToColor("#00000000FF"), 0xFFu);    // leading zeros do not overflow
    EXPECT_EQ(TextToColor("red"), 0xFFFF0000u);
    EXPECT_EQ(TextToColor("RED"), 0xFFFF0000u);
    EXPECT_EQ(TextToColor("Red"), 0xFFFF0000u);
    EXPECT_EQ(TextToColor("$FF00FF00"), 0xFF00FF00u);
    EXPECT_EQ(TextToColor("255"), 0xFFu);
    EXPECT_EQ(TextToColor("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(TextToColor("-1"), 0xFFFFFFFFu);
}

TEST(Colour, TextToColorGivesTransparentBlackForBadText) {
    for (const char* bad : {"", "#", "$", "#FF00GG00", "#1FF0000000", "nocolour", "Redd", "4294967296",
                            "-2147483649", "12 ", " 12", "#FF 00", "-", "+"})
        EXPECT_EQ(TextToColor(bad), 0u) << '"' << bad << '"';
}

TEST(Colour, TextRoundTripsEveryAlphaAndChannel) {
    for (uint32_t v = 0; v < 0x100; ++v) {
        TzuColor c = v << 24 | (v ^ 0x5A) << 16 | (255 - v) << 8 | (v * 7 & 0xFF);
        EXPECT_EQ(TextToColor(ColorToText(c)), c);
    }
}

}  // namespace
}  // namespace zu
