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

#include <algorithm>

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
    if (!m_bounds.isNull())
        return m_bounds;
    if (m_edges.empty())
        return graphics::Rect::zero();
    graphics::Rect result = graphics::Rect::zero();
    for (const auto& edge : m_edges) {
        const graphics::Rect rect = edge->data().bounds();
        result = result == graphics::Rect::zero() ? rect : result.united(rect);
    }
    m_bounds = result;
    return m_bounds;
}

graphics::Rect BezierContour::boundingRect() const
{
    if (!m_boundingRect.isNull())
        return m_boundingRect;
    if (m_edges.empty())
        return graphics::Rect::zero();
    graphics::Rect result = graphics::Rect::zero();
    for (const auto& edge : m_edges) {
        const graphics::Rect rect = edge->data().boundingRect();
        result = result == graphics::Rect::zero() ? rect : result.united(rect);
    }
    m_boundingRect = result;
    return m_boundingRect;
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
    return edge->data().point(0.5).point;
}

BezierContour::TestLocation BezierContour::testLocation() const
{
    BezierCurve* start = startEdge();
    if (!start->startShared)
        return {start, 0.0, start->data().endPoint1};
    BezierCurve* edge = start;
    while (overlapsCover(*edge, 0.5)) {
        edge = edge->next();
        if (edge == start)
            break;
    }
    return {edge, 0.5, edge->data().point(0.5).point};
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

bool BezierContour::containsByTestLine(const graphics::Point& point) const
{
    const graphics::Rect rect = bounds();
    if (!boundingRect().contains(point) || !rect.contains(point))
        return false;
    const double x = point.x <= rect.minX() ? rect.maxX() + 10 : rect.minX() - 10;
    auto testLine = BezierCurve::line(point, graphics::Point{x, point.y});
    return numberOfIntersections(*testLine) % 2 == 1;
}

bool BezierContour::contains(const graphics::Point& point) const
{
    int n = containsByTestLine(point) ? 1 : 0;
    std::vector<BezierContour*> tied;
    addSelfCrossedContours(tied, this);
    for (const BezierContour* contour : tied)
        if (contour->containsByTestLine(point))
            ++n;
    return n % 2 == 1;
}

} // namespace pelorama::geometry
