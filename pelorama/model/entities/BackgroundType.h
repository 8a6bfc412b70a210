#pragma once

#include <QtGlobal>

namespace pelorama::model {

// A screenshot's background: one colour, or a vertical gradient between two.
// Stored as the raw value (0, 1, ... in case order); a missing or unknown raw value reads as the first case.
enum class BackgroundType : qint64
{
    solid = 0,
    gradient = 1,
};

constexpr qint64 caseCount(BackgroundType)
{
    return 2;
}

} // namespace pelorama::model
