// The colour controls as they paint themselves: a hue strip linked to a square linked to a
// translucent swatch, a gradient editor with a selected stop and a translucent stop over
// the checkerboard, then the colour panel open in its own window.

#include <gtest/gtest.h>

#include <memory>

#include "../zu_controls/hosted_scene.h"
#include "scene/zu_colors/color_box.h"
#include "scene/zu_colors/color_panel.h"
#include "scene/zu_colors/color_picker.h"
#include "scene/zu_colors/color_quad.h"
#include "scene/zu_colors/gradient_edit.h"
#include "scene/zu_scene/graphics/gradient.h"
#include "scene/zu_scene/host/popup_form.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu::test {
namespace {

std::unique_ptr<TzuBitmap> Picture(TzuHeadlessWindow* window) {
    auto picture = std::make_unique<TzuBitmap>(window->ClientWidth(), window->ClientHeight());
    for (int y = 0; y < picture->Height(); ++y)
        for (int x = 0; x < picture->Width(); ++x) picture->ScanLine(y)[x] = window->Pixel(x, y);
    return picture;
}

class ColorGoldens : public HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 330, 190);
        root->Fill()->SetStyle(zuBrushSolid);
        root->Fill()->SetColor(0xFF2B2B2B);
    }
};

TEST_F(ColorGoldens, StripSquareSwatchAndGradientEditor) {
    auto* picker = Add<TzuColorPicker>(10, 10);
    picker->SetBounds(10, 10, 20, 120);
    auto* quad = Add<TzuColorQuad>(45, 10);
    quad->SetBounds(45, 10, 120, 120);
    auto* box = Add<TzuColorBox>(180, 10);
    box->SetBounds(180, 10, 60, 45);
    auto* opaque = Add<TzuColorBox>(250, 10);
    opaque->SetBounds(250, 10, 60, 45);
    opaque->SetColor(0xFF1E90FF);
    picker->SetColorQuad(quad);
    quad->SetColorBox(box);
    picker->SetColor(0x80E07020);
    auto* edit = Add<TzuGradientEdit>(10, 145);
    edit->SetBounds(10, 145, 300, 30);
    TzuGradientPoints* points = edit->Gradient()->Points();
    points->Clear();
    points->AddPoint(0xFF0000FF, 0);
    points->AddPoint(0x00FF0000, 0.4f);
    points->AddPoint(0xFFFFFF00, 1);
    edit->SetSelected(1);
    Settle();
    app.ProcessMessages();
    EXPECT_TRUE(MatchesGolden(*Picture(window()), "colors"));
}

TEST_F(ColorGoldens, ColourPanel) {
    auto* panel = new TzuColorPanel(root);
    panel->SetParent(root);
    panel->SetColor(0xC03A8FD0);
    panel->Open();
    ASSERT_TRUE(panel->IsOpen());
    Tick(15);
    app.ProcessMessages();
    // A popup shows what its scene presents to its layered form window.
    EXPECT_TRUE(MatchesGolden(*Picture(static_cast<TzuHeadlessWindow*>(panel->PopupScene()->Window())),
                              "color_panel"));
    panel->Close();
}

}  // namespace
}  // namespace zu::test
