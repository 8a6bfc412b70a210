#include "tessaline/Shared/KeyGen.h"

#include "crypto/Pbkdf2.h"
#include "foundation/Fatal.h"

namespace tessaline {

QByteArray KeyGen::generateAES256(const QString& passphrase, const QByteArray& salt)
{
    auto key = crypto::pbkdf2HmacSha1(passphrase.toUtf8(), salt, rounds, keySize);
    if (!key)
        foundation::fatal(QStringLiteral("Error: Secure key generation failed! (%1)").arg(key.error()));
    return std::move(key).value();
}

} // namespace tessaline
