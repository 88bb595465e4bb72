#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/core/stream_text.h"

namespace zu {
namespace {

// Every component stream the project ships converts to binary and back without losing a
// byte, in both directions.
TEST(ShippedStreams, TextAndBinaryFormsConvertBothWaysUnchanged) {
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(ZU_SOURCE_DIR) + "/resources")) {
        if (entry.path().extension() != ".txt") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().string());
        std::vector<uint8_t> binary = ObjectTextToBinary(text);
        EXPECT_EQ(ObjectBinaryToText(binary), text);
        EXPECT_EQ(ObjectTextToBinary(ObjectBinaryToText(binary)), binary);
        ++checked;
    }
    EXPECT_GE(checked, 1);
}

}  // namespace
}  // namespace zu
