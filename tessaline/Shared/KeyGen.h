#pragma once

#include "tessaline/Shared/TessalineExport.h"

#include <QByteArray>
#include <QString>

namespace tessaline {

// Derives the container's keys from a passphrase: PBKDF2 with HMAC-SHA1 over the passphrase's UTF-8 bytes.
//
// Internal to the framework; exported for its tests.
struct TESSALINE_EXPORT KeyGen
{
    static constexpr qsizetype keySize = 32;
    static constexpr int rounds = 10000;

    static QByteArray generateAES256(const QString& passphrase, const QByteArray& salt);
};

} // namespace tessaline
