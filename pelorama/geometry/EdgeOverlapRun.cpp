#include "geometry/EdgeOverlapRun.h"

#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/EdgeOverlap.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"

#include <algorithm>

namespace pelorama::geometry {

namespace {

struct RunEnds
{
    BezierCurve* left;
    BezierCurve* right;
};

RunEnds edge1Ends(const EdgeOverlap& first, const EdgeOverlap& last)
{
    BezierCurve* left = isParameterAtStart(first.range().parameterRange1().minimum)
                            ? first.edge1()->previousNonpoint()
                            : first.range().curve1LeftBezier().get();
    BezierCurve* right = isParameterAtEnd(last.range().parameterRange1().maximum)
                             ? last.edge1()->nextNonpoint()
                             : last.range().curve1RightBezier().get();
    return {left, right};
}

RunEnds edge2Ends(const EdgeOverlap& first, const EdgeOverlap& last)
{
    BezierCurve* left = isParameterAtStart(first.range().parameterRange2().minimum)
                            ? first.edge2()->previousNonpoint()
                            : first.range().curve2LeftBezier().get();
    BezierCurve* right = isParameterAtEnd(last.range().parameterRange2().maximum)
                             ? last.edge2()->nextNonpoint()
                             : last.range().curve2RightBezier().get();
    return {left, right};
}

EdgeOverlapRun::Tangents tangentsAt(const RunEnds& ends, double offset)
{
    return {TangentPair{ends.left->endTangent(offset), ends.right->startTangent(offset)},
            std::min(ends.left->data().length(), ends.right->data().length())};
}

} // namespace

bool EdgeOverlapRun::insertOverlap(std::shared_ptr<EdgeOverlap> overlap)
{
    if (m_overlaps.empty()) {
        m_overlaps.push_back(std::move(overlap));
        return true;
    }
    if (m_overlaps.back()->continuesInto(*overlap)) {
        m_overlaps.push_back(std::move(overlap));
        return true;
    }
    if (m_overlaps.front()->continuesFrom(*overlap)) {
        m_overlaps.insert(m_overlaps.begin(), std::move(overlap));
        return true;
    }
    return false;
}

bool EdgeOverlapRun::absorb(EdgeOverlapRun& other)
{
    if (this == &other || m_overlaps.empty() || other.m_overlaps.empty())
        return false;
    if (!m_overlaps.back()->continuesInto(*other.m_overlaps.front()))
        return false;
    m_overlaps.insert(m_overlaps.end(), other.m_overlaps.begin(), other.m_overlaps.end());
    other.m_overlaps.clear();
    return true;
}

bool EdgeOverlapRun::isComplete() const
{
    if (m_overlaps.empty())
        return false;
    return m_overlaps.back()->continuesInto(*m_overlaps.front());
}

EdgeOverlapRun::Tangents EdgeOverlapRun::edge1Tangents(double offset) const
{
    return tangentsAt(edge1Ends(*m_overlaps.front(), *m_overlaps.back()), offset);
}

EdgeOverlapRun::Tangents EdgeOverlapRun::edge2Tangents(double offset) const
{
    return tangentsAt(edge2Ends(*m_overlaps.front(), *m_overlaps.back()), offset);
}

EdgeOverlapRun::TestPoints EdgeOverlapRun::edge1TestPoints(double offset) const
{
    const RunEnds ends = edge1Ends(*m_overlaps.front(), *m_overlaps.back());
    const double leftLength = ends.left->data().length();
    const double rightLength = ends.right->data().length();
    return {ends.left->data().point(1 - std::min(leftLength, offset) / leftLength).point,
            ends.right->data().point(std::min(rightLength, offset) / rightLength).point};
}

bool EdgeOverlapRun::isCrossing() const
{
    if (m_overlaps.empty())
        return false;
    double offset = 0;
    Tangents tangents1 = edge1Tangents(offset);
    Tangents tangents2 = edge2Tangents(offset);
    while (tangentsAreAmbiguous(tangents1.pair, tangents2.pair)) {
        offset += 1.0;
        if (!(std::min(tangents1.length, tangents2.length) > offset))
            break;
        tangents1 = edge1Tangents(offset);
        tangents2 = edge2Tangents(offset);
    }
    if (tangentsCross(tangents1.pair, tangents2.pair))
        return true;

    const TestPoints points = edge1TestPoints(1.0);
    const BezierContour* contour = m_overlaps.front()->edge2()->contour;
    if (contour == nullptr)
        return false;
    auto isInside = [contour](const graphics::Point& point) {
        const graphics::Rect bounds = contour->bounds();
        if (!contour->boundingRect().contains(point) || !bounds.contains(point))
            return false;
        const double x = point.x > bounds.minX() ? bounds.minX() - 10 : bounds.maxX() + 10;
        auto testLine = BezierCurve::line(point, graphics::Point{x, point.y});
        return contour->numberOfIntersections(*testLine) % 2 == 1;
    };
    return isInside(points.before) != isInside(points.after);
}

void EdgeOverlapRun::addCrossings()
{
    if (m_overlaps.empty())
        return;
    m_overlaps[m_overlaps.size() / 2]->addMiddleCrossing();
}

bool EdgeOverlapRun::containsParameter(double parameter, const BezierCurve& edge) const
{
    if (m_overlaps.empty())
        return false;
    auto found = std::find_if(m_overlaps.begin(), m_overlaps.end(), [&edge](const auto& overlap) {
        return *overlap->edge1() == edge || *overlap->edge2() == edge;
    });
    if (found == m_overlaps.end())
        return false;
    const EdgeOverlap& overlap = **found;
    const bool startExtends = found == m_overlaps.begin() ? m_overlaps.back()->continuesInto(overlap) : true;
    const bool stopExtends = found == m_overlaps.end() - 1 ? m_overlaps.front()->continuesFrom(overlap) : true;
    return overlap.containsParameter(parameter, edge, startExtends, stopExtends);
}

} // namespace pelorama::geometry
