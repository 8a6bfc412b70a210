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
#include "geometry/EdgeTree.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"

#include <algorithm>
#include <tuple>

namespace pelorama::geometry {

namespace {

// A pair of edges whose boxes meet, keyed by where the nested loops over contours and edges would reach it.
struct EdgePair
{
    int contour1;
    int contour2;
    int index1;
    int index2;
    BezierCurve* edge1;
    BezierCurve* edge2;

    bool operator<(const EdgePair& other) const
    {
        return std::tie(contour1, contour2, index1, index2) <
               std::tie(other.contour1, other.contour2, other.index1, other.index2);
    }
};

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
    // Pairs are searched in the order of the nested loops over contours and edges that they stand for:
    // overlap runs are built in the order their pieces are found.
    const EdgeTree& theirs = other.edgeTree();
    std::vector<EdgePair> pairs;
    for (std::size_t c = 0; c < m_contours.size(); ++c) {
        const auto& edges = m_contours[c]->edges();
        for (std::size_t e = 0; e < edges.size(); ++e)
            theirs.forEachNear(controlBox(edges[e]->data()), [&](const EdgeTree::Item& item) {
                pairs.push_back({int(c), item.contour, int(e), item.index, edges[e].get(), item.edge});
            });
    }
    std::sort(pairs.begin(), pairs.end());

    for (auto group = pairs.begin(); group != pairs.end();) {
        const auto groupEnd = std::find_if(group, pairs.end(), [&group](const EdgePair& pair) {
            return pair.contour1 != group->contour1 || pair.contour2 != group->contour2;
        });
        auto overlap = std::make_shared<ContourOverlap>();
        for (auto pair = group; pair != groupEnd; ++pair) {
            BezierCurve& edge1 = *pair->edge1;
            BezierCurve& edge2 = *pair->edge2;
            if (!edgesMightMeet(edge1, edge2))
                continue;
            auto range = findIntersections(edge1, edge2, [&](const std::shared_ptr<BezierIntersection>& x) {
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
            if (range) {
                // A stretch that reaches an edge's end puts that joint on the other contour as well.
                if (isParameterAtStart(range->parameterRange1().minimum))
                    edge1.startShared = true;
                if (isParameterAtEnd(range->parameterRange1().maximum))
                    edge1.next()->startShared = true;
                if (isParameterAtStart(range->parameterRange2().minimum))
                    edge2.startShared = true;
                if (isParameterAtEnd(range->parameterRange2().maximum))
                    edge2.next()->startShared = true;
                overlap->addOverlap(range, &edge1, &edge2);
            }
        }
        const auto& runs = overlap->runs();
        if (!(runs.size() == 1 && runs.front()->isComplete())) {
            for (const auto& run : runs)
                if (run->isCrossing())
                    run->addCrossings();
        }
        // Contours whose edges never lie on each other keep no record of one another.
        if (!runs.empty()) {
            m_contours[std::size_t(group->contour1)]->addOverlap(overlap);
            other.m_contours[std::size_t(group->contour2)]->addOverlap(overlap);
        }
        group = groupEnd;
    }
}

void BezierGraph::insertSelfCrossings()
{
    // Contours are paired last with each earlier one, then the one before the last with each earlier one,
    // and so on; the edges of a pair in their order. Edges of one contour are not searched.
    std::vector<EdgePair> pairs;
    if (m_contours.size() < 2) {
        for (const auto& contour : m_contours)
            if (!contour->edges().empty())
                contour->setInside(ContourInside::filled);
        return;
    }
    const EdgeTree& ours = edgeTree();
    const int last = int(m_contours.size()) - 1;
    ours.forEachNearPair([&pairs, last](const EdgeTree::Item& a, const EdgeTree::Item& b) {
        if (a.contour == b.contour)
            return;
        const EdgeTree::Item& later = a.contour > b.contour ? a : b;
        const EdgeTree::Item& earlier = a.contour > b.contour ? b : a;
        pairs.push_back(
            {last - later.contour, earlier.contour, later.index, earlier.index, later.edge, earlier.edge});
    });
    std::sort(pairs.begin(), pairs.end());

    for (const EdgePair& pair : pairs) {
        BezierCurve& edge1 = *pair.edge1;
        BezierCurve& edge2 = *pair.edge2;
        if (!edgesMightMeet(edge1, edge2))
            continue;
        // Self crossings record no overlaps: a returned range is dropped.
        findIntersections(edge1, edge2, [&](const std::shared_ptr<BezierIntersection>& x) {
            if (x->isAtStartOfCurve1())
                edge1.startShared = true;
            else if (x->isAtEndOfCurve1())
                edge1.next()->startShared = true;
            if (x->isAtStartOfCurve2())
                edge2.startShared = true;
            else if (x->isAtEndOfCurve2())
                edge2.next()->startShared = true;
            if (edge1.crossesEdge(edge2, *x))
                addCrossingPair(x, edge1, edge2, true, false);
            return HandlerAnswer{};
        });
    }
    for (const auto& contour : m_contours)
        if (!contour->edges().empty())
            contour->setInside(isHole(*contour) ? ContourInside::hole : ContourInside::filled);
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
