// The text box family as it paints in the default style, plain and hud: at rest, focused
// with a selection, a password, a number box being dragged each way and the spin box.
// Each state is one band of the golden image, the window as it showed then.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "../zu_controls/hosted_scene.h"
#include "scene/zu_text/number_box.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu::test {
namespace {

class TextBoxGoldens : public HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 560, 70);
        scene->SetAnimatedCaret(false);  // a steady caret, the same in every run
        root->Fill()->SetStyle(zuBrushSolid);
        root->Fill()->SetColor(0xFF2B2B2B);
        for (int row = 0; row < 2; ++row) {
            const float y = 10 + 30 * float(row);
            const bool hud = row == 1;
            text[row] = hud ? static_cast<TzuTextBox*>(Add<TzuHudTextBox>(10, y)) : Add<TzuTextBox>(10, y);
            round[row] = hud ? static_cast<TzuTextBox*>(Add<TzuHudRoundTextBox>(120, y))
                             : Add<TzuRoundTextBox>(120, y);
            password[row] =
                hud ? static_cast<TzuTextBox*>(Add<TzuHudTextBox>(230, y)) : Add<TzuTextBox>(230, y);
            number[row] =
                hud ? static_cast<TzuNumberBox*>(Add<TzuHudNumberBox>(340, y)) : Add<TzuNumberBox>(340, y);
            spin[row] = hud ? static_cast<TzuSpinBox*>(Add<TzuHudSpinBox>(450, y)) : Add<TzuSpinBox>(450, y);
            text[row]->SetText(u"Hello world");
            round[row]->SetText(u"Round");
            password[row]->SetText(u"secret");
            password[row]->SetPassword(true);
            number[row]->SetMax(100);
            number[row]->SetValue(42);
            spin[row]->SetValue(7);
        }
        Settle();
        Tick(15);
    }
    // Adds the window as it shows now as the next band of the picture.
    void Band() {
        app.ProcessMessages();
        Tick(15);
        app.ProcessMessages();
        width = window()->ClientWidth();
        height = window()->ClientHeight();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels.push_back(window()->Pixel(x, y));
        ++bands;
    }
    void DragNumber(TzuNumberBox* box, int dx, int dy) {
        const TzuPoint o = box->LocalToAbsolute({50, 10});
        const int px = int(o.X), py = int(o.Y);
        window()->InjectMouseMove(px, py);
        Press(px, py);
        Drag(px + dx, py + dy);
    }

    TzuTextBox* text[2]{};
    TzuTextBox* round[2]{};
    TzuTextBox* password[2]{};
    TzuNumberBox* number[2]{};
    TzuSpinBox* spin[2]{};
    // The bands one under the other, as one picture.
    void CopyBands(TzuBitmap& picture) const {
        for (int y = 0; y < height * bands; ++y)
            std::copy(pixels.begin() + ptrdiff_t(y) * width, pixels.begin() + ptrdiff_t(y + 1) * width,
                      picture.ScanLine(y));
    }
    std::vector<uint32_t> pixels;
    int width = 0, height = 0, bands = 0;
};

TEST_F(TextBoxGoldens, RestFocusSelectionPasswordDraggingAndSpin) {
    Band();
    for (int row = 0; row < 2; ++row) {
        text[row]->SetFocus();
        text[row]->Select(6, 5);
        Band();
    }
    DragNumber(number[0], 0, -6);  // vertical: the bar on the right edge
    Band();
    Release(0, 0);
    DragNumber(number[1], 8, 0);  // horizontal: the bar along the bottom
    Band();
    Release(0, 0);
    EXPECT_EQ(number[0]->Value(), 47);
    EXPECT_EQ(number[1]->Value(), 43);
    TzuBitmap picture(width, height * bands);
    CopyBands(picture);
    EXPECT_TRUE(MatchesGolden(picture, "text_boxes"));
}

}  // namespace
}  // namespace zu::test
