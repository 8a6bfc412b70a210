// Recording and cleaning the crossings between two graphs and within one graph.

#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierGraph.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/BezierIntersection.h"
#include "geometry/ContourOverlap.h"
#include "geometry/CurveIntersection.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/EdgeOverlapRun.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"

namespace pelorama::geometry {

namespace {

// Cheap rejection before the intersection search: control-point boxes first, then the tight boxes.
bool edgesMightMeet(const BezierCurve& edge1, const BezierCurve& edge2)
{
    return rectsMightOverlap(edge1.data().boundingRect(), edge2.data().boundingRect()) &&
           rectsMightOverlap(edge1.data().bounds(), edge2.data().bounds());
}

void removeWithCounterpart(const std::shared_ptr<EdgeCrossing>& crossing)
{
    EdgeCrossing* counterpart = crossing->counterpart();
    if (crossing->edge != nullptr)
        crossing->edge->removeCrossing(crossing.get());
    if (counterpart != nullptr && counterpart->edge != nullptr)
        counterpart->edge->removeCrossing(counterpart);
}

} // namespace

void BezierGraph::insertCrossings(BezierGraph& other)
{
    for (const auto& contour1 : m_contours) {
        for (const auto& contour2 : other.m_contours) {
            auto overlap = std::make_shared<ContourOverlap>();
            for (const auto& sharedEdge1 : contour1->edges()) {
                for (const auto& sharedEdge2 : contour2->edges()) {
                    BezierCurve& edge1 = *sharedEdge1;
                    BezierCurve& edge2 = *sharedEdge2;
                    if (!edgesMightMeet(edge1, edge2))
                        continue;
                    auto range =
                        findIntersections(edge1, edge2, [&](const std::shared_ptr<BezierIntersection>& x) {
                            if (x->isAtStartOfCurve1())
                                edge1.startShared = true;
                            if (x->isAtEndOfCurve1())
                                edge1.next()->startShared = true;
                            if (x->isAtStartOfCurve2())
                                edge2.startShared = true;
                            if (x->isAtEndOfCurve2())
                                edge2.next()->startShared = true;
                            if (edge1.crossesEdge(edge2, *x))
                                addCrossingPair(x, edge1, edge2, false, false);
                            return HandlerAnswer{};
                        });
                    if (range)
                        overlap->addOverlap(range, &edge1, &edge2);
                }
            }
            const auto& runs = overlap->runs();
            if (!(runs.size() == 1 && runs.front()->isComplete())) {
                for (const auto& run : runs)
                    if (run->isCrossing())
                        run->addCrossings();
            }
            contour1->addOverlap(overlap);
            contour2->addOverlap(overlap);
        }
    }
}

void BezierGraph::insertSelfCrossings()
{
    std::vector<BezierContour*> remaining;
    for (const auto& contour : m_contours)
        remaining.push_back(contour.get());
    while (!remaining.empty()) {
        BezierContour* contour1 = remaining.back();
        for (BezierContour* contour2 : remaining) {
            if (contour2 == contour1)
                continue;
            if (!rectsMightOverlap(contour1->boundingRect(), contour2->boundingRect()) ||
                !rectsMightOverlap(contour1->bounds(), contour2->bounds()))
                continue;
            for (const auto& sharedEdge1 : contour1->edges()) {
                for (const auto& sharedEdge2 : contour2->edges()) {
                    BezierCurve& edge1 = *sharedEdge1;
                    BezierCurve& edge2 = *sharedEdge2;
                    if (!edgesMightMeet(edge1, edge2))
                        continue;
                    // Self crossings record no overlaps: a returned range is dropped.
                    findIntersections(edge1, edge2, [&](const std::shared_ptr<BezierIntersection>& x) {
                        if (x->isAtStartOfCurve1())
                            edge1.startShared = true;
                        else if (isParameterAtEnd(x->parameter1()))
                            edge1.next()->startShared = true;
                        if (x->isAtStartOfCurve2())
                            edge2.startShared = true;
                        else if (isParameterAtEnd(x->parameter2()))
                            edge2.next()->startShared = true;
                        if (edge1.crossesEdge(edge2, *x))
                            addCrossingPair(x, edge1, edge2, true, false);
                        return HandlerAnswer{};
                    });
                }
            }
        }
        remaining.pop_back();
    }
    for (const auto& contour : m_contours)
        if (!contour->edges().empty())
            contour->setInside(isHole(*contour) ? ContourInside::hole : ContourInside::filled);
}

bool BezierGraph::isHole(const BezierContour& contour) const
{
    const graphics::Point point = contour.testPoint();
    const graphics::Rect rect = bounds();
    const double x = point.x > rect.minX() ? rect.minX() - 10 : rect.maxX() + 10;
    auto ray = BezierCurve::line(point, graphics::Point{x, point.y});
    int count = 0;
    for (const auto& other : m_contours) {
        if (other->edges().empty() || other.get() == &contour || other->hasSelfCrossing(contour))
            continue;
        count += other->numberOfIntersections(*ray);
    }
    return count % 2 == 1;
}

void BezierGraph::removeDuplicateCrossings()
{
    for (const auto& contour : m_contours) {
        for (const auto& edge : contour->edges()) {
            const auto snapshot = edge->crossings;
            for (const auto& crossing : snapshot) {
                if (crossing->edge == nullptr)
                    continue;
                BezierCurve* previous = crossing->edge->previous();
                if (!previous->crossings.empty()) {
                    const auto last = previous->crossings.back();
                    if (crossing->isAtStart() && last->isAtEnd())
                        removeWithCounterpart(crossing);
                }
                BezierCurve* next = crossing->edge->next();
                if (!next->crossings.empty()) {
                    const auto first = next->crossings.front();
                    if (crossing->isAtEnd() && first->isAtStart())
                        removeWithCounterpart(first);
                }
            }
        }
    }
}

void BezierGraph::removeCrossingsInOverlaps()
{
    for (const auto& contour : m_contours) {
        for (const auto& edge : contour->edges()) {
            const auto snapshot = edge->crossings;
            for (const auto& crossing : snapshot) {
                if (crossing->fromCrossingOverlap)
                    continue;
                for (const auto& overlap : contour->overlaps()) {
                    if (overlap->containsCrossing(*crossing)) {
                        removeWithCounterpart(crossing);
                        break;
                    }
                }
            }
        }
    }
}

void BezierGraph::removeCrossings()
{
    for (const auto& contour : m_contours)
        for (const auto& edge : contour->edges())
            edge->crossings.clear();
}

void BezierGraph::removeOverlaps()
{
    for (const auto& contour : m_contours)
        contour->removeOverlaps();
}

} // namespace pelorama::geometry
