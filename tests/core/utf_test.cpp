#include "platform/core/utf.h"

#include <gtest/gtest.h>

namespace zu {
namespace {

// The strict check the stream uses and the lenient converters must agree on what is
// malformed: the check refuses it, the converters replace it with U+FFFD and never read
// past the end.
TEST(Utf8, StrictCheckAndLenientConversionAgreeOnMalformedText) {
    const std::string good[] = {
        "", "plain", "\xC3\xA9t\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xEF\xBF\xBD"};
    for (const std::string& s : good) {
        EXPECT_TRUE(IsValidUtf8(s)) << s;
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s);
    }
    const std::string bad[] = {
        "\xC0\xAF",          // overlong slash
        "\xE0\x80\xAF",      // overlong, three bytes
        "\xED\xA0\x80",      // a lone surrogate
        "\xF4\x90\x80\x80",  // past U+10FFFF
        "\xE2\x82",          // cut off at the end
        "\x80",              // a stray continuation byte
        "\xF8\x88\x80\x80\x80",
    };
    for (const std::string& s : bad) {
        EXPECT_FALSE(IsValidUtf8(s));
        EXPECT_FALSE(IsValidUtf8("ok" + s + "ok"));
        const std::u16string u = Utf8ToUtf16(s);
        ASSERT_FALSE(u.empty());
        EXPECT_EQ(u[0], u'\xFFFD');
    }
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    std::string ansi;
    EXPECT_TRUE(Utf8ToAnsi("caf\xC3\xA9 \xE2\x82\xAC", ansi));
    EXPECT_EQ(ansi, "caf\xE9 \x80");
    EXPECT_FALSE(Utf8ToAnsi("\xE2\x82", ansi));
}

}  // namespace
}  // namespace zu
