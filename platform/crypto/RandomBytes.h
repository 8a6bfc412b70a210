#pragma once

#include "crypto/Result.h"

#include <QByteArray>

namespace crypto {

// length bytes from the system's cryptographically secure random source; length is not negative.
Result<QByteArray> randomBytes(qsizetype length);

} // namespace crypto
