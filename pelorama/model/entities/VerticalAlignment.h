#pragma once

#include <QtGlobal>

namespace pelorama::model {

// Where a caption's lines sit in its rectangle.
// Stored as the raw value (0, 1, ... in case order); a missing or unknown raw value reads as the first case.
enum class VerticalAlignment : qint64
{
    top = 0,
    center = 1,
    bottom = 2,
};

constexpr qint64 caseCount(VerticalAlignment)
{
    return 3;
}

} // namespace pelorama::model
