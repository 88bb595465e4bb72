#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/tree/background.h"
#include "tests/platform_headless/host_fixture.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu::test {
namespace {

// The display program's look at a small size: black root, grey rounded panel with a cyan
// stroke, yellow bold text, all blurred. The scene paints it through the whole host path:
// load timer, paint region, background rules, effect picture, flush to the window.
TEST_F(HostTest, DisplayLikeSceneMatchesItsGolden) {
    scene->Fill()->SetColor(0x00E0E0E0);
    scene->Fill()->SetStyle(zuBrushSolid);
    auto* root = new TzuBackground(form);
    root->Fill()->SetColor(0xFF000000);
    root->Fill()->SetStyle(zuBrushSolid);
    auto* panel = new TzuRectangle(form);
    panel->SetAlign(vaClient);
    panel->Fill()->SetColor(0xFFBEBEBE);
    panel->Stroke()->SetColor(0xFF4DF4FF);
    panel->SetStrokeThickness(5);
    panel->SetXRadius(12);
    panel->SetYRadius(12);
    panel->SetParent(root);
    auto* text = new TzuText(form);
    text->SetAlign(vaClient);
    text->Fill()->SetColor(0xFFF5C116);
    text->Font()->SetSize(24);
    text->Font()->SetStyle(zuFontBold);
    text->SetText(u"AB\r\ncd");
    text->SetParent(panel);
    auto* blur = new TzuBlurEffect(form);
    blur->SetSoftness(0.3f);
    blur->SetParent(panel);
    scene->AddObject(root);
    scene->Loaded();
    app.Advance(1);

    TzuBitmap shown;
    shown.SetSize(kWidth, kHeight);
    // An opaque window ignores alpha; compare what it shows.
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) shown.ScanLine(y)[x] = pixel(x, y) | 0xFF000000u;
    }
    EXPECT_TRUE(MatchesGolden(shown, "host_display_like"));
}

}  // namespace
}  // namespace zu::test
