#pragma once

namespace compression {

enum class Status
{
    ok = 0,     // more work remains: hand over more input or more output space
    end = 1,    // all output has been produced
    error = -1, // the stream cannot go on: bad data, truncated data or a failed set-up
};

} // namespace compression
