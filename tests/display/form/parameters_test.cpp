#include "app/quillorn_display/parameters.h"

#include <gtest/gtest.h>

#include "platform/core/persistent.h"

namespace zu {
namespace {

int32_t Int(std::string_view text) {
    int32_t v = 12345;
    EXPECT_TRUE(TryStrToInt(text, v)) << text;
    return v;
}

bool Rejected(std::string_view text) {
    int32_t v = 12345;
    const bool ok = TryStrToInt(text, v);
    return !ok && v == 12345;
}

TEST(StrToInt, ReadsDecimalWithBlanksAndSign) {
    EXPECT_EQ(Int("0"), 0);
    EXPECT_EQ(Int("1760"), 1760);
    EXPECT_EQ(Int("   42"), 42);
    EXPECT_EQ(Int("+7"), 7);
    EXPECT_EQ(Int("-50"), -50);
    EXPECT_EQ(Int("007"), 7);
    EXPECT_EQ(Int("2147483647"), 2147483647);
    EXPECT_EQ(Int("-2147483648"), INT32_MIN);
}

TEST(StrToInt, ReadsHexadecimalAfterDollarXOr0x) {
    EXPECT_EQ(Int("$1F"), 31);
    EXPECT_EQ(Int("x10"), 16);
    EXPECT_EQ(Int("X10"), 16);
    EXPECT_EQ(Int("0x101"), 257);
    EXPECT_EQ(Int("0XfF"), 255);
    EXPECT_EQ(Int("-$10"), -16);
    EXPECT_EQ(Int(" $0000000001"), 1);
    // Hexadecimal spells all 32 bits.
    EXPECT_EQ(Int("$FFFFFFFF"), -1);
    EXPECT_EQ(Int("$80000000"), INT32_MIN);
}

TEST(StrToInt, RejectsWhatIsNoInteger) {
    for (const char* text : {"",    " ",          "-",           "+",          "$",
                             "0x",  "x",          "12a",         "1 ",         "1.5",
                             "\t1", "--1",        "+-1",         "$G",         "1e3",
                             "٣",   "2147483648", "-2147483649", "$100000000", "99999999999999999999"}) {
        EXPECT_TRUE(Rejected(text)) << "'" << text << "'";
    }
}

TEST(StrToInt, RaisesTheRuntimesConversionMessage) {
    try {
        StrToInt("abc");
        FAIL() << "no error";
    } catch (const EzuError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(StrToInt("$D0D0"), 53456);
}

TEST(TzuParameters, FetchesByOneBasedIndexAndNamesAMissingOne) {
    const TzuParameters params({"10", "x", ""});
    EXPECT_EQ(params.Count(), 3);
    EXPECT_EQ(params.Fetch(1), "10");
    EXPECT_EQ(params.FetchInt(1), 10);
    EXPECT_EQ(params.Fetch(3), "");
    try {
        params.Fetch(7);
        FAIL() << "no error";
    } catch (const EzuError& e) {
        EXPECT_STREQ(e.what(), "Parameter N\"7\" not found!");
    }
    EXPECT_THROW(params.Fetch(0), EzuError);
    try {
        params.FetchInt(2);
        FAIL() << "no error";
    } catch (const EzuError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
    }
    // An empty parameter is present, but no integer.
    EXPECT_THROW(params.FetchInt(3), EzuError);
}

}  // namespace
}  // namespace zu
