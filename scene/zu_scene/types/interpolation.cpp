#include "scene/zu_scene/types/interpolation.h"

#include <cmath>
#include <numbers>

namespace zu {

namespace {

const char* const kInterpolationNames[] = {
    "zuInterpolationLinear",      "zuInterpolationQuadratic", "zuInterpolationCubic",
    "zuInterpolationQuartic",     "zuInterpolationQuintic",   "zuInterpolationSinusoidal",
    "zuInterpolationExponential", "zuInterpolationCircular",  "zuInterpolationElastic",
    "zuInterpolationBack",        "zuInterpolationBounce",
};
const char* const kAnimationNames[] = {"zuAnimationIn", "zuAnimationOut", "zuAnimationInOut"};

constexpr double kPi = std::numbers::pi;

bool KnownType(TzuAnimationType type) { return type >= zuAnimationIn && type <= zuAnimationInOut; }

// Every curve shares the same guards: an unknown variant gives 0 and a duration that is
// not positive would divide by zero, so it is treated as finished.
template <class F>
double Ease(double t, double b, double c, double d, TzuAnimationType type, F&& curve) {
    if (!KnownType(type)) return 0;
    if (!(d > 0)) return b + c;
    return curve(t / d);
}

// In/Out/InOut of the power curves u^k.
double Power(double t, double b, double c, double d, TzuAnimationType type, int k) {
    return Ease(t, b, c, d, type, [&](double u) {
        switch (type) {
            case zuAnimationIn: return c * std::pow(u, k) + b;
            case zuAnimationOut: {
                const double v = u - 1;
                return k % 2 ? c * (std::pow(v, k) + 1) + b : -c * (std::pow(v, k) - 1) + b;
            }
            default: {
                const double h = t / (d / 2);
                if (h < 1) return c / 2 * std::pow(h, k) + b;
                const double g = h - 2;
                return k % 2 ? c / 2 * (std::pow(g, k) + 2) + b : -c / 2 * (std::pow(g, k) - 2) + b;
            }
        }
    });
}

double BounceOut(double t, double b, double c, double d) {
    constexpr double k = 7.5625;
    double u = t / d;
    if (u < 1 / 2.75) return c * k * u * u + b;
    if (u < 2 / 2.75) {
        u -= 1.5 / 2.75;
        return c * (k * u * u + 0.75) + b;
    }
    if (u < 2.5 / 2.75) {
        u -= 2.25 / 2.75;
        return c * (k * u * u + 0.9375) + b;
    }
    u -= 2.625 / 2.75;
    return c * (k * u * u + 0.984375) + b;
}

double BounceIn(double t, double b, double c, double d) { return c - BounceOut(d - t, 0, c, d) + b; }

}  // namespace

const TzuEnumInfo kInterpolationTypeEnum{"TzuInterpolationType", kInterpolationNames,
                                         static_cast<int>(std::size(kInterpolationNames))};
const TzuEnumInfo kAnimationTypeEnum{"TzuAnimationType", kAnimationNames,
                                     static_cast<int>(std::size(kAnimationNames))};

float InterpolateSingle(float start, float stop, float t) {
    return static_cast<float>(start + (static_cast<double>(stop) - start) * t);
}

double InterpolateLinear(double t, double b, double c, double d, TzuAnimationType type) {
    (void)type;  // a straight line has no In/Out variants
    return Ease(t, b, c, d, zuAnimationIn, [&](double) { return c * t / d + b; });
}

double InterpolateQuadratic(double t, double b, double c, double d, TzuAnimationType type) {
    return Ease(t, b, c, d, type, [&](double u) {
        if (type == zuAnimationIn) return c * u * u + b;
        if (type == zuAnimationOut) return -c * u * (u - 2) + b;
        const double h = t / (d / 2);
        if (h < 1) return c / 2 * h * h + b;
        const double g = h - 1;
        return -c / 2 * (g * (g - 2) - 1) + b;
    });
}

double InterpolateCubic(double t, double b, double c, double d, TzuAnimationType type) {
    return Power(t, b, c, d, type, 3);
}

double InterpolateQuartic(double t, double b, double c, double d, TzuAnimationType type) {
    return Power(t, b, c, d, type, 4);
}

double InterpolateQuintic(double t, double b, double c, double d, TzuAnimationType type) {
    return Power(t, b, c, d, type, 5);
}

double InterpolateSinusoidal(double t, double b, double c, double d, TzuAnimationType type) {
    return Ease(t, b, c, d, type, [&](double u) {
        if (type == zuAnimationIn) return -c * std::cos(u * kPi / 2) + c + b;
        if (type == zuAnimationOut) return c * std::sin(u * kPi / 2) + b;
        return -c / 2 * (std::cos(kPi * t / d) - 1) + b;
    });
}

double InterpolateExponential(double t, double b, double c, double d, TzuAnimationType type) {
    return Ease(t, b, c, d, type, [&](double u) {
        if (type == zuAnimationIn) return t == 0 ? b : c * std::exp2(10 * (u - 1)) + b;
        if (type == zuAnimationOut) return t == d ? b + c : c * (1 - std::exp2(-10 * u)) + b;
        if (t == 0) return b;
        if (t == d) return b + c;
        const double h = t / (d / 2);
        if (h < 1) return c / 2 * std::exp2(10 * (h - 1)) + b;
        return c / 2 * (2 - std::exp2(-10 * (h - 1))) + b;
    });
}

double InterpolateCircular(double t, double b, double c, double d, TzuAnimationType type) {
    return Ease(t, b, c, d, type, [&](double u) {
        if (type == zuAnimationIn) return -c * (std::sqrt(1 - u * u) - 1) + b;
        if (type == zuAnimationOut) {
            const double v = u - 1;
            return c * std::sqrt(1 - v * v) + b;
        }
        const double h = t / (d / 2);
        if (h < 1) return -c / 2 * (std::sqrt(1 - h * h) - 1) + b;
        const double g = h - 2;
        return c / 2 * (std::sqrt(1 - g * g) + 1) + b;
    });
}

double InterpolateBounce(double t, double b, double c, double d, TzuAnimationType type) {
    return Ease(t, b, c, d, type, [&](double) {
        if (type == zuAnimationIn) return BounceIn(t, b, c, d);
        if (type == zuAnimationOut) return BounceOut(t, b, c, d);
        if (t < d / 2) return BounceIn(2 * t, 0, c, d) * 0.5 + b;
        return BounceOut(2 * t - d, 0, c, d) * 0.5 + c * 0.5 + b;
    });
}

double InterpolateBack(double t, double b, double c, double d, double s, TzuAnimationType type) {
    if (s == 0) s = 1.70158;
    return Ease(t, b, c, d, type, [&](double u) {
        if (type == zuAnimationIn) return c * u * u * ((s + 1) * u - s) + b;
        if (type == zuAnimationOut) {
            const double v = u - 1;
            return c * (v * v * ((s + 1) * v + s) + 1) + b;
        }
        const double s2 = s * 1.525;
        const double h = t / (d / 2);
        if (h < 1) return c / 2 * (h * h * ((s2 + 1) * h - s2)) + b;
        const double g = h - 2;
        return c / 2 * (g * g * ((s2 + 1) * g + s2) + 2) + b;
    });
}

double InterpolateElastic(double t, double b, double c, double d, double a, double p, TzuAnimationType type) {
    return Ease(t, b, c, d, type, [&](double u) {
        if (t == 0) return b;
        const bool inOut = type == zuAnimationInOut;
        const double h = t / (d / 2);
        if (inOut ? h == 2 : u == 1) return b + c;
        if (p == 0) p = d * (inOut ? 0.3 * 1.5 : 0.3);
        double s;
        if (a == 0 || a < std::fabs(c)) {
            a = c;
            s = p / 4;
        } else {
            s = p / (2 * kPi) * std::asin(c / a);
        }
        if (type == zuAnimationIn) {
            const double v = u - 1;
            return -(a * std::exp2(10 * v) * std::sin((v * d - s) * (2 * kPi) / p)) + b;
        }
        if (type == zuAnimationOut)
            return a * std::exp2(-10 * u) * std::sin((u * d - s) * (2 * kPi) / p) + c + b;
        const double v = h - 1;
        if (h < 1) return -0.5 * a * std::exp2(10 * v) * std::sin((v * d - s) * (2 * kPi) / p) + b;
        return 0.5 * a * std::exp2(-10 * v) * std::sin((v * d - s) * (2 * kPi) / p) + c + b;
    });
}

namespace {

// Slopes of the spline through ys from the tridiagonal system, solved by a Cholesky
// factorisation, then each segment's cubic expanded in the absolute parameter.
TzuSplineMatrix SplineCoefficients(const std::vector<double>& ys) {
    const int n = static_cast<int>(ys.size()) - 1;
    std::vector<double> r(n + 1), l(n + 1), e(n + 1), z(n + 1), dv(n + 1);
    r[0] = 3 * (ys[1] - ys[0]);
    r[n] = 3 * (ys[n] - ys[n - 1]);
    for (int i = 1; i < n; ++i) r[i] = 3 * (ys[i + 1] - ys[i - 1]);

    l[0] = std::sqrt(2.0);
    e[0] = 1 / l[0];
    for (int i = 1; i < n; ++i) {
        l[i] = std::sqrt(4 - e[i - 1] * e[i - 1]);
        e[i] = 1 / l[i];
    }
    l[n] = std::sqrt(2 - e[n - 1] * e[n - 1]);

    z[0] = r[0] / l[0];
    for (int i = 1; i <= n; ++i) z[i] = (r[i] - z[i - 1] * e[i - 1]) / l[i];
    dv[n] = z[n] / l[n];
    for (int i = n - 1; i >= 0; --i) dv[i] = (z[i] - dv[i + 1] * e[i]) / l[i];

    TzuSplineMatrix m(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double ci = 3 * (ys[i + 1] - ys[i]) - 2 * dv[i] - dv[i + 1];
        const double ei = 2 * (ys[i] - ys[i + 1]) + dv[i] + dv[i + 1];
        const double k = i;
        m[i] = TzuSplineVector{static_cast<float>(ei), static_cast<float>(ci - 3 * k * ei),
                               static_cast<float>(3 * k * k * ei - 2 * k * ci + dv[i]),
                               static_cast<float>(((ci - k * ei) * k - dv[i]) * k + ys[i])};
    }
    return m;
}

float Evaluate(const TzuSplineMatrix& m, int count, float t) {
    if (m.empty()) return 0;
    int index;
    if (!(t > 0))
        index = 0;  // NaN lands here too rather than in an integer conversion
    else if (t > count - 1)
        index = count - 1;
    else
        index = static_cast<int>(t);
    if (index >= count - 1) index = count - 2;
    const TzuSplineVector& s = m[static_cast<size_t>(index)];
    const double x = t;
    return static_cast<float>(((s.A * x + s.B) * x + s.C) * x + s.D);
}

}  // namespace

TzuSpline::TzuSpline(const TzuPolygon& polygon) : m_count(static_cast<int>(polygon.size())) {
    if (m_count < 2) return;
    std::vector<double> xs, ys;
    xs.reserve(polygon.size());
    ys.reserve(polygon.size());
    for (const TzuPoint& p : polygon) {
        xs.push_back(p.X);
        ys.push_back(p.Y);
    }
    m_matX = SplineCoefficients(xs);
    m_matY = SplineCoefficients(ys);
}

void TzuSpline::SplineGetPoint(float t, float& x, float& y) const {
    x = Evaluate(m_matX, m_count, t);
    y = Evaluate(m_matY, m_count, t);
}

}  // namespace zu
