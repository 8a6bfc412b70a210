// Marking crossings as entries or exits, and walking the result outlines out of them.

#include "foundation/Diagnostics.h"
#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierGraph.h"
#include "geometry/BezierIntersection.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/VectorMath.h"

namespace pelorama::geometry {

namespace {

// Result contours get edges of their own (sharing the curve data), so an edge never belongs to two
// contours, even when two walks over the same crossings pick the same cached piece.
void addPiece(BezierContour& contour, const std::shared_ptr<BezierCurve>& piece)
{
    if (piece)
        contour.addEdge(std::make_shared<BezierCurve>(piece->sharedData()));
}

// A piece that starts or ends at a crossing starts or ends exactly at the crossing's location. Each edge is
// split at its own parameter, and the two points differ by what the search left open; pieces of the two
// edges that meet there, in one result or in two, must meet at one point.
std::shared_ptr<BezierCurve> snapped(const std::shared_ptr<BezierCurve>& piece, EdgeCrossing* start,
                                     EdgeCrossing* end)
{
    if (!piece)
        return piece;
    const BezierCurveData& data = piece->data();
    const graphics::Point from = start != nullptr ? start->intersection().location() : data.endPoint1;
    const graphics::Point to = end != nullptr ? end->intersection().location() : data.endPoint2;
    if (from == data.endPoint1 && to == data.endPoint2)
        return piece;
    if (data.isStraightLine)
        return BezierCurve::line(from, to);
    return BezierCurve::curve(from, add(data.controlPoint1, subtract(from, data.endPoint1)),
                              add(data.controlPoint2, subtract(to, data.endPoint2)), to);
}

} // namespace

void BezierGraph::markCrossingsAsEntryOrExit(bool markInside)
{
    for (const auto& contour : m_contours) {
        for (BezierContour* other : contour->intersectingContours()) {
            const bool flag = other->inside() == ContourInside::hole ? !markInside : markInside;
            contour->markCrossingsAsEntryOrExit(*other, flag);
        }
    }
}

void BezierGraph::markAllCrossingsAsUnprocessed()
{
    for (const auto& contour : m_contours)
        for (const auto& edge : contour->edges())
            for (const auto& crossing : edge->crossings)
                crossing->processed = false;
}

EdgeCrossing* BezierGraph::firstUnprocessedCrossing() const
{
    for (const auto& contour : m_contours)
        for (const auto& edge : contour->edges())
            for (const auto& crossing : edge->crossings)
                if (!crossing->selfCrossing && !crossing->processed)
                    return crossing.get();
    return nullptr;
}

BezierGraph BezierGraph::bezierGraphFromIntersections()
{
    BezierGraph result;
    EdgeCrossing* crossing = firstUnprocessedCrossing();
    while (crossing != nullptr) {
        auto contour = std::make_shared<BezierContour>();
        result.addContour(contour);
        while (true) {
            crossing->processed = true;
            EdgeCrossing* next = nullptr;
            if (crossing->entry) {
                EdgeCrossing* following = crossing->nextNonSelfCrossing();
                if (following != nullptr) {
                    if (crossing->edge != nullptr)
                        addPiece(*contour, snapped(crossing->edge->subcurve(crossing->parameter(),
                                                                            following->parameter()),
                                                   crossing, following));
                    next = following;
                } else {
                    if (!crossing->isAtEnd())
                        addPiece(*contour, snapped(crossing->rightCurve(), crossing, nullptr));
                    if (crossing->edge == nullptr) {
                        next = crossing;
                    } else {
                        BezierCurve* edge = crossing->edge->next();
                        while (!edge->hasRealCrossing()) {
                            contour->addEdge(std::make_shared<BezierCurve>(edge->sharedData()));
                            edge = edge->next();
                        }
                        next = edge->firstNonSelfCrossing();
                        addPiece(*contour, snapped(next->leftCurve(), nullptr, next));
                    }
                }
            } else {
                EdgeCrossing* preceding = crossing->previousNonSelfCrossing();
                if (preceding != nullptr) {
                    if (preceding->edge != nullptr)
                        addPiece(
                            *contour,
                            snapped(preceding->edge->subcurve(preceding->parameter(), crossing->parameter())
                                        ->reversed(),
                                    crossing, preceding));
                    next = preceding;
                } else {
                    if (!crossing->isAtStart()) {
                        if (auto left = crossing->leftCurve())
                            addPiece(*contour, snapped(left->reversed(), crossing, nullptr));
                    }
                    if (crossing->edge == nullptr) {
                        foundation::warning(QStringLiteral("This is bad, really bad"));
                        next = crossing;
                    } else {
                        BezierCurve* edge = crossing->edge->previous();
                        while (!edge->hasRealCrossing()) {
                            contour->addEdge(edge->reversed());
                            edge = edge->previous();
                        }
                        next = edge->lastNonSelfCrossing();
                        if (auto right = next->rightCurve())
                            addPiece(*contour, snapped(right->reversed(), nullptr, next));
                    }
                }
            }
            next->processed = true;
            crossing = next->counterpart();
            if (crossing == nullptr || crossing->processed)
                break;
        }
        crossing = firstUnprocessedCrossing();
    }
    return result;
}

std::vector<BezierContour*> BezierGraph::nonintersectingContours() const
{
    std::vector<BezierContour*> result;
    for (const auto& contour : m_contours)
        if (contour->intersectingContours().empty())
            result.push_back(contour.get());
    return result;
}

} // namespace pelorama::geometry
