// The selection frame and selection point driven by injected input through the scene:
// moving within the parent, resizing by each grip with and without proportions, MinSize,
// grip hovering, the grip clamps, and a frame of no height resizing freely.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_objects/register_objects.h"
#include "scene/zu_objects/selection.h"
#include "scene/zu_objects/selection_point.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"

namespace zu::test {
namespace {

class SelectionInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSceneClasses();
        RegisterObjectClasses();
        form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 50, 300, 240);
        scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        root = new TzuVisualObject(nullptr);
        root->SetHitTest(false);
        scene->AddObject(root);
        // The frame moves within this parent, placed off the scene's corner.
        parent = new TzuVisualObject(nullptr);
        parent->SetBounds(20, 20, 200, 150);
        parent->SetHitTest(false);
        parent->SetParent(root);
        sel = new TzuSelection(nullptr);
        sel->SetBounds(40, 30, 100, 50);
        sel->SetParent(parent);
        sel->OnTrack().Set([this](TzuPersistent*) { ++tracks; });
        sel->OnChange().Set([this](TzuPersistent*) { ++changes; });
        form->Show();
        app.ProcessMessages();
    }
    void TearDown() override { delete form; }

    TzuHeadlessWindow* window() const { return static_cast<TzuHeadlessWindow*>(scene->Window()); }
    // A left drag in scene coordinates.
    void Drag(int x0, int y0, int x1, int y1) {
        window()->InjectMouseMove(x0, y0);
        window()->InjectMouseDown(mbLeft, x0, y0);
        window()->InjectMouseMove((x0 + x1) / 2, (y0 + y1) / 2, ssLeft);
        window()->InjectMouseMove(x1, y1, ssLeft);
        window()->InjectMouseUp(mbLeft, x1, y1);
    }
    TzuRect Box() const {
        const TzuPoint p = sel->Position()->GetPoint();
        return TzuRect{p.X, p.Y, p.X + sel->Width(), p.Y + sel->Height()};
    }

    TzuHeadlessApplication app;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
    TzuVisualObject* root = nullptr;
    TzuVisualObject* parent = nullptr;
    TzuSelection* sel = nullptr;
    int tracks = 0, changes = 0;
};

// The frame's top-left corner in scene coordinates is (60, 50).
TEST_F(SelectionInputTest, DraggingInsideMovesWithinTheParent) {
    Drag(110, 75, 130, 95);
    EXPECT_EQ(Box(), (TzuRect{60, 50, 160, 100}));
    EXPECT_EQ(tracks, 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(scene->Captured(), nullptr);
    // Far to the right and below: stopped at the parent's edges.
    Drag(110, 75, 400, 400);
    EXPECT_EQ(Box(), (TzuRect{100, 100, 200, 150}));
    sel->SetParentBounds(false);
    Drag(130, 125, 30, 125);  // now free to leave the parent
    EXPECT_EQ(Box().Left, 0);
    Drag(30, 125, 0, 125);
    EXPECT_EQ(Box().Left, -30);
}

TEST_F(SelectionInputTest, EachGripResizesItsCorner) {
    // Bottom-right: the corner goes to the pointer.
    Drag(160, 100, 180, 120);
    EXPECT_EQ(Box(), (TzuRect{40, 30, 160, 100}));
    EXPECT_EQ(changes, 1);
    // Top-left: a press exactly on the corner moves the corner to the pointer.
    Drag(60, 50, 50, 40);
    EXPECT_EQ(Box(), (TzuRect{30, 20, 160, 100}));
    // Top-right and bottom-left.
    Drag(180, 40, 200, 60);
    EXPECT_EQ(Box(), (TzuRect{30, 40, 180, 100}));
    Drag(50, 120, 70, 110);
    EXPECT_EQ(Box(), (TzuRect{50, 40, 180, 90}));
    // MinSize keeps both sides: a drag across the opposite corner stops at 15 x 15.
    Drag(200, 110, 10, 10);
    EXPECT_EQ(sel->Width(), 15);
    EXPECT_EQ(sel->Height(), 15);
}

TEST_F(SelectionInputTest, ProportionalResizingKeepsTheRatioAndMinSize) {
    sel->SetProportional(true);
    // 100 x 50 by the bottom-right grip to a width of 60: height 30.
    Drag(160, 100, 120, 70);
    EXPECT_EQ(sel->Width(), 60);
    EXPECT_EQ(sel->Height(), 30);
    // With MinSize 40, a drag to width 30 gives Round(40 x 2) = 80 by 40.
    sel->SetMinSize(40);
    Drag(120, 80, 90, 80);
    EXPECT_EQ(sel->Width(), 80);
    EXPECT_EQ(sel->Height(), 40);
    // By the top-left grip the frame keeps its bottom edge.
    const float bottom = Box().Bottom;
    Drag(60, 50, 40, 40);
    EXPECT_EQ(sel->Width() / sel->Height(), 2);
    EXPECT_EQ(Box().Bottom, bottom);
}

TEST_F(SelectionInputTest, AFrameOfNoHeightResizesFreelyInsteadOfDividingByZero) {
    sel->SetProportional(true);
    sel->SetMinSize(1);
    sel->SetHeight(0);
    // The top-right grip, dragged up by 20.
    Drag(160, 50, 170, 30);
    EXPECT_EQ(sel->Width(), 110);
    EXPECT_EQ(sel->Height(), 20);
    EXPECT_EQ(Box().Top, 10);
}

TEST_F(SelectionInputTest, GripsLightUpUnderThePointerAndClampTheirSize) {
    window()->InjectMouseMove(110, 75);
    window()->InjectMouseMove(160, 100);
    EXPECT_TRUE(sel->PointInObject(163, 103));  // a grip reaches outside the frame
    EXPECT_FALSE(sel->PointInObject(165, 105));
    sel->SetGripSize(50);
    EXPECT_EQ(sel->GripSize(), 20);
    sel->SetGripSize(0.5f);
    EXPECT_EQ(sel->GripSize(), 1);
    sel->SetMinSize(0);
    EXPECT_EQ(sel->MinSize(), 1);
}

TEST_F(SelectionInputTest, HandlersMayFreeTheFrameTheyRunOn) {
    // Freed by the step report of a resize, then another one by its press.
    sel->OnTrack().Set([this](TzuPersistent*) {
        // The handler goes with the frame: nothing of it is touched after the delete.
        TzuSelection* victim = sel;
        sel = nullptr;
        delete victim;
    });
    Drag(160, 100, 180, 120);
    EXPECT_EQ(parent->ChildrenCount(), 0);
    auto* other = new TzuSelection(nullptr);
    other->SetBounds(10, 10, 40, 40);
    other->SetParent(parent);
    other->OnMouseDown().Set(
        [other](TzuPersistent*, TzuMouseButton, TzuShiftState, float, float) { delete other; });
    Drag(50, 50, 60, 60);
    EXPECT_EQ(parent->ChildrenCount(), 0);
}

TEST_F(SelectionInputTest, SelectionPointFollowsTheDragWithinItsParent) {
    auto* point = new TzuSelectionPoint(nullptr);
    point->SetParent(parent);
    point->Position()->SetPoint({10, 10});
    point->SetWidth(100);
    EXPECT_EQ(point->Width(), 6);
    int tracked = 0, changed = 0;
    point->OnTrack().Set([&](TzuPersistent*) { ++tracked; });
    point->OnChange().Set([&](TzuPersistent*) { ++changed; });
    // The grip is centred on the position: (30, 30) in the scene.
    EXPECT_TRUE(point->PointInObject(28, 28));
    EXPECT_FALSE(point->PointInObject(33, 30));
    Drag(30, 30, 80, 60);
    EXPECT_EQ(point->Position()->GetPoint(), (TzuPoint{60, 40}));
    EXPECT_EQ(tracked, 2);
    EXPECT_EQ(changed, 1);
    Drag(80, 60, 500, -50);
    EXPECT_EQ(point->Position()->GetPoint(), (TzuPoint{200, 0}));
    point->SetGripSize(8);
    EXPECT_EQ(point->Height(), 16);
}

}  // namespace
}  // namespace zu::test
