#include "geometry/BezierContour.h"

#include "geometry/BezierCurve.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/BezierIntersection.h"
#include "geometry/ContourOverlap.h"
#include "geometry/CurveIntersection.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/EdgeOverlapRun.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"
#include "geometry/VectorMath.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace pelorama::geometry {

namespace {

bool listHolds(const std::vector<BezierContour*>& contours, const BezierContour* contour)
{
    return std::find(contours.begin(), contours.end(), contour) != contours.end();
}

} // namespace

BezierContour::BezierContour()
    : m_bounds(graphics::Rect::null())
    , m_boundingRect(graphics::Rect::null())
{}

BezierContour::~BezierContour()
{
    // Edges shared with a result graph may outlive this contour; they must not point back at it.
    for (const auto& edge : m_edges)
        if (edge->contour == this)
            edge->contour = nullptr;
}

void BezierContour::addEdge(std::shared_ptr<BezierCurve> edge)
{
    if (!edge)
        return;
    edge->contour = this;
    edge->index = int(m_edges.size());
    m_edges.push_back(std::move(edge));
    m_bounds = graphics::Rect::null();
    m_boundingRect = graphics::Rect::null();
}

graphics::Rect BezierContour::bounds() const
{
    return unitedEdgeRects(m_bounds, &BezierCurveData::bounds);
}

graphics::Rect BezierContour::boundingRect() const
{
    return unitedEdgeRects(m_boundingRect, &BezierCurveData::boundingRect);
}

graphics::Rect BezierContour::unitedEdgeRects(graphics::Rect& cache,
                                              graphics::Rect (BezierCurveData::*edgeRect)() const) const
{
    if (!cache.isNull())
        return cache;
    if (m_edges.empty())
        return graphics::Rect::zero();
    graphics::Rect result = graphics::Rect::zero();
    for (const auto& edge : m_edges) {
        const graphics::Rect rect = (edge->data().*edgeRect)();
        result = result == graphics::Rect::zero() ? rect : result.united(rect);
    }
    cache = result;
    return cache;
}

BezierCurve* BezierContour::startEdge() const
{
    if (m_edges.empty())
        return nullptr;
    BezierCurve* first = m_edges.front().get();
    if (!first->startShared)
        return first;
    for (BezierCurve* edge = first->next(); edge != first; edge = edge->next())
        if (!edge->startShared)
            return edge;
    return first;
}

graphics::Point BezierContour::testPoint() const
{
    BezierCurve* start = startEdge();
    if (start == nullptr)
        return {};
    if (!start->startShared)
        return start->data().endPoint1;
    BezierCurve* edge = start;
    while (overlapsCover(*edge, 0.5)) {
        edge = edge->next();
        if (edge->data().isEqual(start->data(), pointTolerance))
            break;
    }
    return edge->data().pointAt(0.5);
}

BezierContour::TestLocation BezierContour::testLocation() const
{
    BezierCurve* start = startEdge();
    // A crossing a hair from the joint is not at it, yet the joint then lies too near the other outline for
    // a containment test to tell its side.
    auto crossingNear = [](const BezierCurve& edge, bool atStart) {
        return std::any_of(edge.crossings.begin(), edge.crossings.end(), [atStart](const auto& crossing) {
            return atStart ? isParameterAtStart(crossing->parameter())
                           : isParameterAtEnd(crossing->parameter());
        });
    };
    if (!start->startShared && !crossingNear(*start, true) && !crossingNear(*start->previous(), false))
        return {start, 0.0, start->data().endPoint1};
    // Every usable joint meets the other contour: take the middle of the widest stretch of an edge between
    // its crossings that no shared stretch covers. The middle of a whole edge can be a crossing itself.
    BezierCurve* edge = start;
    std::vector<double> cuts;
    do {
        cuts = {0.0, 1.0};
        for (const auto& crossing : edge->crossings)
            cuts.push_back(crossing->parameter());
        std::sort(cuts.begin(), cuts.end());
        std::vector<std::pair<double, double>> gaps;
        for (std::size_t i = 0; i + 1 < cuts.size(); ++i)
            gaps.emplace_back(cuts[i + 1] - cuts[i], (cuts[i] + cuts[i + 1]) / 2);
        std::sort(gaps.begin(), gaps.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        for (const auto& [width, middle] : gaps)
            if (width > 0 && !overlapsCover(*edge, middle))
                return {edge, middle, edge->data().pointAt(middle)};
        edge = edge->next();
    } while (edge != start);
    return {start, 0.5, start->data().pointAt(0.5)};
}

void BezierContour::close()
{
    if (m_edges.empty())
        return;
    const graphics::Point first = m_edges.front()->data().endPoint1;
    const graphics::Point last = m_edges.back()->data().endPoint2;
    if (arePointsClose(first, last, pointTolerance))
        return;
    addEdge(BezierCurve::line(last, first));
}

double BezierContour::signedArea() const
{
    // Green's theorem over each cubic, in closed form: the sum over pairs of its four points of a weight
    // times their cross product. A straight edge (control points at thirds) comes out as its chord's share.
    auto cross = [](const graphics::Point& a, const graphics::Point& b) {
        return a.x * b.y - a.y * b.x;
    };
    double area = 0;
    for (const auto& edge : m_edges) {
        const BezierCurveData& d = edge->data();
        area += 0.3 * cross(d.endPoint1, d.controlPoint1) + 0.15 * cross(d.endPoint1, d.controlPoint2) +
                0.05 * cross(d.endPoint1, d.endPoint2) + 0.15 * cross(d.controlPoint1, d.controlPoint2) +
                0.15 * cross(d.controlPoint1, d.endPoint2) + 0.3 * cross(d.controlPoint2, d.endPoint2);
    }
    return area;
}

std::vector<BezierContour*> BezierContour::intersectingContours() const
{
    std::vector<BezierContour*> result;
    for (const auto& edge : m_edges) {
        for (const auto& crossing : edge->crossings) {
            if (crossing->selfCrossing)
                continue;
            const EdgeCrossing* counterpart = crossing->counterpart();
            if (counterpart == nullptr || counterpart->edge == nullptr ||
                counterpart->edge->contour == nullptr)
                continue;
            BezierContour* contour = counterpart->edge->contour;
            if (!listHolds(result, contour))
                result.push_back(contour);
        }
    }
    return result;
}

void BezierContour::addSelfCrossedContours(std::vector<BezierContour*>& contours,
                                           const BezierContour* excluding) const
{
    for (const auto& edge : m_edges) {
        for (const auto& crossing : edge->crossings) {
            if (!crossing->selfCrossing)
                continue;
            const EdgeCrossing* counterpart = crossing->counterpart();
            if (counterpart == nullptr || counterpart->edge == nullptr)
                continue;
            BezierContour* contour = counterpart->edge->contour;
            if (contour == nullptr || contour == excluding || listHolds(contours, contour))
                continue;
            contours.push_back(contour);
            contour->addSelfCrossedContours(contours, excluding);
        }
    }
}

bool BezierContour::overlapsCover(const BezierCurve& edge, double parameter) const
{
    for (const auto& overlap : m_overlaps)
        for (const auto& run : overlap->runs())
            if (run->containsParameter(parameter, edge))
                return true;
    return false;
}

bool BezierContour::hasSelfCrossing(const BezierContour& other) const
{
    for (const auto& edge : m_edges) {
        for (const auto& crossing : edge->crossings) {
            if (!crossing->selfCrossing)
                continue;
            const EdgeCrossing* counterpart = crossing->counterpart();
            if (counterpart != nullptr && counterpart->edge != nullptr &&
                counterpart->edge->contour == &other)
                return true;
        }
    }
    return false;
}

int BezierContour::numberOfIntersections(BezierCurve& curve) const
{
    std::vector<BezierCurve*> edges;
    edges.reserve(m_edges.size());
    for (const auto& edge : m_edges)
        edges.push_back(edge.get());
    return numberOfIntersections(curve, edges);
}

int BezierContour::numberOfIntersections(BezierCurve& curve, const std::vector<BezierCurve*>& edges) const
{
    int count = 0;
    std::shared_ptr<BezierIntersection> firstCounted;
    std::shared_ptr<BezierIntersection> lastCounted;
    for (BezierCurve* listed : edges) {
        BezierCurve& edge = *listed;
        if (!rectsMightOverlap(curve.data().boundingRect(), edge.data().boundingRect()) ||
            !rectsMightOverlap(curve.data().bounds(), edge.data().bounds()))
            continue;
        auto range =
            findIntersections(curve, edge, [&](const std::shared_ptr<BezierIntersection>& intersection) {
                if (!curve.crossesEdge(edge, *intersection))
                    return HandlerAnswer{};
                if (edge.data().isPoint())
                    return HandlerAnswer{};
                bool counted = false;
                if (intersection->isAtStartOfCurve2() && lastCounted) {
                    if (lastCounted->isAtEitherEndOfCurve2() && lastCounted->curve2() == edge.previous())
                        return HandlerAnswer{};
                    counted = true;
                }
                if (!counted && intersection->isAtEitherEndOfCurve2() && firstCounted) {
                    if (firstCounted->isAtStartOfCurve2() && firstCounted->curve2() == edge.next())
                        return HandlerAnswer{};
                }
                ++count;
                if (!firstCounted)
                    firstCounted = intersection;
                lastCounted = intersection;
                return HandlerAnswer{};
            });
        if (range && curve.crossesEdge(edge, *range))
            ++count;
    }
    return count;
}

std::optional<bool> BezierContour::rayParity(const graphics::Point& point,
                                             const graphics::Point& direction) const
{
    const graphics::Rect rect = bounds();
    const double reach = rect.width() + rect.height() + std::fabs(point.x - rect.midX()) +
                         std::fabs(point.y - rect.midY()) + 10;
    auto ray = BezierCurve::line(point, add(point, scale(direction, reach)));
    int count = 0;
    bool usable = true;
    for (const auto& sharedEdge : m_edges) {
        BezierCurve& edge = *sharedEdge;
        if (!rectsMightOverlap(ray->data().boundingRect(), edge.data().boundingRect()) ||
            !rectsMightOverlap(ray->data().bounds(), edge.data().bounds()))
            continue;
        const auto range = findIntersections(*ray, edge, [&](const std::shared_ptr<BezierIntersection>& x) {
            if (x->isAtEitherEndOfCurve2() || x->isAtStartOfCurve1() || x->isTangent()) {
                usable = false;
                return HandlerAnswer{true, true};
            }
            ++count;
            return HandlerAnswer{};
        });
        if (range)
            usable = false;
        if (!usable)
            return std::nullopt;
    }
    return count % 2 == 1;
}

bool BezierContour::enclosesPoint(const graphics::Point& point) const
{
    const graphics::Rect rect = bounds();
    if (!boundingRect().contains(point) || !rect.contains(point))
        return false;
    // A ray that meets the outline at a joint, runs along it or touches it tells nothing by itself: pixel
    // outlines put joints and straight runs on every whole coordinate. The horizontal ray comes first, then
    // the vertical one, then two with slopes no outline of whole or half coordinates shares.
    const double towards = point.x <= rect.minX() ? 1.0 : -1.0;
    const graphics::Point directions[] = {{towards, 0}, {0, 1}, {0.8412, 0.5407}, {-0.3921, 0.9199}};
    for (const graphics::Point& direction : directions)
        if (const std::optional<bool> parity = rayParity(point, direction))
            return *parity;
    auto testLine =
        BezierCurve::line(point, graphics::Point{point.x + towards * (rect.width() + 10), point.y});
    return numberOfIntersections(*testLine) % 2 == 1;
}

namespace {

// Spans are told apart bit for bit: the test lines are made from these numbers.
bool sameSpan(const BezierContour::RaySpan& a, const BezierContour::RaySpan& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), [](double x, double y) {
        return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
    });
}

// The same contour, not merely one at the same address after the first is gone.
bool sameContour(const std::weak_ptr<BezierContour>& remembered,
                 const std::shared_ptr<BezierContour>& contour)
{
    return !remembered.owner_before(contour) && !contour.owner_before(remembered);
}

} // namespace

std::optional<bool> BezierContour::rememberedHolding(const std::shared_ptr<BezierContour>& container,
                                                     const RaySpan& span) const
{
    // Edges are only ever added: an answer given before the last one came is about another outline.
    for (const Holding& holding : m_holdings)
        if (holding.edges == m_edges.size() && sameContour(holding.container, container) &&
            sameSpan(holding.span, span))
            return holding.holds;
    return std::nullopt;
}

void BezierContour::rememberHolding(const std::shared_ptr<BezierContour>& container, const RaySpan& span,
                                    bool holds) const
{
    m_holdings.push_back({container, span, m_edges.size(), holds});
}

bool BezierContour::contains(const graphics::Point& point) const
{
    int n = enclosesPoint(point) ? 1 : 0;
    std::vector<BezierContour*> tied;
    addSelfCrossedContours(tied, this);
    for (const BezierContour* contour : tied)
        if (contour->enclosesPoint(point))
            ++n;
    return n % 2 == 1;
}

} // namespace pelorama::geometry
