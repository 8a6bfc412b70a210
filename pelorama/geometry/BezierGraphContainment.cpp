// Whether a contour that crosses nothing lies inside a graph by the even-odd rule: each of the graph's
// contours whose bounds hold it is asked on its own, with horizontal and vertical test lines (rays) through
// the contour's bounds, and the contour is inside when an odd number of them hold it.

#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierGraph.h"
#include "geometry/BezierIntersection.h"
#include "geometry/BoxTree.h"
#include "geometry/CurveIntersection.h"
#include "geometry/EdgeTree.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace pelorama::geometry {

namespace {

constexpr double rayOverhang = 10.0;
constexpr double rayNudge = 0.1234567;
// Rays of all divisions together; ordinary contours settle with the first two. Without a bound a large
// pixel-aligned outline whose rays keep meeting vertices would be tested quadratically long.
constexpr int maximumRays = 256;
// From how many contours on a tree of their bounds finds the holders of a box faster than reading them all.
constexpr std::size_t boundsTreeWorthwhile = 32;

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

// Where the ray meets the tested contour first and last, as positions along the ray.
struct Extent
{
    double minimum;
    double maximum;
};

// The edges whose boxes let them meet the ray, in their order.
template <typename Edges>
void edgesNearRay(const Edges& edges, const BezierCurve& ray, std::vector<BezierCurve*>& into)
{
    into.clear();
    for (const auto& edge : edges)
        if (edgesMightMeet(ray, *edge))
            into.push_back(&*edge);
}

// Every meeting of the ray with the edges (those near it); with onlyWhether, the first one settles that
// there is an extent and stands for all of it.
std::optional<Extent> measureContour(const std::vector<BezierCurve*>& edges, BezierCurve& ray,
                                     bool onlyWhether)
{
    std::optional<Extent> extent;
    for (BezierCurve* edge : edges) {
        findIntersections(ray, *edge, [&](const std::shared_ptr<BezierIntersection>& intersection) {
            const double p = positionOnRay(ray, intersection->location());
            if (!extent)
                extent = Extent{p, p};
            extent->minimum = std::min(extent->minimum, p);
            extent->maximum = std::max(extent->maximum, p);
            return onlyWhether ? HandlerAnswer{true, true} : HandlerAnswer{};
        });
        if (extent && onlyWhether)
            return extent;
    }
    return extent;
}

enum class Verdict
{
    undecided,
    inside,
    outside
};

// Where a container crosses the ray, as positions along it, leaving out where it only touches the ray. A
// ray through a joint of the container tells nothing about it.
struct RayCrossings
{
    bool usable = true;
    std::vector<double> positions;
};

RayCrossings crossingsAlong(const std::vector<BezierCurve*>& edges, BezierCurve& ray)
{
    RayCrossings crossings;
    for (BezierCurve* listed : edges) {
        BezierCurve& edge = *listed;
        if (!edgesMightMeet(ray, edge))
            continue;
        findIntersections(ray, edge, [&](const std::shared_ptr<BezierIntersection>& intersection) {
            if (intersection->isTangent())
                return HandlerAnswer{};
            if (intersection->isAtEitherEndOfCurve2()) {
                crossings.usable = false;
                return HandlerAnswer{true, true};
            }
            crossings.positions.push_back(positionOnRay(ray, intersection->location()));
            return HandlerAnswer{};
        });
        if (!crossings.usable)
            return crossings;
    }
    return crossings;
}

// One container against one ray: how often it crosses the ray before and after the tested contour's extent.
// Since the two do not cross, the count on either side tells whether the container holds the contour. A
// crossing at the extent's end is the container meeting the contour there, touching it or running along it:
// that side then tells nothing, and the other side decides. A ray through a joint of the container, or one
// where both sides disagree or tell nothing, leaves the container undecided.
Verdict judgeContainer(const RayCrossings& crossings, const Extent& extent)
{
    if (!crossings.usable)
        return Verdict::undecided;
    const double slack = nearSlack(extent.minimum, extent.maximum);
    int before = 0;
    int after = 0;
    bool touchesMinimum = false;
    bool touchesMaximum = false;
    for (const double p : crossings.positions) {
        if (std::fabs(p - extent.minimum) <= slack)
            touchesMinimum = true;
        else if (std::fabs(p - extent.maximum) <= slack)
            touchesMaximum = true;
        else if (p < extent.minimum)
            ++before;
        else if (p > extent.maximum)
            ++after;
    }
    const Verdict fromBefore = before % 2 == 1 ? Verdict::inside : Verdict::outside;
    const Verdict fromAfter = after % 2 == 1 ? Verdict::inside : Verdict::outside;
    if (!touchesMinimum && !touchesMaximum)
        return fromBefore == fromAfter ? fromBefore : Verdict::undecided;
    if (!touchesMinimum)
        return fromBefore;
    if (!touchesMaximum)
        return fromAfter;
    return Verdict::undecided;
}

// How far from the contour's bounds, along the ray, the measured extent can reach: a meeting is reported
// where the points of the two curves agree within the intersection search's slack, which grows with the
// sizes of the two curves' control boxes, or at a joint of the contour within a hair of it. Four times that
// is plenty.
double extentReach(const BezierCurve& ray, const std::vector<BezierCurve*>& nearEdges,
                   const graphics::Rect& contourBounds)
{
    const graphics::Rect rayBox = ray.data().boundingRect();
    double edgeSize = 0;
    for (const BezierCurve* edge : nearEdges) {
        const graphics::Rect box = edge->data().boundingRect();
        edgeSize = std::max(edgeSize, box.width() + box.height());
    }
    const double size = rayBox.width() + rayBox.height() + edgeSize;
    const double scale = 1 + std::max({std::fabs(rayBox.minX()), std::fabs(rayBox.maxX()),
                                       std::fabs(rayBox.minY()), std::fabs(rayBox.maxY()),
                                       std::fabs(contourBounds.minX()), std::fabs(contourBounds.maxX()),
                                       std::fabs(contourBounds.minY()), std::fabs(contourBounds.maxY())});
    return 4 * std::max(1e-3, 1e-5 * size) + 1e-6 * scale;
}

} // namespace

namespace {

// How far the bounds of a holder may fall short of those they hold.
double holdingSlack(const graphics::Rect& outer)
{
    return nearSlack(std::min(outer.minX(), outer.minY()), std::max(outer.maxX(), outer.maxY()));
}

} // namespace

// A contour that crosses nothing can lie inside another only within its bounds.
bool boundsHold(const graphics::Rect& outer, const graphics::Rect& inner)
{
    const double slack = holdingSlack(outer);
    return outer.minX() <= inner.minX() + slack && outer.minY() <= inner.minY() + slack &&
           inner.maxX() <= outer.maxX() + slack && inner.maxY() <= outer.maxY() + slack;
}

std::vector<int> BezierGraph::boundsHolders(const BezierContour& contour, const BezierContour* skipped) const
{
    std::vector<int> holders;
    auto consider = [this, &contour, skipped, &holders](std::size_t i) {
        const BezierContour& other = *m_contours[i];
        if (&other != skipped && !other.edges().empty() && boundsHold(other.bounds(), contour.bounds()))
            holders.push_back(int(i));
    };
    // Every contour against every other is quadratic; with many contours, a tree of their bounds finds
    // those that can hold a box. Few are quicker read in turn.
    if (m_contours.size() < boundsTreeWorthwhile) {
        for (std::size_t i = 0; i < m_contours.size(); ++i)
            consider(i);
        return holders;
    }
    const std::size_t edges = edgeCount();
    if (!m_boundsTree || m_boundsTreeEdges != edges) {
        std::vector<Box> boxes;
        m_boundsTreeSlack = 0;
        for (const auto& contour : m_contours) {
            const graphics::Rect rect = contour->bounds();
            boxes.push_back({rect.minX(), rect.minY(), rect.maxX(), rect.maxY()});
            if (!contour->edges().empty())
                m_boundsTreeSlack = std::max(m_boundsTreeSlack, holdingSlack(rect));
        }
        m_boundsTree = std::make_unique<BoxTree>(boxes);
        m_boundsTreeEdges = edges;
    }
    // A holder lies within the slack of the box it holds: the box grown by the largest slack meets it.
    const graphics::Rect inner = contour.bounds();
    const Box box{inner.minX(), inner.minY(), inner.maxX(), inner.maxY()};
    m_boundsTree->forEachMeeting(box.grownBy(m_boundsTreeSlack), consider);
    std::sort(holders.begin(), holders.end());
    return holders;
}

bool BezierGraph::encloses(const BezierContour& contour) const
{
    if (!rectsMightOverlap(bounds(), contour.bounds()))
        return false;
    return holderCount(contour, boundsHolders(contour, nullptr)) % 2 == 1;
}

bool BezierGraph::isHole(const BezierContour& contour) const
{
    // The contours that cross this one (before crossing contours were resolved) cannot hold it.
    std::vector<int> candidates = boundsHolders(contour, &contour);
    std::erase_if(candidates,
                  [this, &contour](int i) { return m_contours[std::size_t(i)]->hasSelfCrossing(contour); });
    return holderCount(contour, candidates) % 2 == 1;
}

int BezierGraph::holderCount(const BezierContour& contour, const std::vector<int>& candidates) const
{
    if (candidates.empty())
        return 0;
    const graphics::Rect graphBounds = bounds();
    const graphics::Rect contourBounds = contour.bounds();
    const double width = contourBounds.width();
    const double height = contourBounds.height();
    if (!std::isfinite(width) || !std::isfinite(height))
        return 0;
    const double size = std::max(std::ceil(width), std::ceil(height));
    if (size <= 0)
        return 0;
    // Beyond the ray budget the division count no longer matters; this also keeps the integer in range.
    const int count = size > maximumRays ? maximumRays : int(size);

    const auto own = std::find_if(m_contours.begin(), m_contours.end(),
                                  [&contour](const auto& candidate) { return candidate.get() == &contour; });
    const int ownIndex = own != m_contours.end() ? int(own - m_contours.begin()) : -1;
    // With the graph's edge tree at hand, each ray reads only the edges it may meet; without it, every edge
    // of the contours asked.
    const EdgeTree* tree = builtEdgeTree();
    const double left = std::min(graphBounds.minX(), contourBounds.minX()) - rayOverhang;
    const double right = std::max(graphBounds.maxX(), contourBounds.maxX()) + rayOverhang;
    const double bottom = std::min(graphBounds.minY(), contourBounds.minY()) - rayOverhang;
    const double top = std::max(graphBounds.maxY(), contourBounds.maxY()) + rayOverhang;
    // Each container's answer depends only on the two contours and the rays: the first ray that decides it.
    // One the contour remembers from an earlier test along the same rays is taken as it is.
    const BezierContour::RaySpan span{left, bottom, right, top};
    std::vector<Verdict> verdicts(candidates.size(), Verdict::undecided);
    std::vector<bool> remembered(candidates.size(), false);
    std::size_t undecided = candidates.size();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (const std::optional<bool> holds =
                contour.rememberedHolding(m_contours[std::size_t(candidates[i])], span)) {
            verdicts[i] = *holds ? Verdict::inside : Verdict::outside;
            remembered[i] = true;
            --undecided;
        }
    }
    std::vector<EdgeTree::Item> near;
    std::vector<BezierCurve*> edges;
    std::vector<BezierCurve*> ownEdges;
    auto edgesOf = [&](int contourIndex,
                       std::vector<BezierCurve*>& into) -> const std::vector<BezierCurve*>& {
        into.clear();
        if (tree == nullptr) {
            for (const auto& edge : m_contours[std::size_t(contourIndex)]->edges())
                into.push_back(edge.get());
            return into;
        }
        auto item = std::lower_bound(near.begin(), near.end(), contourIndex,
                                     [](const EdgeTree::Item& a, int c) { return a.contour < c; });
        for (; item != near.end() && item->contour == contourIndex; ++item)
            into.push_back(item->edge);
        return into;
    };
    auto tryRay = [&](BezierCurve& ray) {
        if (tree != nullptr) {
            near.clear();
            tree->forEachNear(controlBox(ray.data()),
                              [&near](const EdgeTree::Item& item) { near.push_back(item); });
            std::sort(near.begin(), near.end(), [](const EdgeTree::Item& a, const EdgeTree::Item& b) {
                return std::tie(a.contour, a.index) < std::tie(b.contour, b.index);
            });
        }
        // The containers' crossings come first: where none lies near the contour's span along the ray, only
        // whether the ray meets the contour matters, not where, and the first meeting settles that.
        std::vector<RayCrossings> crossings(candidates.size());
        bool usable = false;
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (verdicts[i] != Verdict::undecided)
                continue;
            crossings[i] = crossingsAlong(edgesOf(candidates[i], edges), ray);
            usable = usable || crossings[i].usable;
        }
        if (!usable)
            return;
        if (ownIndex >= 0)
            edgesNearRay(edgesOf(ownIndex, edges), ray, ownEdges);
        else
            edgesNearRay(contour.edges(), ray, ownEdges);
        const double reach = extentReach(ray, ownEdges, contourBounds);
        const double spanMinimum = positionOnRay(ray, {contourBounds.minX(), contourBounds.minY()}) - reach;
        const double spanMaximum = positionOnRay(ray, {contourBounds.maxX(), contourBounds.maxY()}) + reach;
        bool clear = true;
        for (std::size_t i = 0; i < candidates.size() && clear; ++i)
            if (verdicts[i] == Verdict::undecided && crossings[i].usable)
                for (const double p : crossings[i].positions)
                    if (!(p < spanMinimum - reach || p > spanMaximum + reach))
                        clear = false;
        std::optional<Extent> extent = measureContour(ownEdges, ray, clear);
        if (!extent)
            return;
        if (clear)
            extent = Extent{spanMinimum, spanMaximum};
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (verdicts[i] != Verdict::undecided)
                continue;
            verdicts[i] = judgeContainer(crossings[i], *extent);
            if (verdicts[i] != Verdict::undecided)
                --undecided;
        }
    };

    int raysTried = 0;
    for (int division = 2; division <= 2 * count && undecided > 0 && raysTried < maximumRays; ++division) {
        // Each ray's position is computed from its index: accumulating the step can stall on huge
        // coordinates or tiny steps. Rays stay strictly inside the bounds (index below the division), a
        // little off the even fractions: a pixel outline has a joint on every whole coordinate, and a ray
        // there tells nothing.
        // Rays at the division's positions from low towards high, each made by makeRay from its position.
        const auto tryRaysAlong = [&](double low, double high, double length, const auto& makeRay) {
            const double step = length / division;
            for (int k = 1; k < division && undecided > 0 && raysTried < maximumRays; ++k) {
                const double at = low + (k + rayNudge) * step;
                if (!(at < high))
                    break;
                ++raysTried;
                tryRay(*makeRay(at));
            }
        };
        tryRaysAlong(contourBounds.minY(), contourBounds.maxY(), height, [&](double y) {
            return BezierCurve::line(graphics::Point{left, y}, graphics::Point{right, y});
        });
        tryRaysAlong(contourBounds.minX(), contourBounds.maxX(), width, [&](double x) {
            return BezierCurve::line(graphics::Point{x, bottom}, graphics::Point{x, top});
        });
    }
    // Containers left undecided when the rays run out count as not holding the contour.
    for (std::size_t i = 0; i < candidates.size(); ++i)
        if (!remembered[i])
            contour.rememberHolding(m_contours[std::size_t(candidates[i])], span,
                                    verdicts[i] == Verdict::inside);
    return int(std::count(verdicts.begin(), verdicts.end(), Verdict::inside));
}

} // namespace pelorama::geometry
