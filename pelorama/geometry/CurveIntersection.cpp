#include "geometry/CurveIntersection.h"

#include "geometry/BezierCurve.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/BezierIntersection.h"
#include "geometry/FatLineClip.h"
#include "geometry/NearestPoint.h"
#include "geometry/OverlapDetection.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"

#include <algorithm>
#include <cmath>

namespace pelorama::geometry {

namespace {

constexpr int maximumIterations = 500;
constexpr int convergencePlaces = 6;
constexpr double slowShrink = 0.2;
constexpr int maximumDepth = 10;
constexpr double forcedPointAgreement = 0.001;
constexpr double lineParameterSlack = 1e-12;

bool hasConverged(const Range& range)
{
    return areValuesEqual(range.minimum, range.maximum, convergencePlaces);
}

void report(const std::shared_ptr<BezierIntersection>& intersection, bool& stop,
            const IntersectionHandler& handler)
{
    const HandlerAnswer answer = handler(intersection);
    if (answer.setStop)
        stop = answer.stopValue;
}

void mergeInto(std::shared_ptr<BezierIntersectRange>& slot,
               const std::shared_ptr<BezierIntersectRange>& found)
{
    if (!found)
        return;
    if (!slot)
        slot = found;
    else
        slot->merge(*found);
}

// One extra pass after the main loop: clip both ways, falling back to the last curves that were not points.
void extraPass(BezierCurveData& us, BezierCurveData& them, BezierCurveData& workUs, BezierCurveData& workThem,
               const BezierCurveData& usSource, const BezierCurveData& themSource, Range& usRange,
               Range& themRange)
{
    ClipResult usClip = bezierClip(us, them, usSource, usRange);
    if (!usClip.mayMeet)
        usClip = bezierClip(workUs, workThem, usSource, usRange);
    ClipResult themClip = bezierClip(them, usClip.curve, themSource, themRange);
    if (!themClip.mayMeet)
        themClip = bezierClip(workThem, workUs, themSource, themRange);
    us = usClip.curve;
    them = themClip.curve;
    if (!them.isPoint())
        workThem = them;
    if (!us.isPoint())
        workUs = us;
}

} // namespace

std::optional<graphics::Point> linesIntersect(const graphics::Point& p0, const graphics::Point& p1,
                                              const graphics::Point& p2, const graphics::Point& p3)
{
    const NormalizedLine line1 = NormalizedLine::through(p0, p1);
    const NormalizedLine line2 = NormalizedLine::through(p2, p3);
    const double det = line1.a * line2.b - line2.a * line1.b;
    const double x = (line1.b * line2.c - line2.b * line1.c) / det;
    const double y = (line2.a * line1.c - line1.a * line2.c) / det;
    if (std::isnan(x) || std::isnan(y))
        return std::nullopt;
    return graphics::Point{x, y};
}

void intersectionsWithStraightLines(const BezierCurveData& me, const BezierCurveData& curve,
                                    BezierCurve& edgeUs, BezierCurve& edgeThem, bool& stop,
                                    const IntersectionHandler& handler)
{
    if (!me.isStraightLine || !curve.isStraightLine)
        return;
    const std::optional<graphics::Point> meeting =
        linesIntersect(me.endPoint1, me.endPoint2, curve.endPoint1, curve.endPoint2);
    if (!meeting)
        return;
    auto outside = [](double t) {
        return (t < 0 && !isCloseToZero(t, lineParameterSlack)) ||
               (t > 1 && !isCloseToZero(t - 1, lineParameterSlack));
    };
    const double t1 = parameterOfPointOnLine(me.endPoint1, me.endPoint2, *meeting);
    if (outside(t1))
        return;
    const double t2 = parameterOfPointOnLine(curve.endPoint1, curve.endPoint2, *meeting);
    if (outside(t2))
        return;
    report(std::make_shared<BezierIntersection>(&edgeUs, t1, &edgeThem, t2), stop, handler);
}

void intersectionsWithBezierCurve(const BezierCurveData& me, const BezierCurveData& curve, Range& usRange,
                                  Range& themRange, BezierCurve& edgeUs, BezierCurve& edgeThem,
                                  std::shared_ptr<BezierIntersectRange>& slot, int depth, bool& stop,
                                  const IntersectionHandler& handler)
{
    BezierCurveData us = BezierCurveData::copying(me);
    BezierCurveData them = BezierCurveData::copying(curve);
    BezierCurveData workUs = BezierCurveData::copying(us);
    BezierCurveData workThem = BezierCurveData::copying(them);

    if (us.isStraightLine && them.isStraightLine) {
        if (checkLinesForOverlap(usRange, themRange, edgeUs.data(), edgeThem.data(), us, them) &&
            checkCurvesForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, us, them))
            return;
        intersectionsWithStraightLines(me, curve, edgeUs, edgeThem, stop, handler);
        return;
    }

    const BezierCurveData usSource = BezierCurveData::copying(edgeUs.data());
    const BezierCurveData themSource = BezierCurveData::copying(edgeThem.data());
    bool hadConverged = true;
    bool ranAllIterations = true;

    for (int iteration = 0; iteration < maximumIterations; ++iteration) {
        if (iteration > 0 && hasConverged(usRange) && hasConverged(themRange)) {
            ranAllIterations = false;
            break;
        }
        const double oldUsSize = usRange.size();
        const double oldThemSize = themRange.size();
        if (!them.isPoint())
            workThem = them;

        ClipResult usClip = bezierClip(workUs, workThem, usSource, usRange);
        us = usClip.curve;
        if (!usClip.mayMeet) {
            checkCurvesForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, us, them);
            return;
        }
        if (iteration > 0 && (us.isPoint() || them.isPoint())) {
            ranAllIterations = false;
            break;
        }
        if (!us.isPoint())
            workUs = us;
        else if (iteration == 0)
            hadConverged = false;

        ClipResult themClip = bezierClip(workThem, workUs, themSource, themRange);
        them = themClip.curve;
        if (!themClip.mayMeet) {
            checkCurvesForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, us, them);
            return;
        }
        if (iteration > 0 && (us.isPoint() || them.isPoint())) {
            ranAllIterations = false;
            break;
        }

        const double usShrink = oldUsSize - usRange.size();
        const double themShrink = oldThemSize - themRange.size();
        if (!(usShrink / oldUsSize < slowShrink && themShrink / oldThemSize < slowShrink))
            continue;

        // Clipping removes too little: the curves may lie on each other, or there may be several meetings.
        if (checkForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, us, them))
            return;
        const bool splitThem = !(themRange.size() < usRange.size());
        if (splitThem) {
            const double mid = themRange.middle();
            const Range firstRange{themRange.minimum, mid};
            const Range secondRange{mid, themRange.maximum};
            const bool settled =
                (hasConverged(firstRange) || hasConverged(secondRange)) && hasConverged(usRange);
            if (settled || depth >= maximumDepth) {
                if (usShrink == 0 && themShrink == 0)
                    return;
                continue;
            }
            Range first = firstRange;
            Range usFirst = usRange;
            std::shared_ptr<BezierIntersectRange> firstSlot;
            intersectionsWithBezierCurve(us, subcurveWithRange(themSource, first), usFirst, first, edgeUs,
                                         edgeThem, firstSlot, depth + 1, stop, handler);
            mergeInto(slot, firstSlot);
            if (stop)
                return;
            Range second = secondRange;
            Range usSecond = usRange;
            std::shared_ptr<BezierIntersectRange> secondSlot;
            intersectionsWithBezierCurve(us, subcurveWithRange(themSource, second), usSecond, second, edgeUs,
                                         edgeThem, secondSlot, depth + 1, stop, handler);
            mergeInto(slot, secondSlot);
            return;
        }
        const double mid = usRange.middle();
        const Range firstRange{usRange.minimum, mid};
        const Range secondRange{mid, usRange.maximum};
        const bool settled =
            (hasConverged(firstRange) || hasConverged(secondRange)) && hasConverged(themRange);
        if (settled || depth >= maximumDepth) {
            if (usShrink == 0 && themShrink == 0)
                return;
            continue;
        }
        Range first = firstRange;
        Range themFirst = themRange;
        std::shared_ptr<BezierIntersectRange> firstSlot;
        intersectionsWithBezierCurve(subcurveWithRange(usSource, first), them, first, themFirst, edgeUs,
                                     edgeThem, firstSlot, depth + 1, stop, handler);
        mergeInto(slot, firstSlot);
        if (stop)
            return;
        Range second = secondRange;
        Range themSecond = themRange;
        std::shared_ptr<BezierIntersectRange> secondSlot;
        intersectionsWithBezierCurve(subcurveWithRange(usSource, second), them, second, themSecond, edgeUs,
                                     edgeThem, secondSlot, depth + 1, stop, handler);
        mergeInto(slot, secondSlot);
        return;
    }

    if (!(hasConverged(usRange) && hasConverged(themRange))) {
        if (checkForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, usSource, themSource))
            return;
        for (int pass = 0; pass < 3; ++pass)
            extraPass(us, them, workUs, workThem, usSource, themSource, usRange, themRange);
        if (!(hasConverged(usRange) && hasConverged(themRange)))
            for (int pass = 0; pass < 4; ++pass)
                extraPass(us, them, workUs, workThem, usSource, themSource, usRange, themRange);
    }

    if (hasConverged(usRange) && !hasConverged(themRange)) {
        const graphics::Point target = usSource.point(usRange.middle()).point;
        double t = themRange.middle();
        for (int step = 0; step < 3; ++step)
            t = std::clamp(refineParameter(themSource, t, target),
                           std::min(themRange.minimum, themRange.maximum),
                           std::max(themRange.minimum, themRange.maximum));
        themRange = Range{t, t};
        hadConverged = false;
    } else if (hasConverged(themRange) && !hasConverged(usRange)) {
        const graphics::Point target = themSource.point(themRange.middle()).point;
        double t = usRange.middle();
        for (int step = 0; step < 3; ++step)
            t = std::clamp(refineParameter(usSource, t, target), std::min(usRange.minimum, usRange.maximum),
                           std::max(usRange.minimum, usRange.maximum));
        usRange = Range{t, t};
        hadConverged = false;
    }

    if (!(hasConverged(usRange) && hasConverged(themRange)) && ranAllIterations) {
        checkCurvesForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, us, them);
        return;
    }

    if (!hadConverged) {
        const graphics::Point p1 = usSource.point(usRange.middle()).point;
        const graphics::Point p2 = themSource.point(themRange.middle()).point;
        if (std::fabs(p1.x - p2.x) > forcedPointAgreement || std::fabs(p1.y - p2.y) > forcedPointAgreement)
            return;
    }

    report(std::make_shared<BezierIntersection>(&edgeUs, usRange.middle(), &edgeThem, themRange.middle()),
           stop, handler);
}

std::shared_ptr<BezierIntersectRange> findIntersections(BezierCurve& edge1, BezierCurve& edge2,
                                                        const IntersectionHandler& handler)
{
    Range usRange{0, 1};
    Range themRange{0, 1};
    std::shared_ptr<BezierIntersectRange> slot;
    bool stop = false;
    intersectionsWithBezierCurve(edge1.data(), edge2.data(), usRange, themRange, edge1, edge2, slot, 0, stop,
                                 handler);
    return slot;
}

} // namespace pelorama::geometry
