#include "scene/zu_scene/graphics/brush.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/font.h"
#include "scene/zu_scene/graphics/gradient.h"
#include "scene/zu_scene/tree/brush_object.h"

namespace zu {
namespace {

struct Counter {
    int count = 0;
    void Watch(TzuNotifyEvent& event) {
        event.Set([this](TzuPersistent*) { ++count; });
    }
};

bool Stored(const TzuPersistent& obj, const char* name) {
    const TzuPropInfo* p = obj.ClassType().FindProperty(name);
    EXPECT_NE(p, nullptr) << name;
    return p && IsPropStored(&obj, *p);
}

TEST(TzuBrush, NotifiesOnlyOnEffectiveChange) {
    TzuBrush brush(zuBrushSolid, 0xFF000000);
    Counter changes;
    changes.Watch(brush.OnChange());
    brush.SetColor(0xFF000000);
    brush.SetStyle(zuBrushSolid);
    brush.SetColorText("black");
    EXPECT_EQ(changes.count, 0);
    brush.SetColorText("#FF00FF00");
    EXPECT_EQ(brush.Color(), 0xFF00FF00u);
    brush.SetStyle(zuBrushNone);
    EXPECT_EQ(changes.count, 2);
    // Changes inside the owned parts reach the brush's holder too.
    brush.Gradient()->Points()->Points(1)->SetOffset(0.5f);
    brush.Bitmap()->SetWrapMode(zuWrapTileStretch);
    brush.Gradient()->StopPosition()->SetX(1);
    EXPECT_EQ(changes.count, 5);
}

TEST(TzuBrush, StoredRulesFollowStyleAndDefaults) {
    TzuBrush brush(zuBrushSolid, 0xFF000000);
    const char* all[] = {"Color", "Style", "Gradient", "Bitmap", "Resource", "Visual"};
    for (const char* name : all) EXPECT_FALSE(Stored(brush, name)) << name;

    brush.SetColor(0xFFFF0000);
    EXPECT_TRUE(Stored(brush, "Color"));
    EXPECT_FALSE(Stored(brush, "Style"));

    brush.SetStyle(zuBrushGradient);
    EXPECT_FALSE(Stored(brush, "Color"));  // the gradient carries the colours
    EXPECT_TRUE(Stored(brush, "Style"));
    EXPECT_TRUE(Stored(brush, "Gradient"));
    EXPECT_FALSE(Stored(brush, "Bitmap"));

    TzuBrush none(zuBrushNone, 0);
    none.SetStyle(zuBrushNone);
    EXPECT_FALSE(Stored(none, "Style"));
    none.SetStyle(zuBrushVisual);
    EXPECT_TRUE(Stored(none, "Visual"));
    EXPECT_FALSE(Stored(none, "Resource"));
}

TEST(TzuBrush, ColorOfGradientBrushRecoloursFirstPoint) {
    TzuBrush brush;
    brush.SetStyle(zuBrushGradient);
    brush.SetColorText("#FFFF0000");
    EXPECT_EQ(brush.Gradient()->Points()->Points(0)->Color(), 0xFFFF0000u);
    EXPECT_EQ(brush.Gradient()->Points()->Points(1)->Color(), 0xFFFFFFFFu);

    TzuBrush solid;
    solid.SetColor(0xFF00FF00);
    EXPECT_EQ(solid.Gradient()->Points()->Points(0)->Color(), 0xFF000000u);

    // A gradient without points takes the colour without complaint.
    brush.Gradient()->Points()->Clear();
    brush.SetColor(0xFF0000FF);
    EXPECT_EQ(brush.Color(), 0xFF0000FFu);
}

TEST(TzuBrush, PublishedPathsReachTheParts) {
    TzuBrush brush;
    EXPECT_TRUE(SetPropText(ResolveProperty(&brush, "Style"), "zuBrushGradient"));
    EXPECT_EQ(brush.Style(), zuBrushGradient);
    EXPECT_TRUE(SetPropText(ResolveProperty(&brush, "color"), "#FF123456"));
    EXPECT_EQ(brush.Color(), 0xFF123456u);
    EXPECT_EQ(GetPropText(ResolveProperty(&brush, "Color")), "#FF123456");
    EXPECT_TRUE(SetPropText(ResolveProperty(&brush, "Gradient.Style"), "zuRadialGradient"));
    EXPECT_EQ(brush.Gradient()->Style(), zuRadialGradient);
    EXPECT_TRUE(SetPropText(ResolveProperty(&brush, "Bitmap.WrapMode"), "zuWrapTileOriginal"));
    EXPECT_EQ(brush.Bitmap()->WrapMode(), zuWrapTileOriginal);
}

TEST(TzuBrush, AssignCopiesTheSourceStylesPartAndNotifiesOnce) {
    TzuBrush source(zuBrushNone, 0x11223344);
    source.SetStyle(zuBrushGradient);
    source.SetColor(0xFF00FF00);
    source.Gradient()->SetStyle(zuRadialGradient);
    source.Gradient()->Points()->AddPoint(0xFF0000FF, 0.5f);
    source.Bitmap()->SetWrapMode(zuWrapTileStretch);

    TzuBrush target(zuBrushSolid, 0xFF000000);
    Counter changes;
    changes.Watch(target.OnChange());
    target.Assign(source);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(target.Style(), zuBrushGradient);
    EXPECT_EQ(target.Color(), 0xFF00FF00u);
    EXPECT_EQ(target.DefaultStyle(), zuBrushNone);
    EXPECT_EQ(target.DefaultColor(), 0x11223344u);
    EXPECT_EQ(target.Gradient()->Style(), zuRadialGradient);
    ASSERT_EQ(target.Gradient()->Points()->Count(), 3);
    EXPECT_EQ(target.Gradient()->Points()->Points(2)->Color(), 0xFF0000FFu);
    // Only the part the source's style uses is copied.
    EXPECT_EQ(target.Bitmap()->WrapMode(), zuWrapTile);
    // The copy is independent of the source.
    source.Gradient()->Points()->Points(0)->SetColor(0);
    EXPECT_EQ(target.Gradient()->Points()->Points(0)->Color(), 0xFF00FF00u);

    TzuFont font;
    EXPECT_THROW(target.Assign(font), EzuError);
}

TEST(TzuGradient, ColorAtFollowsTheStops) {
    TzuGradient g;
    EXPECT_EQ(g.ColorAt(0.5f), 0xFF7F7F7Fu);
    EXPECT_EQ(g.ColorAt(-1), 0xFF000000u);
    EXPECT_EQ(g.ColorAt(2), 0xFFFFFFFFu);
    EXPECT_EQ(g.ColorAt(std::nanf("")), 0xFF000000u);

    g.Points()->Clear();
    g.Points()->AddPoint(0xFFFF0000, 0.3f);
    g.Points()->AddPoint(0xFF0000FF, 0.7f);
    for (float t : {0.0f, 0.1f, 0.3f}) EXPECT_EQ(g.ColorAt(t), 0xFFFF0000u) << t;
    for (float t : {0.7f, 0.9f, 1.0f}) EXPECT_EQ(g.ColorAt(t), 0xFF0000FFu) << t;
    EXPECT_EQ(g.ColorAt(0.5f), 0xFF80007Fu);

    // A zero-length segment is a hard edge: the later stop wins from its offset on.
    g.Points()->Clear();
    g.Points()->AddPoint(0xFF000000, 0);
    g.Points()->AddPoint(0xFFFF0000, 0.5f);
    g.Points()->AddPoint(0xFF00FF00, 0.5f);
    g.Points()->AddPoint(0xFF00FF00, 1);
    EXPECT_EQ(g.ColorAt(0.5f), 0xFF00FF00u);
    EXPECT_EQ(g.ColorAt(0.25f), 0xFF7F0000u);

    g.Points()->Delete(3);
    g.Points()->Delete(2);
    g.Points()->Delete(1);
    // The one stop left paints everywhere; no stop at all is transparent.
    for (float t : {0.0f, 0.5f, 1.0f}) EXPECT_EQ(g.ColorAt(t), 0xFF000000u) << t;
    EXPECT_THROW(g.Points()->Delete(1), EzuError);
    g.Points()->Delete(0);
    EXPECT_EQ(g.ColorAt(0.5f), 0u);
}

TEST(TzuGradient, InsertAndMoveKeepTheOtherStopsInOrder) {
    TzuGradient g;
    Counter changes;
    changes.Watch(g.OnChange());
    TzuGradientPoint* red = g.Points()->InsertPoint(1, 0xFFFF0000, 0.5f);
    EXPECT_EQ(g.Points()->Points(1), red);
    EXPECT_EQ(g.ColorAt(0.5f), 0xFFFF0000u);
    // Indices outside the list insert at the nearest end.
    TzuGradientPoint* first = g.Points()->InsertPoint(-4, 0xFF00FF00, 0);
    EXPECT_EQ(g.Points()->Points(0), first);
    TzuGradientPoint* last = g.Points()->InsertPoint(99, 0xFF0000FF, 1);
    EXPECT_EQ(g.Points()->Points(4), last);
    EXPECT_EQ(changes.count, 3);

    g.Points()->Move(2, 0);  // red first, then green, black, white, blue
    EXPECT_EQ(g.Points()->Points(0), red);
    EXPECT_EQ(g.Points()->Points(1)->Color(), 0xFF00FF00u);
    EXPECT_EQ(g.Points()->Points(2)->Color(), 0xFF000000u);
    g.Points()->Move(0, 4);
    EXPECT_EQ(g.Points()->Points(4), red);
    EXPECT_EQ(g.Points()->Points(3)->Color(), 0xFF0000FFu);
    EXPECT_EQ(changes.count, 5);
    g.Points()->Move(2, 2);
    EXPECT_EQ(changes.count, 5);
    EXPECT_THROW(g.Points()->Move(0, 5), EzuError);
    EXPECT_THROW(g.Points()->Move(-1, 0), EzuError);
    EXPECT_EQ(g.Points()->Count(), 5);
}

TEST(TzuGradient, AssignCopiesTheGeometryOfTheSourceStyle) {
    TzuGradient radial;
    radial.SetStyle(zuRadialGradient);
    radial.RadialTransform()->Position()->SetX(5);
    radial.StartPosition()->SetX(0.25f);

    TzuGradient target;
    Counter changes;
    changes.Watch(target.OnChange());
    target.Assign(radial);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(target.Style(), zuRadialGradient);
    EXPECT_EQ(target.RadialTransform()->Position()->X(), 5);
    EXPECT_EQ(target.StartPosition()->X(), 0);  // a radial source's positions are not copied

    EXPECT_TRUE(Stored(target, "RadialTransform"));
    EXPECT_FALSE(Stored(target, "StartPosition"));
    target.SetStyle(zuLinearGradient);
    EXPECT_FALSE(Stored(target, "RadialTransform"));
    EXPECT_TRUE(Stored(target, "StopPosition"));
}

TEST(TzuGradientPoints, CollectionAddsDefaultPointsThroughThePropertyTable) {
    TzuGradient g;
    const TzuPropInfo* p = g.ClassType().FindProperty("Points");
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(p->kind, TzuPropKind::Collection);
    TzuCollection* points = p->getCollection(&g);
    auto* added = As<TzuGradientPoint>(points->Add());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Color(), 0u);
    EXPECT_EQ(added->Offset(), 0);
    EXPECT_TRUE(SetPropText(ResolveProperty(added, "Color"), "red"));
    EXPECT_EQ(added->Color(), 0xFFFF0000u);
    EXPECT_EQ(points->Count(), 3);
}

TEST(TzuBrushResource, ResolvesLazilyByNameAndForgetsADeadHolder) {
    TzuBrush brush;
    brush.SetStyle(zuBrushResource);
    brush.SetColor(0xFF010203);
    brush.Resource()->SetResourceName("Accent");
    // Nothing serves the name yet: the brush stands for its own colour.
    EXPECT_EQ(brush.ResourceBrush(), nullptr);
    EXPECT_EQ(brush.SolidColor(), 0xFF010203u);

    auto holder = std::make_unique<TzuBrushObject>(nullptr);
    holder->SetName("ACCENT");
    EXPECT_EQ(holder->ResourceName(), "ACCENT");
    holder->Brush()->SetColor(0xFF00FF00);
    EXPECT_EQ(brush.ResourceBrush(), holder->Brush());
    EXPECT_EQ(brush.Resource()->Resource(), holder.get());
    EXPECT_EQ(brush.SolidColor(), 0xFF00FF00u);

    holder.reset();
    EXPECT_EQ(brush.Resource()->Resource(), nullptr);
    EXPECT_EQ(brush.Resource()->ResourceName(), "ACCENT");
    EXPECT_EQ(brush.SolidColor(), 0xFF010203u);

    // A later holder under the same name is found again; an explicit resource name
    // survives renaming the component.
    TzuBrushObject second(nullptr);
    second.SetResourceName("accent");
    second.SetName("Other");
    second.Brush()->SetColor(0xFF0000FF);
    EXPECT_EQ(brush.SolidColor(), 0xFF0000FFu);

    // Assign takes over the link and the name.
    TzuBrush copy;
    copy.Assign(brush);
    EXPECT_EQ(copy.Color(), 0xFF0000FFu);
    EXPECT_EQ(copy.Resource()->Resource(), &second);
}

TEST(TzuBrushResource, CyclesOfSharedBrushesEnd) {
    TzuBrushObject a(nullptr), b(nullptr);
    a.SetName("a");
    b.SetName("b");
    a.Brush()->SetStyle(zuBrushResource);
    a.Brush()->Resource()->SetResourceName("b");
    b.Brush()->SetStyle(zuBrushResource);
    b.Brush()->Resource()->SetResourceName("a");
    // Any answer will do; it must come back.
    const TzuColor c = a.Brush()->SolidColor();
    EXPECT_EQ(c, 0xFFFFFFFFu);

    TzuBrushObject self(nullptr);
    self.SetName("self");
    self.Brush()->SetStyle(zuBrushResource);
    self.Brush()->SetColor(0xFF445566);
    self.Brush()->Resource()->SetResourceName("self");
    EXPECT_EQ(self.Brush()->SolidColor(), 0xFF445566u);
}

TEST(TzuVisual, ReferenceIsClearedWhenTheObjectGoes) {
    TzuBrush brush;
    Counter changes;
    changes.Watch(brush.OnChange());
    auto target = std::make_unique<TzuObject>(nullptr);
    brush.Visual()->SetVisualObject(target.get());
    brush.Visual()->SetVisualObject(target.get());
    EXPECT_EQ(changes.count, 1);
    {
        TzuBrush copy;
        copy.SetVisual(*brush.Visual());
        EXPECT_EQ(copy.Visual()->VisualObject(), target.get());
    }  // the copy unregisters itself, so the object's death below must not reach it
    target.reset();
    EXPECT_EQ(brush.Visual()->VisualObject(), nullptr);
}

TEST(TzuFont, StoredRulesAndNotifications) {
    TzuFont font;
    for (const char* name : {"Family", "Size", "Style", "ClearType"})
        EXPECT_FALSE(Stored(font, name)) << name;
    Counter changes;
    changes.Watch(font.OnChange());
    font.SetFamily("Tahoma");
    font.SetSize(11);
    font.SetClearType(true);
    EXPECT_EQ(changes.count, 0);
    font.SetFamily("tahoma");  // compared case-sensitively
    font.SetSize(14);
    font.SetStyle(zuFontBoldItalic);
    font.SetClearType(false);
    EXPECT_EQ(changes.count, 4);
    for (const char* name : {"Family", "Size", "Style", "ClearType"}) EXPECT_TRUE(Stored(font, name)) << name;

    TzuFont copy;
    Counter copyChanges;
    copyChanges.Watch(copy.OnChange());
    copy.Assign(font);
    EXPECT_EQ(copyChanges.count, 1);
    EXPECT_EQ(copy.Family(), "tahoma");
    EXPECT_EQ(copy.Size(), 14);
    EXPECT_EQ(copy.Style(), zuFontBoldItalic);
    EXPECT_FALSE(copy.ClearType());
}

TEST(TzuBrush, PartsAreMadeOnFirstUseOnly) {
    TzuBrush brush;
    brush.SetColor(0xFF112233);
    EXPECT_FALSE(brush.HasGradient());
    brush.SetStyle(zuBrushGradient);
    EXPECT_FALSE(brush.HasGradient());
    brush.SetColor(0xFF445566);
    ASSERT_TRUE(brush.HasGradient());  // the colour of a gradient brush reaches its first stop
    EXPECT_EQ(brush.Gradient()->Points()->Points(0)->Color(), 0xFF445566u);
    TzuBrush solid;
    solid.SetColor(0xFF445566);
    EXPECT_TRUE(Stored(solid, "Color"));
    EXPECT_FALSE(Stored(solid, "Gradient"));
    EXPECT_EQ(solid.SolidColor(), 0xFF445566u);
    EXPECT_FALSE(solid.HasGradient());
    EXPECT_FALSE(solid.HasBitmap());
    EXPECT_FALSE(solid.HasResource());
    EXPECT_FALSE(solid.HasVisual());
    EXPECT_NE(solid.Bitmap(), nullptr);
    EXPECT_TRUE(solid.HasBitmap());
    EXPECT_FALSE(solid.HasGradient());
}

TEST(TzuBrush, LazilyMadeGradientReportsItsChanges) {
    TzuBrush brush;
    Counter counter;
    counter.Watch(brush.OnChange());
    TzuGradient* gradient = brush.Gradient();
    EXPECT_EQ(counter.count, 0);  // making the part is no change
    ASSERT_EQ(gradient->Points()->Count(), 2);
    EXPECT_EQ(gradient->Points()->Points(0)->Color(), 0xFF000000u);
    EXPECT_EQ(gradient->Points()->Points(1)->Color(), 0xFFFFFFFFu);
    gradient->Points()->Points(1)->SetColor(0xFFFF0000);
    EXPECT_EQ(counter.count, 1);
    gradient->SetStyle(zuRadialGradient);
    EXPECT_EQ(counter.count, 2);
    brush.Visual()->SetVisualObject(nullptr);
    EXPECT_EQ(counter.count, 2);
}

TEST(TzuBrush, AssignBetweenBrushesWithAndWithoutParts) {
    TzuBrush edited;
    edited.SetStyle(zuBrushGradient);
    edited.Gradient()->Points()->Points(0)->SetColor(0xFF00FF00);
    edited.Gradient()->SetStyle(zuRadialGradient);

    // A source with a gradient makes one on the target.
    TzuBrush target;
    Counter counter;
    counter.Watch(target.OnChange());
    target.Assign(edited);
    EXPECT_EQ(counter.count, 1);
    ASSERT_TRUE(target.HasGradient());
    EXPECT_EQ(target.Gradient()->Points()->Points(0)->Color(), 0xFF00FF00u);
    EXPECT_EQ(target.Gradient()->Style(), zuRadialGradient);

    // A gradient source that never made its gradient resets the target's to the defaults.
    TzuBrush fresh(zuBrushGradient);
    EXPECT_FALSE(fresh.HasGradient());
    target.Assign(fresh);
    EXPECT_EQ(counter.count, 2);
    EXPECT_EQ(target.Style(), zuBrushGradient);
    EXPECT_EQ(target.Gradient()->Points()->Points(0)->Color(), 0xFF000000u);
    EXPECT_EQ(target.Gradient()->Style(), zuLinearGradient);
    EXPECT_FALSE(fresh.HasGradient());  // copying from it made nothing there

    // Neither has the part: nothing is made.
    TzuBrush plain;
    plain.Assign(fresh);
    EXPECT_EQ(plain.Style(), zuBrushGradient);
    EXPECT_FALSE(plain.HasGradient());
    EXPECT_EQ(plain.Gradient()->Points()->Points(1)->Color(), 0xFFFFFFFFu);

    // A solid source copies no part, whichever parts it has.
    TzuBrush solid;
    solid.Gradient()->Points()->Clear();
    TzuBrush other;
    other.Assign(solid);
    EXPECT_FALSE(other.HasGradient());
}

}  // namespace
}  // namespace zu
