// Whether a contour lies inside a graph by the even-odd rule, decided with horizontal and vertical test lines
// through the contour's bounds.

#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierGraph.h"
#include "geometry/BezierIntersection.h"
#include "geometry/CurveIntersection.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>

namespace pelorama::geometry {

namespace {

constexpr double rayOverhang = 10.0;
// Rays of all divisions together; ordinary contours settle with the first two. Without a bound a large
// pixel-aligned outline whose rays keep meeting vertices would be tested quadratically long.
constexpr int maximumRays = 256;

using CrossingList = std::vector<std::shared_ptr<EdgeCrossing>>;
using ContourList = std::vector<BezierContour*>;

bool edgesMightMeet(const BezierCurve& edge1, const BezierCurve& edge2)
{
    return rectsMightOverlap(edge1.data().boundingRect(), edge2.data().boundingRect()) &&
           rectsMightOverlap(edge1.data().bounds(), edge2.data().bounds());
}

BezierContour* contourOf(const EdgeCrossing& crossing)
{
    return crossing.edge != nullptr ? crossing.edge->contour : nullptr;
}

bool isHorizontal(const BezierCurve& ray)
{
    return ray.data().endPoint1.y == ray.data().endPoint2.y;
}

double positionOnRay(const BezierCurve& ray, const graphics::Point& point)
{
    return isHorizontal(ray) ? point.x : point.y;
}

// Positions on a ray come from two separate clipping searches that converge to six decimals of parameter,
// so a container running along the tested contour meets the ray a few ulps of the search away from the
// contour's own extreme point; a fixed 1e-12 misses it on ordinary coordinates. The slack grows with the
// coordinates and is never below the tangent tolerance.
double nearSlack(double minimum, double maximum)
{
    return std::max(tangentTolerance, 1e-9 * std::max({1.0, std::fabs(minimum), std::fabs(maximum)}));
}

int countOfContour(const CrossingList& list, const BezierContour* contour)
{
    return int(std::count_if(list.begin(), list.end(),
                             [contour](const auto& crossing) { return contourOf(*crossing) == contour; }));
}

ContourList distinctContours(const CrossingList& list)
{
    ContourList result;
    for (const auto& crossing : list) {
        BezierContour* contour = contourOf(*crossing);
        if (contour != nullptr && std::find(result.begin(), result.end(), contour) == result.end())
            result.push_back(contour);
    }
    return result;
}

void dropCrossings(CrossingList& list, const ContourList& contours)
{
    CrossingList gathered;
    for (const BezierContour* contour : contours)
        for (const auto& crossing : list)
            if (contourOf(*crossing) == contour)
                gathered.push_back(crossing);
    for (const auto& crossing : gathered) {
        auto found = std::find(list.begin(), list.end(), crossing);
        if (found != list.end())
            list.erase(found);
    }
}

void dropEvenlyCrossedContours(CrossingList& list)
{
    ContourList even;
    for (const auto& crossing : list) {
        BezierContour* contour = contourOf(*crossing);
        if (contour == nullptr)
            continue;
        if (countOfContour(list, contour) % 2 == 0 &&
            std::find(even.begin(), even.end(), contour) == even.end())
            even.push_back(contour);
    }
    dropCrossings(list, even);
}

void dropOneSidedContours(CrossingList& list, const CrossingList& other)
{
    ContourList oneSided;
    for (BezierContour* contour : distinctContours(list))
        if (countOfContour(other, contour) == 0)
            oneSided.push_back(contour);
    dropCrossings(list, oneSided);
}

struct Extent
{
    graphics::Point minimum;
    graphics::Point maximum;
};

// Where the ray meets the tested contour first and last; nothing when it does not meet it.
std::optional<Extent> measureContour(const BezierContour& contour, BezierCurve& ray)
{
    std::vector<std::shared_ptr<BezierIntersection>> found;
    for (const auto& edge : contour.edges()) {
        if (!edgesMightMeet(ray, *edge))
            continue;
        findIntersections(ray, *edge, [&found](const std::shared_ptr<BezierIntersection>& intersection) {
            found.push_back(intersection);
            return HandlerAnswer{};
        });
    }
    if (found.empty())
        return std::nullopt;
    const bool horizontal = isHorizontal(ray);
    Extent extent{found.front()->location(), found.front()->location()};
    for (const auto& intersection : found) {
        const graphics::Point location = intersection->location();
        const double p = horizontal ? location.x : location.y;
        if (p < (horizontal ? extent.minimum.x : extent.minimum.y))
            extent.minimum = location;
        if (p > (horizontal ? extent.maximum.x : extent.maximum.y))
            extent.maximum = location;
    }
    return extent;
}

bool collectRayCrossings(const ContourList& containers, BezierCurve& ray, const Extent& extent,
                         CrossingList& before, CrossingList& after)
{
    const double minimum = positionOnRay(ray, extent.minimum);
    const double maximum = positionOnRay(ray, extent.maximum);
    const double slack = nearSlack(minimum, maximum);
    auto isNear = [slack](double a, double b) {
        return std::fabs(a - b) <= slack;
    };
    CrossingList ambiguous;
    for (BezierContour* container : containers) {
        for (const auto& sharedEdge : container->edges()) {
            BezierCurve& edge = *sharedEdge;
            if (!edgesMightMeet(ray, edge))
                continue;
            bool unusable = false;
            findIntersections(ray, edge, [&](const std::shared_ptr<BezierIntersection>& intersection) {
                if (intersection->isTangent())
                    return HandlerAnswer{};
                if (intersection->isAtEitherEndOfCurve2()) {
                    unusable = true;
                    return HandlerAnswer{true, true};
                }
                const graphics::Point location = intersection->location();
                const double p = positionOnRay(ray, location);
                if (!isNear(p, maximum) && p < maximum && !isNear(p, minimum) && p > minimum)
                    return HandlerAnswer{};
                auto crossing = std::make_shared<EdgeCrossing>(intersection);
                crossing->edge = &edge;
                if (extent.minimum == extent.maximum && location == extent.minimum) {
                    ambiguous.push_back(crossing);
                    return HandlerAnswer{};
                }
                if (p < minimum || isNear(p, minimum))
                    before.push_back(crossing);
                if (p > maximum || isNear(p, maximum))
                    after.push_back(crossing);
                return HandlerAnswer{};
            });
            if (unusable)
                return false;
        }
    }
    for (const auto& crossing : ambiguous) {
        const BezierContour* contour = contourOf(*crossing);
        if (contour == nullptr)
            continue;
        if (countOfContour(before, contour) < countOfContour(after, contour))
            before.push_back(crossing);
        else
            after.push_back(crossing);
    }
    return true;
}

} // namespace

bool BezierGraph::narrowContainers(ContourList& containers, const BezierContour& contour,
                                   BezierCurve& ray) const
{
    const std::optional<Extent> extent = measureContour(contour, ray);
    if (!extent)
        return false;
    CrossingList before;
    CrossingList after;
    if (!collectRayCrossings(containers, ray, *extent, before, after))
        return false;
    dropEvenlyCrossedContours(before);
    dropEvenlyCrossedContours(after);
    dropOneSidedContours(before, after);
    dropOneSidedContours(after, before);
    containers = distinctContours(before);
    return true;
}

bool BezierGraph::encloses(const BezierContour& contour) const
{
    const graphics::Rect graphBounds = bounds();
    const graphics::Rect contourBounds = contour.bounds();
    if (!rectsMightOverlap(graphBounds, contourBounds))
        return false;
    ContourList containers;
    for (const auto& candidate : m_contours)
        containers.push_back(candidate.get());
    const double width = contourBounds.width();
    const double height = contourBounds.height();
    if (!std::isfinite(width) || !std::isfinite(height))
        return false;
    const double extent = std::max(std::ceil(width), std::ceil(height));
    if (extent <= 0)
        return false;
    // Beyond the ray budget the division count no longer matters; this also keeps the integer in range.
    const int count = extent > maximumRays ? maximumRays : int(extent);

    const double left = std::min(graphBounds.minX(), contourBounds.minX()) - rayOverhang;
    const double right = std::max(graphBounds.maxX(), contourBounds.maxX()) + rayOverhang;
    const double bottom = std::min(graphBounds.minY(), contourBounds.minY()) - rayOverhang;
    const double top = std::max(graphBounds.maxY(), contourBounds.maxY()) + rayOverhang;
    int raysTried = 0;
    for (int division = 2; division <= 2 * count; ++division) {
        bool eliminated = false;
        // Each ray's position is computed from its index: accumulating the step can stall on huge
        // coordinates or tiny steps. Rays stay strictly inside the bounds (index below the division).
        const double yStep = height / division;
        for (int k = 1; k < division; ++k) {
            const double y = contourBounds.minY() + k * yStep;
            if (!(y < contourBounds.maxY()))
                break;
            if (++raysTried > maximumRays)
                return false;
            auto ray = BezierCurve::line(graphics::Point{left, y}, graphics::Point{right, y});
            if (narrowContainers(containers, contour, *ray))
                eliminated = true;
        }
        const double xStep = width / division;
        for (int k = 1; k < division; ++k) {
            const double x = contourBounds.minX() + k * xStep;
            if (!(x < contourBounds.maxX()))
                break;
            if (++raysTried > maximumRays)
                return false;
            auto ray = BezierCurve::line(graphics::Point{x, bottom}, graphics::Point{x, top});
            if (narrowContainers(containers, contour, *ray))
                eliminated = true;
        }
        if (containers.empty())
            return false;
        if (eliminated)
            return containers.size() % 2 == 1;
    }
    return false;
}

} // namespace pelorama::geometry
