#include "scene/zu_scene/graphics/path_data.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/core/property.h"
#include "scene/zu_scene/tree/path_object.h"

namespace zu {
namespace {

constexpr float kEps = 1e-3f;

void ExpectNear(const TzuPoint& p, float x, float y, float eps = kEps) {
    EXPECT_NEAR(p.X, x, eps);
    EXPECT_NEAR(p.Y, y, eps);
}

void Put32(TzuBytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
void PutFloat(TzuBytes& b, float f) {
    uint32_t v;
    std::memcpy(&v, &f, 4);
    Put32(b, v);
}

// Bounds of the drawn curve itself (GetBounds includes the control points).
TzuRect CurveBounds(const TzuPathData& path) { return PointsBounds(path.FlattenToPolygon(0.01f)); }

// ---- Text form ----

TEST(TzuPathData, WritesParsedTextInItsCanonicalForm) {
    TzuPathData path;
    path.SetData("M0,0 L10,0 L10,10 Z");
    EXPECT_EQ(path.GetData(), "M 0,0 L 10,0 L 10,10 Z ");
    ASSERT_EQ(path.Count(), 4);
    EXPECT_EQ(path.Points()[3], (TzuPathPoint{zuPathPointClose, {0, 0}}));

    path.SetData("M 1.5,-2.25 C 1,2 3,4 5,6.125");
    EXPECT_EQ(path.GetData(), "M 1.500,-2.250 C 1,2 3,4 5,6.125 ");
    TzuPathData again;
    EXPECT_TRUE(again.ParseData(path.GetData()));
    EXPECT_EQ(again.Points(), path.Points());
}

TEST(TzuPathData, ParsesImplicitRepeatsRelativeCommandsAndJoinedLines) {
    TzuPathData path;
    EXPECT_TRUE(path.ParseData("M 0 0 10 10"));
    EXPECT_EQ(path.Points(),
              (std::vector<TzuPathPoint>{{zuPathPointMoveTo, {0, 0}}, {zuPathPointLineTo, {10, 10}}}));

    EXPECT_TRUE(path.ParseData("m 1,1 l 2,0 3,0 h -1 v 4 z"));
    ASSERT_EQ(path.Count(), 6);
    ExpectNear(path.Points()[1].Point, 3, 1);
    ExpectNear(path.Points()[2].Point, 6, 1);
    ExpectNear(path.Points()[3].Point, 5, 1);
    ExpectNear(path.Points()[4].Point, 5, 5);
    EXPECT_EQ(path.Points()[5], (TzuPathPoint{zuPathPointClose, {1, 1}}));

    // Breaks are removed before parsing, so they join the digits around them.
    EXPECT_TRUE(path.ParseData("M 1\r\n2,3\t"));
    ExpectNear(path.LastPoint(), 12, 3);

    // Exponents, and a minus that starts the next number.
    EXPECT_TRUE(path.ParseData("M1e1-2e-1"));
    ExpectNear(path.LastPoint(), 10, -0.2f);
}

TEST(TzuPathData, SkipsQuadraticsAndReflectsSmoothCurves) {
    TzuPathData path;
    path.SetData("M0,0 Q5,5 10,0");
    EXPECT_EQ(path.Count(), 1);

    path.SetData("M0,0 C 1,1 2,1 3,0 S 5,-1 6,0");
    ASSERT_EQ(path.Count(), 7);
    ExpectNear(path.Points()[4].Point, 4, -1);  // 2 * (3,0) - (2,1)
    path.SetData("M0,0 C 1,1 2,1 3,0 s 2,-1 3,0");
    ExpectNear(path.Points()[4].Point, 4, -1);
    ExpectNear(path.Points()[6].Point, 6, 0);
}

TEST(TzuPathData, BadTextKeepsWhatWasReadAndReportsFailure) {
    TzuPathData path;
    int changes = 0;
    path.OnChange().Set([&](TzuPersistent*) { ++changes; });

    EXPECT_FALSE(path.ParseData("M 1,2 L 3,x 4"));
    EXPECT_EQ(path.Count(), 1);
    EXPECT_FALSE(path.ParseData("M --1,2"));
    EXPECT_EQ(path.Count(), 0);
    EXPECT_FALSE(path.ParseData("M 1e400,0"));
    EXPECT_FALSE(path.ParseData("M 1e39,0"));  // beyond a single
    EXPECT_EQ(path.Count(), 0);
    EXPECT_FALSE(path.ParseData("M 1..2,0 L"));
    EXPECT_FALSE(path.ParseData("M 0,0 junk"));
    EXPECT_EQ(changes, 6);  // once per parse, failed or not

    // Relative steps that overflow a single are dropped, not stored as infinities.
    EXPECT_FALSE(path.ParseData("M 3e38,0 l 3e38,0"));
    EXPECT_EQ(path.Count(), 1);

    // An undefined arc is dropped; parsing goes on after it.
    EXPECT_FALSE(path.ParseData("M 0,0 A 0,5 0 0,1 10,0 L 1,1"));
    EXPECT_EQ(path.GetData(), "M 0,0 L 1,1 ");
    EXPECT_FALSE(path.ParseData("M 4,4 A 5,5 0 0,1 4,4"));
    EXPECT_EQ(path.Count(), 1);

    // Long runs of letters and repeats finish in linear time.
    EXPECT_FALSE(path.ParseData(std::string(100000, 'A') + "1"));
    EXPECT_TRUE(path.ParseData(std::string(50000, 'Z')));
    EXPECT_EQ(path.Count(), 50000);
}

// ---- Arcs ----

TEST(TzuPathData, AddArcStartsWithMoveOrLineAndEndsOnTheEllipse) {
    TzuPathData path;
    path.AddArc({50, 50}, {10, 20}, 0, 90);
    ASSERT_EQ(path.Count(), 4);
    EXPECT_EQ(path.Points()[0].Kind, zuPathPointMoveTo);
    ExpectNear(path.Points()[0].Point, 60, 50);
    ExpectNear(path.LastPoint(), 50, 70);
    // Quarter-turn control points sit 0.5523 of the radius out along the tangents.
    ExpectNear(path.Points()[1].Point, 60, 50 + 20 * 0.5523f, 2e-3f);

    path.AddArc({0, 0}, {5, 5}, -90, -450);  // clamped to a full turn, clockwise
    ASSERT_EQ(path.Count(), 4 + 1 + 12);
    EXPECT_EQ(path.Points()[4].Kind, zuPathPointLineTo);
    ExpectNear(path.Points()[4].Point, 0, -5);
    ExpectNear(path.LastPoint(), 0, -5);

    TzuPathData circle;
    circle.AddArc({0, 0}, {10, 10}, 30, 360);
    const TzuRect b = CurveBounds(circle);
    EXPECT_NEAR(b.Left, -10, 0.02);
    EXPECT_NEAR(b.Right, 10, 0.02);
    EXPECT_NEAR(b.Top, -10, 0.02);
    EXPECT_NEAR(b.Bottom, 10, 0.02);
    circle.AddArc({0, 0}, {10, 10}, 0, 0);
    circle.AddArc({0, 0}, {10, 10}, 0, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(circle.Count(), 13);
}

TEST(TzuPathData, ArcToPointPicksTheArcByItsFlags) {
    struct Case {
        bool large, sweep;
        float top, bottom;
    };
    // From (0,0) to (10,0) on a circle of radius 10: the small arcs bulge 1.34, the
    // large ones 18.66; sweep picks the side (positive angles turn clockwise on screen).
    const Case cases[] = {{false, true, -1.34f, 0},
                          {false, false, 0, 1.34f},
                          {true, true, -18.66f, 0},
                          {true, false, 0, 18.66f}};
    for (const Case& c : cases) {
        TzuPathData path;
        path.MoveTo({0, 0});
        ASSERT_TRUE(path.ArcToPoint({10, 10}, 0, c.large, c.sweep, {10, 0}));
        EXPECT_EQ((path.Count() - 1) % 3, 0);
        ExpectNear(path.LastPoint(), 10, 0);
        const TzuRect b = CurveBounds(path);
        EXPECT_NEAR(b.Top, c.top, 0.02) << c.large << c.sweep;
        EXPECT_NEAR(b.Bottom, c.bottom, 0.02) << c.large << c.sweep;
    }

    // Radii too small are scaled up; a rotated ellipse still ends on the target.
    TzuPathData path;
    path.MoveTo({0, 0});
    ASSERT_TRUE(path.ArcToPoint({1, 2}, 30, false, true, {10, 5}));
    ExpectNear(path.LastPoint(), 10, 5);

    const int before = path.Count();
    EXPECT_FALSE(path.ArcToPoint({0, 5}, 0, false, true, {20, 5}));
    EXPECT_FALSE(path.ArcToPoint({5, 5}, 0, false, true, path.LastPoint()));
    EXPECT_EQ(path.Count(), before);
}

TEST(TzuPathData, ArcFlagsCountOnlyWhenExactlyOne) {
    TzuPathData half, zero;
    half.SetData("M 0,0 A 10,10 0 0.5,0.5 10,0");
    zero.SetData("M 0,0 A 10,10 0 0,0 10,0");
    EXPECT_EQ(half.Points(), zero.Points());
    EXPECT_GT(zero.Count(), 1);
    TzuPathData rel;
    rel.SetData("M 5,5 a 10,10 0 0,0 10,0");
    ExpectNear(rel.LastPoint(), 15, 5);
}

// ---- Bounds and flattening ----

TEST(TzuPathData, BoundsNeverCollapseAndCoverFarPoints) {
    TzuPathData path;
    EXPECT_EQ(path.GetBounds(), TzuRect{});
    path.MoveTo({3, 4});
    EXPECT_EQ(path.GetBounds(), (TzuRect{3, 4, 3.001f, 4.001f}));
    path.CurveTo({-2, 9}, {1, 1}, {3, 4});
    EXPECT_EQ(path.GetBounds(), (TzuRect{-2, 1, 3, 9}));  // control points included

    TzuPathData far;
    far.MoveTo({70000, -70000});
    far.LineTo({80000, -80000});
    EXPECT_EQ(far.GetBounds(), (TzuRect{70000, -80000, 80000, -70000}));
}

TEST(TzuPathData, FlattensCurvesAndMarksClosedFigures) {
    TzuPathData path;
    path.SetData("M 0,0 L 10,0 L 10,10 Z");
    TzuPoint size;
    TzuPolygon poly = path.FlattenToPolygon(0.25f, &size);
    EXPECT_EQ(poly, (TzuPolygon{{0, 0}, {10, 0}, {10, 10}, {0, 0}, ClosePolygon}));
    EXPECT_EQ(size, (TzuPoint{10, 10}));

    // Bounds 100 x 100 and flatness 0.25 give a step of 0.25: 141.42 / 0.25 -> 566 points.
    path.SetData("M 0,0 C 0,0 100,100 100,100");
    poly = path.FlattenToPolygon(0.25f);
    ASSERT_EQ(poly.size(), 1u + 566u);
    ExpectNear(poly[1], 0, 0);
    ExpectNear(poly.back(), 100, 100);
    ExpectNear(poly[1 + 283], 50, 50, 0.2f);

    // A long, flat curve is capped instead of becoming millions of points.
    path.SetData("M 0,0 C 0,0 1000000,0 1000000,0");
    EXPECT_EQ(path.FlattenToPolygon(0.25f).size(), 1u + 1024u);

    TzuPathData empty;
    EXPECT_TRUE(empty.FlattenToPolygon(0.25f, &size).empty());
    EXPECT_EQ(size, TzuPoint{});
}

// Every curve of a long path may ask for the most points a curve gets; the polygon as a
// whole stays within a budget that follows the path's size (65536 + 2 per entry), every
// curve still keeps its two ends, and a path within the budget is split as before.
TEST(TzuPathData, FlatteningManyLongCurvesStaysWithinTheBudget) {
    TzuPathData path;
    path.MoveTo({0, 0});
    constexpr int kCurves = 5000;
    for (int i = 0; i < kCurves; ++i) {
        const float x = i % 2 == 0 ? 1000000.0f : 0.0f;
        path.CurveTo({0, float(i)}, {x, float(i)}, {x, float(i + 1)});
    }
    const size_t budget = 65536 + 2 * size_t(path.Count());
    const TzuPolygon poly = path.FlattenToPolygon(0.25f);
    EXPECT_LE(poly.size(), budget);
    EXPECT_GE(poly.size(), 1 + 2 * size_t(kCurves));
    ExpectNear(poly.back(), 0, float(kCurves));
    // Ten such curves fit: each keeps its full count.
    TzuPathData few;
    few.MoveTo({0, 0});
    for (int i = 0; i < 10; ++i) few.CurveTo({0, 0}, {1000000, 0}, {1000000, 0});
    EXPECT_EQ(few.FlattenToPolygon(0.25f).size(), 1u + 10u * 1024u);
}

// ---- Binary form ----

TEST(TzuPathData, StreamsTwelveByteRecordsAndReadsNineByteRecords) {
    TzuPathData path;
    path.SetData("M 1,2 C 3,4 5,6 7,8.5 Z");
    const TzuBytes bytes = path.SaveToBytes();
    TzuBytes expected;
    Put32(expected, 5);
    const float values[][3] = {{0, 1, 2}, {2, 3, 4}, {2, 5, 6}, {2, 7, 8.5f}, {3, 1, 2}};
    for (auto& v : values) {
        Put32(expected, uint32_t(v[0]));
        PutFloat(expected, v[1]);
        PutFloat(expected, v[2]);
    }
    EXPECT_EQ(bytes, expected);

    TzuPathData copy;
    EXPECT_TRUE(copy.LoadFromBytes(bytes));
    EXPECT_EQ(copy.Points(), path.Points());
    copy.ClosePath();  // the start point follows the last move read
    EXPECT_EQ(copy.Points().back().Point, (TzuPoint{1, 2}));

    TzuBytes packed;
    Put32(packed, 2);
    packed.push_back(0);
    PutFloat(packed, 3);
    PutFloat(packed, 4);
    packed.push_back(1);
    PutFloat(packed, 5);
    PutFloat(packed, 6);
    ASSERT_EQ(packed.size(), 4u + 2 * 9);
    EXPECT_TRUE(copy.LoadFromBytes(packed));
    EXPECT_EQ(copy.Points(),
              (std::vector<TzuPathPoint>{{zuPathPointMoveTo, {3, 4}}, {zuPathPointLineTo, {5, 6}}}));

    const TzuPropInfo* prop = TzuPathData::StaticClass().FindProperty("Path");
    ASSERT_NE(prop, nullptr);
    EXPECT_TRUE(IsPropStored(&path, *prop));
    TzuPathData none;
    EXPECT_FALSE(IsPropStored(&none, *prop));
}

TEST(TzuPathData, RejectsMalformedBlocksAndKeepsThePath) {
    TzuPathData path;
    path.SetData("M 1,1 L 2,2");
    const auto original = path.Points();
    auto block = [](int32_t count, std::initializer_list<std::array<float, 3>> records) {
        TzuBytes b;
        Put32(b, uint32_t(count));
        for (auto& r : records) {
            Put32(b, uint32_t(int32_t(r[0])));
            PutFloat(b, r[1]);
            PutFloat(b, r[2]);
        }
        return b;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const TzuBytes bad[] = {
        TzuBytes{1, 0},                    // no room for the count
        block(3, {{0, 1, 2}, {1, 3, 4}}),  // fewer records than counted
        block(0x7fffffff, {{0, 1, 2}}),    // absurd count
        block(1, {{4, 1, 2}}),             // unknown kind
        block(1, {{-1, 1, 2}}),
        block(2, {{0, 1, 2}, {1, nan, 0}}),           // not a number
        block(3, {{0, 1, 2}, {2, 3, 4}, {2, 5, 6}}),  // a curve missing its end
    };
    for (const TzuBytes& b : bad) {
        EXPECT_FALSE(path.LoadFromBytes(b));
        EXPECT_EQ(path.Points(), original);
        EXPECT_THROW(path.ReadPath(b), EzuError);
    }
    TzuBytes truncated = block(2, {{0, 1, 2}, {1, 3, 4}});
    truncated.pop_back();
    EXPECT_FALSE(path.LoadFromBytes(truncated));  // 23 bytes: neither 9- nor 12-byte records
    EXPECT_THROW(path.ReadPath(TzuStreamValue(std::string("M 0,0"))), EzuError);
    EXPECT_EQ(path.Points(), original);

    // A count below one is an empty path, not an error; extra bytes are ignored.
    EXPECT_TRUE(path.LoadFromBytes(block(-5, {{0, 1, 2}})));
    EXPECT_TRUE(path.IsEmpty());
    TzuBytes extra = block(1, {{0, 1, 2}});
    extra.resize(extra.size() + 30);
    EXPECT_TRUE(path.LoadFromBytes(extra));
    EXPECT_EQ(path.Count(), 1);
}

// ---- Resources, assignment and properties ----

TEST(TzuPathData, FindsSharedPathByNameAndForgetsItWhenItGoes) {
    auto shared = std::make_unique<TzuPathObject>(nullptr);
    shared->SetName("Star");
    EXPECT_EQ(shared->ResourceName(), "Star");
    shared->Path()->SetData("M 0,0 L 5,5");

    TzuPathData path;
    int changes = 0;
    path.OnChange().Set([&](TzuPersistent*) { ++changes; });
    path.SetResourceName("STAR");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(path.ResourcePath(), shared->Path());
    EXPECT_EQ(path.Resource(), shared.get());
    EXPECT_EQ(changes, 1);  // resolving is not a change

    TzuPathData copy;
    copy.Assign(path);  // takes over the link, not the points
    EXPECT_EQ(copy.Resource(), shared.get());
    EXPECT_TRUE(copy.IsEmpty());

    shared.reset();
    EXPECT_EQ(path.Resource(), nullptr);
    EXPECT_EQ(copy.Resource(), nullptr);
    EXPECT_EQ(path.ResourceName(), "STAR");
    EXPECT_EQ(path.ResourcePath(), nullptr);

    // The name survives, so a new object of that name is found again.
    TzuPathObject again(nullptr);
    again.SetResourceName("star");
    EXPECT_EQ(path.ResourcePath(), again.Path());

    // Renaming drops a link to an object of another name; clearing the link clears the name.
    path.SetResourceName("other");
    EXPECT_EQ(path.Resource(), nullptr);
    path.SetResource(&again);
    EXPECT_EQ(path.ResourceName(), "star");
    path.SetResource(nullptr);
    EXPECT_EQ(path.ResourceName(), "");
    EXPECT_EQ(path.ResourcePath(), nullptr);
}

TEST(TzuPathData, AssignCopiesAPlainPathOverAnOldLink) {
    TzuPathObject shared(nullptr);
    shared.SetName("shape");
    TzuPathData linked;
    linked.SetResource(&shared);
    TzuPathData plain;
    plain.SetData("M 1,2 L 3,4");
    int changes = 0;
    linked.OnChange().Set([&](TzuPersistent*) { ++changes; });
    linked.Assign(plain);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(linked.Points(), plain.Points());
    EXPECT_EQ(linked.ResourcePath(), nullptr);
    {
        // A path that dies first must leave the object's list.
        TzuPathData brief;
        brief.SetResource(&shared);
    }
    TzuPathObject holder(nullptr);
    holder.SetPath(&plain);
    EXPECT_EQ(holder.Path()->Points(), plain.Points());
}

TEST(TzuPathData, PublishesDataAndResourceName) {
    TzuPathData path;
    TzuPropRef data = ResolveProperty(&path, "Data");
    ASSERT_TRUE(data);
    EXPECT_FALSE(data.prop->stored);
    EXPECT_TRUE(SetPropText(data, "M 1,2 Z"));
    EXPECT_EQ(path.Count(), 2);
    EXPECT_EQ(GetPropText(data), "M 1,2 Z ");
    TzuPropRef name = ResolveProperty(&path, "ResourceName");
    ASSERT_TRUE(name);
    EXPECT_TRUE(SetPropText(name, "arrow"));
    EXPECT_EQ(path.ResourceName(), "arrow");
    EXPECT_TRUE(IsPropStored(&path, *name.prop));
}

}  // namespace
}  // namespace zu
