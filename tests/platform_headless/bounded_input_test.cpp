// The programs on inputs that claim much more than they hold, run under an address-space
// limit of 1 GiB: a stream with one list of ten million one-byte items, a scene whose
// text is 48 MB, and small scenes asking for far more work than their size (style files
// reading themselves, styles using styles two at a time, scroll boxes nested hundreds
// deep). Each must end with a frame or a clear error, never by a signal.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// Runs command under a 1 GiB address-space limit and a 20 s time limit; the exit status,
// or -1 for a signal (the shell gives a program's signal as 128 + n). What it prints goes
// to output when given.
int RunLimited(const std::string& command, std::string* output = nullptr) {
    const std::string out =
        output
            ? (std::filesystem::temp_directory_path() / ("zu_bounded_" + std::to_string(getpid()) + ".txt"))
                  .string()
            : std::string("/dev/null");
    const int status =
        std::system(("timeout -s KILL 20 prlimit --as=1073741824 " + command + " >" + out + " 2>&1").c_str());
    if (output) {
        std::ifstream in(out);
        output->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        std::filesystem::remove(out);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) < 128 ? WEXITSTATUS(status) : -1;
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
    std::string Write(const std::string& name, const std::string& text) {
        return Write(name, std::vector<uint8_t>(text.begin(), text.end()));
    }
    // zu-render of file to a scratch PNG: the status, with what it printed in output.
    int Render(const std::string& file, std::string& output, const std::string& options = {}) {
        return RunLimited(
            std::string(ZU_RENDER_PATH) + " " + file + " " + (m_dir / "out.png").string() + " " + options,
            &output);
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

// A scene object whose style holder reads the named file.
std::string SceneNaming(const std::string& file) {
    return "object L: TzuLayout\n  object R: TzuResources\n    FileName = '" + file + "'\n  end\nend\n";
}

TEST_F(BoundedInput, StyleFilesReadingThemselvesAreRefused) {
    const std::string self = Write("self.txt", SceneNaming((m_dir / "self.txt").string()));
    const std::string ring = Write("a.txt", SceneNaming((m_dir / "b.txt").string()));
    Write("b.txt", SceneNaming((m_dir / "a.txt").string()));
    for (int i = 0; i < 7; ++i)  // a chain: c0 reads c1 ... c6 reads c7
        Write("c" + std::to_string(i) + ".txt",
              SceneNaming((m_dir / ("c" + std::to_string(i + 1) + ".txt")).string()));
    Write("c7.txt", "object L: TzuLayout\nend\n");
    std::string out;
    for (const std::string& file : {self, ring}) {
        EXPECT_EQ(RunLimited(std::string(ZU_STREAM_PATH) + " check " + file, &out), 1) << out;
        EXPECT_NE(out.find("is already being read"), std::string::npos) << out;
        EXPECT_EQ(Render(file, out), 1) << out;
        EXPECT_NE(out.find("is already being read"), std::string::npos) << out;
    }
    EXPECT_EQ(RunLimited(std::string(ZU_STREAM_PATH) + " check " + (m_dir / "c0.txt").string(), &out), 1);
    EXPECT_NE(out.find("style files deep"), std::string::npos) << out;
    EXPECT_EQ(RunLimited(std::string(ZU_STREAM_PATH) + " check " + (m_dir / "c4.txt").string(), &out), 0)
        << out;
}

// Style i holds two panels wearing style i + 1; a panel wears style 0.
std::string FanOut(int levels) {
    std::string s = "object L: TzuLayout\n  Width = 40.0\n  Height = 30.0\n";
    for (int i = 0; i < levels; ++i) {
        s += "  object S" + std::to_string(i) + ": TzuLayout\n    ResourceName = 's" + std::to_string(i) +
             "'\n";
        for (int k = 0; k < 2 && i + 1 < levels; ++k)
            s += "    object P" + std::to_string(k) + ": TzuPanel\n      Resource = 's" +
                 std::to_string(i + 1) + "'\n    end\n";
        s += "  end\n";
    }
    return s + "  object Top: TzuPanel\n    Resource = 's0'\n  end\nend\n";
}

TEST_F(BoundedInput, StylesFanningOutAreRefusedAndDeepScrollBoxesLayOutInTime) {
    std::string out;
    EXPECT_EQ(Render(Write("fan10.txt", FanOut(10)), out), 0) << out;
    // Twenty levels would build about two million objects.
    EXPECT_EQ(Render(Write("fan20.txt", FanOut(20)), out), 1) << out;
    EXPECT_NE(out.find("262144"), std::string::npos) << out;
    std::string nest = "object L: TzuLayout\n  Width = 400.0\n  Height = 300.0\n";
    for (int i = 0; i < 250; ++i)
        nest += "object B" + std::to_string(i) + ": TzuScrollBox\nAlign = vaClient\n";
    for (int i = 0; i <= 250; ++i) nest += "end\n";
    EXPECT_EQ(RunLimited("timeout 10 " + std::string(ZU_RENDER_PATH) + " " + Write("nest.txt", nest) + " " +
                             (m_dir / "nest.png").string(),
                         &out),
              0)
        << out;
}

TEST_F(BoundedInput, AnObjectStreamThatDoesNotLoadSaysWhyAndMomentsStopAtAnHour) {
    std::string out;
    EXPECT_EQ(Render(Write("bad.txt", "object L: TzuLayout\n  object X: TzuNoSuchThing\n  end\nend\n"), out),
              1);
    EXPECT_NE(out.find("TzuNoSuchThing"), std::string::npos) << out;
    const std::string ok = Write("ok.txt", "object L: TzuLayout\n  Width = 4.0\n  Height = 4.0\nend\n");
    EXPECT_EQ(Render(ok, out, "--click 1,1@3600001"), 2);
}

}  // namespace
}  // namespace zu::test
