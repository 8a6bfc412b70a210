#pragma once

#include <memory>
#include <vector>

namespace pelorama::geometry {

class BezierCurve;

// The edges of a closed outline without its spikes: stretches where the outline runs out along a line and
// straight back, or along a curve and back over it. A spike bounds no area, but the walk of an operation
// leaves one where the operands run along each other and the crossing between them was put in the middle of
// that stretch; read by direction of travel, it would count as two opposite edges. Answers nothing when the
// outline bounds nothing at all.
std::vector<std::shared_ptr<BezierCurve>>
withoutSpikes(const std::vector<std::shared_ptr<BezierCurve>>& edges);

} // namespace pelorama::geometry
