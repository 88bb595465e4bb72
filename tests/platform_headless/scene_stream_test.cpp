#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "platform/core/stream_writer.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

namespace zu::test {
namespace {

const char kSceneText[] = R"(object zuScene1: TzuScene
  Left = 0
  Top = 0
  Width = 64
  Height = 24
  Align = alClient
  Fill.Color = '#00E0E0E0'
  Fill.Style = zuBrushSolid
  DesignSnapGridShow = True
  DesignSnapToGrid = True
  DesignSnapToLines = True
  object Root1: TzuBackground
    Width = 64.0
    Height = 24.0
    Fill.Color = '#FF102030'
    Fill.Style = zuBrushSolid
  end
end
)";

std::unique_ptr<TzuScene> ReadScene(const std::string& text) {
    RegisterSceneClasses();
    auto scene = std::make_unique<TzuScene>(nullptr);
    TzuStreamReader(ObjectTextToBinary(text)).ReadRootInto(scene.get());
    return scene;
}

TEST(SceneStream, ReadsPublishedPropertiesAndAppliesTheSnapRule) {
    auto scene = ReadScene(kSceneText);
    EXPECT_EQ(scene->Width(), 64);
    EXPECT_EQ(scene->Align(), alClient);
    EXPECT_EQ(scene->Fill()->Color(), 0x00E0E0E0u);
    EXPECT_EQ(scene->Fill()->Style(), zuBrushSolid);
    // Snapping to lines wins over the grid, and the grid display is a design-time choice.
    EXPECT_TRUE(scene->DesignSnapToLines());
    EXPECT_FALSE(scene->DesignSnapToGrid());
    EXPECT_FALSE(scene->DesignSnapGridShow());
    ASSERT_EQ(scene->ObjectCount(), 1);
    auto* root = As<TzuBackground>(scene->Root());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Scene(), scene.get());
    EXPECT_EQ(root->Fill()->Color(), 0xFF102030u);
}

TEST(SceneStream, WritesTheSnapSettingsAlwaysAndAfterThePublishedOnes) {
    RegisterSceneClasses();
    TzuScene scene(nullptr);
    auto* root = new TzuBackground(nullptr);
    scene.AddObject(root);
    auto* helper = new TzuBackground(nullptr);
    helper->SetStored(false);
    scene.AddObject(helper);
    std::vector<uint8_t> data;
    TzuStreamWriter(data).WriteRoot(&scene);
    const std::string text = ObjectBinaryToText(data);
    const auto grid = text.find("DesignSnapGridShow = False");
    const auto lines = text.find("DesignSnapToLines = True");
    ASSERT_NE(grid, std::string::npos) << text;
    ASSERT_NE(lines, std::string::npos) << text;
    EXPECT_NE(text.find("DesignSnapToGrid = False"), std::string::npos);
    EXPECT_LT(text.find("Width = 100"), grid);
    EXPECT_LT(lines, text.find("TzuBackground"));
    // The unstored helper is not written: one child record only.
    EXPECT_EQ(text.find("TzuBackground"), text.rfind("TzuBackground"));
}

#ifdef ZU_RENDER_PATH
// zu-render end to end: a text scene file in, a PNG of the frame out.
TEST(ZuRender, WritesTheFrameOfASceneFile) {
    const auto dir = std::filesystem::temp_directory_path() / ("zu_render_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto in = dir / "scene.txt";
    const auto out = dir / "frame.png";
    std::ofstream(in) << kSceneText;
    const std::string cmd =
        std::string(ZU_RENDER_PATH) + " " + in.string() + " " + out.string() + " --size 40x20";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    TzuBitmap frame;
    ASSERT_TRUE(frame.LoadFromFile(out.string()));
    EXPECT_EQ(frame.Width(), 40);
    EXPECT_EQ(frame.Height(), 20);
    EXPECT_EQ(frame.ScanLine(10)[20], 0xFF102030u);

    // The binary form of the same scene, at the scene's own size.
    const std::vector<uint8_t> binary = ObjectTextToBinary(kSceneText);
    std::ofstream(in, std::ios::binary)
        .write(reinterpret_cast<const char*>(binary.data()), std::streamsize(binary.size()));
    ASSERT_EQ(std::system((std::string(ZU_RENDER_PATH) + " " + in.string() + " " + out.string()).c_str()), 0);
    ASSERT_TRUE(frame.LoadFromFile(out.string()));
    EXPECT_EQ(frame.Width(), 64);
    EXPECT_EQ(frame.Height(), 24);
    EXPECT_EQ(frame.ScanLine(23)[63], 0xFF102030u);

    // Bad input: a clear failure status, and nothing written.
    std::filesystem::remove(out);
    std::ofstream(in) << "object Broken: TzuNoSuchClass\nend\n";
    EXPECT_NE(
        std::system(
            (std::string(ZU_RENDER_PATH) + " " + in.string() + " " + out.string() + " 2>/dev/null").c_str()),
        0);
    EXPECT_NE(std::system((std::string(ZU_RENDER_PATH) + " " + in.string() + " " + out.string() +
                           " --size 0x5 2>/dev/null")
                              .c_str()),
              0);
    EXPECT_FALSE(std::filesystem::exists(out));
    std::filesystem::remove_all(dir);
}
#endif

}  // namespace
}  // namespace zu::test
