// Design-time editing through injected input on a designed scene: handles, selecting,
// moving with grid and line snapping, placing into another object, rotating, resizing,
// deleting, the designer's hit test and the hook's view of it all; one golden of the
// design drawing.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_controls/expander.h"
#include "scene/zu_controls/register_controls.h"
#include "scene/zu_objects/register_objects.h"
#include "scene/zu_objects/selection_point.h"
#include "scene/zu_scene/host/design_hook.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu::test {
namespace {

using G = TzuDesignGrip;

// Records what the scene tells the designer.
class RecordingHook : public IzuDesignHook {
public:
    void SceneCreated(TzuCustomScene&) override { ++created; }
    void SceneDestroyed(TzuCustomScene&) override { ++destroyed; }
    void SelectionChanged(TzuCustomScene&, TzuObject* s) override { selections.push_back(s); }
    void SelectionListChanged(TzuCustomScene&, const std::vector<TzuObject*>& l) override { list = l; }
    std::string UniqueName(TzuCustomScene&, std::string_view cls) override { return std::string(cls) + "1"; }
    void DesignStepDone(TzuCustomScene&) override { ++steps; }
    int created = 0, destroyed = 0, steps = 0;
    std::vector<TzuObject*> selections, list;
};

class DesignEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSceneClasses();
        RegisterObjectClasses();
        RegisterControlClasses();
        SetDesignHook(&hook);
        form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 50, 300, 200);
        form->SetDesigning(true);
        scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        form->Show();
        app.ProcessMessages();
    }
    void TearDown() override {
        delete form;
        SetDesignHook(nullptr);
    }
    TzuHeadlessWindow* window() const { return static_cast<TzuHeadlessWindow*>(scene->Window()); }
    // Makes the root and two boxes: a at (20,20) 40x30 and b at (100,60) 50x40.
    void Populate() {
        root = new TzuBackground(form);
        scene->AddObject(root);
        a = Box(20, 20, 40, 30, "A");
        b = Box(100, 60, 50, 40, "B");
    }
    TzuVisualObject* Box(float x, float y, float w, float h, const char* name, TzuObject* parent = nullptr) {
        auto* v = new TzuVisualObject(form);
        v->SetName(name);
        v->SetBounds(x, y, w, h);
        v->SetParent(parent ? parent : root);
        return v;
    }
    void Drag(int x0, int y0, int x1, int y1, TzuShiftState extra = 0) {
        window()->InjectMouseMove(x0, y0);
        window()->InjectMouseDown(mbLeft, x0, y0, extra);
        window()->InjectMouseMove((x0 + x1) / 2, (y0 + y1) / 2, ssLeft | extra);
        window()->InjectMouseMove(x1, y1, ssLeft | extra);
        window()->InjectMouseUp(mbLeft, x1, y1, extra);
    }
    static TzuRect BoxOf(TzuVisualObject* v) {
        const TzuPoint p = v->Position()->GetPoint();
        return {p.X, p.Y, p.X + v->Width(), p.Y + v->Height()};
    }

    RecordingHook hook;
    TzuHeadlessApplication app;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
    TzuVisualObject* root = nullptr;
    TzuVisualObject* a = nullptr;
    TzuVisualObject* b = nullptr;
};

TEST(DesignHandles, GeometryEdgeGripRoomAndTestOrder) {
    struct Case {
        TzuPoint p;
        float w, h;
        G handle;
    };
    const Case cases[] = {
        // Each handle of a 40 x 30 object at its place, and just outside the rotation handle.
        {{20, -10}, 40, 30, G::Rotate},
        {{20, -14}, 40, 30, G::None},
        {{-3, -3}, 40, 30, G::TopLeft},
        {{41, 1}, 40, 30, G::TopRight},
        {{0, 30}, 40, 30, G::BottomLeft},
        {{40, 32}, 40, 30, G::BottomRight},
        {{20, 2}, 40, 30, G::Top},
        {{20, 30}, 40, 30, G::Bottom},
        {{0, 15}, 40, 30, G::Left},
        {{39, 15}, 40, 30, G::Right},
        // Edge grips need more than 12 on their side.
        {{6, 0}, 12, 40, G::None},
        {{0, 20}, 12, 40, G::Left},
        {{0, 6}, 40, 12, G::None},
        {{20, 0}, 40, 12, G::Top},
        // Overlapping handles of a tiny object go in test order.
        {{2, 2}, 4, 4, G::TopLeft},
        {{4, 2}, 4, 4, G::TopRight},
        {{1, 4}, 4, 4, G::BottomLeft}};
    for (const Case& c : cases)
        EXPECT_EQ(DesignHandleAtLocal(c.p, c.w, c.h), c.handle)
            << c.p.X << "," << c.p.Y << " in " << c.w << "x" << c.h;
}

TEST_F(DesignEditTest, EmptySceneGetsARootAndTheHookHearsOfSceneAndSelection) {
    EXPECT_TRUE(scene->IsDesigning());
    EXPECT_EQ(hook.created, 1);
    EXPECT_TRUE(scene->DesignHitTest({5, 5}));  // an empty scene takes every press
    window()->InjectMouseDown(mbLeft, 30, 30);
    window()->InjectMouseUp(mbLeft, 30, 30);
    ASSERT_EQ(scene->ObjectCount(), 1);
    auto* made = dynamic_cast<TzuBackground*>(scene->Root());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Name(), "Root1");
    EXPECT_EQ(made->Owner(), form);
    EXPECT_EQ(scene->DesignSelection(), made);
    ASSERT_FALSE(hook.selections.empty());
    EXPECT_EQ(hook.selections.back(), made);
    EXPECT_EQ(hook.steps, 1);
    // The root is not moved by a drag: the scene places it.
    Drag(30, 30, 60, 60);
    EXPECT_EQ(BoxOf(made), (TzuRect{0, 0, 300, 200}));
    EXPECT_EQ(hook.steps, 1);
    delete scene;
    scene = nullptr;
    EXPECT_EQ(hook.destroyed, 1);
}

TEST_F(DesignEditTest, MoveSnapsToTheGridAndToSiblingLines) {
    Populate();
    scene->SetDesignSnapToLines(false);
    Drag(30, 30, 47, 36);
    EXPECT_EQ(scene->DesignSelection(), a);
    EXPECT_EQ(BoxOf(a), (TzuRect{37, 26, 77, 56}));
    EXPECT_EQ(hook.steps, 1);
    EXPECT_EQ(scene->DesignGrip(), G::None);

    scene->SetDesignSnapToGrid(true);
    scene->SetGridStep(5);
    Drag(40, 30, 47, 39);  // travel (7, 9): the position goes to the grid
    EXPECT_EQ(BoxOf(a), (TzuRect{40, 35, 80, 65}));

    // Lines: a's right edge 1 short of b's left edge (100) snaps onto it, and its centre
    // line lies on b's top; a press without travel changes nothing.
    scene->SetDesignSnapToGrid(false);
    scene->SetDesignSnapToLines(true);
    const int steps = hook.steps;
    Drag(50, 40, 50, 40);
    EXPECT_EQ(hook.steps, steps);
    window()->InjectMouseDown(mbLeft, 50, 40);
    window()->InjectMouseMove(69, 50, ssLeft);  // box would be (59,45)-(99,75); centre y 60
    EXPECT_EQ(BoxOf(a), (TzuRect{60, 45, 100, 75}));
    ASSERT_EQ(scene->DesignSnapSiblings().size(), 1u);
    EXPECT_EQ(scene->DesignSnapSiblings()[0], b);
    window()->InjectMouseMove(80, 52, ssLeft);  // nothing closer than 2: no snap, no lines
    EXPECT_EQ(BoxOf(a), (TzuRect{70, 47, 110, 77}));
    EXPECT_TRUE(scene->DesignSnapSiblings().empty());
    window()->InjectMouseUp(mbLeft, 80, 52);
    EXPECT_EQ(hook.steps, steps + 1);
}

TEST_F(DesignEditTest, AltDragPlacesIntoTheTargetKeepingTheScreenPlaceButNeverIntoItsOwnChild) {
    Populate();
    TzuVisualObject* inner = Box(5, 5, 10, 10, "Inner", a);
    // Without Alt the target is only shown, with its hint.
    window()->InjectMouseDown(mbLeft, 50, 45);
    window()->InjectMouseMove(120, 80, ssLeft);
    EXPECT_EQ(scene->DesignPlaceTarget(), b);
    EXPECT_EQ(scene->DesignPlaceHint(), u"ALT-drag to place into [B]");
    EXPECT_EQ(a->Parent(), root);
    window()->InjectMouseUp(mbLeft, 120, 80);
    EXPECT_EQ(scene->DesignPlaceTarget(), nullptr);
    EXPECT_EQ(BoxOf(a), (TzuRect{90, 55, 130, 85}));
    b->SetName("");  // a target without a name shows its class
    a->SetBounds(20, 20, 40, 30);

    // Over its own child, or its own parent, the selection has no target.
    EXPECT_EQ(scene->DesignObjectAt({30, 30}), inner);
    EXPECT_EQ(scene->DesignObjectAt({30, 30}, a), root);
    window()->InjectMouseDown(mbLeft, 50, 45);
    window()->InjectMouseMove(51, 45, ssLeft | ssAlt);
    EXPECT_EQ(scene->DesignPlaceTarget(), nullptr);
    EXPECT_EQ(a->Parent(), root);
    window()->InjectMouseMove(120, 80, ssLeft);
    EXPECT_EQ(scene->DesignPlaceHint(), u"ALT-drag to place into [TzuVisualObject]");

    // With Alt held over b, a goes into b and stays where it is on screen.
    window()->InjectMouseMove(120, 80, ssLeft | ssAlt);
    EXPECT_EQ(a->Parent(), b);
    EXPECT_EQ(a->LocalToAbsolute({0, 0}), (TzuPoint{90, 55}));
    EXPECT_EQ(a->Position()->GetPoint(), (TzuPoint{-10, -5}));
    window()->InjectMouseMove(121, 80, ssLeft | ssAlt);  // the drag goes on inside b
    EXPECT_EQ(a->LocalToAbsolute({0, 0}), (TzuPoint{91, 55}));
    window()->InjectMouseUp(mbLeft, 121, 80);
    EXPECT_EQ(b->Parent(), root);
    EXPECT_EQ(inner->Parent(), a);
}

TEST_F(DesignEditTest, RotationFollowsTheCrossProductSign) {
    Populate();
    window()->InjectMouseDown(mbLeft, 30, 30);  // select a: centre (40, 35), handle (40, 10)
    window()->InjectMouseUp(mbLeft, 30, 30);
    window()->InjectMouseMove(40, 10);
    EXPECT_EQ(scene->DesignHotHandle(), G::Rotate);
    window()->InjectMouseDown(mbLeft, 40, 10);
    EXPECT_EQ(scene->DesignGrip(), G::Rotate);
    window()->InjectMouseMove(65, 35, ssLeft);  // a quarter turn clockwise on screen
    EXPECT_NEAR(a->RotateAngle(), 90, 0.01);
    window()->InjectMouseMove(40, 10, ssLeft);  // and back
    EXPECT_NEAR(a->RotateAngle(), 0, 0.01);
    window()->InjectMouseMove(15, 35, ssLeft);  // counter-clockwise
    EXPECT_NEAR(a->RotateAngle(), -90, 0.01);
    window()->InjectMouseUp(mbLeft, 15, 35);
    EXPECT_EQ(hook.steps, 1);
}

TEST_F(DesignEditTest, GripsResizeTheirEdgesAndSnapToSiblingEdgesWithinFour) {
    Populate();
    window()->InjectMouseDown(mbLeft, 30, 30);
    window()->InjectMouseUp(mbLeft, 30, 30);
    scene->SetDesignSnapToLines(false);
    Drag(60, 50, 70, 58);  // bottom-right corner
    EXPECT_EQ(BoxOf(a), (TzuRect{20, 20, 70, 58}));
    Drag(45, 20, 45, 10);  // top edge only
    EXPECT_EQ(BoxOf(a), (TzuRect{20, 10, 70, 58}));
    Drag(20, 34, 90, 34);  // left edge past the right one stops there
    EXPECT_EQ(BoxOf(a), (TzuRect{70, 10, 70, 58}));
    scene->SetDesignSnapToLines(true);
    a->SetBounds(20, 20, 40, 30);
    Drag(60, 35, 97, 35);  // right edge 3 short of b's left edge snaps onto it
    EXPECT_EQ(BoxOf(a), (TzuRect{20, 20, 100, 50}));
    Drag(100, 50, 100, 55);  // bottom 5 from b's top (60): too far
    EXPECT_EQ(BoxOf(a), (TzuRect{20, 20, 100, 55}));
    EXPECT_EQ(hook.steps, 5);
}

TEST_F(DesignEditTest, DeleteFreesTheSelectionButNeverTheRoot) {
    Populate();
    TzuVisualObject* inner = Box(5, 5, 10, 10, "Inner", a);
    window()->InjectMouseDown(mbLeft, 50, 45);
    window()->InjectMouseUp(mbLeft, 50, 45);
    window()->InjectKeyDown(keys::Delete);
    window()->InjectKeyUp(keys::Delete);
    EXPECT_EQ(root->ChildrenCount(), 1);
    EXPECT_EQ(root->Children(0), b);
    EXPECT_EQ(scene->DesignSelection(), root);
    EXPECT_EQ(hook.steps, 1);
    (void)inner;                          // freed with a
    window()->InjectKeyUp(keys::Delete);  // the root stays
    EXPECT_EQ(scene->Root(), root);
    EXPECT_EQ(scene->DesignSelection(), root);
    EXPECT_EQ(hook.steps, 1);
    EXPECT_FALSE(scene->DesignDeleteSelection());
}

TEST_F(DesignEditTest, HitTestCtrlListAndObjectsFreedMidDrag) {
    Populate();
    TzuVisualObject* hidden = Box(200, 20, 30, 30, "Hidden");
    hidden->SetVisible(false);
    root->SetHitTest(false);                       // hit testing at design time ignores HitTest
    EXPECT_TRUE(scene->DesignHitTest({210, 30}));  // invisible objects are found
    EXPECT_EQ(scene->DesignObjectAt({210, 30}), hidden);
    EXPECT_EQ(scene->DesignObjectAt({5, 5}), root);
    root->SetLocked(true);  // nothing under the point now but the selection's box
    EXPECT_FALSE(scene->DesignHitTest({5, 5}));
    scene->DesignSelect(root);
    EXPECT_TRUE(scene->DesignHitTest({5, 5}));
    root->SetLocked(false);

    // Ctrl adds to the extra list; Ctrl on a listed object puts the selection in its place.
    for (auto [x, y, shift] : {std::tuple{30, 30, 0}, {120, 70, ssCtrl}, {210, 30, ssCtrl}}) {
        window()->InjectMouseDown(mbLeft, x, y, shift);
        window()->InjectMouseUp(mbLeft, x, y, shift);
    }
    EXPECT_EQ(scene->DesignSelection(), a);
    EXPECT_EQ(hook.list, (std::vector<TzuObject*>{b, hidden}));
    window()->InjectMouseDown(mbLeft, 120, 70, ssCtrl);
    window()->InjectMouseUp(mbLeft, 120, 70, ssCtrl);
    EXPECT_EQ(scene->DesignSelectionList(), (std::vector<TzuObject*>{a, hidden}));

    // Everything that refers to an object freed during a drag lets go of it.
    window()->InjectMouseDown(mbLeft, 120, 70);  // select b
    window()->InjectMouseMove(120, 39, ssLeft);  // b's centre line 1 off a's bottom
    EXPECT_EQ(BoxOf(b), (TzuRect{100, 30, 150, 70}));
    window()->InjectMouseMove(50, 30, ssLeft);  // over a: a becomes the target
    EXPECT_EQ(scene->DesignPlaceTarget(), a);
    delete a;
    delete hidden;
    EXPECT_EQ(scene->DesignPlaceTarget(), nullptr);
    EXPECT_TRUE(scene->DesignSelectionList().empty());
    EXPECT_TRUE(scene->DesignSnapSiblings().empty());
    delete b;
    EXPECT_EQ(scene->DesignSelection(), nullptr);
    EXPECT_EQ(scene->DesignGrip(), G::None);
    window()->InjectMouseMove(60, 40, ssLeft);
    window()->InjectMouseUp(mbLeft, 60, 40);
}

TEST_F(DesignEditTest, DoubleClickRunsTheDesignActionAndRightPressOpensTheMenu) {
    Populate();
    auto* expander = new TzuExpander(form);
    expander->SetBounds(20, 110, 120, 60);
    expander->SetParent(root);
    const bool expanded = expander->IsExpanded();
    window()->InjectMouseDown(mbLeft, 30, 115);
    window()->InjectMouseUp(mbLeft, 30, 115);
    ASSERT_EQ(scene->DesignSelection(), expander);
    window()->InjectMouseDown(mbLeft, 30, 115, 0, true);
    window()->InjectMouseUp(mbLeft, 30, 115, 0, true);
    EXPECT_NE(expander->IsExpanded(), expanded);

    static TzuPoint menuAt{-1, -1};
    SetDesignMenuHook([](TzuCustomScene&, const TzuPoint& p, int, int) { menuAt = p; });
    window()->InjectMouseDown(mbRight, 130, 70);
    SetDesignMenuHook(nullptr);
    EXPECT_EQ(menuAt, (TzuPoint{130, 70}));
    EXPECT_EQ(scene->DesignDropPoint(), (TzuPoint{130, 70}));
}

// Two states of the drawing, one above the other: a dragged onto c, its left edge on c's
// centre line and its centre line on c's (target label, snap lines, selection frame); then b selected with
// its bottom-right grip hot. Painted through the window's own incremental repaints.
TEST_F(DesignEditTest, DesignDrawingMatchesGolden) {
    Populate();
    scene->Fill()->SetColor(0xFFFFFFFF);
    scene->Fill()->SetStyle(zuBrushSolid);
    auto* point = new TzuSelectionPoint(form);
    point->Position()->SetPoint({250, 40});
    point->SetParent(root);
    TzuVisualObject* c = Box(120, 130, 100, 50, "C");
    scene->Loaded();
    app.Advance(1);
    TzuBitmap shown;
    shown.SetSize(300, 400);
    auto grab = [&](int top) {
        app.ProcessMessages();
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 300; ++x) shown.ScanLine(top + y)[x] = window()->Pixel(x, y) | 0xFF000000u;
        }
    };
    window()->InjectMouseDown(mbLeft, 30, 30);
    window()->InjectMouseMove(181, 150, ssLeft);
    EXPECT_EQ(scene->DesignPlaceTarget(), c);
    EXPECT_EQ(BoxOf(a), (TzuRect{170, 140, 210, 170}));
    grab(0);
    window()->InjectMouseUp(mbLeft, 181, 150);
    window()->InjectMouseDown(mbLeft, 120, 70);
    window()->InjectMouseUp(mbLeft, 120, 70);
    window()->InjectMouseMove(150, 100);
    EXPECT_EQ(scene->DesignHotHandle(), G::BottomRight);
    grab(200);
    EXPECT_EQ(shown.ScanLine(300)[150], 0xFFFF0000u);       // the hot grip's centre
    EXPECT_EQ(shown.ScanLine(300)[100], 0xFFFFFFFFu);       // the cold one's
    EXPECT_EQ(shown.ScanLine(200 + 40)[250], 0xFFFFFFFFu);  // an unselected point stays white
    EXPECT_TRUE(MatchesGolden(shown, "design_edit"));
    // Selecting the point turns it red and draws no frame around it.
    scene->DesignSelect(point);
    grab(0);
    EXPECT_EQ(shown.ScanLine(40)[250], 0xFFFF0000u);
    EXPECT_EQ(shown.ScanLine(40 - 10)[253], 0xFFFFFFFFu);  // no rotation handle above it
}

}  // namespace
}  // namespace zu::test
