#include "geometry/EdgeCrossing.h"

#include "geometry/BezierCurve.h"
#include "geometry/BezierIntersection.h"
#include "geometry/Tolerances.h"

namespace pelorama::geometry {

EdgeCrossing::EdgeCrossing(std::shared_ptr<BezierIntersection> intersection)
    : m_intersection(std::move(intersection))
{}

bool EdgeCrossing::isOnCurve1() const
{
    return edge != nullptr && m_intersection->curve1()->data().isEqual(edge->data(), pointTolerance);
}

double EdgeCrossing::parameter() const
{
    return isOnCurve1() ? m_intersection->parameter1() : m_intersection->parameter2();
}

bool EdgeCrossing::isAtStart() const
{
    return isOnCurve1() ? m_intersection->isAtStartOfCurve1() : m_intersection->isAtStartOfCurve2();
}

bool EdgeCrossing::isAtEnd() const
{
    return isOnCurve1() ? m_intersection->isAtEndOfCurve1() : m_intersection->isAtEndOfCurve2();
}

std::shared_ptr<BezierCurve> EdgeCrossing::leftCurve() const
{
    if (isAtStart())
        return nullptr;
    return isOnCurve1() ? m_intersection->curve1LeftBezier() : m_intersection->curve2LeftBezier();
}

std::shared_ptr<BezierCurve> EdgeCrossing::rightCurve() const
{
    if (isAtEnd())
        return nullptr;
    return isOnCurve1() ? m_intersection->curve1RightBezier() : m_intersection->curve2RightBezier();
}

EdgeCrossing* EdgeCrossing::nextNonSelfCrossing() const
{
    if (edge == nullptr || index >= int(edge->crossings.size()) - 1)
        return nullptr;
    EdgeCrossing* candidate = edge->crossings[index + 1].get();
    while (candidate->selfCrossing) {
        if (candidate->edge == nullptr || candidate->index >= int(candidate->edge->crossings.size()) - 1)
            return nullptr;
        candidate = candidate->edge->crossings[candidate->index + 1].get();
    }
    return candidate;
}

EdgeCrossing* EdgeCrossing::previousNonSelfCrossing() const
{
    if (edge == nullptr || index < 1)
        return nullptr;
    EdgeCrossing* candidate = edge->crossings[index - 1].get();
    while (candidate->selfCrossing) {
        if (candidate->edge == nullptr || candidate->index < 1)
            return nullptr;
        candidate = candidate->edge->crossings[candidate->index - 1].get();
    }
    return candidate;
}

void addCrossingPair(const std::shared_ptr<BezierIntersection>& intersection, BezierCurve& edge1,
                     BezierCurve& edge2, bool selfCrossing, bool fromCrossingOverlap)
{
    auto first = std::make_shared<EdgeCrossing>(intersection);
    auto second = std::make_shared<EdgeCrossing>(intersection);
    first->selfCrossing = second->selfCrossing = selfCrossing;
    first->fromCrossingOverlap = second->fromCrossingOverlap = fromCrossingOverlap;
    first->setCounterpart(second);
    second->setCounterpart(first);
    first->edge = &edge1;
    edge1.addCrossing(first);
    second->edge = &edge2;
    edge2.addCrossing(second);
}

} // namespace pelorama::geometry
