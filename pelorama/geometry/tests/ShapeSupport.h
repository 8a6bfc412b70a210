#pragma once

#include "TracedOutline.h"
#include "graphics/Path.h"
#include "graphics/Point.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace geometrytest {

using Polygon = std::vector<graphics::Point>;

// The path's subpaths as closed polylines, cubic curves cut into short straight pieces.
std::vector<Polygon> flatten(const graphics::Path& path, int segmentsPerCurve = 48);
// Even-odd membership by counting crossings of a ray with the flattened outline.
bool evenOddContains(const std::vector<Polygon>& polygons, graphics::Point point);
double distanceToOutline(const std::vector<Polygon>& polygons, graphics::Point point);
// Even-odd area, exact for the polylines.
double evenOddArea(const std::vector<Polygon>& polygons);
// The sum of the polylines' areas, each positive when it runs counter-clockwise (y up).
double signedArea(const std::vector<Polygon>& polygons);
std::string describe(const graphics::Path& path);

// Seeded shapes, all inside roughly (0, 0)-(100, 100).
graphics::Path randomPolygon(std::mt19937& random, int vertices, graphics::Point centre, double radius);
graphics::Path randomBlob(std::mt19937& random, int lobes, graphics::Point centre, double radius);
graphics::Path circle(graphics::Point centre, double radius);
graphics::Path square(double x, double y, double size);
graphics::Path ring(graphics::Point centre, double outer, double inner);
graphics::Path randomShape(std::mt19937& random);
// A traced blob of pixels inside (0, 0)-(size, size): a disc with a round hole, some notches and a detached
// speck, so that outlines touch at pixel corners and run along each other.
graphics::Path randomStaircase(std::mt19937& random, int size);

// The four operations on a and b checked against their operands: the membership of sample points away from
// both outlines, the area identity and, when the receiver follows a direction rule (outer outlines one way,
// holes the other), that every result follows it too. Reports failures through GoogleTest with the
// operands, and answers their number.
int checkOperations(const graphics::Path& a, const graphics::Path& b, std::mt19937& random, int samples,
                    const std::string& label);
// Each operation of a path with itself: its own region for union and intersection, nothing otherwise.
int checkWithItself(const graphics::Path& a, std::mt19937& random, int samples, const std::string& label);
// The path's subpaths, flattened, in the reverse order of travel.
graphics::Path reversedPath(const graphics::Path& path);

} // namespace geometrytest
