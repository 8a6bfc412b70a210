#include "geometry/BezierCurve.h"

#include "geometry/BezierContour.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/BezierIntersection.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/FatLineClip.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"
#include "geometry/VectorMath.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace pelorama::geometry {

namespace {

std::string formatCoordinate(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".einf") == std::string::npos)
        text += ".0";
    return text;
}

// The tangent test at a meeting point: the directions right at it, and further away while they coincide.
bool curvesCrossAtJoint(const CurvesAround& edge1, const CurvesAround& edge2)
{
    const double shortest = std::min({edge1.left->data().length(), edge1.right->data().length(),
                                      edge2.left->data().length(), edge2.right->data().length()});
    TangentPair tangents1{edge1.left->endTangent(0), edge1.right->startTangent(0)};
    TangentPair tangents2{edge2.left->endTangent(0), edge2.right->startTangent(0)};
    if (shortest > 1.0 && tangentsAreAmbiguous(tangents1, tangents2)) {
        double distance = 1.0;
        while (true) {
            tangents1 = {edge1.left->endTangent(distance), edge1.right->startTangent(distance)};
            tangents2 = {edge2.left->endTangent(distance), edge2.right->startTangent(distance)};
            if (!tangentsAreAmbiguous(tangents1, tangents2))
                break;
            distance += 1.0;
            if (!(shortest > distance))
                break;
        }
    }
    return tangentsCross(tangents1, tangents2);
}

} // namespace

BezierCurve::BezierCurve(std::shared_ptr<const BezierCurveData> data)
    : m_data(std::move(data))
{}

BezierCurve::BezierCurve(graphics::Point endPoint1, graphics::Point controlPoint1,
                         graphics::Point controlPoint2, graphics::Point endPoint2)
    : m_data(std::make_shared<BezierCurveData>(endPoint1, controlPoint1, controlPoint2, endPoint2, false))
{}

BezierCurve::~BezierCurve() = default;

std::shared_ptr<BezierCurve> BezierCurve::line(graphics::Point startPoint, graphics::Point endPoint)
{
    const graphics::Point d = subtract(endPoint, startPoint);
    const double length = vectorLength(d);
    const graphics::Point u = length != 0 ? scale(d, 1.0 / length) : d;
    const double k = vectorLength(u);
    graphics::Point control1 = add(startPoint, u);
    graphics::Point control2 = control1;
    if (k != 0) {
        control1 = add(startPoint, scale(u, length / 3 / k));
        control2 = add(startPoint, scale(u, 2 * length / 3 / k));
    }
    return withData(BezierCurveData(startPoint, control1, control2, endPoint, true));
}

std::shared_ptr<BezierCurve> BezierCurve::curve(graphics::Point endPoint1, graphics::Point controlPoint1,
                                                graphics::Point controlPoint2, graphics::Point endPoint2)
{
    return std::make_shared<BezierCurve>(endPoint1, controlPoint1, controlPoint2, endPoint2);
}

std::shared_ptr<BezierCurve> BezierCurve::withData(BezierCurveData data)
{
    return std::make_shared<BezierCurve>(std::make_shared<const BezierCurveData>(data));
}

std::shared_ptr<BezierCurve> BezierCurve::reversed() const
{
    return withData(m_data->reversed());
}

BezierCurve::Pieces BezierCurve::split(double t) const
{
    BezierCurveData::Split split = m_data->point(t);
    return {split.point, withData(split.left), withData(split.right)};
}

double BezierCurve::wholeLength() const
{
    return m_data->length(1.0);
}

graphics::Point BezierCurve::endTangent(double distance) const
{
    const BezierCurveData& d = *m_data;
    if (d.isStraightLine && !d.isPoint())
        return subtract(d.endPoint1, d.endPoint2);
    if (distance == 0 && !(d.controlPoint2 == d.endPoint2))
        return subtract(d.controlPoint2, d.endPoint2);
    const double length = wholeLength();
    const double s = distance != 0 ? distance : std::min(length, 1.0);
    const BezierCurveData left = d.point(1.0 - s / length).left;
    return subtract(left.controlPoint2, left.endPoint2);
}

graphics::Point BezierCurve::startTangent(double distance) const
{
    const BezierCurveData& d = *m_data;
    if (d.isStraightLine && !d.isPoint())
        return subtract(d.endPoint2, d.endPoint1);
    if (distance == 0 && !(d.controlPoint1 == d.endPoint1))
        return subtract(d.controlPoint1, d.endPoint1);
    const double length = wholeLength();
    const double s = distance != 0 ? distance : std::min(length, 1.0);
    const BezierCurveData right = d.point(s / length).right;
    return subtract(right.controlPoint1, right.endPoint1);
}

std::string BezierCurve::description() const
{
    const BezierCurveData& d = *m_data;
    std::string text = "<";
    const double values[] = {d.endPoint1.x,     d.endPoint1.y,     d.controlPoint1.x, d.controlPoint1.y,
                             d.controlPoint2.x, d.controlPoint2.y, d.endPoint2.x,     d.endPoint2.y};
    for (std::size_t i = 0; i < 8; ++i) {
        if (i > 0)
            text += ", ";
        text += formatCoordinate(values[i]);
    }
    return text + ">";
}

std::string BezierCurve::debugDescription() const
{
    const BezierCurveData& d = *m_data;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer,
                  "<BezierCurve (%.18f, %.18f)-[%.18f, %.18f] curve to [%.18f, %.18f]-(%.18f, %.18f)>",
                  d.endPoint1.x, d.endPoint1.y, d.controlPoint1.x, d.controlPoint1.y, d.controlPoint2.x,
                  d.controlPoint2.y, d.endPoint2.x, d.endPoint2.y);
    return buffer;
}

bool BezierCurve::operator==(const BezierCurve& other) const
{
    return m_data->isEqual(*other.m_data, pointTolerance);
}

BezierCurve* BezierCurve::next() const
{
    if (contour == nullptr || contour->edges().empty())
        return const_cast<BezierCurve*>(this);
    const auto& edges = contour->edges();
    return edges[std::size_t(index + 1) < edges.size() ? std::size_t(index + 1) : 0].get();
}

BezierCurve* BezierCurve::previous() const
{
    if (contour == nullptr || contour->edges().empty())
        return const_cast<BezierCurve*>(this);
    const auto& edges = contour->edges();
    return edges[index > 0 ? std::size_t(index - 1) : edges.size() - 1].get();
}

BezierCurve* BezierCurve::nextNonpoint() const
{
    BezierCurve* edge = next();
    while (edge->data().isPoint() && edge != this)
        edge = edge->next();
    return edge;
}

BezierCurve* BezierCurve::previousNonpoint() const
{
    BezierCurve* edge = previous();
    while (edge->data().isPoint() && edge != this)
        edge = edge->previous();
    return edge;
}

EdgeCrossing* BezierCurve::firstCrossing() const
{
    return crossings.empty() ? nullptr : crossings.front().get();
}

EdgeCrossing* BezierCurve::lastCrossing() const
{
    return crossings.empty() ? nullptr : crossings.back().get();
}

EdgeCrossing* BezierCurve::firstNonSelfCrossing() const
{
    for (EdgeCrossing* crossing = firstCrossing(); crossing != nullptr;) {
        if (!crossing->selfCrossing)
            return crossing;
        if (crossing->edge == nullptr)
            return nullptr;
        crossing = crossing->edge->nextCrossing(*crossing);
    }
    return nullptr;
}

EdgeCrossing* BezierCurve::lastNonSelfCrossing() const
{
    for (EdgeCrossing* crossing = lastCrossing(); crossing != nullptr;) {
        if (!crossing->selfCrossing)
            return crossing;
        if (crossing->edge == nullptr || crossing->index < 1)
            return nullptr;
        crossing = crossing->edge->crossings[std::size_t(crossing->index - 1)].get();
    }
    return nullptr;
}

EdgeCrossing* BezierCurve::nextCrossing(const EdgeCrossing& crossing) const
{
    if (crossing.index >= int(crossings.size()) - 1)
        return nullptr;
    return crossings[std::size_t(crossing.index + 1)].get();
}

bool BezierCurve::hasRealCrossing() const
{
    return std::any_of(crossings.begin(), crossings.end(), [](const auto& c) { return !c->selfCrossing; });
}

void BezierCurve::sortCrossings()
{
    std::vector<std::pair<double, std::shared_ptr<EdgeCrossing>>> keyed;
    keyed.reserve(crossings.size());
    for (auto& crossing : crossings)
        keyed.emplace_back(crossing->parameter(), std::move(crossing));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        crossings[i] = std::move(keyed[i].second);
        crossings[i]->index = int(i);
    }
}

void BezierCurve::removeCrossing(const EdgeCrossing* crossing)
{
    auto found = std::find_if(crossings.begin(), crossings.end(),
                              [crossing](const auto& c) { return c.get() == crossing; });
    if (found != crossings.end())
        crossings.erase(found);
    sortCrossings();
}

void BezierCurve::addCrossing(std::shared_ptr<EdgeCrossing> crossing)
{
    crossings.push_back(std::move(crossing));
    sortCrossings();
}

bool BezierCurve::crossesEdge(const BezierCurve& other, BezierIntersection& intersection) const
{
    if (intersection.isTangent())
        return false;
    if (!intersection.isAtEitherEndOfCurve1() && !intersection.isAtEitherEndOfCurve2())
        return true;
    return curvesCrossAtJoint(edge1CurvesAroundIntersection(*this, intersection),
                              edge2CurvesAroundIntersection(other, intersection));
}

bool BezierCurve::crossesEdge(const BezierCurve& other, BezierIntersectRange& range) const
{
    return curvesCrossAtJoint(edge1CurvesAroundOverlap(*this, range), edge2CurvesAroundOverlap(other, range));
}

BezierCurve::RangePieces BezierCurve::splitSubcurves(const Range& range, bool wantLeft, bool wantMiddle,
                                                     bool wantRight) const
{
    RangePieces pieces;
    BezierCurveData remainder = *m_data;
    if (range.minimum != 0.0) {
        BezierCurveData::Split split = m_data->point(range.minimum);
        if (wantLeft)
            pieces.left = withData(split.left);
        remainder = split.right;
    }
    if (range.minimum == 1.0) {
        if (wantMiddle)
            pieces.middle = withData(remainder);
        return pieces;
    }
    BezierCurveData::Split split = remainder.point((range.maximum - range.minimum) / (1 - range.minimum));
    if (wantMiddle)
        pieces.middle = withData(split.left);
    if (wantRight)
        pieces.right = withData(split.right);
    return pieces;
}

std::shared_ptr<BezierCurve> BezierCurve::subcurve(const Range& range) const
{
    return withData(subcurveWithRange(*m_data, range));
}

std::shared_ptr<BezierCurve> BezierCurve::subcurve(double from, double to) const
{
    return subcurve(Range{from, to});
}

CurvesAround edge1CurvesAroundIntersection(const BezierCurve& edge, BezierIntersection& intersection)
{
    return intersection.curve1Around(edge);
}

CurvesAround edge2CurvesAroundIntersection(const BezierCurve& edge, BezierIntersection& intersection)
{
    return intersection.curve2Around(edge);
}

CurvesAround edge1CurvesAroundOverlap(const BezierCurve& edge, BezierIntersectRange& range)
{
    return {range.curve1Before(edge), range.curve1After(edge)};
}

CurvesAround edge2CurvesAroundOverlap(const BezierCurve& edge, BezierIntersectRange& range)
{
    return {range.curve2Before(edge), range.curve2After(edge)};
}

bool edgesMightMeet(const BezierCurve& edge1, const BezierCurve& edge2)
{
    return rectsMightOverlap(edge1.data().boundingRect(), edge2.data().boundingRect()) &&
           rectsMightOverlap(edge1.data().bounds(), edge2.data().bounds());
}

} // namespace pelorama::geometry
