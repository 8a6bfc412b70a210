#pragma once

#include <QtGlobal>

namespace pelorama::model {

// The shadow a picture or caption casts: none, a blurred drop shadow, or a flat band along the outline
// (directional).
// Stored as the raw value (0, 1, ... in case order); a missing or unknown raw value reads as the first case.
enum class ShadowType : qint64
{
    none = 0,
    drop = 1,
    directional = 2,
};

constexpr qint64 caseCount(ShadowType)
{
    return 3;
}

} // namespace pelorama::model
