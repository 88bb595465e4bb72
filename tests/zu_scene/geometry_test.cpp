#include "scene/zu_scene/types/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zu {
namespace {

TEST(Geometry, AngleConversionsUseSingleConstants) {
    EXPECT_EQ(DegreesToRadians(180), 3.14159274f);
    EXPECT_EQ(RadiansToDegrees(3.14159274f), 180.0f);
    // Inputs where the single constants and the exact factors round apart (pi/180 gives
    // 0.471238911, 180/pi gives 0.572957754).
    EXPECT_EQ(DegreesToRadians(27), 0.471238881f);
    EXPECT_EQ(RadiansToDegrees(0.01f), 0.572957814f);
    // cos of the single nearest to pi/2 is not 0; a double-precision path would hide that.
    const TzuMatrix r = RotationMatrix(DegreesToRadians(90));
    EXPECT_EQ(r.m11, -4.37113883e-08f);
    EXPECT_EQ(r.m12, 1.0f);
    EXPECT_EQ(r.m21, -1.0f);
    EXPECT_EQ(r.m33, 1.0f);
    EXPECT_EQ(r.m31, 0.0f);
}

TEST(Geometry, NormalizeAngleRangeIsMinus180To360) {
    EXPECT_EQ(NormalizeAngle(-200), 160);
    EXPECT_EQ(NormalizeAngle(370), 10);
    EXPECT_EQ(NormalizeAngle(-170), -170);
    EXPECT_EQ(NormalizeAngle(200), 200);  // not folded to -160
    EXPECT_EQ(NormalizeAngle(-190), 170);
    EXPECT_EQ(NormalizeAngle(725), 5);
    EXPECT_EQ(NormalizeAngle(-725), -5);
    EXPECT_EQ(NormalizeAngle(-540), -180);
    EXPECT_EQ(NormalizeAngle(360), 0);
    EXPECT_EQ(NormalizeAngle(359.5f), 359.5f);
}

TEST(Geometry, RectInPlaceOperations) {
    TzuRect r = zuRect(1, 2, 5, 10);
    RectOffset(r, 1, -2);
    EXPECT_EQ(r, zuRect(2, 0, 6, 8));
    RectInflate(r, 1, 2);
    EXPECT_EQ(r, zuRect(1, -2, 7, 10));
    RectScale(r, 2, 0.5f);
    EXPECT_EQ(r, zuRect(2, -1, 14, 5));
    EXPECT_EQ(RectWidth(r), 12);
    EXPECT_EQ(RectHeight(r), 6);
}

TEST(Geometry, RectPredicatesCountEdges) {
    const TzuRect a = zuRect(0, 0, 10, 10);
    EXPECT_TRUE(RectContainsPoint(zuPoint(10, 0), a));
    EXPECT_TRUE(RectContainsPoint(zuPoint(0, 10), a));
    EXPECT_FALSE(RectContainsPoint(zuPoint(10.001f, 5), a));
    EXPECT_TRUE(RectsIntersect(a, zuRect(10, 0, 20, 10)));
    EXPECT_FALSE(RectsIntersect(a, zuRect(10.5f, 0, 20, 10)));
    EXPECT_FALSE(RectsIntersect(a, zuRect(0, -5, 10, -0.5f)));
    EXPECT_TRUE(RectIsEmpty(zuRect(0, 0, 0, 10)));
    EXPECT_TRUE(RectIsEmpty(zuRect(10, 0, 0, 10)));  // flipped counts as empty
    EXPECT_FALSE(RectIsEmpty(a));
    EXPECT_EQ(RectUnion(zuRect(0, 5, 2, 6), zuRect(-1, 7, 1, 9)), zuRect(-1, 5, 2, 9));
}

TEST(Geometry, PointsBoundsAndNormalize) {
    EXPECT_EQ(PointsBounds(TzuPolygon{}), zuRect(61440, 61440, -61440, -61440));
    EXPECT_EQ(PointsBounds(TzuPolygon{{3, -1}, {-2, 4}, {1, 1}}), zuRect(-2, -1, 3, 4));
    EXPECT_EQ(RectNormalize(zuRect(10, 20, 0, 5)), zuRect(0, 5, 10, 20));
    // Far from the origin (a row deep in a long list) the bounds stay true.
    EXPECT_EQ(RectNormalize(zuRect(0, 950000, 100, 950019)), zuRect(0, 950000, 100, 950019));
    EXPECT_EQ(PointsBounds(TzuPolygon{{-70000, 5}, {-69000, 6}}), zuRect(-70000, 5, -69000, 6));
}

TEST(Geometry, RectIntersectionWorksOnA65535Grid) {
    TzuRect out;
    ASSERT_TRUE(RectIntersection(zuRect(0, 0, 2, 2), zuRect(0.5f, 1.5f, 3, 3), out));
    // 0.5 * 65535 = 32767.5 rounds up to the even 32768; 1.5 * 65535 = 98302.5 rounds down
    // to the even 98302. Neither truncation nor rounding half away gets both.
    EXPECT_EQ(out.Left, static_cast<float>(32768.0 / 65535.0));
    EXPECT_EQ(out.Top, static_cast<float>(98302.0 / 65535.0));
    EXPECT_EQ(out.Right, 2.0f);
    EXPECT_EQ(out.Bottom, 2.0f);
}

TEST(Geometry, RectIntersectionOfTouchingRectsIsEmptyAtFirstCorner) {
    TzuRect out{9, 9, 9, 9};
    EXPECT_FALSE(RectIntersection(zuRect(1, 2, 5, 6), zuRect(5, 2, 8, 6), out));
    EXPECT_EQ(out, zuRect(1, 2, 1, 2));
    // An overlap below the grid's quantum disappears as well.
    EXPECT_FALSE(RectIntersection(zuRect(0, 0, 1, 1), zuRect(0.999999f, 0, 2, 1), out));
}

TEST(Geometry, RectIntersectionMayWriteIntoItsInput) {
    // Callers clip in place: r := RectIntersection(r, clip).
    TzuRect r = zuRect(0, 0, 10, 10);
    ASSERT_TRUE(RectIntersection(r, zuRect(5, -5, 20, 5), r));
    EXPECT_EQ(r, zuRect(5, 0, 10, 5));
    TzuRect clip = zuRect(30, 30, 40, 40);
    EXPECT_FALSE(RectIntersection(r, clip, clip));
    EXPECT_EQ(clip, zuRect(5, 0, 5, 0));
}

TEST(Geometry, RectIntersectionSurvivesOutOfRangeInput) {
    TzuRect out;
    ASSERT_TRUE(RectIntersection(zuRect(0, 0, 1e9f, 1e9f), zuRect(5, 5, 10, 10), out));
    EXPECT_NEAR(out.Left, 5, 1e-4);
    EXPECT_NEAR(out.Right, 10, 1e-4);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(RectIntersection(zuRect(nan, nan, nan, nan), zuRect(0, 0, 1, 1), out));
}

TEST(Geometry, RectCenterInRoundsHalvesToEven) {
    TzuRect r = zuRect(50, 50, 53, 53);       // 3 wide
    RectCenterIn(r, zuRect(10, 20, 18, 30));  // (8-3)/2 = 2.5 -> 2; (10-3)/2 = 3.5 -> 4
    EXPECT_EQ(r, zuRect(12, 24, 15, 27));
}

TEST(Geometry, RectFitIntoShrinksButNeverEnlarges) {
    TzuRect r = zuRect(0, 0, 50, 20);
    EXPECT_NEAR(RectFitInto(r, zuRect(0, 0, 100, 100)), 0.5, 1e-7);
    EXPECT_EQ(r, zuRect(25, 40, 75, 60));

    r = zuRect(7, 7, 207, 107);
    EXPECT_EQ(RectFitInto(r, zuRect(0, 0, 100, 100)), 2.0f);
    EXPECT_EQ(r, zuRect(0, 25, 100, 75));

    r = zuRect(0, 0, 300, 100);  // 100/1.5 = 66.67 -> 67; (200-67)/2 = 66.5 -> 66
    EXPECT_EQ(RectFitInto(r, zuRect(0, 0, 200, 200)), 1.5f);
    EXPECT_EQ(r, zuRect(0, 66, 200, 133));

    r = zuRect(0, 0, 200, 73);  // 73/2 = 36.5 -> 36 (even); (100-36)/2 = 32
    EXPECT_EQ(RectFitInto(r, zuRect(0, 0, 100, 100)), 2.0f);
    EXPECT_EQ(r, zuRect(0, 32, 100, 68));
    r = zuRect(0, 0, 73, 200);  // the same tie in the width
    EXPECT_EQ(RectFitInto(r, zuRect(0, 0, 100, 100)), 2.0f);
    EXPECT_EQ(r, zuRect(32, 0, 68, 100));

    // A ratio of exactly 1 still takes the rounding branch: 100.25 -> 100.
    r = zuRect(0, 0, 100.25f, 50);
    EXPECT_EQ(RectFitInto(r, zuRect(0, 0, 100.25f, 100)), 1.0f);
    EXPECT_EQ(r, zuRect(0, 25, 100, 75));

    r = zuRect(1, 2, 3, 4);
    EXPECT_EQ(RectFitInto(r, zuRect(0, 0, 100, 0)), 1.0f);
    EXPECT_EQ(r, zuRect(1, 2, 3, 4));
}

TEST(Geometry, VectorBasics) {
    const TzuVector a = zuVector(3, 4, 1), b = zuVector(1, 2, 5);
    EXPECT_EQ(VectorLength(a), 5);
    EXPECT_EQ(VectorDot(a, b), 11);
    EXPECT_EQ(VectorCross(a, b), 2);
    EXPECT_EQ(VectorSubtract(a, b), zuVector(2, 2, 1));
    EXPECT_EQ(VectorAngleCosine(a, zuVector(0, 0, 1)), 0);
    EXPECT_EQ(PointFromVector(VectorFromPoint(zuPoint(1, 2), 3)), zuPoint(1, 2));
}

TEST(Geometry, VectorAngleSignFollowsCrossProduct) {
    EXPECT_EQ(VectorAngle(zuVector(1, 0, 1), zuVector(0, 1, 1)), -90);
    EXPECT_EQ(VectorAngle(zuVector(0, 1, 1), zuVector(1, 0, 1)), 90);
    EXPECT_EQ(VectorAngle(zuVector(0, 0, 1), zuVector(1, 0, 1)), -90);
    EXPECT_NEAR(VectorAngle(zuVector(1, 0, 1), zuVector(1, 1, 1)), -45, 1e-4);
}

TEST(Geometry, VectorAngleOfParallelVectorsIsDefined) {
    // Rounded lengths put this cosine just past 1, where arccos has no value.
    const TzuVector a = zuVector(1, 10, 1);
    ASSERT_GT(VectorAngleCosine(a, a), 1.0f);
    EXPECT_EQ(VectorAngle(a, a), 0);
    EXPECT_EQ(VectorAngle(a, zuVector(-1, -10, 1)), -180);
}

TEST(Geometry, VectorTransformUsesRowVectors) {
    TzuMatrix m = IdentityMatrix;
    m.m11 = 2;
    m.m21 = 1;
    m.m31 = 10;
    m.m32 = 20;
    m.m13 = 7;  // the third column is ignored and W becomes 1
    EXPECT_EQ(VectorTransform(zuVector(1, 2, 1), m), zuVector(14, 22, 1));
    EXPECT_EQ(VectorTransform(zuVector(1, 2, 0), m), zuVector(4, 2, 1));
}

TEST(Geometry, MatrixMultiplyAppliesFirstOperandFirst) {
    TzuMatrix translate = IdentityMatrix, scale = IdentityMatrix;
    translate.m31 = 10;
    scale.m11 = scale.m22 = 2;
    EXPECT_EQ(VectorTransform(zuVector(1, 1, 1), MatrixMultiply(translate, scale)), zuVector(22, 2, 1));
    EXPECT_EQ(VectorTransform(zuVector(1, 1, 1), MatrixMultiply(scale, translate)), zuVector(12, 2, 1));
    // Clockwise on a Y-down screen.
    const TzuVector p = VectorTransform(zuVector(1, 0, 1), RotationMatrix(DegreesToRadians(90)));
    EXPECT_NEAR(p.X, 0, 1e-6);
    EXPECT_EQ(p.Y, 1);
}

TEST(Geometry, MatrixDeterminantAndInverse) {
    const TzuMatrix m{2, 1, 0, 1, 3, 0, 5, -4, 1};
    EXPECT_EQ(MatrixDeterminant(m), 5);
    TzuMatrix inv = m;
    MatrixInvert(inv);
    // Hand-derived adjugate / 5; catches a transposed cofactor matrix. Whether 1/det is
    // kept in double or rounded to single first is an intermediate the Part leaves open,
    // so the fifths are compared to within a few units in the last place.
    EXPECT_FLOAT_EQ(inv.m11, 0.6f);
    EXPECT_FLOAT_EQ(inv.m12, -0.2f);
    EXPECT_FLOAT_EQ(inv.m21, -0.2f);
    EXPECT_FLOAT_EQ(inv.m22, 0.4f);
    EXPECT_FLOAT_EQ(inv.m31, -3.8f);
    EXPECT_FLOAT_EQ(inv.m32, 2.6f);
    EXPECT_EQ(inv.m33, 1.0f);
    EXPECT_EQ(inv.m13, 0.0f);
    const TzuVector back = VectorTransform(VectorTransform(zuVector(3, -7, 1), m), inv);
    EXPECT_NEAR(back.X, 3, 1e-5);
    EXPECT_NEAR(back.Y, -7, 1e-5);
}

TEST(Geometry, DeterminantAndInverseUseTheWholeMatrix) {
    // Not affine: the third column takes part, so every term of the expansion counts.
    TzuMatrix m{1, 2, 3, 0, 1, 4, 5, 6, 0};
    EXPECT_EQ(MatrixDeterminant(m), 1);
    EXPECT_EQ(MatrixDeterminant(TzuMatrix{2, 0, 1, 1, 3, 2, 1, 1, 2}), 6);
    MatrixInvert(m);
    EXPECT_EQ(m, (TzuMatrix{-24, 18, 5, 20, -15, -4, -5, 4, 1}));
}

TEST(Geometry, MatrixInvertOfSingularMatrixIsIdentity) {
    TzuMatrix m{1, 2, 0, 2, 4, 0, 3, 3, 1};
    MatrixInvert(m);
    EXPECT_EQ(m, IdentityMatrix);
    // A determinant of 1e-41 is below the threshold, 1e-27 is not.
    TzuMatrix tiny{1e-20f, 0, 0, 0, 1e-21f, 0, 0, 0, 1};
    MatrixInvert(tiny);
    EXPECT_EQ(tiny, IdentityMatrix);
    // The threshold is the denormal 1e-40, not the smallest normal single (1.2e-38). Here
    // 1/det (5e39) lies beyond the single range although every entry of the result fits.
    TzuMatrix denormal{1e-20f, 0, 0, 0, 2e-20f, 0, 0, 0, 1};
    MatrixInvert(denormal);
    EXPECT_NEAR(denormal.m11, 1e20f, 1e15f);
    EXPECT_NEAR(denormal.m22, 5e19f, 1e15f);
    EXPECT_NEAR(denormal.m33, 1, 1e-4);
    TzuMatrix belowThreshold{1e-20f, 0, 0, 0, 0.9e-20f, 0, 0, 0, 1};
    MatrixInvert(belowThreshold);
    EXPECT_EQ(belowThreshold, IdentityMatrix);
    TzuMatrix small{1e-13f, 0, 0, 0, 1e-14f, 0, 0, 0, 1};
    MatrixInvert(small);
    EXPECT_NEAR(small.m11, 1e13f, 1e7f);
    EXPECT_NEAR(small.m22, 1e14f, 1e8f);
}

}  // namespace
}  // namespace zu
