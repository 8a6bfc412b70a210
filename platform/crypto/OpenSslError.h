#pragma once

#include "crypto/Result.h"

namespace crypto {

// Takes the oldest error from this thread's OpenSSL error queue and clears the rest; never 0, so that a
// failure without a queued error still reads as one.
Status takeOpenSslError();

} // namespace crypto
