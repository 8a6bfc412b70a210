#pragma once

#include <QtGlobal>

namespace pelorama::model {

// How an image's picture fills its rectangle: scaled to it (proportions lost), as large as fits inside it,
// or covering it with the overflow cropped; always centred.
// Stored as the raw value (0, 1, ... in case order); a missing or unknown raw value reads as the first case.
enum class FillMode : qint64
{
    stretch = 0,
    aspectFit = 1,
    aspectFill = 2,
};

constexpr qint64 caseCount(FillMode)
{
    return 3;
}

} // namespace pelorama::model
