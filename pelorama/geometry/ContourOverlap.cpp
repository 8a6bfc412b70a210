#include "geometry/ContourOverlap.h"

#include "geometry/BezierCurve.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/EdgeOverlap.h"
#include "geometry/EdgeOverlapRun.h"

namespace pelorama::geometry {

void ContourOverlap::addOverlap(std::shared_ptr<BezierIntersectRange> range, BezierCurve* edge1,
                                BezierCurve* edge2)
{
    auto overlap = std::make_shared<EdgeOverlap>(std::move(range), edge1, edge2);
    if (runs_.size() == 1) {
        if (runs_.front()->insertOverlap(overlap))
            return;
    } else if (runs_.size() >= 2) {
        if (runs_.back()->insertOverlap(overlap) || runs_.front()->insertOverlap(overlap))
            return;
    }
    auto run = std::make_shared<EdgeOverlapRun>();
    run->insertOverlap(std::move(overlap));
    runs_.push_back(std::move(run));
}

bool ContourOverlap::containsCrossing(const EdgeCrossing& crossing) const
{
    for (const auto& run : runs_) {
        if (crossing.edge == nullptr)
            continue;
        if (run->containsParameter(crossing.parameter(), *crossing.edge))
            return true;
    }
    return false;
}

} // namespace pelorama::geometry
