// What the design tools see: the selection frame with its grips (one of them hot), the
// selection point, and the dashed outlines an empty path and an image show while the
// scene is designed, and not otherwise.

#include <gtest/gtest.h>

#include <memory>

#include "scene/zu_objects/image.h"
#include "scene/zu_objects/path.h"
#include "scene/zu_objects/selection.h"
#include "scene/zu_objects/selection_point.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu {
namespace {

using test::MatchesGolden;
using test::PixelScene;

class DesignScene : public PixelScene {
public:
    using PixelScene::PixelScene;
    bool IsDesigning() const override { return designing; }
    bool designing = false;
};

TEST(DesignPixels, SelectionGripsAndDesignOutlinesMatchGolden) {
    DesignScene scene(120, 60);
    auto root = std::make_unique<TzuVisualObject>(nullptr);
    scene.AddObject(root.get());
    root->SetBounds(0, 0, 120, 60);
    auto* sel = new TzuSelection(nullptr);
    sel->SetBounds(8, 8, 50, 30);
    sel->SetParent(root.get());
    sel->MouseMove(0, 50, 30, 0, 0);  // hovering the bottom-right grip lights it
    auto* point = new TzuSelectionPoint(nullptr);
    point->SetParent(root.get());
    point->Position()->SetPoint({70, 48});
    auto* path = new TzuPath(nullptr);
    path->SetBounds(70, 6, 20, 20);
    path->SetParent(root.get());
    auto* image = new TzuImage(nullptr);
    image->SetBounds(96, 6, 20, 20);
    image->SetParent(root.get());
    image->Bitmap()->SetSize(1, 1);  // a transparent picture

    scene.Frame();
    EXPECT_EQ(scene.Pixel(80, 15), 0xFFFFFFFFu);  // no outlines outside design time
    EXPECT_EQ(scene.Pixel(106, 6), 0xFFFFFFFFu);
    EXPECT_EQ(scene.Pixel(8 + 50, 8 + 30), 0xFFFF0000u);  // the hot grip's centre
    EXPECT_EQ(scene.Pixel(8, 8), 0xFFFFFFFFu);            // the others stay white

    scene.designing = true;
    scene.Frame();
    EXPECT_NE(scene.Pixel(71, 6), 0xFFFFFFFFu);  // the path's dashed outline, top edge
    EXPECT_NE(scene.Pixel(97, 6), 0xFFFFFFFFu);
    path->SetLocked(true);  // locked parts of a design show no outline
    scene.Frame();
    EXPECT_EQ(scene.Pixel(71, 6), 0xFFFFFFFFu);
    path->SetLocked(false);
    scene.Frame();
    EXPECT_TRUE(MatchesGolden(scene.Picture(), "design_frames"));
}

}  // namespace
}  // namespace zu
