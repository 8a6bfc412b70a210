#include "geometry/EdgeOverlapRun.h"

#include "geometry/AngleRange.h"
#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/EdgeOverlap.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"

#include <algorithm>
#include <optional>

namespace pelorama::geometry {

namespace {

// How much of a contour's parameter length, summed over its edges, a complete run may leave uncovered.
constexpr double completeSlack = 0.1;

struct RunEnds
{
    BezierCurve* left;
    BezierCurve* right;
};

RunEnds edge1Ends(const EdgeOverlap& first, const EdgeOverlap& last)
{
    return {first.range().curve1Before(*first.edge1()), last.range().curve1After(*last.edge1())};
}

// The second contour's curves on either side of the run. Overlaps are in the first contour's order; where
// the second contour runs the other way it reaches the run at the last overlap and leaves it at the first.
RunEnds edge2Ends(const EdgeOverlap& first, const EdgeOverlap& last)
{
    const EdgeOverlap& entered = first.range().reversed() ? last : first;
    const EdgeOverlap& left = first.range().reversed() ? first : last;
    return {entered.range().curve2Before(*entered.edge2()), left.range().curve2After(*left.edge2())};
}

EdgeOverlapRun::Tangents tangentsAt(const RunEnds& ends, double offset)
{
    return {TangentPair{ends.left->endTangent(offset), ends.right->startTangent(offset)},
            std::min(ends.left->data().length(), ends.right->data().length())};
}

// Both ends of a run leave in one direction: seen from the run, the contour does not turn.
bool armsCoincide(const TangentPair& pair)
{
    return tangentsAreAmbiguous(TangentPair{pair.left, pair.left}, TangentPair{pair.right, pair.right});
}

// Whether a direction out of a point of the first contour lies to its left, the contour coming back along
// `back` and going on along `on`; nothing when it runs along either.
std::optional<bool> liesLeft(const graphics::Point& back, const graphics::Point& on,
                             const graphics::Point& direction)
{
    const double backAngle = polarAngle(back), onAngle = polarAngle(on), angle = polarAngle(direction);
    if (angleRangeContainsAngle(AngleRange{onAngle, backAngle}, angle))
        return true;
    if (angleRangeContainsAngle(AngleRange{backAngle, onAngle}, angle))
        return false;
    return std::nullopt;
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
    if (m_overlaps.empty() || !m_overlaps.back()->continuesInto(*m_overlaps.front()))
        return false;
    // The run must also cover the whole first contour: a short overlap where two curves nearly touch goes
    // on into itself within the continuity tolerance.
    const BezierContour* contour = m_overlaps.front()->edge1()->contour;
    if (contour == nullptr)
        return true;
    double covered = 0;
    for (const auto& overlap : m_overlaps)
        covered += overlap->range().parameterRange1().size();
    const auto edges = std::count_if(contour->edges().begin(), contour->edges().end(),
                                     [](const auto& edge) { return !edge->data().isPoint(); });
    return covered > double(edges) - completeSlack;
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

std::optional<bool> EdgeOverlapRun::crossesAtEnds() const
{
    const EdgeOverlap& first = *m_overlaps.front();
    const EdgeOverlap& last = *m_overlaps.back();
    const RunEnds ends1 = edge1Ends(first, last);
    const RunEnds ends2 = edge2Ends(first, last);
    const bool reversed = first.range().reversed();
    // Where the first contour enters the run: it comes back from its curve before the run and goes on along
    // the run; where it leaves the run: it comes back along the run and goes on along its curve after.
    const graphics::Point enterBack = ends1.left->endTangent(0);
    const graphics::Point enterOn = first.range().curve1MiddleBezier()->startTangent(0);
    const graphics::Point leaveBack = last.range().curve1MiddleBezier()->endTangent(0);
    const graphics::Point leaveOn = ends1.right->startTangent(0);
    // The second contour's curve off the run at each of those two ends.
    const graphics::Point otherAtEnter = reversed ? ends2.right->startTangent(0) : ends2.left->endTangent(0);
    const graphics::Point otherAtLeave = reversed ? ends2.left->endTangent(0) : ends2.right->startTangent(0);
    const std::optional<bool> enterLeft = liesLeft(enterBack, enterOn, otherAtEnter);
    const std::optional<bool> leaveLeft = liesLeft(leaveBack, leaveOn, otherAtLeave);
    if (!enterLeft || !leaveLeft)
        return std::nullopt;
    return *enterLeft != *leaveLeft;
}

bool EdgeOverlapRun::isCrossing() const
{
    if (m_overlaps.empty())
        return false;
    // Each end of the run is judged where it lies: the second contour leaves the run to the left or the right
    // of the first. Only when it leaves along the first at an end is the run seen as one point below.
    if (const std::optional<bool> crossing = crossesAtEnds())
        return *crossing;
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
    // Directions that tell the sides apart decide, as they do where two edges meet at a point. Only where
    // they cannot (the second contour leaves along the first, or either leaves both ends the same way) are
    // points beside the run asked: a unit away, on a pixel outline, they often lie on the second contour.
    if (!tangentsAreAmbiguous(tangents1.pair, tangents2.pair) && !armsCoincide(tangents1.pair) &&
        !armsCoincide(tangents2.pair))
        return false;

    const TestPoints points = edge1TestPoints(1.0);
    const BezierContour* contour = m_overlaps.front()->edge2()->contour;
    if (contour == nullptr)
        return false;
    return contour->enclosesPoint(points.before) != contour->enclosesPoint(points.after);
}

void EdgeOverlapRun::addCrossings()
{
    if (m_overlaps.empty())
        return;
    m_overlaps[m_overlaps.size() / 2]->addMiddleCrossing();
}

bool EdgeOverlapRun::containsParameter(double parameter, const BezierCurve& edge) const
{
    // The run covers one stretch of the edge, made of the ranges of all its overlaps on it: a long edge of
    // one contour can lie along several short ones of the other. At an end of the edge the stretch goes on
    // when the run also covers the neighbouring edge there, whichever way the contours run.
    bool found = false;
    double low = 1, high = 0;
    bool onPrevious = false, onNext = false;
    const BezierCurve* previous = edge.previous();
    const BezierCurve* next = edge.next();
    for (const auto& overlap : m_overlaps) {
        for (const bool first : {true, false}) {
            const BezierCurve& candidate = first ? *overlap->edge1() : *overlap->edge2();
            if (candidate == edge) {
                const Range& range =
                    first ? overlap->range().parameterRange1() : overlap->range().parameterRange2();
                low = std::min(low, range.minimum);
                high = std::max(high, range.maximum);
                found = true;
            } else if (candidate == *previous) {
                onPrevious = true;
            } else if (candidate == *next) {
                onNext = true;
            }
        }
    }
    if (!found)
        return false;
    const bool startExtends = onPrevious && isClose(low, 0.0, overlapContinuityTolerance);
    const bool stopExtends = onNext && isClose(high, 1.0, overlapContinuityTolerance);
    const bool lower = startExtends ? parameter >= 0 : parameter > low;
    const bool upper = stopExtends ? parameter <= 1 : parameter < high;
    return lower && upper;
}

} // namespace pelorama::geometry
