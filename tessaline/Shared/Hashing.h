#pragma once

#include "tessaline/Shared/TessalineExport.h"

#include <QByteArray>
#include <QString>

namespace tessaline {

// Digest algorithms; the order of the cases is part of the interface.
enum class HashingAlgorithm
{
    md5,
    sha1,
    sha224,
    sha256,
    sha384,
    sha512,
};

// The digest of all of data's bytes: 16, 20, 28, 32, 48 or 64 bytes.
TESSALINE_EXPORT QByteArray hashed(const QByteArray& data, HashingAlgorithm algorithm);

// The same digest as lowercase hexadecimal text, two digits a byte, no separators.
TESSALINE_EXPORT QString hashedHexString(const QByteArray& data, HashingAlgorithm algorithm);

} // namespace tessaline
