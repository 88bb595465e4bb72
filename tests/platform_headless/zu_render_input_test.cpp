// zu-render's input events end to end: a pointer move over an object switches on the
// trigger effect that hovering it asks for, a later move off it switches it off again,
// and malformed events are usage errors.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu::test {
namespace {

#ifdef ZU_RENDER_PATH
const char kHoverScene[] = R"(object Root: TzuBackground
  Width = 80
  Height = 60
  HitTest = False
  Fill.Color = '#FF000000'
  Fill.Style = zuBrushSolid
  object Box: TzuBackground
    Position.X = 10
    Position.Y = 10
    Width = 40
    Height = 40
    Fill.Color = '#FFFFFFFF'
    Fill.Style = zuBrushSolid
    object Glow: TzuInnerGlowEffect
      Trigger = 'IsMouseOver=true'
      Enabled = False
      GlowColor = '#FFFF0000'
    end
  end
end
)";

class ZuRenderInput : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterCairoBackend();
        dir = std::filesystem::temp_directory_path() / ("zu_render_input_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "scene.txt") << kHoverScene;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Runs zu-render on the scene with the given input options; the exit status.
    int Render(const std::string& input) {
        const std::string cmd = std::string(ZU_RENDER_PATH) + " " + (dir / "scene.txt").string() + " " +
                                (dir / "frame.png").string() + " " + input + " 2>" +
                                (dir / "err.txt").string();
        const int status = std::system(cmd.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    uint32_t Pixel(int x, int y) {
        TzuBitmap frame;
        if (!frame.LoadFromFile((dir / "frame.png").string())) return 0xDEADBEEF;
        return frame.ScanLine(y)[x];
    }

    std::filesystem::path dir;
};

TEST_F(ZuRenderInput, PointerEventsDriveHoverTriggersAtTheirMoments) {
    ASSERT_EQ(Render(""), 0);
    EXPECT_EQ(Pixel(11, 30), 0xFFFFFFFFu);
    // Hovering the box lights its inner glow: red creeps in from the edge.
    ASSERT_EQ(Render("--mouse 30,30"), 0);
    const uint32_t lit = Pixel(11, 30);
    EXPECT_NE(lit, 0xFFFFFFFFu);
    EXPECT_EQ(lit >> 16 & 0xFF, 0xFFu);
    EXPECT_LT(lit >> 8 & 0xFF, 0xF0u);
    // Moving off it later puts it out; a press there (held) hovers it as a move does;
    // events given out of time order happen in time order.
    ASSERT_EQ(Render("--mouse 70,5@20 --mouse 30,30@10"), 0);
    EXPECT_EQ(Pixel(11, 30), 0xFFFFFFFFu);
    ASSERT_EQ(Render("--press 30,30@5 --key Tab --key ctrl+c"), 0);
    EXPECT_EQ(Pixel(11, 30), lit);
    ASSERT_EQ(Render("--click 30,30 --release 75,55@3"), 0);
    EXPECT_EQ(Pixel(11, 30), 0xFFFFFFFFu);

    for (const char* bad :
         {"--mouse 30", "--mouse 30,x", "--click 1,2@-5", "--key NoSuchKey", "--key", "--press 1,2@soon"}) {
        EXPECT_EQ(Render(bad), 2) << bad;
    }
}
#endif

}  // namespace
}  // namespace zu::test
