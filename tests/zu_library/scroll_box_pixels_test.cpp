// Scroll boxes as the default style paints them: content taller and wider than the
// viewport, scrolled, with both bars and the corner between them; the framed kind with
// small bars. Items outside the viewport must not show.

#include <gtest/gtest.h>

#include "platform/headless/headless_application.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_controls/scroll_box.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_library/library.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu::test {
namespace {

// A grid of coloured cells, cols x rows of 40 x 30, with a gap between them.
void FillCells(TzuScrollBox* box, int cols, int rows) {
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            auto* r = new TzuRectangle(nullptr);
            r->SetBounds(x * 40.0f, y * 30.0f, 36, 26);
            r->Fill()->SetColor(0xFF000000 | uint32_t(40 + 50 * x) << 16 | uint32_t(40 + 30 * y) << 8 | 0x60);
            r->SetParent(box);
        }
    }
}

TEST(ScrollBoxPixels, ScrolledContentIsClippedToTheViewport) {
    RegisterLibraryClasses();
    TzuHeadlessApplication app;
    PixelScene scene{280, 150};
    auto* root = new TzuLayout(nullptr);
    root->SetBounds(0, 0, 280, 150);
    scene.AddObject(root);
    auto* plain = new TzuScrollBox(nullptr);
    plain->SetBounds(10, 10, 120, 120);
    plain->SetParent(root);
    FillCells(plain, 5, 8);
    auto* framed = new TzuFramedScrollBox(nullptr);
    framed->SetBounds(150, 10, 120, 120);
    framed->SetUseSmallScrollBars(true);
    framed->SetParent(root);
    FillCells(framed, 2, 8);
    scene.Frame(0xFF2B2B2B);  // styles both boxes
    ASSERT_NE(plain->VScrollBar(), nullptr);
    ASSERT_NE(framed->VScrollBar(), nullptr);
    plain->VScrollBar()->SetValue(45);
    plain->HScrollBar()->SetValue(30);
    framed->VScrollBar()->SetValue(100);
    for (int i = 0; i < 10; ++i) app.Advance(TzuAniThread::kInterval);
    scene.rects.clear();
    scene.Frame(0xFF2B2B2B);
    EXPECT_TRUE(MatchesGolden(scene.Picture(), "controls_scroll_boxes"));
    delete root;
    TzuAniThread::FreeInstance();
}

}  // namespace
}  // namespace zu::test
