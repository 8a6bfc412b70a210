#include "geometry/CurveIntersection.h"

#include "geometry/BezierCurve.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/BezierIntersection.h"
#include "geometry/FatLineClip.h"
#include "geometry/NearestPoint.h"
#include "geometry/OverlapDetection.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"
#include "geometry/VectorMath.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace pelorama::geometry {

namespace {

constexpr int maximumIterations = 500;
constexpr int convergencePlaces = 6;
constexpr double slowShrink = 0.2;
constexpr int maximumDepth = 10;
constexpr double forcedPointAgreement = 0.001;
constexpr double lineParameterSlack = 1e-12;
// How far from a line, relative to the size of the coordinates, an end of another line may lie and still
// count as on it; the same for curves, whose meetings the clipping settles less closely.
constexpr double endSlack = 1e-9;
constexpr double endOnCurveSlack = 1e-7;
constexpr double endReach = 1000;
constexpr double partingSine = 1e-3;
// Converged parameters lie within a millionth of the meeting; two reports closer than this on both curves
// are one meeting.
constexpr double duplicateParameterTolerance = 1e-5;

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

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool sameBits(const graphics::Point& a, const graphics::Point& b)
{
    return sameBits(a.x, b.x) && sameBits(a.y, b.y);
}

bool sameCurve(const BezierCurveData& a, const BezierCurveData& b)
{
    return a.isStraightLine == b.isStraightLine && sameBits(a.endPoint1, b.endPoint1) &&
           sameBits(a.controlPoint1, b.controlPoint1) && sameBits(a.controlPoint2, b.controlPoint2) &&
           sameBits(a.endPoint2, b.endPoint2);
}

bool sameRange(const Range& a, const Range& b)
{
    return sameBits(a.minimum, b.minimum) && sameBits(a.maximum, b.maximum);
}

// One extra pass after the main loop: clip both ways, falling back to the last curves that were not points.
// Answers whether the pass changed anything: a pass that did not leaves nothing for the next ones to do.
bool extraPass(BezierCurveData& us, BezierCurveData& them, BezierCurveData& workUs, BezierCurveData& workThem,
               const BezierCurveData& usSource, const BezierCurveData& themSource, Range& usRange,
               Range& themRange)
{
    const Range oldUsRange = usRange;
    const Range oldThemRange = themRange;
    ClipResult usClip = bezierClip(us, them, usSource, usRange);
    if (!usClip.mayMeet)
        usClip = bezierClip(workUs, workThem, usSource, usRange);
    ClipResult themClip = bezierClip(them, usClip.curve, themSource, themRange);
    if (!themClip.mayMeet)
        themClip = bezierClip(workThem, workUs, themSource, themRange);
    const bool changed = !sameRange(usRange, oldUsRange) || !sameRange(themRange, oldThemRange) ||
                         !sameCurve(us, usClip.curve) || !sameCurve(them, themClip.curve) ||
                         (!themClip.curve.isPoint() && !sameCurve(workThem, themClip.curve)) ||
                         (!usClip.curve.isPoint() && !sameCurve(workUs, usClip.curve));
    us = usClip.curve;
    them = themClip.curve;
    if (!them.isPoint())
        workThem = them;
    if (!us.isPoint())
        workUs = us;
    return changed;
}

double distanceFromLine(const graphics::Point& point, const graphics::Point& start,
                        const graphics::Point& end)
{
    const double dx = end.x - start.x, dy = end.y - start.y;
    const double length = std::hypot(dx, dy);
    return std::fabs(dx * (point.y - start.y) - dy * (point.x - start.x)) / length;
}

// How far apart the two points of a converged meeting may lie: the parameters are settled to a millionth,
// which moves a point by up to a few millionths of the curve's size.
double convergedPointAgreement(const BezierCurveData& a, const BezierCurveData& b)
{
    const graphics::Rect boxA = a.boundingRect(), boxB = b.boundingRect();
    const double size = boxA.width() + boxA.height() + boxB.width() + boxB.height();
    return std::max(forcedPointAgreement, 1e-5 * size);
}

graphics::Point derivative(const BezierCurveData& curve, double t)
{
    const double u = 1 - t;
    const graphics::Point a = subtract(curve.controlPoint1, curve.endPoint1);
    const graphics::Point b = subtract(curve.controlPoint2, curve.controlPoint1);
    const graphics::Point c = subtract(curve.endPoint2, curve.controlPoint2);
    return scale(add(add(scale(a, u * u), scale(b, 2 * u * t)), scale(c, t * t)), 3);
}

// Whether two curves can lie on each other around where the search has narrowed them to. Curves that do run
// in one direction there; crossing at more than a thousandth of a radian, curves longer than a unit part by
// more than the tolerance within which the overlap test takes them for one, and the costly test is spared.
bool mayLieOnEachOther(const BezierCurveData& a, double ta, const BezierCurveData& b, double tb)
{
    const graphics::Point da = derivative(a, ta), db = derivative(b, tb);
    const double lengths = vectorLength(da) * vectorLength(db);
    if (!(lengths > 0))
        return true;
    const double sine = std::fabs(da.x * db.y - da.y * db.x) / lengths;
    const double shorterChord =
        std::min(distanceBetween(a.endPoint1, a.endPoint2), distanceBetween(b.endPoint1, b.endPoint2));
    return !(sine > partingSine && shorterChord > 1.0);
}

// Reports a meeting of two curves found by clipping. A parameter near an end puts the meeting at that end
// only when the end lies on the other curve; otherwise the curves meet just beside the joint, and the meeting
// counts as inside the edge, as it does between straight edges. Judged by parameter alone, a crossing a
// hair from a joint would be taken for one at the joint, while the other edge at that joint, a hair on,
// would count it again.
void reportMeeting(BezierCurve& edgeUs, double parameterUs, BezierCurve& edgeThem, double parameterThem,
                   bool& stop, const IntersectionHandler& handler)
{
    const BezierCurveData& us = edgeUs.data();
    const BezierCurveData& them = edgeThem.data();
    const double slack =
        endOnCurveSlack *
        (1 + std::max({std::fabs(us.endPoint1.x), std::fabs(us.endPoint1.y), std::fabs(us.endPoint2.x),
                       std::fabs(us.endPoint2.y), std::fabs(them.endPoint1.x), std::fabs(them.endPoint1.y),
                       std::fabs(them.endPoint2.x), std::fabs(them.endPoint2.y)}));
    struct EndOn
    {
        double end;
        double otherParameter;
    };
    // Where the curves meet; an end farther from it than the clipping can be off is not the meeting. For a
    // nearer end, the nearest point of the other curve is sought from the meeting by a few Newton steps.
    const graphics::Point meeting = us.pointAt(parameterUs);
    auto endOnOther = [slack, &meeting](double t, const BezierCurveData& curve, const BezierCurveData& other,
                                        double otherT) -> std::optional<EndOn> {
        for (const double end : {0.0, 1.0}) {
            const graphics::Point& point = end == 0.0 ? curve.endPoint1 : curve.endPoint2;
            if (std::fabs(t - end) > parameterTolerance || distanceBetween(point, meeting) > endReach * slack)
                continue;
            double nearest = otherT;
            for (int step = 0; step < 4; ++step)
                nearest = std::clamp(refineParameter(other, nearest, point), 0.0, 1.0);
            if (distanceBetween(other.pointAt(nearest), point) <= slack)
                return EndOn{end, nearest};
        }
        return std::nullopt;
    };
    const std::optional<EndOn> endUs = endOnOther(parameterUs, us, them, parameterThem);
    const std::optional<EndOn> endThem = endOnOther(parameterThem, them, us, parameterUs);
    if (endUs) {
        parameterUs = endUs->end;
        if (!endThem)
            parameterThem = endUs->otherParameter;
    }
    if (endThem) {
        parameterThem = endThem->end;
        if (!endUs)
            parameterUs = endThem->otherParameter;
    }
    report(std::make_shared<BezierIntersection>(&edgeUs, parameterUs, &edgeThem, parameterThem,
                                                BezierIntersection::Ends::exact),
           stop, handler);
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
    double t1 = parameterOfPointOnLine(me.endPoint1, me.endPoint2, *meeting);
    double t2 = parameterOfPointOnLine(curve.endPoint1, curve.endPoint2, *meeting);
    // The lines meet at an end of one when that end lies on the other line. Asked of the end's distance
    // from the line, this stays exact where the lines meet at a narrow angle and the meeting point does not;
    // a meeting near an end, but not at it, keeps its parameter and counts as inside the edge.
    const double slack =
        endSlack *
        (1 + std::max({std::fabs(me.endPoint1.x), std::fabs(me.endPoint1.y), std::fabs(me.endPoint2.x),
                       std::fabs(me.endPoint2.y), std::fabs(curve.endPoint1.x), std::fabs(curve.endPoint1.y),
                       std::fabs(curve.endPoint2.x), std::fabs(curve.endPoint2.y)}));
    auto endOnLine = [slack](double t, const BezierCurveData& line, const BezierCurveData& other) {
        for (const double end : {0.0, 1.0}) {
            const graphics::Point& point = end == 0.0 ? line.endPoint1 : line.endPoint2;
            if (std::fabs(t - end) <= parameterTolerance &&
                distanceFromLine(point, other.endPoint1, other.endPoint2) <= slack)
                return std::optional<double>(end);
        }
        return std::optional<double>();
    };
    const std::optional<double> end1 = endOnLine(t1, me, curve);
    const std::optional<double> end2 = endOnLine(t2, curve, me);
    if (end1) {
        t1 = *end1;
        if (!end2)
            t2 = parameterOfPointOnLine(curve.endPoint1, curve.endPoint2,
                                        *end1 == 0.0 ? me.endPoint1 : me.endPoint2);
    }
    if (end2) {
        t2 = *end2;
        if (!end1)
            t1 = parameterOfPointOnLine(me.endPoint1, me.endPoint2,
                                        *end2 == 0.0 ? curve.endPoint1 : curve.endPoint2);
    }
    if (outside(t1) || outside(t2))
        return;
    report(std::make_shared<BezierIntersection>(&edgeUs, t1, &edgeThem, t2, BezierIntersection::Ends::exact),
           stop, handler);
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

    // Two whole edges that are one curve lie on each other from end to end; clipping would only narrow the
    // stretch, and on a short curve stop well inside it.
    if (depth == 0 && usRange.minimum == 0 && usRange.maximum == 1 && themRange.minimum == 0 &&
        themRange.maximum == 1 &&
        checkCurvesForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, us, them))
        return;

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

        // Clips curve, which stands for range of source, against the other working curve: whether the
        // clipping goes on, or the curves cannot meet (and what they share is reported), or one has
        // shrunk to a point.
        enum class Clipped
        {
            goOn,
            apart,
            toAPoint,
        };
        const auto clip = [&](BezierCurveData& curve, const BezierCurveData& work,
                              const BezierCurveData& other, const BezierCurveData& source, Range& range) {
            const ClipResult clipped = bezierClip(work, other, source, range);
            curve = clipped.curve;
            if (!clipped.mayMeet) {
                checkCurvesForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, us, them);
                return Clipped::apart;
            }
            if (iteration > 0 && (us.isPoint() || them.isPoint()))
                return Clipped::toAPoint;
            return Clipped::goOn;
        };
        Clipped clipped = clip(us, workUs, workThem, usSource, usRange);
        if (clipped == Clipped::goOn) {
            if (!us.isPoint())
                workUs = us;
            else if (iteration == 0)
                hadConverged = false;
            clipped = clip(them, workThem, workUs, themSource, themRange);
        }
        if (clipped == Clipped::apart)
            return;
        if (clipped == Clipped::toAPoint) {
            ranAllIterations = false;
            break;
        }

        const double usShrink = oldUsSize - usRange.size();
        const double themShrink = oldThemSize - themRange.size();
        if (!(usShrink / oldUsSize < slowShrink && themShrink / oldThemSize < slowShrink))
            continue;

        // Clipping removes too little: the curves may lie on each other, or there may be several meetings.
        if (mayLieOnEachOther(usSource, usRange.middle(), themSource, themRange.middle()) &&
            checkForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, us, them))
            return;
        // Halve the longer range (them's, when both are as long) and look for meetings in each half.
        const bool splitThem = !(themRange.size() < usRange.size());
        const Range& split = splitThem ? themRange : usRange;
        const Range& other = splitThem ? usRange : themRange;
        const double mid = split.middle();
        const Range halves[] = {{split.minimum, mid}, {mid, split.maximum}};
        const bool settled = (hasConverged(halves[0]) || hasConverged(halves[1])) && hasConverged(other);
        if (settled || depth >= maximumDepth) {
            if (usShrink == 0 && themShrink == 0)
                return;
            continue;
        }
        for (const Range& half : halves) {
            Range part = half;
            Range whole = other;
            std::shared_ptr<BezierIntersectRange> partSlot;
            if (splitThem)
                intersectionsWithBezierCurve(us, subcurveWithRange(themSource, part), whole, part, edgeUs,
                                             edgeThem, partSlot, depth + 1, stop, handler);
            else
                intersectionsWithBezierCurve(subcurveWithRange(usSource, part), them, part, whole, edgeUs,
                                             edgeThem, partSlot, depth + 1, stop, handler);
            mergeInto(slot, partSlot);
            if (stop)
                return;
        }
        return;
    }

    if (!(hasConverged(usRange) && hasConverged(themRange))) {
        if (mayLieOnEachOther(usSource, usRange.middle(), themSource, themRange.middle()) &&
            checkForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, usSource, themSource))
            return;
        bool changing = true;
        for (int pass = 0; pass < 3 && changing; ++pass)
            changing = extraPass(us, them, workUs, workThem, usSource, themSource, usRange, themRange);
        if (!(hasConverged(usRange) && hasConverged(themRange)))
            for (int pass = 0; pass < 4 && changing; ++pass)
                changing = extraPass(us, them, workUs, workThem, usSource, themSource, usRange, themRange);
    }

    if (hasConverged(usRange) && !hasConverged(themRange)) {
        const graphics::Point target = usSource.pointAt(usRange.middle());
        double t = themRange.middle();
        for (int step = 0; step < 3; ++step)
            t = std::clamp(refineParameter(themSource, t, target),
                           std::min(themRange.minimum, themRange.maximum),
                           std::max(themRange.minimum, themRange.maximum));
        themRange = Range{t, t};
        hadConverged = false;
    } else if (hasConverged(themRange) && !hasConverged(usRange)) {
        const graphics::Point target = themSource.pointAt(themRange.middle());
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

    // A meeting is only reported where both curves are: converged ranges can still hold two places that
    // merely lie on each other's fat lines (a curve that ends on the other's line beyond its end, say).
    const graphics::Point p1 = usSource.pointAt(usRange.middle());
    const graphics::Point p2 = themSource.pointAt(themRange.middle());
    const double agreement =
        hadConverged ? convergedPointAgreement(usSource, themSource) : forcedPointAgreement;
    if (std::fabs(p1.x - p2.x) > agreement || std::fabs(p1.y - p2.y) > agreement)
        return;

    reportMeeting(edgeUs, usRange.middle(), edgeThem, themRange.middle(), stop, handler);
}

std::shared_ptr<BezierIntersectRange> findIntersections(BezierCurve& edge1, BezierCurve& edge2,
                                                        const IntersectionHandler& handler)
{
    // A meeting at the point where the search splits a range lies in both halves and is found in each; it
    // is reported once.
    std::vector<std::pair<double, double>> reported;
    const IntersectionHandler once = [&reported, &handler](const std::shared_ptr<BezierIntersection>& x) {
        const bool again = std::any_of(reported.begin(), reported.end(), [&x](const auto& parameters) {
            return std::fabs(parameters.first - x->parameter1()) <= duplicateParameterTolerance &&
                   std::fabs(parameters.second - x->parameter2()) <= duplicateParameterTolerance;
        });
        if (again)
            return HandlerAnswer{};
        reported.emplace_back(x->parameter1(), x->parameter2());
        return handler(x);
    };
    Range usRange{0, 1};
    Range themRange{0, 1};
    std::shared_ptr<BezierIntersectRange> slot;
    bool stop = false;
    intersectionsWithBezierCurve(edge1.data(), edge2.data(), usRange, themRange, edge1, edge2, slot, 0, stop,
                                 once);
    return slot;
}

} // namespace pelorama::geometry
