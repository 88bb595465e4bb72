#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "scene/zu_scene/graphics/bitmap.h"

namespace zu::test {
namespace {

#ifdef ZU_RENDER_PATH
// A grey square whose fill brightens over 0.2 s as soon as it is loaded, a bar that moves
// right after a 0.1 s delay, and one that blinks forever.
const char kAnimatedText[] = R"(object Box: TzuRectangle
  Width = 40.0
  Height = 20.0
  Fill.Color = '#FF808080'
  Stroke.Style = zuBrushNone
  object Brighten: TzuColorAnimation
    Duration = 0.2
    HideOnFinish = False
    Enabled = True
    StartValue = '#FF808080'
    StopValue = '#FFCCCCCC'
    PropertyName = 'Fill.Color'
  end
  object Bar: TzuRectangle
    Width = 4.0
    Height = 4.0
    Fill.Color = '#FF000000'
    Stroke.Style = zuBrushNone
    object Slide: TzuFloatAnimation
      Duration = 0.1
      Delay = 0.1
      HideOnFinish = False
      Enabled = True
      StopValue = 30.0
      PropertyName = 'Position.X'
    end
  end
end
)";

class RenderAt : public ::testing::Test {
protected:
    RenderAt() {
        std::filesystem::create_directories(dir);
        std::ofstream(in) << kAnimatedText;
    }
    ~RenderAt() override { std::filesystem::remove_all(dir); }
    int Render(const std::string& args) {
        return std::system((std::string(ZU_RENDER_PATH) + " " + in.string() + " " + out.string() + " " +
                            args + " 2>/dev/null")
                               .c_str());
    }
    uint32_t Pixel(int x, int y) {
        TzuBitmap frame;
        EXPECT_TRUE(frame.LoadFromFile(out.string()));
        return frame.ScanLine(y)[x];
    }

    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zu_render_at_" + std::to_string(getpid()));
    std::filesystem::path in = dir / "scene.txt";
    std::filesystem::path out = dir / "frame.png";
};

TEST_F(RenderAt, ShowsTheFrameAtTheGivenMoment) {
    ASSERT_EQ(Render("--at 0"), 0);
    EXPECT_EQ(Pixel(20, 15), 0xFF808080u);
    EXPECT_EQ(Pixel(1, 1), 0xFF000000u);
    // 100 ms is three ticks of 33 ms and a last one of 1 ms: halfway, exactly.
    ASSERT_EQ(Render("--at 100"), 0);
    EXPECT_EQ(Pixel(20, 15), 0xFFA6A6A6u);
    EXPECT_EQ(Pixel(1, 1), 0xFF000000u);  // the bar still waits out its delay
    // Three quarters through; the tick at 132 ms used up the bar's delay, and the last
    // one (18 ms) moved it to x = 30 * 0.18.
    ASSERT_EQ(Render("--at 150"), 0);
    EXPECT_EQ(Pixel(20, 15), 0xFFB9B9B9u);
    EXPECT_EQ(Pixel(7, 1), 0xFF000000u);
    EXPECT_EQ(Pixel(1, 1), 0xFFB9B9B9u);
    ASSERT_EQ(Render("--at 1000"), 0);
    EXPECT_EQ(Pixel(31, 1), 0xFF000000u);
    EXPECT_EQ(Pixel(20, 15), 0xFFCCCCCCu);
    // Times that are no milliseconds in range are usage errors.
    for (const char* bad : {"--at -1", "--at 3600001", "--at 1.5", "--at x", "--at"}) {
        EXPECT_EQ(WEXITSTATUS(Render(bad)), 2) << bad;
    }
}
#endif

}  // namespace
}  // namespace zu::test
