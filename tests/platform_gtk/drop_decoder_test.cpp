// Decoding dropped data: file URI lists with junk, remote and non-file URIs, names that
// are not text, long lists and large or invalid text.

#include "platform/gtk/drop_decoder.h"

#include <gtest/gtest.h>

#include <string>

namespace zu::test {
namespace {

TEST(DropDecoder, UriListsKeepOnlyLocalFileNamesThatAreText) {
    const std::string list =
        "# a comment\r\n"
        "file:///tmp/a%20b.txt\r\n"
        "\r\n"
        "http://example.org/x\r\n"
        "file://otherhost/etc/passwd\r\n"
        "file://localhost/tmp/%C3%A9.png\n"
        "file:///tmp/line%0Abreak\r\n"
        "file:///tmp/not%FFtext\r\n"
        "not a uri at all\r\n"
        "file:///tmp/cut" +
        std::string(1, '\0') + "off\r\n" + "file:///tmp/last";
    const auto data = DecodeDropData("text/uri-list", list);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->Files, (std::vector<std::u16string>{u"/tmp/a b.txt", u"/tmp/\u00e9.png",
                                                        u"/tmp/line\nbreak", u"/tmp/last"}));
    EXPECT_FALSE(data->HasText);

    // Nothing valid: nothing is delivered.
    EXPECT_FALSE(DecodeDropData("text/uri-list", "http://a/\r\n# only\r\n"));
    EXPECT_FALSE(DecodeDropData("text/uri-list", ""));

    // Ten thousand names come through whole, in order.
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "file:///d/" + std::to_string(i) + "\r\n";
    const auto all = DecodeDropData("text/uri-list", many);
    ASSERT_TRUE(all);
    ASSERT_EQ(all->Files.size(), 10000u);
    EXPECT_EQ(all->Files.back(), u"/d/9999");
}

TEST(DropDecoder, TextMustBeValidUtf8AndEndsAtItsFirstNul) {
    const auto text = DecodeDropData("UTF8_STRING", "caf\xc3\xa9 \xf0\x9f\x98\x80");
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->HasText);
    EXPECT_EQ(text->Text, u"caf\u00e9 \U0001F600");
    EXPECT_EQ(DecodeDropData("text/plain", std::string("ab\0cd", 5))->Text, u"ab");
    EXPECT_FALSE(DecodeDropData("text/plain", "bad \xff\xfe"));
    EXPECT_FALSE(DecodeDropData("text/plain", "\xed\xa0\x80"));  // an encoded surrogate
    EXPECT_FALSE(DecodeDropData("text/plain", ""));

    // A hundred megabytes decode in one pass.
    const std::string big(100u << 20, 'x');
    const auto large = DecodeDropData("text/plain", big);
    ASSERT_TRUE(large);
    EXPECT_EQ(large->Text.size(), big.size());
}

}  // namespace
}  // namespace zu::test
