#pragma once

#include "geometry/TangentPair.h"
#include "graphics/Point.h"

#include <memory>
#include <optional>
#include <vector>

namespace pelorama::geometry {

class BezierCurve;
class EdgeOverlap;

// A chain of edge overlaps in order along the first contour, each continuing into the next.
class EdgeOverlapRun
{
public:
    struct Tangents
    {
        TangentPair pair;
        double length;
    };
    struct TestPoints
    {
        graphics::Point before;
        graphics::Point after;
    };

    const std::vector<std::shared_ptr<EdgeOverlap>>& overlaps() const { return m_overlaps; }

    // Adds the overlap at the end or the start of the run; false (run unchanged) when it joins neither.
    bool insertOverlap(std::shared_ptr<EdgeOverlap> overlap);
    // The run closes on itself.
    bool isComplete() const;
    // The other contour passes through the run from one side of the first contour to the other.
    bool isCrossing() const;
    void addCrossings();
    bool containsParameter(double parameter, const BezierCurve& edge) const;
    // Appends the other run's overlaps when they continue this run; false (nothing moved) otherwise.
    bool absorb(EdgeOverlapRun& other);

    Tangents edge1Tangents(double offset) const;
    Tangents edge2Tangents(double offset) const;
    TestPoints edge1TestPoints(double offset) const;

private:
    // Whether the second contour leaves the run on different sides of the first at its two ends; nothing
    // when it leaves along the first at either.
    std::optional<bool> crossesAtEnds() const;

    std::vector<std::shared_ptr<EdgeOverlap>> m_overlaps;
};

} // namespace pelorama::geometry
