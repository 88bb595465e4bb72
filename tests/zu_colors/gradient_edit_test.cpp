// The gradient editor by pointer: adding stops in the bar, selecting and dragging stops
// with reordering, dragging them off to delete them, and the linked picker showing the
// selected stop.

#include "scene/zu_colors/gradient_edit.h"

#include <gtest/gtest.h>

#include <vector>

#include "scene/zu_colors/color_picker.h"
#include "scene/zu_colors/color_quad.h"
#include "scene/zu_scene/graphics/gradient.h"
#include "tests/zu_controls/hosted_scene.h"

namespace zu {
namespace {

constexpr int kLeft = 20, kTop = 100;

class GradientEditing : public test::HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 400, 300);
        app.ProcessMessages();
        edit = Add<TzuGradientEdit>(kLeft, kTop);
        edit->OnChange().Set([this](TzuPersistent*) { ++changes; });
        edit->OnSelectPoint().Set([this](TzuPersistent*) { ++selections; });
        Settle();
    }
    TzuGradientPoints* Points() const { return edit->Gradient()->Points(); }
    // Window x of a gradient offset, and the y of the marker band and the bar.
    static int X(float offset) { return kLeft + 10 + int(offset * 180); }
    static int MarkerY() { return kTop + 15; }
    static int BarY() { return kTop + 5; }
    std::vector<float> Offsets() const {
        std::vector<float> out;
        for (int i = 0; i < Points()->Count(); ++i) out.push_back(Points()->Points(i)->Offset());
        return out;
    }
    void SetStops(std::initializer_list<std::pair<TzuColor, float>> stops) {
        Points()->Clear();
        for (auto [c, o] : stops) Points()->AddPoint(c, o);
        app.ProcessMessages();
        changes = selections = 0;
    }
    TzuGradientEdit* edit = nullptr;
    int changes = 0;
    int selections = 0;
};

TEST_F(GradientEditing, APressInTheBarAddsAStopBetweenTheEnds) {
    EXPECT_FLOAT_EQ(edit->Width(), 200);
    EXPECT_FLOAT_EQ(edit->Height(), 20);
    EXPECT_EQ(edit->Selected(), 0);
    const TzuColor quarter = edit->Gradient()->ColorAt(0.25f);
    ClickAt(X(0.25f), BarY());
    ASSERT_EQ(Points()->Count(), 3);
    EXPECT_FLOAT_EQ(Points()->Points(1)->Offset(), 0.25f);
    EXPECT_EQ(Points()->Points(1)->Color(), quarter);
    EXPECT_EQ(edit->Selected(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(selections, 1);

    // Right of the last stop, or left of the first, no stop is added (order is kept).
    SetStops({{0xFF000000, 0.2f}, {0xFFFFFFFF, 0.6f}});
    ClickAt(X(0.8f), BarY());
    ClickAt(X(0.1f), BarY());
    EXPECT_EQ(Points()->Count(), 2);
    EXPECT_EQ(changes, 0);
    // Between them it goes in order, however many stops there are.
    SetStops({{0xFF000000, 0}, {0xFFFF0000, 0.3f}, {0xFF00FF00, 0.6f}, {0xFFFFFFFF, 1}});
    ClickAt(X(0.5f), BarY());
    EXPECT_EQ(Offsets(), (std::vector<float>{0, 0.3f, 0.5f, 0.6f, 1}));
    // The marker band and the edges of the bar add nothing.
    ClickAt(X(0.45f), MarkerY());
    ClickAt(X(0.45f), kTop);
    EXPECT_EQ(Points()->Count(), 5);
}

TEST_F(GradientEditing, DraggingAStopKeepsTheStopsInOrder) {
    SetStops({{0xFF000000, 0}, {0xFFFF0000, 0.3f}, {0xFF00FF00, 0.6f}, {0xFFFFFFFF, 1}});
    Press(X(0.3f), MarkerY());
    EXPECT_EQ(edit->Selected(), 1);
    EXPECT_EQ(selections, 1);
    EXPECT_TRUE(edit->Dragging());
    Drag(X(0.5f), MarkerY());
    EXPECT_EQ(Offsets(), (std::vector<float>{0, 0.5f, 0.6f, 1}));
    // Past its right neighbour it takes its place, and stays selected.
    Drag(X(0.7f), MarkerY() + 6);
    EXPECT_EQ(Offsets(), (std::vector<float>{0, 0.6f, 0.7f, 1}));
    EXPECT_EQ(edit->Selected(), 2);
    EXPECT_EQ(Points()->Points(2)->Color(), 0xFFFF0000u);
    // Past its left neighbour in one move, clamped to the bar; equal offsets keep their order.
    Drag(0, MarkerY());
    EXPECT_EQ(Offsets(), (std::vector<float>{0, 0, 0.6f, 1}));
    EXPECT_EQ(edit->Selected(), 1);
    EXPECT_EQ(Points()->Points(1)->Color(), 0xFFFF0000u);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(selections, 1);
    Release(0, MarkerY());
    EXPECT_FALSE(edit->Dragging());
    EXPECT_EQ(Points()->Count(), 4);
}

TEST_F(GradientEditing, DraggingAStopOffDeletesItWhileAnotherRemains) {
    SetStops({{0xFF000000, 0}, {0xFFFF0000, 0.5f}, {0xFFFFFFFF, 1}});
    Press(X(0.5f), MarkerY());
    Drag(X(0.5f), kTop + 20 + 11);
    EXPECT_TRUE(edit->DraggedOff());
    // Back near the control it is on again.
    Drag(X(0.5f), kTop + 20 + 9);
    EXPECT_FALSE(edit->DraggedOff());
    Drag(X(0.5f), kTop + 60);
    Release(X(0.5f), kTop + 60);
    EXPECT_EQ(Offsets(), (std::vector<float>{0, 1}));
    EXPECT_EQ(edit->Selected(), 0);  // the one before it

    // The first stop goes as well; the one after it is selected.
    Press(X(0), MarkerY());
    Drag(X(0), kTop - 40);
    EXPECT_TRUE(edit->DraggedOff());
    Release(X(0), kTop - 40);
    ASSERT_EQ(Points()->Count(), 1);
    EXPECT_EQ(Points()->Points(0)->Color(), 0xFFFFFFFFu);
    EXPECT_EQ(edit->Selected(), 0);

    // The only stop stays, wherever it is dropped, and still paints the bar.
    Press(X(1), MarkerY());
    Drag(X(0.5f), kTop + 80);
    EXPECT_FALSE(edit->DraggedOff());
    Release(X(0.5f), kTop + 80);
    ASSERT_EQ(Points()->Count(), 1);
    EXPECT_FLOAT_EQ(Points()->Points(0)->Offset(), 0.5f);
    EXPECT_EQ(edit->Gradient()->ColorAt(0.1f), 0xFFFFFFFFu);
    app.ProcessMessages();
    EXPECT_EQ(window()->Pixel(X(0.1f), BarY()), 0xFFFFFFFFu);
}

TEST_F(GradientEditing, TheLinkedPickerShowsTheSelectedStop) {
    auto* quad = Add<TzuColorQuad>(20, 140);
    auto* picker = Add<TzuColorPicker>(200, 140);
    picker->SetColorQuad(quad);
    edit->SetColorPicker(picker);
    SetStops({{0xFF000000, 0}, {0xFF3366CCu, 0.5f}, {0xFFFFFFFF, 1}});
    Press(X(0.5f), MarkerY());
    float h, s, l;
    RGBToHSL(0xFF3366CC, h, s, l);
    EXPECT_FLOAT_EQ(picker->Hue(), h);
    EXPECT_FLOAT_EQ(quad->Sat(), s);
    EXPECT_FLOAT_EQ(quad->Lum(), l);
    Release(X(0.5f), MarkerY());
    // A change shows the current stop again; the picker follows a stop selected in code.
    edit->SetSelected(2);
    EXPECT_FLOAT_EQ(quad->Lum(), 1);
    EXPECT_EQ(selections, 2);
    edit->SetSelected(2);
    edit->SetSelected(99);  // clamped to the last: no change
    EXPECT_EQ(selections, 2);

    delete picker;
    EXPECT_EQ(edit->ColorPicker(), nullptr);
    edit->SetSelected(0);
    EXPECT_EQ(selections, 3);
    // Stops going from outside keep the selection on a stop that is there.
    edit->SetSelected(2);
    Points()->Delete(2);
    Points()->Delete(1);
    EXPECT_EQ(edit->Selected(), 0);
    Points()->Clear();
    EXPECT_EQ(edit->Selected(), -1);
    ClickAt(X(0.5f), BarY());
    EXPECT_EQ(Points()->Count(), 0);
    app.ProcessMessages();  // paints with no stops
}

}  // namespace
}  // namespace zu
