#pragma once

#include "crypto/DigestAlgorithm.h"
#include "crypto/Result.h"

#include <QByteArray>
#include <QByteArrayView>

namespace crypto {

// The digest of all of data's bytes, in one pass, of any length.
Result<QByteArray> digest(DigestAlgorithm algorithm, QByteArrayView data);

// Digest lengths in bytes: 16, 20, 28, 32, 48, 64.
qsizetype digestLength(DigestAlgorithm algorithm);

} // namespace crypto
