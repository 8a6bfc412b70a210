#pragma once

#include "foundation/Expected.h"

namespace crypto {

// What a call into the cryptographic library reports: 0 on success, otherwise the library's code of the
// first error it queued (or a non-zero stand-in when it queued none).
using Status = unsigned long;

// The value a call produced, or the status of its failure.
template <typename T> using Result = foundation::Expected<T, Status>;

// The failure half of a Result; a status of 0 becomes the non-zero stand-in, so a failure never reads as
// success.
inline foundation::Unexpected<Status> failure(Status status)
{
    return foundation::Unexpected<Status>(status == 0 ? 1 : status);
}

} // namespace crypto
