#include <gtest/gtest.h>

#include <vector>

#include "platform/core/property.h"
#include "scene/zu_scene/types/bounds.h"
#include "scene/zu_scene/types/position.h"
#include "scene/zu_scene/types/transform.h"

namespace zu {
namespace {

// Records every OnChange with its sender.
struct ChangeLog {
    std::vector<TzuPersistent*> senders;
    void Watch(TzuNotifyEvent& event) {
        event.Set([this](TzuPersistent* sender) { senders.push_back(sender); });
    }
    size_t Count() const { return senders.size(); }
};

TEST(TzuBounds, SettersNotifyOnlyOnEffectiveChange) {
    TzuBounds b(zuRect(1, 2, 3, 4));
    ChangeLog log;
    log.Watch(b.OnChange());
    b.SetLeft(1);
    b.SetRect(zuRect(1, 2, 3, 4));
    EXPECT_EQ(log.Count(), 0u);
    b.SetBottom(9);
    b.SetRect(zuRect(1, 2, 3, 8));
    ASSERT_EQ(log.Count(), 2u);
    EXPECT_EQ(log.senders[0], &b);
    EXPECT_EQ(b.GetRect(), zuRect(1, 2, 3, 8));
}

TEST(TzuBounds, MarginsAndEmptiness) {
    TzuBounds b;
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_TRUE(b.MarginEmpty());
    b.SetRect(zuRect(1, 2, 3, 4));
    EXPECT_FALSE(b.IsEmpty());
    EXPECT_FALSE(b.MarginEmpty());
    EXPECT_EQ(b.MarginRect(zuRect(0, 0, 100, 50)), zuRect(1, 2, 97, 46));
    b.SetRect(zuRect(5, 0, 5, 0));
    EXPECT_FALSE(b.IsEmpty());
    EXPECT_TRUE(b.MarginEmpty());
}

TEST(TzuBounds, AssignCopiesAndRefusesOtherClasses) {
    TzuBounds a, b(zuRect(0, 0, 0, 0));
    a.SetRect(zuRect(4, 3, 2, 1));
    ChangeLog log;
    log.Watch(b.OnChange());
    b.Assign(a);
    EXPECT_EQ(b.GetRect(), zuRect(4, 3, 2, 1));
    EXPECT_EQ(log.Count(), 1u);
    TzuPosition p;
    EXPECT_THROW(b.Assign(p), EzuError);
    EXPECT_EQ(b.GetRect(), zuRect(4, 3, 2, 1));
}

TEST(TzuBounds, PublishedPropertiesAndRectText) {
    TzuBounds b(zuRect(1, 1, 1, 1));
    ChangeLog log;
    log.Watch(b.OnChange());

    const TzuPropRef left = ResolveProperty(&b, "left");
    ASSERT_TRUE(left);
    EXPECT_FALSE(IsPropStored(&b, *left.prop));
    EXPECT_TRUE(SetPropText(left, "2.5"));
    EXPECT_EQ(b.Left(), 2.5f);
    EXPECT_EQ(log.Count(), 1u);

    const TzuPropRef rect = ResolveProperty(&b, "Rect");
    ASSERT_TRUE(rect);
    EXPECT_EQ(rect.prop->kind, TzuPropKind::Defined);
    EXPECT_TRUE(IsPropStored(&b, *rect.prop));
    EXPECT_EQ(GetPropText(rect), "(2.500,1,1,1)");

    EXPECT_TRUE(SetPropText(rect, "(1,1,1,1)"));
    EXPECT_EQ(b.GetRect(), zuRect(1, 1, 1, 1));
    EXPECT_FALSE(IsPropStored(&b, *rect.prop));  // back at the default

    EXPECT_TRUE(SetPropText(rect, "(10,-2,3.25,0)"));
    EXPECT_EQ(b.GetRect(), zuRect(10, -2, 3.25f, 0));
    // Unreadable text gives the zero rectangle, never an error.
    EXPECT_TRUE(SetPropText(rect, "(1,x,3,4)"));
    EXPECT_EQ(b.GetRect(), zuRect(0, 0, 0, 0));
}

TEST(TzuBounds, ZeroDefaultWritesNoRect) {
    TzuBounds b;
    const TzuPropRef rect = ResolveProperty(&b, "Rect");
    ASSERT_TRUE(rect);
    EXPECT_FALSE(IsPropStored(&b, *rect.prop));
}

TEST(TzuPosition, SetterAndSetPointNotification) {
    TzuPosition p(zuPoint(1, 1));
    ChangeLog log;
    log.Watch(p.OnChange());
    p.SetX(1);
    p.SetY(1);
    EXPECT_EQ(log.Count(), 0u);
    p.SetPoint(zuPoint(1, 1));  // always notifies
    EXPECT_EQ(log.Count(), 1u);
    p.SetY(-3);
    EXPECT_EQ(log.Count(), 2u);
    EXPECT_EQ(log.senders[1], &p);
    EXPECT_EQ(p.GetPoint(), zuPoint(1, -3));

    TzuPosition q;
    q.Assign(p);
    EXPECT_EQ(q.GetPoint(), zuPoint(1, -3));
    TzuBounds b;
    EXPECT_THROW(q.Assign(b), EzuError);
}

TEST(TzuPosition, PointPropertyStoredOnlyAwayFromDefault) {
    TzuPosition p(zuPoint(1, 1));
    const TzuPropRef point = ResolveProperty(&p, "Point");
    ASSERT_TRUE(point);
    EXPECT_FALSE(IsPropStored(&p, *point.prop));
    EXPECT_TRUE(SetPropText(ResolveProperty(&p, "Y"), "0.25"));
    EXPECT_TRUE(IsPropStored(&p, *point.prop));
    EXPECT_EQ(GetPropText(point), "(1,0.250)");
    EXPECT_TRUE(SetPropText(point, "(-4,7)"));
    EXPECT_EQ(p.GetPoint(), zuPoint(-4, 7));
    EXPECT_FALSE(IsPropStored(&p, *ResolveProperty(&p, "X").prop));
}

TEST(TzuTransform, DefaultsAndPublishedNames) {
    TzuTransform t;
    EXPECT_EQ(t.Matrix(), IdentityMatrix);
    EXPECT_EQ(t.Scale()->GetPoint(), zuPoint(1, 1));
    EXPECT_EQ(t.RotateCenter()->GetPoint(), zuPoint(0.5f, 0.5f));
    for (const char* path : {"Position.Point", "Scale.Point", "RotateCenter.Point"}) {
        const TzuPropRef ref = ResolveProperty(&t, path);
        ASSERT_TRUE(ref) << path;
        EXPECT_FALSE(IsPropStored(ref.object, *ref.prop)) << path;
    }
    const TzuPropRef angle = ResolveProperty(&t, "RotateAngle");
    ASSERT_TRUE(angle);
    EXPECT_EQ(angle.prop->kind, TzuPropKind::Float);
    EXPECT_FALSE(IsPropStored(&t, *angle.prop));
}

TEST(TzuTransform, PositionChangesRebuildTheMatrix) {
    TzuTransform t;
    ChangeLog log;
    log.Watch(t.OnChange());
    EXPECT_TRUE(SetPropText(ResolveProperty(&t, "Position.X"), "10"));
    EXPECT_EQ(t.Matrix().m31, 10);
    ASSERT_EQ(log.Count(), 1u);
    EXPECT_EQ(log.senders[0], &t);

    // The angle alone neither rebuilds nor notifies; the next position change picks it up.
    t.SetRotateAngle(90);
    EXPECT_EQ(log.Count(), 1u);
    EXPECT_EQ(t.Matrix().m11, 1);
    t.Scale()->SetPoint(zuPoint(2, 3));
    t.Position()->SetY(20);
    EXPECT_EQ(log.Count(), 3u);
    // Rotate (1,0) to (0,1), scale to (0,3), translate to (10,23).
    const TzuVector p = VectorTransform(zuVector(1, 0, 1), t.Matrix());
    EXPECT_NEAR(p.X, 10, 1e-5);
    EXPECT_NEAR(p.Y, 23, 1e-5);
    // RotateCenter is for the transform's users; it still causes a rebuild.
    const TzuMatrix before = t.Matrix();
    t.RotateCenter()->SetX(0);
    EXPECT_EQ(log.Count(), 4u);
    EXPECT_EQ(t.Matrix(), before);
}

TEST(TzuTransform, AssignCopiesEverythingWithOneNotification) {
    TzuTransform source;
    source.SetRotateAngle(30);
    source.Position()->SetPoint(zuPoint(5, 6));
    source.Scale()->SetPoint(zuPoint(2, 2));
    source.RotateCenter()->SetPoint(zuPoint(0, 1));

    TzuTransform t;
    ChangeLog log;
    log.Watch(t.OnChange());
    t.Assign(source);
    EXPECT_EQ(log.Count(), 1u);
    EXPECT_EQ(t.RotateAngle(), 30);
    EXPECT_EQ(t.RotateCenter()->GetPoint(), zuPoint(0, 1));
    EXPECT_EQ(t.Matrix(), source.Matrix());
    // The copy keeps its own wiring: its positions still drive its matrix.
    t.Position()->SetX(50);
    EXPECT_EQ(log.Count(), 2u);
    EXPECT_EQ(t.Matrix().m31, 50);
    EXPECT_EQ(source.Matrix().m31, 5);

    TzuBounds b;
    EXPECT_THROW(t.Assign(b), EzuError);
}

}  // namespace
}  // namespace zu
