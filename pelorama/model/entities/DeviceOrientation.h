#pragma once

#include <QtGlobal>

namespace pelorama::model {

// How a device frame is turned: by 0, 180, 90 and -90 degrees (counter-clockwise positive, y up).
// Stored as the raw value (0, 1, ... in case order); a missing or unknown raw value reads as the first case.
enum class DeviceOrientation : qint64
{
    portrait = 0,
    portraitUpsideDown = 1,
    landscapeLeft = 2,
    landscapeRight = 3,
};

constexpr qint64 caseCount(DeviceOrientation)
{
    return 4;
}

} // namespace pelorama::model
