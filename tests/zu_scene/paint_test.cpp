// Damage rectangles and hit testing of visual objects (no pixels).

#include <gtest/gtest.h>

#include <memory>

#include "tests/zu_scene/visual_test_scene.h"

namespace zu {
namespace {

using test::MakeVisual;
using test::TestScene;

class PaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = std::make_unique<TzuVisualObject>(nullptr);
        scene.AddObject(root.get());
        root->SetBounds(0, 0, 400, 400);
    }
    void TearDown() override { root.reset(); }
    TestScene scene;
    std::unique_ptr<TzuVisualObject> root;
};

TEST_F(PaintTest, MoveDamagesOldAndNewArea) {
    TzuVisualObject* v = MakeVisual(root.get(), 10, 10, 20, 20);
    scene.rects.clear();
    v->Position()->SetPoint({100, 50});
    EXPECT_TRUE(scene.Damaged({10, 10, 30, 30}));
    EXPECT_TRUE(scene.Damaged({100, 50, 120, 70}));
}

TEST_F(PaintTest, ResizeAndRotateDamageBothExtents) {
    TzuVisualObject* v = MakeVisual(root.get(), 10, 10, 40, 20);
    scene.rects.clear();
    v->SetWidth(80);
    EXPECT_TRUE(scene.Damaged({10, 10, 90, 30}));
    scene.rects.clear();
    v->SetRotateAngle(90);
    // Turned about its centre (50, 20): now spans 10..30 wide by 80 high.
    EXPECT_TRUE(scene.Damaged({10, 10, 90, 30}));
    EXPECT_TRUE(scene.Damaged({40, -20, 60, 60}));
}

TEST_F(PaintTest, MovingAParentDamagesChildrenOutsideIt) {
    TzuVisualObject* panel = MakeVisual(root.get(), 0, 0, 50, 50);
    TzuVisualObject* grand = MakeVisual(panel, 0, 0, 50, 50);
    MakeVisual(grand, 100, 100, 10, 10);  // sticks out of both ancestors
    (void)root->UpdateRect();
    scene.rects.clear();
    panel->Position()->SetX(200);
    EXPECT_TRUE(scene.Damaged({100, 100, 110, 110}));
    EXPECT_TRUE(scene.Damaged({300, 100, 310, 110}));
}

TEST_F(PaintTest, OpacityAndVisibility) {
    TzuVisualObject* v = MakeVisual(root.get(), 10, 10, 20, 20);
    scene.rects.clear();
    v->SetOpacity(0.5f);
    EXPECT_TRUE(scene.Damaged({10, 10, 30, 30}));
    v->SetOpacity(0.5f);
    scene.rects.clear();
    v->SetVisible(false);
    EXPECT_TRUE(scene.Damaged({10, 10, 30, 30}));
    // Hidden objects ask for nothing.
    scene.rects.clear();
    v->Position()->SetX(200);
    EXPECT_TRUE(scene.rects.empty());
    v->SetVisible(true);
    EXPECT_TRUE(scene.Damaged({200, 10, 220, 30}));
}

TEST_F(PaintTest, HiddenChildShowingAgainWidensItsParentsArea) {
    TzuVisualObject* panel = MakeVisual(root.get(), 0, 0, 50, 50);
    TzuVisualObject* far = MakeVisual(panel, 200, 200, 10, 10);
    far->SetVisible(false);
    EXPECT_EQ(panel->UpdateRect(), (TzuRect{0, 0, 50, 50}));
    far->SetVisible(true);
    EXPECT_EQ(panel->UpdateRect(), (TzuRect{0, 0, 210, 210}));
}

TEST_F(PaintTest, ReparentingDamagesOldAndNewPlaces) {
    TzuVisualObject* a = MakeVisual(root.get(), 0, 0, 50, 50);
    TzuVisualObject* b = MakeVisual(root.get(), 200, 200, 50, 50);
    TzuVisualObject* v = MakeVisual(a, 10, 10, 10, 10);
    EXPECT_EQ(v->AbsoluteRect(), (TzuRect{10, 10, 20, 20}));
    scene.rects.clear();
    v->SetParent(b);
    EXPECT_TRUE(scene.Damaged({10, 10, 20, 20}));
    EXPECT_TRUE(scene.Damaged({210, 210, 220, 220}));
    EXPECT_EQ(v->AbsoluteRect(), (TzuRect{210, 210, 220, 220}));
    EXPECT_EQ(a->UpdateRect(), (TzuRect{0, 0, 50, 50}));
}

TEST_F(PaintTest, ClipChildrenCutsTheArea) {
    TzuVisualObject* panel = MakeVisual(root.get(), 0, 0, 50, 50);
    TzuVisualObject* c = MakeVisual(panel, 40, 40, 30, 30);
    EXPECT_EQ(panel->UpdateRect(), (TzuRect{0, 0, 70, 70}));
    scene.rects.clear();
    panel->SetClipChildren(true);
    EXPECT_TRUE(scene.Damaged({0, 0, 70, 70}));  // the part outside must be erased
    EXPECT_EQ(panel->UpdateRect(), (TzuRect{0, 0, 50, 50}));
    EXPECT_EQ(c->UpdateRect(), (TzuRect{40, 40, 50, 50}));
}

TEST_F(PaintTest, SuspendedSceneCollectsNothing) {
    TzuVisualObject* v = MakeVisual(root.get(), 0, 0, 10, 10);
    scene.rects.clear();
    scene.updating = true;
    v->SetWidth(30);
    v->Position()->SetX(5);
    scene.updating = false;
    EXPECT_TRUE(scene.rects.empty());
}

TEST_F(PaintTest, NestedOpacityAndDisabledDimming) {
    TzuVisualObject* panel = MakeVisual(root.get(), 0, 0, 50, 50);
    TzuVisualObject* inner = MakeVisual(panel, 0, 0, 10, 10);
    panel->SetOpacity(0.5f);
    inner->SetOpacity(0.5f);
    EXPECT_FLOAT_EQ(inner->AbsoluteOpacity(), 0.25f);
    panel->SetOpacity(1);
    inner->SetOpacity(1);
    // A direct child of the root is not dimmed; below it, each disabled level is.
    panel->SetEnabled(false);
    EXPECT_FLOAT_EQ(panel->AbsoluteOpacity(), 1);
    EXPECT_FLOAT_EQ(inner->AbsoluteOpacity(), 0.8f);
    TzuVisualObject* deeper = MakeVisual(inner, 0, 0, 5, 5);
    EXPECT_FLOAT_EQ(deeper->AbsoluteOpacity(), 0.64f);
    panel->SetEnabled(true);
    EXPECT_FLOAT_EQ(deeper->AbsoluteOpacity(), 1);
    EXPECT_TRUE(deeper->AbsoluteEnabled());
}

TEST_F(PaintTest, DisablingClearsFocusAtOnce) {
    TzuVisualObject* panel = MakeVisual(root.get(), 0, 0, 50, 50);
    struct Focusable : TzuVisualObject {
        using TzuVisualObject::SetIsFocused;
        using TzuVisualObject::TzuVisualObject;
    };
    auto* edit = new Focusable(nullptr);
    edit->SetBounds(0, 0, 10, 10);
    edit->SetParent(panel);
    edit->SetCanFocus(true);
    scene.focused = edit;
    edit->SetIsFocused(true);
    panel->SetEnabled(false);
    // Not only when the enabled state is next asked: a disabled object never keeps it.
    EXPECT_EQ(scene.focused, nullptr);
    EXPECT_FALSE(edit->AbsoluteEnabled());
    // Given the focus while its enabled state was stale, asking for that state drops it.
    panel->SetEnabled(true);
    EXPECT_TRUE(edit->AbsoluteEnabled());
    panel->SetEnabled(false);
    scene.focused = edit;
    edit->SetIsFocused(true);
    EXPECT_FALSE(edit->AbsoluteEnabled());
    EXPECT_EQ(scene.focused, nullptr);
}

TEST_F(PaintTest, HitTestPrefersTopmostDeepest) {
    TzuVisualObject* a = MakeVisual(root.get(), 0, 0, 100, 100);
    TzuVisualObject* b = MakeVisual(root.get(), 50, 50, 100, 100);
    TzuVisualObject* inner = MakeVisual(a, 60, 60, 10, 10);
    EXPECT_EQ(root->ObjectAtPoint(65, 65), b);
    a->BringToFront();
    EXPECT_EQ(root->ObjectAtPoint(65, 65), inner);
    EXPECT_EQ(root->ObjectAtPoint(55, 55), a);
    // Not hit-testable itself, but passes hits on to its children.
    a->SetHitTest(false);
    EXPECT_EQ(root->ObjectAtPoint(55, 55), b);
    EXPECT_EQ(root->ObjectAtPoint(65, 65), inner);
}

TEST_F(PaintTest, HitTestEdgesAreStrict) {
    TzuVisualObject* v = MakeVisual(root.get(), 10, 10, 20, 20);
    root->SetHitTest(false);
    EXPECT_EQ(root->ObjectAtPoint(10, 15), nullptr);
    EXPECT_EQ(root->ObjectAtPoint(11, 15), v);
    EXPECT_EQ(root->ObjectAtPoint(30, 15), nullptr);
    EXPECT_EQ(root->ObjectAtPoint(29.5f, 29.5f), v);
}

TEST_F(PaintTest, HiddenSubtreesAndClippedChildrenAreNotHit) {
    TzuVisualObject* panel = MakeVisual(root.get(), 0, 0, 50, 50);
    TzuVisualObject* c = MakeVisual(panel, 40, 40, 30, 30);
    root->SetHitTest(false);
    EXPECT_EQ(root->ObjectAtPoint(60, 60), c);
    panel->SetClipChildren(true);
    EXPECT_EQ(root->ObjectAtPoint(60, 60), nullptr);
    EXPECT_EQ(root->ObjectAtPoint(45, 45), c);
    panel->SetVisible(false);
    EXPECT_EQ(root->ObjectAtPoint(45, 45), nullptr);
    // In design mode hidden objects are reachable, locked ones are not selectable.
    scene.designing = true;
    EXPECT_EQ(root->ObjectAtPoint(45, 45), c);
    c->SetLocked(true);
    EXPECT_EQ(root->ObjectAtPoint(45, 45), panel);
}

TEST_F(PaintTest, DestroyingAChildDamagesItsArea) {
    TzuVisualObject* v = MakeVisual(root.get(), 70, 70, 10, 10);
    scene.rects.clear();
    delete v;
    EXPECT_TRUE(scene.Damaged({70, 70, 80, 80}));
    EXPECT_EQ(root->ChildrenCount(), 0);
    EXPECT_EQ(root->ObjectAtPoint(75, 75), root.get());
}

}  // namespace
}  // namespace zu
