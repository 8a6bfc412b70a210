#include "ShapeSupport.h"
#include "geometry/PathBoolean.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

using namespace geometrytest;
using namespace pelorama::geometry;
using graphics::Path;
using graphics::Point;

namespace {

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

struct Operation
{
    const char* name;
    Path (*apply)(const Path&, const Path&);
    bool (*keeps)(bool inA, bool inB);
};

const Operation operations[] = {
    {"union", unioningWith,
     [](bool a, bool b) {
         return a || b;
     }},
    {"intersection", intersectingWith,
     [](bool a, bool b) {
         return a && b;
     }},
    {"difference", subtracting,
     [](bool a, bool b) {
         return a && !b;
     }},
    {"exclusive or", symmetricDifferenceWith,
     [](bool a, bool b) {
         return a != b;
     }},
};

// +1 when the path's outlines run counter-clockwise around filled area and clockwise around holes (its
// signed area is its even-odd area), -1 for the opposite rule, nothing when it follows neither or is empty.
std::optional<int> directionRule(const std::vector<Polygon>& polygons)
{
    const double evenOdd = evenOddArea(polygons), signedSum = signedArea(polygons);
    const double tolerance = 1e-6 * evenOdd + 1e-6;
    if (evenOdd <= tolerance)
        return std::nullopt;
    if (std::fabs(signedSum - evenOdd) <= tolerance)
        return 1;
    if (std::fabs(signedSum + evenOdd) <= tolerance)
        return -1;
    return std::nullopt;
}

// Checks membership of sample points away from both outlines, the area identity and, when the receiver
// follows a direction rule, that every result follows it too. Returns the number of failures and prints
// the operands of a failing case.
int checkCase(const Path& a, const Path& b, std::mt19937& random, int samples, const std::string& label)
{
    const auto polygonsA = flatten(a), polygonsB = flatten(b);
    std::vector<Polygon> results[4];
    for (int k = 0; k < 4; ++k)
        results[k] = flatten(operations[k].apply(a, b));
    auto report = [&](const std::string& what) {
        ADD_FAILURE() << label << ": " << what << "\nA: " << describe(a) << "\nB: " << describe(b);
        return 1;
    };

    const graphics::Rect box = a.bounds().united(b.bounds()).insetBy(-5, -5);
    std::uniform_real_distribution<double> x(box.minX(), box.maxX()), y(box.minY(), box.maxY());
    for (int i = 0; i < samples; ++i) {
        const Point p{x(random), y(random)};
        if (distanceToOutline(polygonsA, p) < 0.05 || distanceToOutline(polygonsB, p) < 0.05)
            continue;
        const bool inA = evenOddContains(polygonsA, p), inB = evenOddContains(polygonsB, p);
        for (int k = 0; k < 4; ++k)
            if (evenOddContains(results[k], p) != operations[k].keeps(inA, inB))
                return report(std::string(operations[k].name) + ": membership of (" + std::to_string(p.x) +
                              ", " + std::to_string(p.y) + ") wrong");
    }

    const double areaA = evenOddArea(polygonsA), areaB = evenOddArea(polygonsB);
    const double areaUnion = evenOddArea(results[0]), areaIntersection = evenOddArea(results[1]);
    const double tolerance = 0.002 * (areaA + areaB) + 0.05;
    if (std::fabs(areaUnion + areaIntersection - areaA - areaB) > tolerance)
        return report("area identity broken: " + std::to_string(areaUnion) + " + " +
                      std::to_string(areaIntersection) + " vs " + std::to_string(areaA) + " + " +
                      std::to_string(areaB));

    std::optional<int> rule = directionRule(polygonsA);
    if (areaA == 0)
        rule = directionRule(polygonsB);
    if (rule) {
        for (int k = 0; k < 4; ++k) {
            const double evenOdd = evenOddArea(results[k]), signedSum = signedArea(results[k]);
            if (std::fabs(signedSum - *rule * evenOdd) > 1e-6 * (areaA + areaB) + 1e-6)
                return report(std::string(operations[k].name) + ": outlines run the wrong way: signed area " +
                              std::to_string(signedSum) + ", even-odd area " + std::to_string(evenOdd));
        }
    }
    return 0;
}

// Any operation of a path with itself gives the path's own region; the difference and exclusive-or none.
int checkWithItself(const Path& a, std::mt19937& random, int samples, const std::string& label)
{
    const auto polygons = flatten(a);
    const double area = evenOddArea(polygons);
    for (int k = 0; k < 4; ++k) {
        const Path result = operations[k].apply(a, a);
        const auto resultPolygons = flatten(result);
        const bool keeps = operations[k].keeps(true, true);
        const double expected = keeps ? area : 0;
        if (std::fabs(evenOddArea(resultPolygons) - expected) > 0.002 * area + 0.05) {
            ADD_FAILURE() << label << ": A " << operations[k].name << " A has area "
                          << evenOddArea(resultPolygons) << ", not " << expected << "\nA: " << describe(a)
                          << "\nresult: " << describe(result);
            return 1;
        }
        const graphics::Rect box = a.bounds();
        std::uniform_real_distribution<double> x(box.minX(), box.maxX()), y(box.minY(), box.maxY());
        for (int i = 0; i < samples; ++i) {
            const Point p{x(random), y(random)};
            if (distanceToOutline(polygons, p) < 0.05)
                continue;
            if (evenOddContains(resultPolygons, p) != (keeps && evenOddContains(polygons, p))) {
                ADD_FAILURE() << label << ": A " << operations[k].name << " A wrong at (" << p.x << ", "
                              << p.y << ")\nA: " << describe(a) << "\nresult: " << describe(result);
                return 1;
            }
        }
    }
    return 0;
}

// The path's subpaths in reverse order of travel.
Path reversedPath(const Path& path)
{
    Path result;
    for (const Polygon& polygon : flatten(path, 1)) {
        result.moveTo(polygon.back());
        for (auto point = polygon.rbegin() + 1; point != polygon.rend(); ++point)
            result.lineTo(*point);
        result.closeSubpath();
    }
    return result;
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
        if (round % 5 == 0)
            failures += checkWithItself(a, random, 20, "round " + std::to_string(round));
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
        if (round % 5 == 0)
            failures += checkWithItself(a, random, 20, "grid round " + std::to_string(round));
    }
    EXPECT_EQ(failures, 0);
}

TEST(GeometryTest, OperandsWithOverlappingSubpathsAreReadByTheEvenOddRule)
{
    std::mt19937 random(99);
    int failures = 0;
    for (int round = 0; round < rounds(1000) / 2 && failures < failureLimit(); ++round) {
        Path a = randomShape(random);
        a.append(randomShape(random));
        Path b = randomShape(random);
        if (round % 2 == 0)
            b.append(randomShape(random));
        failures += checkCase(a, b, random, 60, "overlapping round " + std::to_string(round));
        if (round % 5 == 0)
            failures += checkWithItself(a, random, 20, "overlapping round " + std::to_string(round));
    }
    EXPECT_EQ(failures, 0);
}

TEST(GeometryTest, TracedOutlinesCombineWithRectanglesLikeTheirMemberships)
{
    // The directional shadow's case: a picture's traced outline, many unit edges along pixel sides, with a
    // rectangle on pixel sides or between them; outlines clockwise as well as counter-clockwise.
    std::mt19937 random(3116);
    std::uniform_int_distribution<int> coordinate(-2, 30), extent(1, 30);
    int failures = 0;
    for (int round = 0; round < rounds(1000) / 5 && failures < failureLimit(); ++round) {
        Path outline = randomStaircase(random, 28);
        if (round % 2 == 1)
            outline = reversedPath(outline);
        const double offset = round % 3 == 0 ? 0.5 : 0.0;
        Path rectangle = Path::rect(graphics::Rect(coordinate(random) + offset, coordinate(random),
                                                   extent(random), extent(random) + offset));
        if (round % 4 == 3)
            rectangle = reversedPath(rectangle);
        const std::string label = "outline round " + std::to_string(round);
        failures += checkCase(outline, rectangle, random, 60, label);
        failures += checkCase(rectangle, outline, random, 20, label + ", rectangle first");
        if (round % 5 == 0)
            failures += checkWithItself(outline, random, 20, label);
    }
    EXPECT_EQ(failures, 0);
}
