#include "scene/zu_scene/types/interpolation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace zu {
namespace {

using Curve = std::function<double(double t, double b, double c, double d, TzuAnimationType)>;

struct NamedCurve {
    std::string name;
    Curve fn;
};

std::vector<NamedCurve> AllCurves() {
    return {
        {"Linear", [](double t, double b, double c, double d,
                      TzuAnimationType k) { return InterpolateLinear(t, b, c, d, k); }},
        {"Quadratic", InterpolateQuadratic},
        {"Cubic", InterpolateCubic},
        {"Quartic", InterpolateQuartic},
        {"Quintic", InterpolateQuintic},
        {"Sinusoidal", InterpolateSinusoidal},
        {"Exponential", InterpolateExponential},
        {"Circular", InterpolateCircular},
        {"Bounce", InterpolateBounce},
        {"Back", [](double t, double b, double c, double d,
                    TzuAnimationType k) { return InterpolateBack(t, b, c, d, 0, k); }},
        {"Elastic", [](double t, double b, double c, double d,
                       TzuAnimationType k) { return InterpolateElastic(t, b, c, d, 0, 0, k); }},
    };
}

const TzuAnimationType kTypes[] = {zuAnimationIn, zuAnimationOut, zuAnimationInOut};

TEST(Interpolation, EveryCurveRunsFromStartToStop) {
    for (const auto& curve : AllCurves()) {
        for (TzuAnimationType type : kTypes) {
            SCOPED_TRACE(curve.name + " type " + std::to_string(type));
            EXPECT_NEAR(curve.fn(0, 10, 100, 2, type), 10, 1e-9);
            EXPECT_NEAR(curve.fn(2, 10, 100, 2, type), 110, 1e-9);
            EXPECT_NEAR(curve.fn(0, -5, -20, 0.5, type), -5, 1e-9);
            EXPECT_NEAR(curve.fn(0.5, -5, -20, 0.5, type), -25, 1e-9);
        }
    }
}

TEST(Interpolation, InOutIsPointSymmetricAboutTheMidpoint) {
    for (const auto& curve : AllCurves()) {
        SCOPED_TRACE(curve.name);
        for (double t : {0.0, 0.1, 0.37, 0.5, 0.8, 0.99}) {
            const double early = curve.fn(t, 10, 100, 2, zuAnimationInOut);
            const double late = curve.fn(2 - t, 10, 100, 2, zuAnimationInOut);
            EXPECT_NEAR(early + late, 2 * 10 + 100, 1e-9) << "t = " << t;
        }
        EXPECT_NEAR(curve.fn(1, 10, 100, 2, zuAnimationInOut), 60, 1e-9);
    }
}

TEST(Interpolation, HalfwayValuesOfInAndOut) {
    // b = 10, c = 100, d = 2, t = 1, so u = 1/2; values derived by hand from each curve.
    struct Case {
        const char* name;
        double in, out;
    };
    const Case cases[] = {
        {"Quadratic", 35, 85},
        {"Cubic", 22.5, 97.5},
        {"Quartic", 16.25, 103.75},
        {"Quintic", 13.125, 106.875},
        {"Sinusoidal", 110 - 50 * std::sqrt(2.0), 10 + 50 * std::sqrt(2.0)},
        {"Exponential", 13.125, 106.875},
        {"Circular", 110 - 50 * std::sqrt(3.0), 10 + 50 * std::sqrt(3.0)},
        {"Bounce", 33.4375, 86.5625},
        {"Back", 1.23025, 118.76975},
        {"Elastic", 8.4375, 111.5625},
    };
    const auto curves = AllCurves();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const NamedCurve* curve = nullptr;
        for (const auto& nc : curves)
            if (nc.name == c.name) curve = &nc;
        ASSERT_NE(curve, nullptr);
        EXPECT_NEAR(curve->fn(1, 10, 100, 2, zuAnimationIn), c.in, 1e-9);
        EXPECT_NEAR(curve->fn(1, 10, 100, 2, zuAnimationOut), c.out, 1e-9);
    }
    EXPECT_NEAR(InterpolateLinear(0.5, 10, 100, 2), 35, 1e-12);
}

TEST(Interpolation, InOutShapeParametersDifferFromInAndOut) {
    // Back InOut widens the overshoot to 1.70158 * 1.525: at h = 1/2,
    // 50 * 1/4 * (3.5949095 / 2 - 2.5949095) + 10.
    EXPECT_NEAR(InterpolateBack(0.5, 10, 100, 2, 0, zuAnimationInOut), 0.031815625, 1e-9);
    // Elastic InOut defaults to a period of 0.45 d = 0.9 and s = p/4: at h = 1/2 the phase is
    // (-1 - 0.225) * 2 pi / 0.9 = 230 degrees (mod 360), scaled by 0.5 * 100 * 2^-5.
    EXPECT_NEAR(InterpolateElastic(0.5, 10, 100, 2, 0, 0, zuAnimationInOut),
                10 + 1.5625 * std::sin(50 * std::numbers::pi / 180), 1e-9);
}

TEST(Interpolation, QuarterValuesOfInOut) {
    // b = 10, c = 100, d = 2, t = 0.5, so h = 1/2 in the first half; derived by hand.
    // (Back and Elastic are covered by InOutShapeParametersDifferFromInAndOut.)
    struct Case {
        const char* name;
        double value;
    };
    const Case cases[] = {
        {"Quadratic", 22.5},
        {"Cubic", 16.25},
        {"Quartic", 13.125},
        {"Quintic", 11.5625},
        {"Sinusoidal", 60 - 25 * std::sqrt(2.0)},
        {"Exponential", 11.5625},
        {"Circular", 60 - 25 * std::sqrt(3.0)},
        // (100 - out(u = 1/2)) / 2 + 10, out(1/2) = 100 * (7.5625 * (1/2 - 1.5/2.75)^2 + 0.75)
        {"Bounce", 21.71875},
    };
    const auto curves = AllCurves();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const NamedCurve* curve = nullptr;
        for (const auto& nc : curves)
            if (nc.name == c.name) curve = &nc;
        ASSERT_NE(curve, nullptr);
        EXPECT_NEAR(curve->fn(0.5, 10, 100, 2, zuAnimationInOut), c.value, 1e-9);
    }
}

TEST(Interpolation, ElasticInOutUsesTheLongerDefaultPeriod) {
    // d = 1: p = 0.45, s = p/4 = 0.1125. At h = 1.225 (v = 0.225) the phase is
    // (0.225 - 0.1125) / 0.45 = a quarter turn, so 50 * 2^-2.25 * 1 + 100. With the
    // In/Out period 0.3 the phase would be half a turn and the value exactly 100.
    const double peak = 50 * std::exp2(-2.25);
    EXPECT_NEAR(InterpolateElastic(0.6125, 0, 100, 1, 0, 0, zuAnimationInOut), 100 + peak, 1e-9);
    EXPECT_NEAR(InterpolateElastic(0.3875, 0, 100, 1, 0, 0, zuAnimationInOut), -peak, 1e-9);
    // An explicit period is used as given.
    EXPECT_NEAR(InterpolateElastic(0.6125, 0, 100, 1, 0, 0.3, zuAnimationInOut), 100, 1e-9);
}

TEST(Interpolation, ExponentialEndpointsAreExact) {
    // Without the exact tests the curve would start at b + c/1024 and stop short of b + c.
    EXPECT_EQ(InterpolateExponential(0, 10, 1024, 1, zuAnimationIn), 10);
    EXPECT_EQ(InterpolateExponential(1, 10, 1024, 1, zuAnimationOut), 1034);
    EXPECT_EQ(InterpolateExponential(0, 10, 1024, 1, zuAnimationInOut), 10);
    EXPECT_EQ(InterpolateExponential(1, 10, 1024, 1, zuAnimationInOut), 1034);
}

TEST(Interpolation, BackOvershootDefaultsAndDips) {
    EXPECT_EQ(InterpolateBack(0.3, 0, 1, 1, 0, zuAnimationIn),
              InterpolateBack(0.3, 0, 1, 1, 1.70158, zuAnimationIn));
    EXPECT_LT(InterpolateBack(0.2, 0, 1, 1, 0, zuAnimationIn), 0);
    EXPECT_GT(InterpolateBack(0.8, 0, 1, 1, 0, zuAnimationOut), 1);
    // A bigger overshoot dips further.
    EXPECT_LT(InterpolateBack(0.2, 0, 1, 1, 3, zuAnimationIn),
              InterpolateBack(0.2, 0, 1, 1, 0, zuAnimationIn));
}

TEST(Interpolation, ElasticAmplitudeAbovePeakChangesPhase) {
    // a = 2c, p = 0.3: s = 0.3 / (2 pi) * asin(1/2) = 0.025; sin((0.5 - 0.025) * 2 pi / 0.3)
    // = sin(210 degrees) = -1/2, so 200 / 32 * -1/2 + 100.
    EXPECT_NEAR(InterpolateElastic(0.5, 0, 100, 1, 200, 0.3, zuAnimationOut), 96.875, 1e-9);
    // An amplitude below |c| is raised to c, which is the default.
    EXPECT_EQ(InterpolateElastic(0.5, 0, 100, 1, 50, 0.3, zuAnimationOut),
              InterpolateElastic(0.5, 0, 100, 1, 0, 0.3, zuAnimationOut));
}

TEST(Interpolation, BounceOutIsContinuousAtEveryBranch) {
    // The steepest part of the curve rises about 5.5 per unit, so a sweep in steps of 1e-4
    // never moves more than 6e-4 unless a branch starts at the wrong place.
    double previous = InterpolateBounce(0, 0, 1, 1, zuAnimationOut);
    for (int i = 1; i <= 10000; ++i) {
        const double v = InterpolateBounce(i / 10000.0, 0, 1, 1, zuAnimationOut);
        ASSERT_LT(std::fabs(v - previous), 6e-4) << "u = " << i / 10000.0;
        previous = v;
    }
    for (double u : {1 / 2.75, 2 / 2.75, 2.5 / 2.75}) {
        const double before = InterpolateBounce(u - 1e-9, 0, 1, 1, zuAnimationOut);
        const double after = InterpolateBounce(u, 0, 1, 1, zuAnimationOut);
        EXPECT_NEAR(before, after, 1e-6) << "u = " << u;
    }
    EXPECT_NEAR(InterpolateBounce(1 / 2.75, 0, 1, 1, zuAnimationOut), 1, 1e-15);
    EXPECT_EQ(InterpolateBounce(1, 3, 1, 1, zuAnimationOut), 4);
}

TEST(Interpolation, UnknownVariantGivesZeroAndLinearIgnoresIt) {
    const auto bad = static_cast<TzuAnimationType>(3);
    for (const auto& curve : AllCurves()) {
        if (curve.name == "Linear") continue;
        EXPECT_EQ(curve.fn(1, 10, 100, 2, bad), 0) << curve.name;
    }
    EXPECT_NEAR(InterpolateLinear(1, 10, 100, 2, bad), 60, 1e-12);
}

TEST(Interpolation, ZeroDurationJumpsToStop) {
    for (const auto& curve : AllCurves()) {
        for (TzuAnimationType type : kTypes) {
            const double v = curve.fn(0, 10, 100, 0, type);
            EXPECT_EQ(v, 110) << curve.name << " type " << type;
        }
    }
}

TEST(Interpolation, InterpolateSingleAndEnumTables) {
    EXPECT_EQ(InterpolateSingle(10, 20, 0.25f), 12.5f);
    EXPECT_EQ(InterpolateSingle(10, 20, 1.5f), 25.0f);
    EXPECT_EQ(kInterpolationTypeEnum.ValueOf("zuInterpolationBounce"), zuInterpolationBounce);
    EXPECT_STREQ(kInterpolationTypeEnum.NameOf(zuInterpolationElastic), "zuInterpolationElastic");
    EXPECT_EQ(kAnimationTypeEnum.ValueOf("zuanimationinout"), zuAnimationInOut);
    // Streams store the value names, so the table must follow the enumeration exactly.
    const char* const interpolationNames[] = {
        "zuInterpolationLinear",      "zuInterpolationQuadratic", "zuInterpolationCubic",
        "zuInterpolationQuartic",     "zuInterpolationQuintic",   "zuInterpolationSinusoidal",
        "zuInterpolationExponential", "zuInterpolationCircular",  "zuInterpolationElastic",
        "zuInterpolationBack",        "zuInterpolationBounce"};
    ASSERT_EQ(kInterpolationTypeEnum.count, 11);
    for (int i = 0; i < 11; ++i) EXPECT_STREQ(kInterpolationTypeEnum.NameOf(i), interpolationNames[i]);
    EXPECT_EQ(zuInterpolationBounce, 10);
    EXPECT_STREQ(kAnimationTypeEnum.NameOf(zuAnimationIn), "zuAnimationIn");
    EXPECT_STREQ(kAnimationTypeEnum.NameOf(zuAnimationOut), "zuAnimationOut");
    EXPECT_EQ(zuAnimationInOut, 2);
    EXPECT_EQ(kAnimationTypeEnum.count, 3);
}

TzuPoint At(const TzuSpline& s, float t) {
    TzuPoint p;
    s.SplineGetPoint(t, p.X, p.Y);
    return p;
}

TEST(Spline, CollinearPointsGiveAStraightLineAndExtrapolate) {
    const TzuSpline s(TzuPolygon{{0, 0}, {10, 0}, {20, 0}});
    for (float t : {0.0f, 0.25f, 0.5f, 1.0f, 1.75f, 2.0f, -1.0f, 3.0f}) {
        const TzuPoint p = At(s, t);
        EXPECT_NEAR(p.X, 10 * t, 1e-4) << "t = " << t;
        EXPECT_EQ(p.Y, 0) << "t = " << t;
    }
    const TzuSpline two(TzuPolygon{{0, 0}, {10, 10}});
    for (float t : {0.0f, 0.3f, 1.0f}) {
        EXPECT_NEAR(At(two, t).X, 10 * t, 1e-4);
        EXPECT_NEAR(At(two, t).Y, 10 * t, 1e-4);
    }
}

TEST(Spline, CurvePassesThroughItsPoints) {
    // Slopes 1.5, 0, -1.5 solve the system for y = 0, 1, 0; each half-way value is then
    // 0.75 - 0.0625, from either segment's cubic.
    const TzuSpline s(TzuPolygon{{0, 0}, {1, 1}, {2, 0}});
    EXPECT_NEAR(At(s, 1).Y, 1, 1e-6);
    EXPECT_NEAR(At(s, 0.5f).Y, 0.6875, 1e-6);
    EXPECT_NEAR(At(s, 1.5f).Y, 0.6875, 1e-6);
    EXPECT_NEAR(At(s, 2).Y, 0, 1e-6);

    const TzuPolygon wiggle{{0, 0}, {10, 5}, {20, -5}, {30, 0}, {35, 12}};
    const TzuSpline w(wiggle);
    ASSERT_EQ(w.MatX().size(), 4u);
    for (size_t i = 0; i < wiggle.size(); ++i) {
        const TzuPoint p = At(w, static_cast<float>(i));
        EXPECT_NEAR(p.X, wiggle[i].X, 1e-4) << i;
        EXPECT_NEAR(p.Y, wiggle[i].Y, 1e-4) << i;
    }
}

TEST(Spline, DegeneratePolygonsEvaluateToOrigin) {
    EXPECT_EQ(At(TzuSpline(TzuPolygon{}), 0.5f), zuPoint(0, 0));
    EXPECT_EQ(At(TzuSpline(TzuPolygon{{4, 5}}), 0), zuPoint(0, 0));
    const TzuSpline s(TzuPolygon{{0, 0}, {10, 10}});
    const TzuPoint p = At(s, std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(std::isnan(p.X));
}

}  // namespace
}  // namespace zu
