// The programs on inputs that claim much more than they hold, run under an address-space
// limit of 1 GiB: a stream with one list of ten million one-byte items, and a scene whose
// text is 48 MB. Each must end with a clean status, never by a signal.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/core/stream_format.h"
#include "platform/core/stream_text.h"

namespace zu::test {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // the sanitizer reserves far more address space than 1 GiB
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Runs command under a 1 GiB address-space limit; the exit status, or -1 for a signal.
int RunLimited(const std::string& command) {
    const int status = std::system(("prlimit --as=1073741824 " + command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class BoundedInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (kSanitized) GTEST_SKIP() << "address-space limits do not apply under the sanitizer";
        if (std::system("prlimit --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "prlimit is missing";
        m_dir = std::filesystem::temp_directory_path() / ("zu_bounded_" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override {
        if (!m_dir.empty()) std::filesystem::remove_all(m_dir);
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const auto path = m_dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path.string();
    }
    std::filesystem::path m_dir;
};

// A scene root whose first property is given as raw bytes; the list or text follows it.
std::vector<uint8_t> SceneWith(const std::string& text, const std::string& placeholder,
                               const std::vector<uint8_t>& value) {
    std::vector<uint8_t> stream = ObjectTextToBinary(text);
    // The placeholder was written as a short string (tag, length, bytes): put value there.
    std::vector<uint8_t> marker{vaString, uint8_t(placeholder.size())};
    marker.insert(marker.end(), placeholder.begin(), placeholder.end());
    auto at = std::search(stream.begin(), stream.end(), marker.begin(), marker.end());
    if (at == stream.end()) return {};
    at = stream.erase(at, at + std::ptrdiff_t(marker.size()));
    stream.insert(at, value.begin(), value.end());
    return stream;
}

TEST_F(BoundedInput, TenMillionListItemsAreRefusedCleanly) {
    std::vector<uint8_t> list{vaList};
    list.insert(list.end(), 10000000, vaFalse);
    list.push_back(0);
    const std::string scene =
        "object zuScene1: TzuScene\n  Hint = 'LIST'\n  Width = 64\n  Height = 24\nend\n";
    const std::vector<uint8_t> stream = SceneWith(scene, "LIST", list);
    ASSERT_GT(stream.size(), 10000000u);
    const std::string in = Write("list.bin", stream);
    const std::string out = (m_dir / "out").string();
    EXPECT_EQ(RunLimited(std::string(ZU_STREAM_PATH) + " check " + in), 1);
    EXPECT_EQ(RunLimited(std::string(ZU_RENDER_PATH) + " " + in + " " + out + ".png"), 1);
    EXPECT_FALSE(std::filesystem::exists(out + ".png"));
    // Converting it to text builds no values: it succeeds, or fails cleanly.
    const int toText = RunLimited(std::string(ZU_STREAM_PATH) + " totext " + in + " " + out + ".txt");
    EXPECT_TRUE(toText == 0 || toText == 1) << toText;
}

TEST_F(BoundedInput, AHugeTextRendersWithinTheLimit) {
    std::string text;
    text.reserve(48u << 20);
    while (text.size() < (48u << 20)) text += "Some words of a very long text\r\n";
    std::vector<uint8_t> value{vaLString};
    const uint32_t n = uint32_t(text.size());
    for (int i = 0; i < 4; ++i) value.push_back(uint8_t(n >> (8 * i)));
    value.insert(value.end(), text.begin(), text.end());
    const std::string scene =
        "object zuScene1: TzuScene\n  Width = 200\n  Height = 80\n"
        "  object Text1: TzuText\n    Width = 200.0\n    Height = 80.0\n    Text = 'HUGE'\n  end\nend\n";
    const std::vector<uint8_t> stream = SceneWith(scene, "HUGE", value);
    ASSERT_GT(stream.size(), text.size());
    const std::string in = Write("text.bin", stream);
    const std::string out = (m_dir / "text.png").string();
    EXPECT_EQ(RunLimited(std::string(ZU_RENDER_PATH) + " " + in + " " + out), 0);
    EXPECT_TRUE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace zu::test
