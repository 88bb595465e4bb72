// A scene on a window of a dense screen (scale factor 2): the window holds device pixels,
// partial repaints cover whole device blocks of the damaged scene pixels, input stays in
// scene units, and a window moved to a screen of another density is painted again at it.
// zu-render's --scale makes the same frames and turns bad values away with one line.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

namespace zu::test {
namespace {

constexpr uint32_t kBack = 0xFF204060, kBox = 0xFFE0A030, kHot = 0xFF30C060;

class DenseScreen : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSceneClasses();
        app.SetScaleFactor(2);
        form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 120, 60);
        scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        auto* root = new TzuBackground(nullptr);
        root->Fill()->SetStyle(zuBrushSolid);
        root->Fill()->SetColor(kBack);
        scene->AddObject(root);
        box = new TzuRectangle(nullptr);
        box->SetBounds(60, 20, 40, 20);
        box->Fill()->SetColor(kBox);
        box->Stroke()->SetStyle(zuBrushNone);
        box->SetParent(root);
        box->OnMouseDown().Set([this](TzuPersistent*, TzuMouseButton, TzuShiftState, float x, float y) {
            press = {x, y};
            box->Fill()->SetColor(kHot);
        });
        form->Show();
        app.ProcessMessages();
    }
    void TearDown() override { delete form; }
    TzuHeadlessWindow* window() const { return static_cast<TzuHeadlessWindow*>(scene->Window()); }
    // The device pixels the window shows.
    std::vector<uint32_t> Shown() const {
        const TzuPixelBuffer& image = window()->Image();
        return std::vector<uint32_t>(image.Bits(), image.Bits() + image.PixelCount());
    }
    // The same after a full repaint of the scene as it stands now.
    std::vector<uint32_t> FullFrame() {
        scene->AddUpdateRect({0, 0, 120, 60});
        app.ProcessMessages();
        return Shown();
    }

    TzuHeadlessApplication app;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
    TzuRectangle* box = nullptr;
    TzuPoint press{-1, -1};
};

TEST_F(DenseScreen, DevicePixelsPartialRepaintsAndInputInSceneUnits) {
    TzuHeadlessWindow* w = window();
    ASSERT_EQ(w->ScaleFactor(), 2);
    EXPECT_EQ(w->ClientWidth(), 120);
    ASSERT_EQ(w->Image().Width(), 240);
    ASSERT_EQ(w->Image().Height(), 120);
    EXPECT_EQ(scene->Canvas()->DeviceScale(), 2);
    // The box covers device pixels 120..199 x 40..79 exactly.
    EXPECT_EQ(w->Pixel(120, 40) | 0xFF000000u, kBox);
    EXPECT_EQ(w->Pixel(199, 79) | 0xFF000000u, kBox);
    EXPECT_EQ(w->Pixel(119, 40) | 0xFF000000u, kBack);
    EXPECT_EQ(w->Pixel(200, 79) | 0xFF000000u, kBack);
    EXPECT_EQ(w->Pixel(120, 80) | 0xFF000000u, kBack);

    // A press at scene point (70, 30) lands on the box at its local (10, 10); the repaint
    // it causes covers the box's device pixels as a full frame would.
    w->InjectMouseMove(70, 30);
    w->InjectMouseDown(mbLeft, 70, 30);
    w->InjectMouseUp(mbLeft, 70, 30);
    EXPECT_EQ(press.X, 10);
    EXPECT_EQ(press.Y, 10);
    w->ClearPaintLog();
    app.ProcessMessages();
    ASSERT_FALSE(w->PaintLog().empty());
    EXPECT_LT(w->PaintLog().back().front().Width(), 60);  // a partial repaint, not the whole
    EXPECT_EQ(w->Pixel(199, 79) | 0xFF000000u, kHot);
    const std::vector<uint32_t> partial = Shown();
    EXPECT_TRUE(partial == FullFrame());
}

TEST_F(DenseScreen, MovingToAnotherDensityPaintsTheWholeWindowAtIt) {
    TzuHeadlessWindow* w = window();
    w->SetScaleFactor(1);
    app.ProcessMessages();
    ASSERT_EQ(w->Image().Width(), 120);
    EXPECT_EQ(scene->Canvas()->Width(), 120);
    EXPECT_EQ(w->Pixel(60, 20) | 0xFF000000u, kBox);
    EXPECT_EQ(w->Pixel(59, 20) | 0xFF000000u, kBack);
    w->SetScaleFactor(3);
    app.ProcessMessages();
    ASSERT_EQ(w->Image().Width(), 360);
    EXPECT_EQ(w->Pixel(180, 60) | 0xFF000000u, kBox);
    EXPECT_EQ(w->Pixel(179, 60) | 0xFF000000u, kBack);
    EXPECT_EQ(w->Pixel(299, 119) | 0xFF000000u, kBox);
    EXPECT_EQ(w->Pixel(300, 119) | 0xFF000000u, kBack);
}

#ifdef ZU_RENDER_PATH
TEST(ZuRenderScale, FramesAtTheScaleAndOneLineForABadValue) {
    const auto dir = std::filesystem::temp_directory_path() / ("zu_render_scale_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "box.txt") << "object Box: TzuRectangle\n  Width = 30.0\n  Height = 10.0\n"
                                      "  Fill.Color = '#FF3070C0'\n  Stroke.Style = zuBrushNone\nend\n";
    const std::string base = std::string(ZU_RENDER_PATH) + " " + (dir / "box.txt").string() + " " +
                             (dir / "out.png").string() + " 2>" + (dir / "err.txt").string() + " ";
    auto errors = [&] {
        std::ifstream in(dir / "err.txt");
        std::string first;
        std::getline(in, first);
        return first;
    };
    ASSERT_EQ(std::system((base + "--scale 3").c_str()), 0);
    TzuBitmap frame;
    ASSERT_TRUE(frame.LoadFromFile((dir / "out.png").string()));
    EXPECT_EQ(frame.Width(), 90);
    EXPECT_EQ(frame.Height(), 30);
    EXPECT_EQ(frame.ScanLine(29)[89], 0xFF3070C0u);
    for (const char* bad : {"0", "5", "2.5", "x", "-1", ""}) {
        const int status = std::system((base + "--scale '" + bad + "'").c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << bad;
        EXPECT_EQ(errors(), "zu-render: --scale wants a whole number from 1 to 4") << bad;
    }
    // A frame within the side limit whose device pixels are not is refused, not attempted.
    const int status = std::system((base + "--size 9000x10 --scale 2").c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_NE(errors().find("18000 x 20 device pixels"), std::string::npos) << errors();
    std::filesystem::remove_all(dir);
}
#endif

}  // namespace
}  // namespace zu::test
