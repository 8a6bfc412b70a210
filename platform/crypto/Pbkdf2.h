#pragma once

#include "crypto/Result.h"

#include <QByteArray>
#include <QByteArrayView>

namespace crypto {

// PBKDF2 (RFC 8018) with HMAC-SHA1 as pseudo-random function: keyLength bytes derived from the password's
// bytes and the salt in the given number of rounds.
Result<QByteArray> pbkdf2HmacSha1(QByteArrayView password, QByteArrayView salt, int rounds,
                                  qsizetype keyLength);

} // namespace crypto
