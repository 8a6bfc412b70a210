// Union, intersection, difference and exclusive-or of two graphs.

#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierGraph.h"
#include "geometry/ContourSpikes.h"

#include <algorithm>

namespace pelorama::geometry {

namespace {

using ContourList = std::vector<BezierContour*>;

void removeFirst(ContourList& list, const BezierContour* contour)
{
    auto found = std::find(list.begin(), list.end(), contour);
    if (found != list.end())
        list.erase(found);
}

// Calls settle(ours[i], theirs[j]) for each equivalent pair and takes both out of their lists.
template <typename Settle> void pairEquivalentContours(ContourList& ours, ContourList& theirs, Settle settle)
{
    std::size_t i = 0;
    while (i < ours.size()) {
        bool paired = false;
        for (std::size_t j = 0; j < theirs.size(); ++j) {
            if (!ours[i]->isEquivalent(*theirs[j]))
                continue;
            BezierContour* mine = ours[i];
            BezierContour* other = theirs[j];
            settle(mine, other);
            removeFirst(theirs, other);
            removeFirst(ours, mine);
            paired = true;
            break;
        }
        if (!paired)
            ++i;
    }
}

} // namespace

void BezierGraph::pairEquivalentContoursForUnion(ContourList& ours, ContourList& theirs,
                                                 ContourList& results) const
{
    pairEquivalentContours(ours, theirs, [&results](BezierContour* mine, BezierContour* other) {
        if (mine->inside() == other->inside()) {
            removeFirst(results, other);
        } else {
            removeFirst(results, other);
            removeFirst(results, mine);
        }
    });
}

BezierGraph::ContourList BezierGraph::pairEquivalentContoursForIntersection(ContourList& ours,
                                                                            ContourList& theirs) const
{
    ContourList result;
    // Where a filled contour meets an equivalent hole, one operand is empty on each side of the shared
    // outline, so the intersection has no edge there: neither is kept (keeping the hole would fill it).
    pairEquivalentContours(ours, theirs, [&result](BezierContour* mine, BezierContour* other) {
        if (mine->inside() == other->inside())
            result.push_back(mine);
    });
    return result;
}

BezierGraph::ContourList BezierGraph::pairEquivalentContoursForDifference(ContourList& ours,
                                                                          ContourList& theirs) const
{
    ContourList result;
    // Two equivalent holes: outside both operands are filled and inside both empty, so the difference is
    // empty on both sides and the outline is not kept (keeping it would fill the hole).
    pairEquivalentContours(ours, theirs, [&result](BezierContour* mine, BezierContour* other) {
        if (mine->inside() != other->inside())
            result.push_back(mine);
    });
    return result;
}

void BezierGraph::addNonintersecting(BezierGraph& result, const ContourList& contours,
                                     BezierGraph& other) const
{
    for (const BezierContour* contour : contours) {
        std::shared_ptr<BezierContour> shared = sharedContour(contour);
        if (!shared)
            shared = other.sharedContour(contour);
        if (shared)
            result.addContour(std::move(shared));
    }
}

void BezierGraph::unionNonintersectingParts(BezierGraph& result, BezierGraph& other)
{
    ContourList ours = nonintersectingContours();
    ContourList theirs = other.nonintersectingContours();
    ContourList final = ours;
    final.insert(final.end(), theirs.begin(), theirs.end());
    pairEquivalentContoursForUnion(ours, theirs, final);
    for (BezierContour* contour : ours)
        if (other.encloses(*contour))
            removeFirst(final, contour);
    for (BezierContour* contour : theirs)
        if (encloses(*contour))
            removeFirst(final, contour);
    addNonintersecting(result, final, other);
}

void BezierGraph::intersectNonintersectingParts(BezierGraph& result, BezierGraph& other)
{
    ContourList ours = nonintersectingContours();
    ContourList theirs = other.nonintersectingContours();
    ContourList final = pairEquivalentContoursForIntersection(ours, theirs);
    for (BezierContour* contour : ours)
        if (other.encloses(*contour))
            final.push_back(contour);
    for (BezierContour* contour : theirs)
        if (encloses(*contour))
            final.push_back(contour);
    addNonintersecting(result, final, other);
}

void BezierGraph::prepareCrossings(BezierGraph& other)
{
    resolveCrossingContours();
    other.resolveCrossingContours();
    insertCrossings(other);
    insertSelfCrossings();
    other.insertSelfCrossings();
    removeDuplicateCrossings();
    other.removeDuplicateCrossings();
    removeCrossingsInOverlaps();
    other.removeCrossingsInOverlaps();
}

void BezierGraph::finishOperation(BezierGraph& other)
{
    removeCrossings();
    other.removeCrossings();
    removeOverlaps();
    other.removeOverlaps();
}

void BezierGraph::removeSpikes()
{
    std::vector<std::shared_ptr<BezierContour>> kept;
    for (auto& contour : m_contours) {
        const auto edges = withoutSpikes(contour->edges());
        const bool unchanged = edges.size() == contour->edges().size() &&
                               std::equal(edges.begin(), edges.end(), contour->edges().begin());
        if (unchanged) {
            kept.push_back(std::move(contour));
        } else if (!edges.empty()) {
            // A new contour: the result may share the old one, and its edges, with an operand.
            auto trimmed = std::make_shared<BezierContour>();
            for (const auto& edge : edges)
                trimmed->addEdge(std::make_shared<BezierCurve>(edge->sharedData()));
            trimmed->setInside(contour->inside());
            kept.push_back(std::move(trimmed));
        }
    }
    m_contours = std::move(kept);
    contoursChanged();
}

BezierGraph BezierGraph::sameSidedOperation(BezierGraph& other, bool markInside,
                                            void (BezierGraph::*addNonintersectingParts)(BezierGraph&,
                                                                                         BezierGraph&))
{
    prepareCrossings(other);
    markCrossingsAsEntryOrExit(markInside);
    other.markCrossingsAsEntryOrExit(markInside);
    BezierGraph result = bezierGraphFromIntersections();
    (this->*addNonintersectingParts)(result, other);
    finishOperation(other);
    result.removeSpikes();
    return result;
}

BezierGraph BezierGraph::unionWith(BezierGraph& other)
{
    return sameSidedOperation(other, false, &BezierGraph::unionNonintersectingParts);
}

BezierGraph BezierGraph::intersect(BezierGraph& other)
{
    return sameSidedOperation(other, true, &BezierGraph::intersectNonintersectingParts);
}

BezierGraph BezierGraph::difference(BezierGraph& other)
{
    prepareCrossings(other);
    BezierGraph result = differenceFromCrossings(other, EquivalentOutlines::keptWhereFillDiffers);
    finishOperation(other);
    result.removeSpikes();
    return result;
}

BezierGraph BezierGraph::differenceFromCrossings(BezierGraph& other, EquivalentOutlines equivalent)
{
    markCrossingsAsEntryOrExit(false);
    other.markCrossingsAsEntryOrExit(true);
    BezierGraph result = bezierGraphFromIntersections();

    ContourList ours = nonintersectingContours();
    ContourList theirs = other.nonintersectingContours();
    ContourList final = pairEquivalentContoursForDifference(ours, theirs);
    if (equivalent == EquivalentOutlines::dropped)
        final.clear();
    for (BezierContour* contour : ours)
        if (!other.encloses(*contour))
            final.push_back(contour);
    for (BezierContour* contour : theirs)
        if (encloses(*contour))
            final.push_back(contour);
    addNonintersecting(result, final, other);
    return result;
}

BezierGraph BezierGraph::symmetricDifference(BezierGraph& other)
{
    // The two differences do not overlap, so their contours together, read by the even-odd rule, are the
    // exclusive-or; both come from one set of crossings. An outline that both operands have (equivalent
    // contours) would be kept by both differences where the fill differs across it, and the two copies
    // would cancel: it is left out of both.
    prepareCrossings(other);
    BezierGraph result = differenceFromCrossings(other, EquivalentOutlines::dropped);
    markAllCrossingsAsUnprocessed();
    other.markAllCrossingsAsUnprocessed();
    BezierGraph reverse = other.differenceFromCrossings(*this, EquivalentOutlines::dropped);
    finishOperation(other);
    for (auto& contour : reverse.m_contours)
        result.addContour(std::move(contour));
    result.removeSpikes();
    return result;
}

} // namespace pelorama::geometry
