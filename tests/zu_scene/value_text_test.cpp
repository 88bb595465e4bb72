#include "scene/zu_scene/types/value_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "platform/core/persistent.h"

namespace zu {
namespace {

TEST(ValueText, FloatToTextUsesThreeDecimalsOnlyForFractions) {
    EXPECT_EQ(FloatToText(0.1), "0.100");
    EXPECT_EQ(FloatToText(1.5), "1.500");
    EXPECT_EQ(FloatToText(-0.25), "-0.250");
    EXPECT_EQ(FloatToText(1234.5678), "1234.568");
    EXPECT_EQ(FloatToText(-3), "-3");
    EXPECT_EQ(FloatToText(2.0), "2");
    EXPECT_EQ(FloatToText(-0.0), "0");
    EXPECT_EQ(FloatToText(0.0001), "0.000");
    EXPECT_EQ(FloatToText(9007199254740992.0), "9007199254740992");
    EXPECT_EQ(FloatToText(1e20), "100000000000000000000");
}

TEST(ValueText, FloatToTextWritesNonFiniteValuesAsZero) {
    EXPECT_EQ(FloatToText(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(FloatToText(std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(FloatToText(-std::numeric_limits<double>::infinity()), "0");
}

TEST(ValueText, TextToFloatReadsDecimalNumbers) {
    EXPECT_DOUBLE_EQ(TextToFloat("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(TextToFloat("  -0.25 "), -0.25);
    EXPECT_DOUBLE_EQ(TextToFloat("+7"), 7);
    EXPECT_DOUBLE_EQ(TextToFloat(".5"), 0.5);
    EXPECT_DOUBLE_EQ(TextToFloat("5."), 5);
    EXPECT_DOUBLE_EQ(TextToFloat("1e3"), 1000);
    EXPECT_DOUBLE_EQ(TextToFloat("2.5E-2"), 0.025);
    EXPECT_DOUBLE_EQ(TextToFloat("1e-400"), 0);  // underflow is just zero
    EXPECT_DOUBLE_EQ(TextToFloat("0.00000000000000000000000000000001e-300"), 0);
}

TEST(ValueText, TextToFloatRaisesOnInvalidText) {
    for (const char* bad : {"", " ", "abc", "1,5", "1.2.3", "--1", "+-1", "1e", "1e+", "e5", ".", "-.", "inf",
                            "nan", "0x10", "1 2", "1e999", "100000000000000000000e300"}) {
        EXPECT_THROW(TextToFloat(bad), EzuError) << '"' << bad << '"';
        double v = 42;
        EXPECT_FALSE(TryTextToFloat(bad, v)) << '"' << bad << '"';
        EXPECT_EQ(v, 42);
    }
    try {
        TextToFloat("x1");
        FAIL();
    } catch (const EzuError& e) {
        EXPECT_EQ(std::string(e.what()), "'x1' is not a valid floating point value");
    }
}

TEST(ValueText, PointAndRectText) {
    EXPECT_EQ(PointToText({10, 20.5f}), "(10,20.500)");
    EXPECT_EQ(RectToText({0, 0, 100, 50}), "(0,0,100,50)");
    EXPECT_EQ(RectToText({-1.25f, 0.1f, 3, 4}), "(-1.250,0.100,3,4)");
}

TEST(ValueText, TextToPointAndRectParseParenthesisedLists) {
    EXPECT_EQ(TextToPoint("(10,20.500)"), (TzuPoint{10, 20.5f}));
    EXPECT_EQ(TextToPoint("( 1 , -2 )"), (TzuPoint{1, -2}));
    EXPECT_EQ(TextToRect("(0,0,100,50)"), (TzuRect{0, 0, 100, 50}));
    EXPECT_EQ(TextToRect(" (1.5, 2, 3,4) trailing"), (TzuRect{1.5f, 2, 3, 4}));
}

TEST(ValueText, TextToPointAndRectGiveZeroOnAnyFailure) {
    EXPECT_EQ(TextToRect("(0,0,100)"), TzuRect{});
    EXPECT_EQ(TextToRect("(0,0,x,1)"), TzuRect{});
    EXPECT_EQ(TextToRect(""), TzuRect{});
    EXPECT_EQ(TextToPoint("1,2"), TzuPoint{});       // the opening delimiter is required
    EXPECT_EQ(TextToPoint("(1e39,2)"), TzuPoint{});  // beyond a single
    EXPECT_EQ(TextToPoint("(1,"), TzuPoint{});
}

TEST(ValueText, PointAndRectRoundTripThroughText) {
    for (float v : {0.0f, 1.0f, -0.5f, 0.001f, 123.456f, 8191.999f, 1e7f + 0.5f, 3.4e38f, -1e-6f}) {
        TzuRect r{v, -v, v * 2, v / 3};
        TzuRect once = TextToRect(RectToText(r));
        EXPECT_EQ(TextToRect(RectToText(once)), once) << v;
        EXPECT_NEAR(once.Left, v, 0.0005f + std::abs(v) * 1e-7f);
        TzuPoint p{v, 1 - v};
        TzuPoint pOnce = TextToPoint(PointToText(p));
        EXPECT_EQ(TextToPoint(PointToText(pOnce)), pOnce) << v;
    }
}

TEST(ValueText, NextTokenSplitsAtDelimitersAndStops) {
    std::string s = "  alpha , beta)gamma";
    EXPECT_EQ(NextToken(s, ",()"), "alpha");
    EXPECT_EQ(s, "beta)gamma");
    EXPECT_EQ(NextToken(s, ",()"), "beta");
    EXPECT_EQ(NextToken(s, ",()"), "gamma");
    EXPECT_EQ(s, "");
    EXPECT_EQ(NextToken(s, ",()"), "");

    s = "name=value rest";
    EXPECT_EQ(NextToken(s, " ", "="), "name");  // the stop stays in the text
    EXPECT_EQ(s, "=value rest");
    EXPECT_EQ(NextToken(s, " ", "="), "");
    EXPECT_EQ(s, "=value rest");

    s = std::string("a\t\x01,\xC3\xA9 \n");  // control characters trimmed, UTF-8 bytes kept
    EXPECT_EQ(NextToken(s, ","), "a");
    EXPECT_EQ(s, "\xC3\xA9");
}

// Numbers are written and read with "." even where the user's locale says ",".
TEST(ValueText, NumberTextIgnoresTheLocaleDecimalSeparator) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"};
    const char* active = nullptr;
    for (const char* n : names)
        if (std::setlocale(LC_NUMERIC, n)) {
            active = n;
            break;
        }
    if (!active) GTEST_SKIP() << "no locale with a comma decimal separator is installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    bool comma = std::string(probe) == "1,5";
    std::string text = FloatToText(1.5);
    double parsed = 0;
    bool ok = TryTextToFloat("2.25", parsed);
    double commaParsed = 0;
    bool commaRejected = !TryTextToFloat("2,25", commaParsed);
    std::string point = PointToText({1.5f, -0.25f});
    std::setlocale(LC_NUMERIC, saved.c_str());
    ASSERT_TRUE(comma) << active << " does not use a comma";
    EXPECT_EQ(text, "1.500");
    EXPECT_TRUE(ok);
    EXPECT_EQ(parsed, 2.25);
    EXPECT_TRUE(commaRejected);
    EXPECT_EQ(point, "(1.500,-0.250)");
}

}  // namespace
}  // namespace zu
