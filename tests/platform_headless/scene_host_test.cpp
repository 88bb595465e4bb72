#include <gmock/gmock.h>

#include "platform/core/timer.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/tree/background.h"
#include "tests/platform_headless/host_fixture.h"

namespace zu::test {
namespace {

using ::testing::ElementsAre;

TzuBackground* AddBackground(TzuScene* scene, TzuColor color) {
    auto* root = new TzuBackground(nullptr);
    root->Fill()->SetColor(color);
    root->Fill()->SetStyle(zuBrushSolid);
    scene->AddObject(root);
    return root;
}

TEST_F(HostTest, UpdateRectsAreWidenedToWholePixelsAndClippedToTheClient) {
    scene->AddUpdateRect({10.2f, 10.7f, 20.1f, 20.9f});
    scene->AddUpdateRect({-5, -8, 3, 2});
    scene->AddUpdateRect({95.5f, 30, 400, 39.5f});
    scene->AddUpdateRect({120, 0, 130, 10});  // outside: nothing
    scene->AddUpdateRect({-20, -20, -10, -10});
    EXPECT_THAT(window()->PendingRects(),
                ElementsAre(TzuWinRect{10, 10, 21, 21}, TzuWinRect{0, 0, 4, 3}, TzuWinRect{95, 30, 100, 40}));
}

TEST_F(HostTest, RectsOfBrokenCoordinatesAreIgnored) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    scene->AddUpdateRect({nan, 0, 10, 10});
    scene->AddUpdateRect({0, 0, std::numeric_limits<float>::infinity(), 10});
    EXPECT_TRUE(window()->PendingRects().empty());
}

TEST_F(HostTest, SuspendedUpdatesAreDroppedAndEndUpdateRepaintsEverything) {
    scene->BeginUpdate();
    scene->AddUpdateRect({1, 1, 5, 5});
    EXPECT_TRUE(window()->PendingRects().empty());
    scene->EndUpdate();
    EXPECT_THAT(window()->PendingRects(), ElementsAre(TzuWinRect{0, 0, kWidth, kHeight}));
    scene->BeginUpdate();
    scene->EndUpdateSilently();
    scene->AddUpdateRect({1, 1, 5, 5});
    EXPECT_EQ(window()->PendingRects().size(), 1u);
}

// Rectangles of one pixel, 4 apart: widened to 2 x 2 they stay disjoint.
void AddDots(TzuScene* scene, int count) {
    for (int i = 0; i < count; ++i) scene->AddUpdateRect({float(i * 4), 0, float(i * 4), 0});
}

TEST_F(HostTest, MoreThanTwentyRectanglesArePaintedAsTheirUnion) {
    mark(2, 0);
    AddDots(scene, 21);
    app.ProcessMessages();
    ASSERT_EQ(window()->PaintLog().size(), 1u);
    EXPECT_EQ(window()->PaintLog()[0].size(), 21u);
    // The gap between two dots lies in the union, so it was repainted.
    EXPECT_EQ(pixel(2, 0), 0x00000000u);
}

TEST_F(HostTest, TwentyRectanglesArePaintedOneByOne) {
    mark(2, 0);
    AddDots(scene, 20);
    app.ProcessMessages();
    EXPECT_EQ(pixel(2, 0), 0xFFFF0000u);
    EXPECT_EQ(pixel(0, 0), 0x00000000u);
    EXPECT_EQ(pixel(77, 1), 0x00000000u);
}

TEST_F(HostTest, EmptyFillShowsTheFillColourWithoutAlpha) {
    // The default fill (none, black) is cleared, not drawn: the window ignores the alpha.
    EXPECT_EQ(pixel(50, 20), 0x00000000u);
    scene->Fill()->SetColor(0x00E0E0E0);
    scene->Fill()->SetStyle(zuBrushSolid);
    app.ProcessMessages();
    EXPECT_EQ(pixel(50, 20), 0x00E0E0E0u);
    EXPECT_EQ(pixel(99, 39), 0x00E0E0E0u);
}

TEST_F(HostTest, OpaqueFillIsDrawnOverTheWholeScene) {
    scene->Fill()->SetColor(0xFF336699);
    scene->Fill()->SetStyle(zuBrushSolid);
    app.ProcessMessages();
    EXPECT_EQ(pixel(0, 0), 0xFF336699u);
    EXPECT_EQ(pixel(99, 39), 0xFF336699u);
}

TEST_F(HostTest, TopLevelObjectsPaintOverTheBackground) {
    AddBackground(scene, 0xFF00FF00);
    app.ProcessMessages();
    EXPECT_EQ(pixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(pixel(99, 39), 0xFF00FF00u);
}

TEST_F(HostTest, RootFillsTheClientInItsOwnUnits) {
    TzuBackground* root = AddBackground(scene, 0xFF00FF00);
    EXPECT_FLOAT_EQ(root->Width(), kWidth);
    root->Scale()->SetPoint({2, 4});
    scene->RealignRoot();
    EXPECT_FLOAT_EQ(root->Width(), kWidth / 2.0f);
    EXPECT_FLOAT_EQ(root->Height(), kHeight / 4.0f);
    form->SetBounds(10, 20, 60, 80);
    EXPECT_EQ(scene->Width(), 60);
    EXPECT_FLOAT_EQ(root->Height(), 20);
    EXPECT_EQ(scene->Canvas()->Height(), 80);
    // A root scaled to zero cannot fill anything and keeps its size.
    root->Scale()->SetPoint({0, 1});
    scene->RealignRoot();
    EXPECT_FLOAT_EQ(root->Width(), 30);
}

TEST_F(HostTest, ObjectsOutsideEveryUpdateRectangleAreNotPainted) {
    AddBackground(scene, 0xFF000000);
    auto* side = new TzuBackground(nullptr);
    scene->AddObject(side);
    side->SetBounds(60, 0, 20, 20);
    int paints = 0;
    side->OnPaint().Set([&](TzuPersistent*, TzuCanvas*, const TzuRect& r) {
        ++paints;
        EXPECT_FLOAT_EQ(r.Right, 20);
    });
    app.ProcessMessages();
    paints = 0;
    scene->AddUpdateRect({0, 0, 10, 10});
    app.ProcessMessages();
    EXPECT_EQ(paints, 0);
    scene->AddUpdateRect({55, 5, 65, 10});
    app.ProcessMessages();
    EXPECT_EQ(paints, 1);
}

TEST_F(HostTest, FreedObjectsLeaveNoReferencesBehind) {
    TzuBackground* root = AddBackground(scene, 0xFF000000);
    auto* child = new TzuBackground(nullptr);
    child->SetParent(root);
    scene->SetFocused(child);
    scene->SetCaptured(child);
    scene->SetDesignSelection(root);
    delete child;
    EXPECT_EQ(scene->Focused(), nullptr);
    EXPECT_EQ(scene->Captured(), nullptr);
    EXPECT_EQ(scene->DesignSelection(), root);
    delete root;
    EXPECT_EQ(scene->DesignSelection(), nullptr);
    EXPECT_EQ(scene->Root(), nullptr);
    EXPECT_EQ(scene->ObjectCount(), 0);
}

TEST_F(HostTest, RemovingTheRootRepaintsAndHandsRootToTheNext) {
    TzuBackground* first = AddBackground(scene, 0xFF00FF00);
    TzuBackground* second = AddBackground(scene, 0xFF0000FF);
    app.ProcessMessages();
    scene->RemoveObject(first);
    EXPECT_EQ(first->Scene(), nullptr);
    EXPECT_EQ(scene->Root(), second);
    EXPECT_FALSE(window()->PendingRects().empty());
    delete first;
    app.ProcessMessages();
    EXPECT_EQ(pixel(5, 5), 0xFF0000FFu);
}

TEST_F(HostTest, TheFirstFullPaintComesOneTimerTickAfterLoading) {
    scene->Loaded();
    EXPECT_EQ(app.TimerCount(), 1u);
    EXPECT_TRUE(window()->PendingRects().empty());
    const int components = scene->ComponentCount();
    app.Advance(1);
    ASSERT_EQ(window()->PaintLog().size(), 1u);
    EXPECT_THAT(window()->PaintLog()[0], ElementsAre(TzuWinRect{0, 0, kWidth, kHeight}));
    // The timer went with its one tick.
    EXPECT_EQ(app.TimerCount(), 0u);
    EXPECT_EQ(scene->ComponentCount(), components - 1);
    app.Advance(100);
    EXPECT_EQ(window()->PaintLog().size(), 1u);
}

TEST_F(HostTest, SnapToLinesOverridesSnapToGridAfterLoading) {
    scene->SetDesignSnapToGrid(true);
    scene->Loaded();
    EXPECT_FALSE(scene->DesignSnapToGrid());
    scene->SetDesignSnapToLines(false);
    scene->SetDesignSnapToGrid(true);
    scene->Loaded();
    EXPECT_TRUE(scene->DesignSnapToGrid());
}

TEST_F(HostTest, AFrameLinkStopsTheSceneFromPaintingItself) {
    TzuComponent frame(nullptr);
    scene->SetFrameLink(&frame);
    mark(5, 5);
    scene->AddUpdateRect({0, 0, 10, 10});
    app.ProcessMessages();
    EXPECT_EQ(pixel(5, 5), 0xFFFF0000u);
    scene->SetFrameLink(nullptr);
    scene->SetFrameLink(&frame);
    // The scene hears when the frame goes.
    {
        auto* gone = new TzuComponent(nullptr);
        scene->SetFrameLink(gone);
        delete gone;
    }
    EXPECT_EQ(scene->FrameLink(), nullptr);
    scene->AddUpdateRect({0, 0, 10, 10});
    app.ProcessMessages();
    EXPECT_EQ(pixel(5, 5), 0x00000000u);
}

TEST_F(HostTest, TransparentSceneOnAFormIsPresentedWithAlphaByAPostedMessage) {
    AddBackground(scene, 0x80FF0000);  // half-transparent red
    app.ProcessMessages();
    scene->SetTransparency(true);
    EXPECT_TRUE(form->Window()->Layered());
    // The repaint waits for the posted message instead of a window invalidation.
    EXPECT_TRUE(window()->PendingRects().empty());
    EXPECT_EQ(app.PendingMessageCount(), 1u);
    scene->AddUpdateRect({0, 0, 5, 5});
    EXPECT_EQ(app.PendingMessageCount(), 1u);
    EXPECT_EQ(scene->UpdateRectCount(), 2);
    EXPECT_THAT(scene->UpdateRect(0), ::testing::Field(&TzuRect::Right, float(kWidth)));
    EXPECT_THROW(scene->UpdateRect(2), EzuError);
    const int presents = window()->LayeredPresentCount();
    app.ProcessMessages();
    EXPECT_EQ(window()->LayeredPresentCount(), presents + 1);
    EXPECT_EQ(scene->UpdateRectCount(), 0);
    // Cleared to nothing, then the premultiplied half red over it.
    EXPECT_EQ(pixel(50, 20) >> 24, 0x80u);
    EXPECT_NEAR(int((pixel(50, 20) >> 16) & 0xFF), 0x80, 1);
    EXPECT_EQ(pixel(50, 20) & 0xFFFF, 0u);
}

// Painting can queue more rectangles (a matrix worked out during the frame asks for a
// repaint): the frame keeps its own list, so the next top-level object still paints.
TEST_F(HostTest, RectanglesQueuedWhilePaintingATransparentSceneLeaveTheFrameIntact) {
    scene->SetTransparency(true);
    auto* first = AddBackground(scene, 0xFF0000FF);
    first->SetBounds(0, 0, 10, 10);
    int queued = 0;
    first->OnPaint().Set([&](TzuPersistent*, TzuCanvas*, const TzuRect&) {
        for (int i = 0; i < 200; ++i, ++queued)
            scene->AddUpdateRect({float(i % 50), 0, float(i % 50) + 1, 1});
    });
    auto* second = AddBackground(scene, 0xFF00FF00);
    second->SetBounds(40, 10, 20, 20);
    app.ProcessMessages();
    EXPECT_GT(queued, 0);
    EXPECT_EQ(pixel(50, 20), 0xFF00FF00u);
    EXPECT_EQ(pixel(5, 5), 0xFF0000FFu);
    // What was queued during the frame belonged to it.
    EXPECT_EQ(scene->UpdateRectCount(), 0);
}

TEST_F(HostTest, TransparentChildSceneShowsItsParentsBackground) {
    form->SetColor(0x123456);
    auto* panel = new TzuWinControl(form);
    panel->SetParent(form);
    panel->SetAlign(alClient);
    scene->SetParent(panel);
    scene->SetBounds(0, 0, 30, 30);
    scene->SetTransparency(true);
    EXPECT_FALSE(form->Window()->Layered());
    app.ProcessMessages();
    EXPECT_EQ(window()->LayeredPresentCount(), 0);
    EXPECT_EQ(pixel(10, 10), 0xFF123456u);
    // With a fill of its own, the fill is drawn instead.
    scene->Fill()->SetColor(0xFF00FF00);
    scene->Fill()->SetStyle(zuBrushSolid);
    app.ProcessMessages();
    EXPECT_EQ(pixel(10, 10), 0xFF00FF00u);
}

TEST_F(HostTest, ChangingTransparencySchedulesAFullRepaintClippedToTheClient) {
    auto* panel = new TzuWinControl(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 50, 30);
    scene->SetParent(panel);
    scene->SetAlign(alClient);
    app.ProcessMessages();
    scene->SetTransparency(true);
    EXPECT_THAT(window()->PendingRects(), ElementsAre(TzuWinRect{0, 0, 50, 30}));
}

TEST_F(HostTest, StreamedSceneKeepsItsObjectsAndSnapSettings) {
    TzuBackground* root = AddBackground(scene, 0xFF00FF00);
    root->SetName("Root1");
    auto* hidden = new TzuBackground(nullptr);
    hidden->SetStored(false);
    scene->AddObject(hidden);
    std::vector<TzuComponent*> children;
    scene->GetChildren([&](TzuComponent* c) { children.push_back(c); }, nullptr);
    EXPECT_THAT(children, ElementsAre(root));
}

// A burst of invalidations past a few dozen becomes their bounding box, so it costs
// linear time; the paint log keeps only the latest paints, however long the window runs.
TEST_F(HostTest, InvalidationBurstsMergeAndThePaintLogStaysBounded) {
    TzuHeadlessWindow* w = window();
    for (int i = 0; i < 50000; ++i)
        w->Invalidate({i % kWidth, (i / kWidth) % kHeight, i % kWidth + 1, kHeight});
    EXPECT_LE(w->PendingRects().size(), TzuHeadlessWindow::kMaxPendingRects);
    for (size_t i = 0; i < 3 * TzuHeadlessWindow::kMaxPaintLog; ++i) {
        w->Invalidate({0, 0, 1, 1});
        ASSERT_TRUE(w->PaintPending());
    }
    EXPECT_LE(w->PaintLog().size(), TzuHeadlessWindow::kMaxPaintLog);
    EXPECT_THAT(w->PaintLog().back(), ElementsAre(TzuWinRect{0, 0, 1, 1}));
}

TEST(SceneList, ListsLiveScenes) {
    RegisterSceneClasses();
    const size_t before = SceneList().size();
    {
        TzuScene scene(nullptr);
        EXPECT_EQ(SceneList().size(), before + 1);
        EXPECT_EQ(SceneList().back(), &scene);
        // No window yet: nothing is queued and nothing fails.
        scene.AddUpdateRect({0, 0, 10, 10});
        scene.PaintScene();
        EXPECT_EQ(scene.Width(), 100);
    }
    EXPECT_EQ(SceneList().size(), before);
}

}  // namespace
}  // namespace zu::test
