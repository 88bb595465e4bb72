#pragma once
// Geometry value types of the scene library. Every coordinate is an IEEE single; functions
// may compute in double internally but round every result to single, so results match
// bit for bit whatever the intermediate precision.

#include <vector>

namespace zu {

struct TzuPoint {
    float X = 0;
    float Y = 0;
    friend bool operator==(const TzuPoint&, const TzuPoint&) = default;
};

// Not kept normalised: Right may be left of Left.
struct TzuRect {
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
    friend bool operator==(const TzuRect&, const TzuRect&) = default;
};

// Homogeneous 2-D vector; W is 1 for points.
struct TzuVector {
    float X = 0;
    float Y = 0;
    float W = 0;
    friend bool operator==(const TzuVector&, const TzuVector&) = default;
};

// Row-vector convention: a point is the row (X, Y, 1) multiplied on the left, so the
// translation lives in m31, m32 and MatrixMultiply(A, B) applies A first.
struct TzuMatrix {
    float m11 = 0, m12 = 0, m13 = 0;
    float m21 = 0, m22 = 0, m23 = 0;
    float m31 = 0, m32 = 0, m33 = 0;
    friend bool operator==(const TzuMatrix&, const TzuMatrix&) = default;
};

using TzuPolygon = std::vector<TzuPoint>;

inline constexpr TzuMatrix IdentityMatrix{1, 0, 0, 0, 1, 0, 0, 0, 1};

inline TzuPoint zuPoint(float x, float y) { return TzuPoint{x, y}; }
inline TzuRect zuRect(float left, float top, float right, float bottom) {
    return TzuRect{left, top, right, bottom};
}
inline TzuVector zuVector(float x, float y, float w) { return TzuVector{x, y, w}; }
inline TzuVector VectorFromPoint(const TzuPoint& p, float w) { return TzuVector{p.X, p.Y, w}; }
inline TzuPoint PointFromVector(const TzuVector& v) { return TzuPoint{v.X, v.Y}; }

// ---- Scalars ----
float DegreesToRadians(float a);
float RadiansToDegrees(float a);
// Result lies in [-180, 360): only angles below -180 are lifted by a full turn.
float NormalizeAngle(float a);
float MaxSingle(float a, float b);
float MinSingle(float a, float b);

// ---- Rectangles ----
float RectWidth(const TzuRect& r);
float RectHeight(const TzuRect& r);
void RectOffset(TzuRect& r, float dx, float dy);
void RectInflate(TzuRect& r, float dx, float dy);
void RectScale(TzuRect& r, float sx, float sy);
TzuRect RectUnion(const TzuRect& a, const TzuRect& b);
// Shared edges count as intersecting here (unlike RectIntersection).
bool RectsIntersect(const TzuRect& a, const TzuRect& b);
bool RectIsEmpty(const TzuRect& r);
bool RectContainsPoint(const TzuPoint& p, const TzuRect& r);
// Bounds of n points; with none, the inverted sentinel (61440, 61440, -61440, -61440).
TzuRect PointsBounds(const TzuPoint* points, int n);
TzuRect PointsBounds(const TzuPolygon& points);
TzuRect RectNormalize(const TzuRect& r);
// Works on a 1/65535 grid; touching rectangles do not intersect. On false, out is the
// empty rectangle at a's top-left corner.
bool RectIntersection(const TzuRect& a, const TzuRect& b, TzuRect& out);
void RectCenterIn(TzuRect& r, const TzuRect& bounds);
// Shrinks r (never enlarges) to fit bounds keeping its aspect, centres it; returns the ratio.
float RectFitInto(TzuRect& r, const TzuRect& bounds);

// ---- Vectors and matrices ----
TzuVector VectorTransform(const TzuVector& v, const TzuMatrix& m);
TzuVector VectorSubtract(const TzuVector& a, const TzuVector& b);
float VectorLength(const TzuVector& v);
float VectorDot(const TzuVector& a, const TzuVector& b);
float VectorCross(const TzuVector& a, const TzuVector& b);
float VectorAngleCosine(const TzuVector& a, const TzuVector& b);
// Degrees; negative when b lies clockwise-positive of a (cross product >= 0).
float VectorAngle(const TzuVector& a, const TzuVector& b);
TzuMatrix MatrixMultiply(const TzuMatrix& m1, const TzuMatrix& m2);
float MatrixDeterminant(const TzuMatrix& m);
// A (near-)singular matrix becomes the identity.
void MatrixInvert(TzuMatrix& m);
// Angle in radians; positive turns clockwise on a Y-down screen.
TzuMatrix RotationMatrix(float angle);

}  // namespace zu
