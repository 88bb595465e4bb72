#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/zu_scene/visual_test_scene.h"

namespace zu {
namespace {

using test::MakeVisual;
using test::TestScene;

void ExpectPoint(TzuPoint p, float x, float y) {
    EXPECT_NEAR(p.X, x, 1e-4);
    EXPECT_NEAR(p.Y, y, 1e-4);
}

TEST(VisualObjectTest, DefaultsAndPublishedNames) {
    TzuVisualObject v(nullptr);
    EXPECT_FLOAT_EQ(v.Width(), 50);
    EXPECT_EQ(v.ScalePoint(), (TzuPoint{1, 1}));
    EXPECT_EQ(v.RotateCenterPoint(), (TzuPoint{0.5f, 0.5f}));
    EXPECT_FALSE(v.HasExtra());
    TzuPropRef align = ResolveProperty(&v, "Align");
    ASSERT_TRUE(align);
    EXPECT_TRUE(SetPropText(align, "vaBottomRight"));
    EXPECT_EQ(v.Align(), vaBottomRight);
    EXPECT_FALSE(SetPropText(align, "vaNowhere"));
    EXPECT_EQ(v.Align(), vaBottomRight);
    ASSERT_TRUE(ResolveProperty(&v, "Scale.X"));
    EXPECT_TRUE(SetPropText(ResolveProperty(&v, "Scale.X"), "2"));
    EXPECT_FLOAT_EQ(v.LocalMatrix().m11, 2);
    EXPECT_TRUE(ResolveProperty(&v, "OnClick"));
    EXPECT_TRUE(ResolveProperty(&v, "IsVisible").prop->ReadOnly());
    EXPECT_EQ(kAlignEnum.count, vaFitRight + 1);
}

TEST(VisualObjectTest, OpacityAndAngleAreClampedAndNormalised) {
    TzuVisualObject v(nullptr);
    v.SetOpacity(1.7f);
    EXPECT_FLOAT_EQ(v.Opacity(), 1);
    v.SetOpacity(-0.2f);
    EXPECT_FLOAT_EQ(v.Opacity(), 0);
    v.SetRotateAngle(540);
    EXPECT_FLOAT_EQ(v.RotateAngle(), 180);
    v.SetRotateAngle(-200);
    EXPECT_FLOAT_EQ(v.RotateAngle(), 160);
    v.SetRotateAngle(-100);
    EXPECT_FLOAT_EQ(v.RotateAngle(), -100);
}

TEST(VisualObjectTest, ConversionsThroughScaledParent) {
    auto parent = std::make_unique<TzuVisualObject>(nullptr);
    parent->Position()->SetPoint({100, 0});
    parent->Scale()->SetPoint({2, 2});
    TzuVisualObject* child = MakeVisual(parent.get(), 10, 20, 30, 30);
    ExpectPoint(child->LocalToAbsolute({0, 0}), 120, 40);
    ExpectPoint(child->AbsoluteToLocal({120, 40}), 0, 0);
    EXPECT_EQ(child->AbsoluteRect(), (TzuRect{120, 40, 180, 100}));
    // Moving the parent refreshes the child's cached matrix.
    parent->Position()->SetX(0);
    ExpectPoint(child->LocalToAbsolute({0, 0}), 20, 40);
    parent->Scale()->SetPoint({2, 3});
    parent->SetRotateAngle(30);
    EXPECT_EQ(child->AbsoluteScale(), (TzuPoint{2, 3}));
}

TEST(VisualObjectTest, EveryChildOfAManyChildParentFollowsItsMoves) {
    // Such a parent's next move visits only the children looked at since its last one;
    // children that come, go, change places or are looked at between moves must follow.
    auto parent = std::make_unique<TzuVisualObject>(nullptr);
    auto other = std::make_unique<TzuVisualObject>(nullptr);
    std::vector<TzuVisualObject*> kids;
    for (int i = 0; i < 40; ++i) kids.push_back(MakeVisual(parent.get(), 0, i * 10.f, 5, 5));
    TzuVisualObject* grandchild = MakeVisual(kids[5], 1, 1, 2, 2);
    auto expectAll = [&](float x, float y) {
        for (int i = 0; i < parent->ChildrenCount(); ++i) {
            auto* k = static_cast<TzuVisualObject*>(parent->Children(i));
            ExpectPoint(k->LocalToAbsolute({0, 0}), x + k->Position()->X(), y + k->Position()->Y());
        }
        ExpectPoint(grandchild->LocalToAbsolute({0, 0}), x + 1, y + 51);
    };
    parent->Position()->SetX(7);
    kids[3]->AbsoluteMatrix();
    parent->Position()->SetX(9);
    expectAll(9, 0);
    kids[3]->SetParent(other.get());
    kids[3]->SetParent(parent.get());
    kids[7]->SetIndex(0);
    parent->Position()->SetY(4);
    expectAll(9, 4);
    kids[9]->SetParent(other.get());
    other->Position()->SetX(100);
    ExpectPoint(kids[9]->LocalToAbsolute({0, 0}), 100, 90);
    parent->Position()->SetY(6);
    expectAll(9, 6);
    kids[20]->AbsoluteMatrix();
    parent->Position()->SetX(3);
    kids[20]->AbsoluteMatrix();
    grandchild->AbsoluteMatrix();
    parent->Position()->SetX(2);
    expectAll(2, 6);
}

TEST(VisualObjectTest, VectorsIgnoreTranslation) {
    TzuVisualObject v(nullptr);
    v.Position()->SetPoint({50, 50});
    ExpectPoint(v.LocalToAbsoluteVector({1, 0}), 1, 0);
    ExpectPoint(v.AbsoluteToLocalVector({1, 0}), 1, 0);
}

TEST(VisualObjectTest, RotationTurnsAboutTheCentre) {
    TzuVisualObject v(nullptr);
    v.SetBounds(0, 0, 100, 50);
    v.SetRotateAngle(90);
    ExpectPoint(v.LocalToAbsolute({50, 25}), 50, 25);
    TzuRect r = v.AbsoluteRect();
    EXPECT_NEAR(r.Left, 25, 1e-3);
    EXPECT_NEAR(r.Top, -25, 1e-3);
    EXPECT_NEAR(r.Right, 75, 1e-3);
    EXPECT_NEAR(r.Bottom, 75, 1e-3);
}

TEST(VisualObjectTest, SingularMatrixConvertsAsIdentity) {
    TzuVisualObject v(nullptr);
    v.Scale()->SetPoint({0, 0});
    ExpectPoint(v.AbsoluteToLocal({7, 9}), 7, 9);
    EXPECT_FALSE(v.PointInObject(7, 9));
}

TEST(VisualObjectTest, NegativeWidthMirrorsOnlyInDesignMode) {
    TestScene scene;
    TzuVisualObject v(nullptr);
    scene.AddObject(&v);
    v.SetWidth(-40);
    EXPECT_FLOAT_EQ(v.Width(), -40);
    scene.designing = true;
    v.SetWidth(-30);
    EXPECT_FLOAT_EQ(v.Width(), 30);
    EXPECT_FLOAT_EQ(v.ScalePoint().X, -1);
    scene.objects.clear();
}

TEST(VisualObjectTest, SetBoundsRectMovesInLocalUnits) {
    auto parent = std::make_unique<TzuVisualObject>(nullptr);
    parent->Scale()->SetPoint({2, 2});
    TzuVisualObject* v = MakeVisual(parent.get(), 10, 10, 20, 20);
    v->SetBoundsRect({5, 5, 25, 15});
    EXPECT_EQ(v->ParentedRect(), (TzuRect{15, 15, 35, 25}));
    // Dragged past the opposite edge: positive size, mirrored scale.
    v->SetBoundsRect({0, 0, -10, 10});
    EXPECT_FLOAT_EQ(v->Width(), 10);
    EXPECT_FLOAT_EQ(v->ScalePoint().X, -1);
}

TEST(VisualObjectTest, TabListFollowsTheVisualChildren) {
    auto parent = std::make_unique<TzuVisualObject>(nullptr);
    TzuVisualObject* a = MakeVisual(parent.get(), 0, 0, 1, 1);
    TzuVisualObject* b = MakeVisual(parent.get(), 0, 0, 1, 1);
    ASSERT_TRUE(parent->TabList());
    EXPECT_EQ(parent->TabList()->size(), 2u);
    delete a;
    ASSERT_EQ(parent->TabList()->size(), 1u);
    EXPECT_EQ(parent->TabList()->front(), b);
    EXPECT_EQ(parent->ChildrenCount(), 1);
}

TEST(VisualObjectTest, PopupMenuIsClearedWhenTheMenuGoes) {
    TzuVisualObject v(nullptr);
    auto* menu = new TzuComponent(nullptr);
    v.SetPopupMenu(menu);
    EXPECT_EQ(v.PopupMenu(), menu);
    delete menu;
    EXPECT_EQ(v.PopupMenu(), nullptr);
}

TEST(VisualObjectTest, PlainObjectStaysSmall) {
    TzuVisualObject v(nullptr);
    v.SetBounds(1, 2, 3, 4);
    // The side record and the lazily made spacing records stay unallocated.
    EXPECT_FALSE(v.HasExtra());
    EXPECT_LE(sizeof(TzuVisualObject), 640u);
}

}  // namespace
}  // namespace zu
