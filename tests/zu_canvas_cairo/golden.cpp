#include "tests/zu_canvas_cairo/golden.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "backend/zu_canvas_cairo/filter_pixbuf.h"

namespace zu::test {

namespace {

// Fontconfig reads its configuration at the first font use, so the variable must be set
// before any test runs.
const bool kFontsPinned = [] {
    setenv("FONTCONFIG_FILE", ZU_SOURCE_DIR "/tests/fonts.conf", 1);
    return true;
}();

class BackendEnvironment : public ::testing::Environment {
public:
    void SetUp() override { RegisterCairoBackend(false); }
};

[[maybe_unused]] ::testing::Environment* const kBackend =
    ::testing::AddGlobalTestEnvironment(new BackendEnvironment);

std::string GoldenPath(const std::string& name, const char* suffix) {
    return std::string(ZU_SOURCE_DIR) + "/tests/golden/" + name + suffix;
}

bool WritePng(const TzuBitmap& bitmap, const std::string& path) {
    TzuFilterPixbuf filter;
    return filter.SaveToFile(path, bitmap, "");
}

int ChannelDifference(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int d = std::abs(int((a >> shift) & 255) - int((b >> shift) & 255));
        if (d > worst) worst = d;
    }
    return worst;
}

}  // namespace

::testing::AssertionResult MatchesGolden(const TzuBitmap& actual, const std::string& name, int tolerance) {
    (void)kFontsPinned;
    const std::string path = GoldenPath(name, ".png");
    const char* update = std::getenv("UPDATE_GOLDENS");
    if (update && std::string(update) == "1") {
        if (!WritePng(actual, path)) return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionSuccess();
    }
    TzuBitmap expected;
    TzuFilterPixbuf filter;
    std::ifstream in(path, std::ios::binary);
    const TzuBytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.empty() || !filter.LoadFromStream(data, expected)) {
        WritePng(actual, GoldenPath(name, ".actual.png"));
        return ::testing::AssertionFailure() << "no golden image " << path << " (run with UPDATE_GOLDENS=1)";
    }
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height()) {
        WritePng(actual, GoldenPath(name, ".actual.png"));
        return ::testing::AssertionFailure() << name << ": size " << actual.Width() << "x" << actual.Height()
                                             << ", golden " << expected.Width() << "x" << expected.Height();
    }
    TzuBitmap diff(actual.Width(), actual.Height());
    int64_t bad = 0;
    int worst = 0;
    for (int64_t i = 0; i < actual.PixelCount(); ++i) {
        const int d = ChannelDifference(actual.Bits()[i], expected.Bits()[i]);
        worst = std::max(worst, d);
        const bool off = d > tolerance;
        bad += off;
        diff.Bits()[i] = off ? 0xFFFF0000 : 0xFF000000 | ((actual.Bits()[i] >> 2) & 0x3F3F3F);
    }
    if (bad == 0) {
        std::filesystem::remove(GoldenPath(name, ".actual.png"));
        std::filesystem::remove(GoldenPath(name, ".diff.png"));
        return ::testing::AssertionSuccess();
    }
    WritePng(actual, GoldenPath(name, ".actual.png"));
    WritePng(diff, GoldenPath(name, ".diff.png"));
    return ::testing::AssertionFailure()
           << name << ": " << bad << " pixels differ, worst channel by " << worst;
}

}  // namespace zu::test
