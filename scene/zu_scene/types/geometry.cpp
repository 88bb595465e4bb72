#include "scene/zu_scene/types/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zu {

namespace {

// Ties to even under the default rounding mode, which nothing in the library changes.
double RoundEven(double v) { return std::nearbyint(v); }

// The integer grid of RectIntersection: 1/65535 units, saturating instead of wrapping so
// that huge or non-finite coordinates cannot produce a bogus overlap.
int64_t ToGrid(float v) {
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    double g = RoundEven(static_cast<double>(v) * 65535.0);
    if (std::isnan(g)) return 0;
    return static_cast<int64_t>(std::clamp(g, kMin, kMax));
}

float FromGrid(int64_t g) { return static_cast<float>(static_cast<double>(g) / 65535.0); }

}  // namespace

float DegreesToRadians(float a) {
    return static_cast<float>(static_cast<double>(a) * static_cast<double>(0.017453292f));
}

float RadiansToDegrees(float a) {
    return static_cast<float>(static_cast<double>(a) * static_cast<double>(57.29578f));
}

float NormalizeAngle(float a) {
    double turns = std::trunc(static_cast<double>(a) * static_cast<double>(0.0027777778f));
    float r = static_cast<float>(static_cast<double>(a) - turns * 360.0);
    if (r < -180) r = static_cast<float>(static_cast<double>(r) + 360.0);
    return r;
}

float MaxSingle(float a, float b) { return b > a ? b : a; }

float MinSingle(float a, float b) { return b >= a ? a : b; }

float RectWidth(const TzuRect& r) { return r.Right - r.Left; }

float RectHeight(const TzuRect& r) { return r.Bottom - r.Top; }

void RectOffset(TzuRect& r, float dx, float dy) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

void RectInflate(TzuRect& r, float dx, float dy) {
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}

void RectScale(TzuRect& r, float sx, float sy) {
    r.Left *= sx;
    r.Right *= sx;
    r.Top *= sy;
    r.Bottom *= sy;
}

TzuRect RectUnion(const TzuRect& a, const TzuRect& b) {
    return TzuRect{MinSingle(a.Left, b.Left), MinSingle(a.Top, b.Top), MaxSingle(a.Right, b.Right),
                   MaxSingle(a.Bottom, b.Bottom)};
}

bool RectsIntersect(const TzuRect& a, const TzuRect& b) {
    return !(a.Left > b.Right || a.Right < b.Left || a.Top > b.Bottom || a.Bottom < b.Top);
}

bool RectIsEmpty(const TzuRect& r) { return !(RectWidth(r) > 0 && RectHeight(r) > 0); }

bool RectContainsPoint(const TzuPoint& p, const TzuRect& r) {
    return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}

TzuRect PointsBounds(const TzuPoint* points, int n) {
    if (n <= 0) return TzuRect{61440, 61440, -61440, -61440};
    // Started from the first point, not from the sentinel: points past 61440 (rows far down
    // a long list) keep their true bounds.
    TzuRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (int i = 1; i < n; ++i) {
        const TzuPoint& p = points[i];
        if (p.X < r.Left) r.Left = p.X;
        if (p.Y < r.Top) r.Top = p.Y;
        if (p.X > r.Right) r.Right = p.X;
        if (p.Y > r.Bottom) r.Bottom = p.Y;
    }
    return r;
}

TzuRect PointsBounds(const TzuPolygon& points) {
    return PointsBounds(points.data(), static_cast<int>(points.size()));
}

TzuRect RectNormalize(const TzuRect& r) {
    const TzuPoint corners[4] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
    return PointsBounds(corners, 4);
}

bool RectIntersection(const TzuRect& a, const TzuRect& b, TzuRect& out) {
    const int64_t al = ToGrid(a.Left), at = ToGrid(a.Top), ar = ToGrid(a.Right), ab = ToGrid(a.Bottom);
    const int64_t bl = ToGrid(b.Left), bt = ToGrid(b.Top), br = ToGrid(b.Right), bb = ToGrid(b.Bottom);
    if (bl < ar && al < br && bt < ab && at < bb) {
        out = TzuRect{FromGrid(std::max(al, bl)), FromGrid(std::max(at, bt)), FromGrid(std::min(ar, br)),
                      FromGrid(std::min(ab, bb))};
        return true;
    }
    out = TzuRect{a.Left, a.Top, a.Left, a.Top};
    return false;
}

void RectCenterIn(TzuRect& r, const TzuRect& bounds) {
    RectOffset(r, -r.Left, -r.Top);
    const double dx = RoundEven((static_cast<double>(RectWidth(bounds)) - RectWidth(r)) / 2);
    const double dy = RoundEven((static_cast<double>(RectHeight(bounds)) - RectHeight(r)) / 2);
    RectOffset(r, static_cast<float>(dx), static_cast<float>(dy));
    RectOffset(r, bounds.Left, bounds.Top);
}

float RectFitInto(TzuRect& r, const TzuRect& bounds) {
    const float bw = RectWidth(bounds), bh = RectHeight(bounds);
    if (static_cast<double>(bw) * bh == 0) return 1;
    const float w = RectWidth(r), h = RectHeight(r);
    const float rx = static_cast<float>(static_cast<double>(w) / bw);
    const float ry = static_cast<float>(static_cast<double>(h) / bh);
    const float ratio = rx > ry ? rx : ry;
    if (ratio >= 1) {
        r = TzuRect{0, 0, static_cast<float>(RoundEven(static_cast<double>(w) / ratio)),
                    static_cast<float>(RoundEven(static_cast<double>(h) / ratio))};
    } else {
        r = TzuRect{0, 0, w, h};
    }
    RectCenterIn(r, bounds);
    return ratio;
}

TzuVector VectorTransform(const TzuVector& v, const TzuMatrix& m) {
    const double x = v.X, y = v.Y, w = v.W;
    return TzuVector{static_cast<float>(x * m.m11 + y * m.m21 + w * m.m31),
                     static_cast<float>(x * m.m12 + y * m.m22 + w * m.m32), 1};
}

TzuVector VectorSubtract(const TzuVector& a, const TzuVector& b) {
    return TzuVector{a.X - b.X, a.Y - b.Y, 1};
}

float VectorLength(const TzuVector& v) {
    const double x = v.X, y = v.Y;
    return static_cast<float>(std::sqrt(x * x + y * y));
}

float VectorDot(const TzuVector& a, const TzuVector& b) {
    return static_cast<float>(static_cast<double>(a.X) * b.X + static_cast<double>(a.Y) * b.Y);
}

float VectorCross(const TzuVector& a, const TzuVector& b) {
    return static_cast<float>(static_cast<double>(a.X) * b.Y - static_cast<double>(a.Y) * b.X);
}

float VectorAngleCosine(const TzuVector& a, const TzuVector& b) {
    const float la = VectorLength(a), lb = VectorLength(b);
    if (la == 0 || lb == 0) return 0;
    return static_cast<float>(static_cast<double>(VectorDot(a, b)) / (static_cast<double>(la) * lb));
}

float VectorAngle(const TzuVector& a, const TzuVector& b) {
    // The rounded lengths can make the cosine of (anti)parallel vectors stray past +-1,
    // where arccos has no value.
    const double cosine = std::clamp(static_cast<double>(VectorAngleCosine(a, b)), -1.0, 1.0);
    const float d = RadiansToDegrees(static_cast<float>(std::acos(cosine)));
    return VectorCross(a, b) >= 0 ? -d : d;
}

TzuMatrix MatrixMultiply(const TzuMatrix& m1, const TzuMatrix& m2) {
    const float a[3][3] = {{m1.m11, m1.m12, m1.m13}, {m1.m21, m1.m22, m1.m23}, {m1.m31, m1.m32, m1.m33}};
    const float b[3][3] = {{m2.m11, m2.m12, m2.m13}, {m2.m21, m2.m22, m2.m23}, {m2.m31, m2.m32, m2.m33}};
    float c[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            double s = 0;
            for (int k = 0; k < 3; ++k) s += static_cast<double>(a[i][k]) * b[k][j];
            c[i][j] = static_cast<float>(s);
        }
    }
    return TzuMatrix{c[0][0], c[0][1], c[0][2], c[1][0], c[1][1], c[1][2], c[2][0], c[2][1], c[2][2]};
}

float MatrixDeterminant(const TzuMatrix& m) {
    const double m11 = m.m11, m12 = m.m12, m13 = m.m13, m21 = m.m21, m22 = m.m22, m23 = m.m23, m31 = m.m31,
                 m32 = m.m32, m33 = m.m33;
    return static_cast<float>(m11 * (m22 * m33 - m32 * m23) - m12 * (m21 * m33 - m23 * m31) +
                              m13 * (m21 * m32 - m22 * m31));
}

void MatrixInvert(TzuMatrix& m) {
    const float det = MatrixDeterminant(m);
    if (std::fabs(det) < 1E-40f) {
        m = IdentityMatrix;
        return;
    }
    const double m11 = m.m11, m12 = m.m12, m13 = m.m13, m21 = m.m21, m22 = m.m22, m23 = m.m23, m31 = m.m31,
                 m32 = m.m32, m33 = m.m33;
    const double inv = 1.0 / det;
    auto f = [inv](double cofactor) { return static_cast<float>(cofactor * inv); };
    m = TzuMatrix{f(m22 * m33 - m23 * m32), f(m13 * m32 - m12 * m33), f(m12 * m23 - m13 * m22),
                  f(m23 * m31 - m21 * m33), f(m11 * m33 - m13 * m31), f(m13 * m21 - m11 * m23),
                  f(m21 * m32 - m22 * m31), f(m12 * m31 - m11 * m32), f(m11 * m22 - m12 * m21)};
}

TzuMatrix RotationMatrix(float angle) {
    const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
    const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
    return TzuMatrix{c, s, 0, -s, c, 0, 0, 0, 1};
}

}  // namespace zu
