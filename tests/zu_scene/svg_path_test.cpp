// SVG path text: the number and flag grammar icon files use, implicit repetition, curve
// reflections, quadratics and arcs as cubic curves, the first error ending the parse, and
// the canonical text reading back to the same path.

#include "scene/zu_scene/graphics/svg_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/path_data.h"

namespace zu {
namespace {

// "M1,2 L3,4" style summary of the entries, curves as C with their three points.
std::string Entries(const TzuPathData& p) { return SvgPathText(p); }

std::string Parsed(const char* text, bool* complete = nullptr) {
    TzuPathData p;
    const bool ok = ParseSvgPath(text, p);
    if (complete) *complete = ok;
    return Entries(p);
}

TEST(SvgPath, NumbersAsIconFilesWriteThem) {
    EXPECT_EQ(Parsed("M.5.5L1.5.5"), "M0.5,0.5 L1.5,0.5");
    EXPECT_EQ(Parsed("M1e1-2E-1"), "M10,-0.2");
    EXPECT_EQ(Parsed("M+3,-.25 l-1-1"), "M3,-0.25 L2,-1.25");
    EXPECT_EQ(Parsed("  M 1 , 2\n\tL\t3\r\n4  "), "M1,2 L3,4");
    bool complete = true;
    EXPECT_EQ(Parsed("M10 10 L 1e", &complete), "M10,10");  // an exponent needs digits
    EXPECT_FALSE(complete);
    EXPECT_EQ(Parsed("M 1e39 0", &complete), "");  // beyond a single
    EXPECT_FALSE(complete);
    EXPECT_EQ(Parsed("M 1,,2", &complete), "");  // two commas are no separator
}

TEST(SvgPath, EveryCommandRepeatsImplicitly) {
    EXPECT_EQ(Parsed("M0 0 10 0 10 10"), "M0,0 L10,0 L10,10");
    EXPECT_EQ(Parsed("m1 1 2 2 1 0"), "M1,1 L3,3 L4,3");
    EXPECT_EQ(Parsed("M0 0h5 5v2 2"), "M0,0 L5,0 L10,0 L10,2 L10,4");
    EXPECT_EQ(Parsed("M0 0H5 7V1 -1"), "M0,0 L5,0 L7,0 L7,1 L7,-1");
    EXPECT_EQ(Parsed("M0 0c1 1 2 2 3 3 1 1 2 2 3 3"), "M0,0 C1,1 2,2 3,3 C4,4 5,5 6,6");
    EXPECT_EQ(Parsed("M0 0q3 3 6 0 3 3 6 0"), "M0,0 C2,2 4,2 6,0 C8,2 10,2 12,0");
}

TEST(SvgPath, SmoothCurvesReflectOnlyAfterTheirOwnKind) {
    // S after a cubic mirrors its second control point; after a line it starts at the
    // current point. T likewise with quadratics.
    EXPECT_EQ(Parsed("M0 0C0 5 5 5 5 0S10-5 10 0"), "M0,0 C0,5 5,5 5,0 C5,-5 10,-5 10,0");
    EXPECT_EQ(Parsed("M0 0L5 0S10 5 10 0"), "M0,0 L5,0 C5,0 10,5 10,0");
    EXPECT_EQ(Parsed("M0 0Q3 3 6 0T12 0"), "M0,0 C2,2 4,2 6,0 C8,-2 10,-2 12,0");
    EXPECT_EQ(Parsed("M0 0C1 1 2 2 3 0T9 0"), "M0,0 C1,1 2,2 3,0 C3,0 5,0 9,0");
}

TEST(SvgPath, ArcsFollowTheEndpointRules) {
    TzuPathData p;
    // Flags need no separators: radius 2, small arc, positive sweep, to (2, 2).
    ASSERT_TRUE(ParseSvgPath("M0 0a2 2 0 012 2", p));
    ASSERT_EQ(p.Count(), 4);
    const auto& pts = p.Points();
    EXPECT_NEAR(pts[3].Point.X, 2, 1e-4);
    EXPECT_NEAR(pts[3].Point.Y, 2, 1e-4);
    // The curve's middle lies on the circle around (0, 2), towards the top right.
    const float mx = (pts[0].Point.X + 3 * pts[1].Point.X + 3 * pts[2].Point.X + pts[3].Point.X) / 8;
    const float my = (pts[0].Point.Y + 3 * pts[1].Point.Y + 3 * pts[2].Point.Y + pts[3].Point.Y) / 8;
    EXPECT_NEAR(mx, std::sqrt(2.0f), 2e-3);
    EXPECT_NEAR(my, 2 - std::sqrt(2.0f), 2e-3);
    // A zero radius draws a line, an arc to its own start nothing; radii too small grow.
    EXPECT_EQ(Parsed("M0 0A0 5 0 0 1 4 4"), "M0,0 L4,4");
    EXPECT_EQ(Parsed("M1 1A5 5 0 0 1 1 1L2 2"), "M1,1 L2,2");
    TzuPathData half;
    ASSERT_TRUE(ParseSvgPath("M0 0A1 1 0 0 1 10 0", half));
    EXPECT_NEAR(half.GetBounds().Top, -5, 1e-2);  // a half circle of radius 5
    bool complete = true;
    EXPECT_EQ(Parsed("M0 0a2 2 0 2 1 2 2", &complete), "M0,0");  // a flag is 0 or 1
    EXPECT_FALSE(complete);
}

TEST(SvgPath, ClosesAndErrorsEndWhereSvgSays) {
    // After z the current point is the figure's start; drawing on starts a new figure there.
    EXPECT_EQ(Parsed("M10 10l5 0zl0 5"), "M10,10 L15,10 Z M10,10 L10,15");
    EXPECT_EQ(Parsed("M10 10l5 0zm1 1l1 0"), "M10,10 L15,10 Z M11,11 L12,11");
    bool complete = true;
    EXPECT_EQ(Parsed("M0 0L10 10L20", &complete), "M0,0 L10,10");
    EXPECT_FALSE(complete);
    EXPECT_EQ(Parsed("L10 10M0 0"), "");  // a path starts with a move
    EXPECT_EQ(Parsed("M0 0 X 5 5 L1 1"), "M0,0");
    EXPECT_EQ(Parsed("M0 0 z 5 5"), "M0,0 Z");
    // A reflected control point beyond the largest single ends the parse like any error:
    // it could not be written back.
    EXPECT_EQ(Parsed("M0 0 C0 -3e38 0 -3e38 0 3e38 S1 1 2 2", &complete), "M0,0 C0,-3e+38 0,-3e+38 0,3e+38");
    EXPECT_FALSE(complete);
    EXPECT_EQ(Parsed("M0 3e38 Q0 -3e38 1 1", &complete), "M0,3e+38");
    EXPECT_FALSE(complete);
}

TEST(SvgPath, SvgDataIsCanonicalAndLeavesDataAlone) {
    TzuPathData p;
    int changes = 0;
    p.OnChange().Set([&](TzuPersistent*) { ++changes; });
    EXPECT_TRUE(SetPropText(ResolveProperty(&p, "SvgData"), "m.5.5 1 0q1 1 2 0z"));
    EXPECT_EQ(changes, 1);
    const std::string canonical = p.SvgData();
    EXPECT_EQ(canonical, "M0.5,0.5 L1.5,0.5 C2.1666667,1.1666667 2.8333333,1.1666667 3.5,0.5 Z");
    TzuPathData again;
    again.SetSvgData(canonical);
    EXPECT_EQ(again.Points(), p.Points());
    // The Data text form is the path's own, as before.
    EXPECT_EQ(p.Data().substr(0, 28), "M 0.500,0.500 L 1.500,0.500 ");
    const TzuPropInfo* prop = ResolveProperty(&p, "SvgData").prop;
    ASSERT_TRUE(prop);
    EXPECT_FALSE(IsPropStored(&p, *prop));
    p.SetSvgData("garbage");
    EXPECT_TRUE(p.IsEmpty());
}

}  // namespace
}  // namespace zu
