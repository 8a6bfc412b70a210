#include "TracedOutline.h"
#include "geometry/PathBoolean.h"
#include "graphics/Path.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

using graphics::Path;
using graphics::Point;
using graphics::Rect;
namespace geometry = pelorama::geometry;

namespace {

Path circle(Point centre, double radius)
{
    return Path::oval(Rect(centre.x - radius, centre.y - radius, 2 * radius, 2 * radius));
}

// A star-shaped polygon: vertices at jittered angles and random radii around the centre.
Path randomPolygon(std::mt19937& random, int vertices, Point centre, double radius)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Path path;
    for (int i = 0; i < vertices; ++i) {
        const double angle = (i + 0.8 * unit(random)) * 2 * std::numbers::pi / vertices;
        const double r = radius * (0.5 + 0.5 * unit(random));
        const Point p{centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)};
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// A square hole in a staircase disc: its centre and half its side, in pixels.
struct SquareHole
{
    int centreX, centreY, halfSide;
};

// A disc with three round holes.
Path roundHoledStaircase(int size)
{
    return geometrytest::traceOutline(size, [size](int x, int y) {
        const double cx = x + 0.5 - size / 2.0, cy = y + 0.5 - size / 2.0;
        if (cx * cx + cy * cy > 0.2 * size * size)
            return false;
        const double holes[3][3] = {{-0.2, 0.0, 0.1}, {0.2, 0.1, 0.08}, {0.0, -0.25, 0.06}};
        for (const auto& hole : holes) {
            const double hx = cx - hole[0] * size, hy = cy - hole[1] * size;
            if (hx * hx + hy * hy < hole[2] * hole[2] * size * size)
                return false;
        }
        return true;
    });
}

// A 1000 x 1000 disc with twenty square holes on a 5 x 4 grid: about 7,000 unit edges.
Path squareHoledStaircase()
{
    constexpr int size = 1000;
    std::vector<SquareHole> holes;
    for (int column = -2; column <= 2; ++column)
        for (int row = 0; row < 4; ++row)
            holes.push_back({size / 2 + 120 * column, size / 2 - 180 + 120 * row, 22});
    return geometrytest::traceOutline(size, [&holes](int x, int y) {
        const double cx = x + 0.5 - size / 2.0, cy = y + 0.5 - size / 2.0;
        if (cx * cx + cy * cy > 0.2 * size * size)
            return false;
        for (const SquareHole& hole : holes)
            if (std::abs(x - hole.centreX) < hole.halfSide && std::abs(y - hole.centreY) < hole.halfSide)
                return false;
        return true;
    });
}

Path fiftyCircles()
{
    std::mt19937 random(2);
    std::uniform_real_distribution<double> x(20, 380), y(20, 280), r(4, 12);
    Path circles;
    for (int i = 0; i < 50; ++i)
        circles.append(circle({x(random), y(random)}, r(random)));
    return circles;
}

using Operation = Path (*)(const Path&, const Path&);

// The four operations on one pair of operands, built once outside the timed loop.
template <typename Operands> void combine(benchmark::State& state, Operands operands, Operation operation)
{
    const auto [a, b] = operands();
    for (auto _ : state)
        benchmark::DoNotOptimize(operation(a, b));
    state.counters["elements"] = double(a.elementCount() + b.elementCount());
}

std::pair<Path, Path> twoCircles()
{
    return {circle({0, 0}, 100), circle({80, 30}, 90)};
}

std::pair<Path, Path> randomPolygons()
{
    std::mt19937 random(1);
    Path a = randomPolygon(random, 200, {0, 0}, 100);
    Path b = randomPolygon(random, 200, {60, 20}, 100);
    return {a, b};
}

std::pair<Path, Path> roundedRectWithCircles()
{
    return {Path::roundedRect(Rect(0, 0, 400, 300), 40, 40), fiftyCircles()};
}

std::pair<Path, Path> squareHoledStaircaseWithRect()
{
    return {squareHoledStaircase(), Path::rect(Rect(150.5, 200.5, 600, 500))};
}

std::pair<Path, Path> roundHoledStaircaseWithRect()
{
    return {roundHoledStaircase(1000), Path::rect(Rect(150.5, 200.5, 600, 500))};
}

#define GEOMETRY_BENCHMARKS(operands, unit)                                                                  \
    BENCHMARK_CAPTURE(combine, operands##_union, operands, geometry::unioningWith)->Unit(unit);              \
    BENCHMARK_CAPTURE(combine, operands##_intersection, operands, geometry::intersectingWith)->Unit(unit);   \
    BENCHMARK_CAPTURE(combine, operands##_difference, operands, geometry::subtracting)->Unit(unit);          \
    BENCHMARK_CAPTURE(combine, operands##_xor, operands, geometry::symmetricDifferenceWith)->Unit(unit)

GEOMETRY_BENCHMARKS(twoCircles, benchmark::kMicrosecond);
GEOMETRY_BENCHMARKS(randomPolygons, benchmark::kMillisecond);
GEOMETRY_BENCHMARKS(roundedRectWithCircles, benchmark::kMillisecond);
GEOMETRY_BENCHMARKS(squareHoledStaircaseWithRect, benchmark::kMillisecond);
GEOMETRY_BENCHMARKS(roundHoledStaircaseWithRect, benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
