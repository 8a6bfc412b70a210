#include "ShapeSupport.h"
#include "geometry/PathBoolean.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace geometrytest;
using namespace pelorama::geometry;
using graphics::Path;
using graphics::Point;

namespace {

struct Results
{
    Path unionPath, intersectionPath, differencePath, xorPath;
};

Results combine(const Path& a, const Path& b)
{
    return {unioningWith(a, b), intersectingWith(a, b), subtracting(a, b), symmetricDifferenceWith(a, b)};
}

// Checks membership of sample points away from both outlines and the area identity; returns the number of
// failures and prints the operands of a failing case.
int checkCase(const Path& a, const Path& b, std::mt19937& random, int samples, const std::string& label)
{
    const Results results = combine(a, b);
    const auto polygonsA = flatten(a), polygonsB = flatten(b);
    const auto unionPolygons = flatten(results.unionPath),
               intersectionPolygons = flatten(results.intersectionPath),
               differencePolygons = flatten(results.differencePath), xorPolygons = flatten(results.xorPath);
    int failures = 0;
    const graphics::Rect box = a.bounds().united(b.bounds()).insetBy(-5, -5);
    std::uniform_real_distribution<double> x(box.minX(), box.maxX()), y(box.minY(), box.maxY());
    for (int i = 0; i < samples; ++i) {
        const Point p{x(random), y(random)};
        if (distanceToOutline(polygonsA, p) < 0.05 || distanceToOutline(polygonsB, p) < 0.05)
            continue;
        const bool inA = evenOddContains(polygonsA, p), inB = evenOddContains(polygonsB, p);
        const bool ok = evenOddContains(unionPolygons, p) == (inA || inB) &&
                        evenOddContains(intersectionPolygons, p) == (inA && inB) &&
                        evenOddContains(differencePolygons, p) == (inA && !inB) &&
                        evenOddContains(xorPolygons, p) == (inA != inB);
        if (!ok) {
            ++failures;
            ADD_FAILURE() << label << ": membership of (" << p.x << ", " << p.y
                          << ") wrong\nA: " << describe(a) << "\nB: " << describe(b)
                          << "\nunion: " << describe(results.unionPath)
                          << "\nintersection: " << describe(results.intersectionPath);
            break;
        }
    }
    const double areaA = evenOddArea(polygonsA), areaB = evenOddArea(polygonsB);
    const double areaUnion = evenOddArea(unionPolygons), areaIntersection = evenOddArea(intersectionPolygons);
    const double tolerance = 0.002 * (areaA + areaB) + 0.05;
    if (std::fabs(areaUnion + areaIntersection - areaA - areaB) > tolerance) {
        ++failures;
        ADD_FAILURE() << label << ": area identity broken: " << areaUnion << " + " << areaIntersection
                      << " vs " << areaA << " + " << areaB << "\nA: " << describe(a)
                      << "\nB: " << describe(b);
    }
    return failures;
}

// CI runs a few thousand cases; PELORAMA_GEOMETRY_ROUNDS asks for more (the long runs use 30,000).
int rounds(int ordinary)
{
    const char* text = std::getenv("PELORAMA_GEOMETRY_ROUNDS");
    if (text == nullptr)
        return ordinary;
    const int asked = std::atoi(text);
    return asked > 0 ? asked : ordinary;
}

// Failures stop a run after a few, unless PELORAMA_GEOMETRY_ALL_FAILURES asks to count them all.
int failureLimit()
{
    return std::getenv("PELORAMA_GEOMETRY_ALL_FAILURES") != nullptr ? 1 << 30 : 3;
}

} // namespace

TEST(GeometryTest, RandomShapesCombineLikeTheirMemberships)
{
    std::mt19937 random(20261208);
    int failures = 0;
    for (int round = 0; round < rounds(2500) && failures < failureLimit(); ++round) {
        const Path a = randomShape(random);
        const Path b = randomShape(random);
        failures += checkCase(a, b, random, 60, "round " + std::to_string(round));
    }
    EXPECT_EQ(failures, 0);
}

TEST(GeometryTest, GridAlignedShapesWithSharedEdgesCombineLikeTheirMemberships)
{
    // Integer rectangles on a coarse grid share sides, corners and stretches of sides all the time.
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> cell(0, 8);
    auto gridShape = [&]() {
        const int x = cell(random), y = cell(random);
        const int w = 1 + cell(random) % 4, h = 1 + cell(random) % 4;
        graphics::Path path = graphics::Path::rect(graphics::Rect(10.0 * x, 10.0 * y, 10.0 * w, 10.0 * h));
        if (random() % 3 == 0) {
            const int x2 = cell(random), y2 = cell(random);
            path.append(graphics::Path::rect(graphics::Rect(10.0 * x2 + 100, 10.0 * y2, 10, 10)));
        }
        return path;
    };
    int failures = 0;
    for (int round = 0; round < rounds(1500) && failures < failureLimit(); ++round) {
        const Path a = gridShape();
        const Path b = gridShape();
        failures += checkCase(a, b, random, 40, "grid round " + std::to_string(round));
    }
    EXPECT_EQ(failures, 0);
}
