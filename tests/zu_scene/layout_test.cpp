#include <gtest/gtest.h>

#include <memory>

#include "tests/zu_scene/visual_test_scene.h"

namespace zu {
namespace {

using test::MakeVisual;
using test::TestScene;

TzuRect Placed(TzuVisualObject* v) { return v->ParentedRect(); }

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override { root = Panel(100, 50); }
    // A top-level object as a stream leaves it: sized, with its last laid-out size set.
    std::unique_ptr<TzuVisualObject> Panel(float w, float h) {
        auto p = std::make_unique<TzuVisualObject>(nullptr);
        scene.AddObject(p.get());
        p->SetLoading(true);
        p->SetBounds(0, 0, w, h);
        p->Loaded();
        return p;
    }
    TestScene scene;
    std::unique_ptr<TzuVisualObject> root;
};

TEST_F(LayoutTest, ClientKeepsMarginsAndPadding) {
    root->Margins()->SetRect({5, 5, 5, 5});
    TzuVisualObject* c = MakeVisual(root.get(), 0, 0, 10, 10);
    c->Padding()->SetRect({2, 2, 2, 2});
    c->SetAlign(vaClient);
    EXPECT_EQ(Placed(c), (TzuRect{7, 7, 93, 43}));
    // The parent's size follows into the client child.
    root->SetWidth(200);
    EXPECT_EQ(Placed(c), (TzuRect{7, 7, 193, 43}));
    root->Margins()->SetLeft(15);
    EXPECT_EQ(Placed(c), (TzuRect{17, 7, 193, 43}));
}

TEST_F(LayoutTest, TopStackKeepsVisualOrder) {
    root->SetLoading(true);
    TzuVisualObject* a = MakeVisual(root.get(), 0, 50, 10, 10);
    TzuVisualObject* b = MakeVisual(root.get(), 0, 0, 10, 20);
    a->SetAlign(vaTop);
    b->SetAlign(vaTop);
    root->Loaded();
    EXPECT_EQ(Placed(b), (TzuRect{0, 0, 100, 20}));
    EXPECT_EQ(Placed(a), (TzuRect{0, 20, 100, 30}));
}

TEST_F(LayoutTest, RightStackPutsOutermostFirst) {
    root->SetLoading(true);
    TzuVisualObject* a = MakeVisual(root.get(), 60, 0, 30, 10);  // right edge 90
    TzuVisualObject* b = MakeVisual(root.get(), 0, 0, 20, 10);   // right edge 20
    a->SetAlign(vaRight);
    b->SetAlign(vaRight);
    root->Loaded();
    EXPECT_FLOAT_EQ(a->Position()->X(), 70);
    EXPECT_FLOAT_EQ(b->Position()->X(), 50);
    EXPECT_FLOAT_EQ(a->Height(), 50);
}

TEST_F(LayoutTest, StacksShareTheFreeAreaInPassOrder) {
    TzuVisualObject* client = MakeVisual(root.get(), 0, 0, 1, 1);
    TzuVisualObject* left = MakeVisual(root.get(), 0, 0, 10, 1);
    TzuVisualObject* bottom = MakeVisual(root.get(), 0, 0, 1, 8);
    TzuVisualObject* most = MakeVisual(root.get(), 0, 0, 1, 5);
    client->SetAlign(vaClient);
    left->SetAlign(vaLeft);
    bottom->SetAlign(vaBottom);
    most->SetAlign(vaMostTop);
    EXPECT_EQ(Placed(most), (TzuRect{0, 0, 100, 5}));
    EXPECT_EQ(Placed(bottom), (TzuRect{0, 42, 100, 50}));
    EXPECT_EQ(Placed(left), (TzuRect{0, 5, 10, 42}));
    EXPECT_EQ(Placed(client), (TzuRect{10, 5, 100, 42}));
}

TEST_F(LayoutTest, CentringTruncatesTowardZero) {
    TzuVisualObject* c = MakeVisual(root.get(), 0, 0, 31, 11);
    c->SetAlign(vaCenter);
    EXPECT_FLOAT_EQ(c->Position()->X(), 34);
    EXPECT_FLOAT_EQ(c->Position()->Y(), 19);
    root->SetWidth(20);
    EXPECT_FLOAT_EQ(c->Position()->X(), -5);

    TzuVisualObject* h = MakeVisual(root.get(), 3, 4, 10, 10);
    h->SetAlign(vaHorzCenter);
    EXPECT_EQ(Placed(h), (TzuRect{5, 0, 15, 50}));
    TzuVisualObject* v = MakeVisual(root.get(), 3, 4, 10, 10);
    v->SetAlign(vaVertCenter);
    EXPECT_EQ(Placed(v), (TzuRect{0, 20, 20, 30}));
}

TEST_F(LayoutTest, HorizontalAndVerticalKeepTheOtherAxis) {
    root->Margins()->SetRect({1, 2, 3, 4});
    TzuVisualObject* h = MakeVisual(root.get(), 30, 12, 10, 7);
    h->SetAlign(vaHorizontal);
    EXPECT_EQ(Placed(h), (TzuRect{1, 12, 97, 19}));
    TzuVisualObject* v = MakeVisual(root.get(), 30, 12, 10, 7);
    v->SetAlign(vaVertical);
    EXPECT_EQ(Placed(v), (TzuRect{30, 2, 40, 46}));
}

TEST_F(LayoutTest, ContentsIgnoresMarginsAndSiblings) {
    root->Margins()->SetRect({10, 10, 10, 10});
    MakeVisual(root.get(), 0, 0, 1, 20)->SetAlign(vaTop);
    TzuVisualObject* c = MakeVisual(root.get(), 0, 0, 1, 1);
    c->Padding()->SetRect({1, 2, 3, 4});
    c->SetAlign(vaContents);
    EXPECT_EQ(Placed(c), (TzuRect{1, 2, 97, 46}));
}

TEST_F(LayoutTest, AnchorsFollowTheSizeChange) {
    TzuVisualObject* tr = MakeVisual(root.get(), 80, 5, 10, 10);
    TzuVisualObject* bl = MakeVisual(root.get(), 5, 30, 10, 10);
    TzuVisualObject* br = MakeVisual(root.get(), 80, 30, 10, 10);
    tr->SetAlign(vaTopRight);
    bl->SetAlign(vaBottomLeft);
    br->SetAlign(vaBottomRight);
    EXPECT_FLOAT_EQ(tr->Position()->X(), 80);  // no size change yet
    root->SetWidth(150);
    EXPECT_FLOAT_EQ(tr->Position()->X(), 130);
    EXPECT_FLOAT_EQ(bl->Position()->Y(), 30);
    root->SetHeight(70);
    EXPECT_FLOAT_EQ(bl->Position()->Y(), 50);
    EXPECT_EQ(br->Position()->GetPoint(), (TzuPoint{130, 50}));
}

// A child still at the origin has no distance to an edge to keep (styles leave the
// position out, whatever size they were drawn at): it goes flush into its corner, inside
// the margins and its padding, and from then on keeps that distance as the parent grows.
TEST_F(LayoutTest, AnchorsAtTheOriginGoIntoTheirCorner) {
    root->Margins()->SetRect({1, 2, 3, 4});
    TzuVisualObject* tr = MakeVisual(root.get(), 0, 7, 10, 10);
    TzuVisualObject* bl = MakeVisual(root.get(), 6, 0, 10, 10);
    TzuVisualObject* br = MakeVisual(root.get(), 0, 0, 16, 16);
    br->Padding()->SetRect({0, 0, 1, 1});
    tr->SetAlign(vaTopRight);
    bl->SetAlign(vaBottomLeft);
    br->SetAlign(vaBottomRight);
    EXPECT_EQ(Placed(tr), (TzuRect{87, 7, 97, 17}));  // only the anchored axis moves
    EXPECT_EQ(Placed(bl), (TzuRect{6, 36, 16, 46}));
    EXPECT_EQ(Placed(br), (TzuRect{80, 29, 96, 45}));
    root->SetBounds(0, 0, 170, 66);
    EXPECT_EQ(Placed(tr), (TzuRect{157, 7, 167, 17}));
    EXPECT_EQ(Placed(bl), (TzuRect{6, 52, 16, 62}));
    EXPECT_EQ(Placed(br), (TzuRect{150, 45, 166, 61}));
    // Shrunk back, the corner children follow the edges instead of going anywhere else.
    root->SetBounds(0, 0, 100, 50);
    EXPECT_EQ(Placed(br), (TzuRect{80, 29, 96, 45}));
}

TEST_F(LayoutTest, ScaleFollowsTheRatioOfTheLastLayout) {
    TzuVisualObject* s = MakeVisual(root.get(), 10, 10, 20, 10);
    s->SetAlign(vaScale);
    root->SetBounds(0, 0, 200, 100);
    EXPECT_EQ(Placed(s), (TzuRect{20, 20, 60, 40}));
}

TEST_F(LayoutTest, ScaleLeavesChildrenAloneAfterAZeroSize) {
    auto parent = Panel(100, 100);
    TzuVisualObject* s = MakeVisual(parent.get(), 10, 10, 20, 10);
    s->SetAlign(vaScale);
    parent->SetWidth(0);  // collapsed: no layout, last size stays 100
    parent->SetWidth(50);
    EXPECT_EQ(Placed(s), (TzuRect{5, 10, 15, 20}));
}

TEST_F(LayoutTest, FitScalesIntoTheMarginBoxCentred) {
    root->Margins()->SetRect({0, 0, 0, 0});
    TzuVisualObject* f = MakeVisual(root.get(), 0, 0, 200, 50);
    f->SetAlign(vaFit);
    // 200 x 50 into 100 x 50: ratio 2 -> 100 x 25, centred vertically on
    // whole units.
    EXPECT_EQ(Placed(f), (TzuRect{0, 12, 100, 37}));

    TzuVisualObject* small = MakeVisual(root.get(), 0, 0, 10, 10);
    small->SetAlign(vaFitLeft);
    // Smaller than the box: grown until it fits (50 x 50), then pushed left.
    EXPECT_EQ(Placed(small), (TzuRect{0, 0, 50, 50}));
    TzuVisualObject* right = MakeVisual(root.get(), 0, 0, 10, 10);
    right->SetAlign(vaFitRight);
    EXPECT_EQ(Placed(right), (TzuRect{50, 0, 100, 50}));
}

TEST_F(LayoutTest, NestedClientsLayOutAllTheWayDown) {
    TzuVisualObject* outer = MakeVisual(root.get(), 0, 0, 10, 10);
    outer->Margins()->SetRect({4, 4, 4, 4});
    TzuVisualObject* inner = MakeVisual(outer, 0, 0, 1, 1);
    inner->SetAlign(vaClient);
    outer->SetAlign(vaClient);
    EXPECT_EQ(Placed(inner), (TzuRect{4, 4, 96, 46}));
    root->SetWidth(60);
    EXPECT_EQ(Placed(inner), (TzuRect{4, 4, 56, 46}));
}

TEST_F(LayoutTest, ChildPaddingChangeRealignsTheParent) {
    TzuVisualObject* c = MakeVisual(root.get(), 0, 0, 1, 1);
    c->SetAlign(vaClient);
    c->Padding()->SetLeft(10);
    EXPECT_EQ(Placed(c), (TzuRect{10, 0, 100, 50}));
}

TEST_F(LayoutTest, InvisibleChildrenTakeNoRoom) {
    TzuVisualObject* top = MakeVisual(root.get(), 0, 0, 1, 10);
    TzuVisualObject* client = MakeVisual(root.get(), 0, 0, 1, 1);
    top->SetAlign(vaTop);
    client->SetAlign(vaClient);
    EXPECT_FLOAT_EQ(client->Position()->Y(), 10);
    top->SetVisible(false);
    EXPECT_FLOAT_EQ(client->Position()->Y(), 0);
    EXPECT_FLOAT_EQ(client->Height(), 50);
}

TEST_F(LayoutTest, NarrowParentsKeepTheirChildren) {
    auto thin = Panel(1.5f, 40);
    TzuVisualObject* c = MakeVisual(thin.get(), 3, 3, 7, 7);
    c->SetAlign(vaClient);
    EXPECT_EQ(Placed(c), (TzuRect{3, 3, 10, 10}));
}

TEST_F(LayoutTest, LoadingDefersLayoutToTheLoadedStep) {
    auto panel = std::make_unique<TzuVisualObject>(nullptr);
    scene.AddObject(panel.get());
    panel->SetLoading(true);
    panel->SetBounds(0, 0, 80, 40);
    TzuVisualObject* c = MakeVisual(panel.get(), 0, 0, 1, 1);
    c->SetAlign(vaClient);
    EXPECT_EQ(Placed(c), (TzuRect{0, 0, 1, 1}));
    panel->Loaded();
    EXPECT_EQ(Placed(c), (TzuRect{0, 0, 80, 40}));
    EXPECT_FLOAT_EQ(panel->LastLaidOutWidth(), 80);
}

TEST_F(LayoutTest, ParentWithoutAlignedChildrenKeepsItsLastSize) {
    MakeVisual(root.get(), 0, 0, 10, 10);
    root->SetWidth(300);
    EXPECT_FLOAT_EQ(root->LastLaidOutWidth(), 100);
}

}  // namespace
}  // namespace zu
