#include "geometry/Primitives.h"

#include "geometry/Tolerances.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

using namespace pelorama::geometry;
using graphics::Point;
using graphics::Rect;

TEST(GeometryTest, BoxesOverlapWithinTheBoundsTolerance)
{
    EXPECT_TRUE(rectsMightOverlap(Rect(0, 0, 1, 1), Rect(1 + 5e-10, 0.5, 1, 1)));
    EXPECT_FALSE(rectsMightOverlap(Rect(0, 0, 1, 1), Rect(1 + 2e-9, 0.5, 1, 1)));
    EXPECT_TRUE(rectsMightOverlap(Rect(0, 0, 1, 1), Rect(1, 1, 1, 1)));
    EXPECT_FALSE(rectsMightOverlap(Rect(0, 0, 1, 1), Rect(0.5, 1 + 2e-9, 1, 1)));
    // Standardised: a rectangle given from its far corner.
    EXPECT_TRUE(rectsMightOverlap(Rect(2, 2, -1.5, -1.5), Rect(0, 0, 1, 1)));
}

TEST(GeometryTest, ClosenessBoundsAreInclusiveAndNaNIsNeverClose)
{
    EXPECT_TRUE(isClose(1.0, 1.0 + 0.5, 0.5));
    EXPECT_FALSE(isClose(1.0, 1.0 + 0.5000001, 0.5));
    EXPECT_FALSE(isClose(std::numeric_limits<double>::quiet_NaN(), 0.0, 1e9));
    EXPECT_TRUE(isParameterAtStart(0.0001));
    EXPECT_TRUE(isParameterAtEnd(0.9999));
    EXPECT_FALSE(isParameterAtStart(0.0002));
}

TEST(GeometryTest, TangentPairsAreAmbiguousWhenAnyDirectionsMatch)
{
    EXPECT_TRUE(tangentsAreAmbiguous({{0, 0}, {1, 0}}, {{0, 0}, {0, 1}}));
    const TangentPair pair{{-1, 0}, {2, 1}};
    EXPECT_TRUE(tangentsAreAmbiguous(pair, pair));
    EXPECT_TRUE(tangentsAreAmbiguous({{-3, 0}, {0, 1}}, {{-1, 0}, {1, 1}}));
    EXPECT_FALSE(tangentsAreAmbiguous({{-1, 0}, {1, 0}}, {{0, -1}, {0, 1}}));
}

TEST(GeometryTest, PolarAnglesRunCounterClockwiseFromZeroToTwoPi)
{
    const double pi = std::numbers::pi;
    EXPECT_DOUBLE_EQ(polarAngle({1, 0}), 0);
    EXPECT_DOUBLE_EQ(polarAngle({0, 1}), pi / 2);
    EXPECT_DOUBLE_EQ(polarAngle({-1, 0}), pi);
    EXPECT_DOUBLE_EQ(polarAngle({0, -1}), 3 * pi / 2);
    EXPECT_DOUBLE_EQ(polarAngle({0, 0}), 0);
    EXPECT_DOUBLE_EQ(polarAngle({1, -1}), 7 * pi / 4);
}

TEST(GeometryTest, AngleRangesExcludeTheirEndsAndMayWrapThroughZero)
{
    const double pi = std::numbers::pi;
    EXPECT_FALSE(angleRangeContainsAngle({1, 2}, 1));
    EXPECT_FALSE(angleRangeContainsAngle({1, 2}, 2 - 1e-13));
    EXPECT_TRUE(angleRangeContainsAngle({1, 2}, 1.5));
    const AngleRange wrapping{3 * pi / 2, pi / 2};
    EXPECT_TRUE(angleRangeContainsAngle(wrapping, 0));
    EXPECT_TRUE(angleRangeContainsAngle(wrapping, 7 * pi / 4));
    EXPECT_FALSE(angleRangeContainsAngle(wrapping, pi));
    // An angle just under 2pi lies on an end at 0.
    EXPECT_FALSE(angleRangeContainsAngle({3 * pi / 2, 0}, polarAngle({10, -7e-15})));
    EXPECT_FALSE(angleRangeContainsAngle({0, 3 * pi / 2}, 2 * pi - 1e-15));
}

TEST(GeometryTest, TangentsCrossOnlyWhenTheSecondEdgeChangesSides)
{
    const TangentPair alongX{{-1, 0}, {1, 0}};
    EXPECT_FALSE(tangentsCross(alongX, alongX));
    EXPECT_TRUE(tangentsCross(alongX, {{0, -1}, {0, 1}}));
    EXPECT_FALSE(tangentsCross(alongX, {{-1, 1}, {1, 1}}));
    // One edge turning down at a joint, the other running straight on: the shared direction, cut with
    // rounding, is no crossing.
    EXPECT_FALSE(tangentsCross({{20, 0}, {0, -10}}, {{10, -7.1e-15}, {-20, -7.1e-15}}));
}

TEST(GeometryTest, MidpointAndValueEquality)
{
    EXPECT_EQ(midpoint({3, 4}, {3, 4}), (Point{3, 4}));
    EXPECT_NEAR(midpoint({0, 0}, {4, 2}).x, 2, 1e-15);
    EXPECT_NEAR(midpoint({0, 0}, {4, 2}).y, 1, 1e-15);
    EXPECT_TRUE(areValuesEqual(0.1234564, 0.1234569, 6));
    EXPECT_FALSE(areValuesEqual(0.9999999, 1.0, 6));
    EXPECT_TRUE(areValuesEqual(-0.0000004, 0.0000004, 6));
    // Values that cannot be truncated to an integer are never equal (not even to themselves).
    EXPECT_FALSE(areValuesEqual(std::numeric_limits<double>::quiet_NaN(), 0.5, 6));
    EXPECT_FALSE(
        areValuesEqual(std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(), 6));
    EXPECT_FALSE(areValuesEqual(1e300, 1e300, 6));
}
