#pragma once
// Easing curves for animations: each moves a value from b (at t = 0) to b + c (at t = d)
// along its curve, in the In, Out or InOut variant. TzuSpline is the cubic spline through
// a polygon that path animations follow.

#include <vector>

#include "platform/core/property.h"
#include "scene/zu_scene/types/geometry.h"

namespace zu {

enum TzuInterpolationType : int {
    zuInterpolationLinear,
    zuInterpolationQuadratic,
    zuInterpolationCubic,
    zuInterpolationQuartic,
    zuInterpolationQuintic,
    zuInterpolationSinusoidal,
    zuInterpolationExponential,
    zuInterpolationCircular,
    zuInterpolationElastic,
    zuInterpolationBack,
    zuInterpolationBounce,
};

enum TzuAnimationType : int {
    zuAnimationIn,
    zuAnimationOut,
    zuAnimationInOut,
};

extern const TzuEnumInfo kInterpolationTypeEnum;
extern const TzuEnumInfo kAnimationTypeEnum;

float InterpolateSingle(float start, float stop, float t);

// t: elapsed time, b: start value, c: change (stop - start), d: duration. A duration that
// is not positive counts as already elapsed (b + c). An animation type outside
// In/Out/InOut yields 0.
double InterpolateLinear(double t, double b, double c, double d, TzuAnimationType type = zuAnimationIn);
double InterpolateQuadratic(double t, double b, double c, double d, TzuAnimationType type);
double InterpolateCubic(double t, double b, double c, double d, TzuAnimationType type);
double InterpolateQuartic(double t, double b, double c, double d, TzuAnimationType type);
double InterpolateQuintic(double t, double b, double c, double d, TzuAnimationType type);
double InterpolateSinusoidal(double t, double b, double c, double d, TzuAnimationType type);
double InterpolateExponential(double t, double b, double c, double d, TzuAnimationType type);
double InterpolateCircular(double t, double b, double c, double d, TzuAnimationType type);
double InterpolateBounce(double t, double b, double c, double d, TzuAnimationType type);
// s: overshoot; 0 selects the usual 1.70158.
double InterpolateBack(double t, double b, double c, double d, double s, TzuAnimationType type);
// a: amplitude (raised to |c| when smaller), p: period (0 selects a default from d).
double InterpolateElastic(double t, double b, double c, double d, double a, double p, TzuAnimationType type);

// Coefficients of one segment's cubic in the absolute parameter t:
// value = ((A*t + B)*t + C)*t + D.
struct TzuSplineVector {
    float A = 0;
    float B = 0;
    float C = 0;
    float D = 0;
};
using TzuSplineMatrix = std::vector<TzuSplineVector>;

// Natural-slope cubic spline through a polygon, parameterised by point index: t = 2.5 lies
// halfway between the third and fourth points. Outside [0, N-1] the end segments are
// extrapolated. Fewer than two points give no segments, and every point evaluates to (0,0).
class TzuSpline {
public:
    explicit TzuSpline(const TzuPolygon& polygon);

    void SplineGetPoint(float t, float& x, float& y) const;
    int Count() const { return m_count; }
    const TzuSplineMatrix& MatX() const { return m_matX; }
    const TzuSplineMatrix& MatY() const { return m_matY; }

private:
    int m_count = 0;
    TzuSplineMatrix m_matX;
    TzuSplineMatrix m_matY;
};

}  // namespace zu
