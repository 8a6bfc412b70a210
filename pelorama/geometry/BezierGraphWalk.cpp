// Marking crossings as entries or exits, and walking the result outlines out of them.

#include "foundation/Diagnostics.h"
#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierGraph.h"
#include "geometry/EdgeCrossing.h"

namespace pelorama::geometry {

namespace {

// Result contours get edges of their own (sharing the curve data), so an edge never belongs to two
// contours, even when two walks over the same crossings pick the same cached piece.
void addPiece(BezierContour& contour, const std::shared_ptr<BezierCurve>& piece)
{
    if (piece)
        contour.addEdge(std::make_shared<BezierCurve>(piece->sharedData()));
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
                        addPiece(*contour,
                                 crossing->edge->subcurve(crossing->parameter(), following->parameter()));
                    next = following;
                } else {
                    if (!crossing->isAtEnd())
                        addPiece(*contour, crossing->rightCurve());
                    if (crossing->edge == nullptr) {
                        next = crossing;
                    } else {
                        BezierCurve* edge = crossing->edge->next();
                        while (!edge->hasRealCrossing()) {
                            contour->addEdge(std::make_shared<BezierCurve>(edge->sharedData()));
                            edge = edge->next();
                        }
                        next = edge->firstNonSelfCrossing();
                        addPiece(*contour, next->leftCurve());
                    }
                }
            } else {
                EdgeCrossing* preceding = crossing->previousNonSelfCrossing();
                if (preceding != nullptr) {
                    if (preceding->edge != nullptr)
                        addPiece(*contour,
                                 preceding->edge->subcurve(preceding->parameter(), crossing->parameter())
                                     ->reversed());
                    next = preceding;
                } else {
                    if (!crossing->isAtStart()) {
                        if (auto left = crossing->leftCurve())
                            addPiece(*contour, left->reversed());
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
                            addPiece(*contour, right->reversed());
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
