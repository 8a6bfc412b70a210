#include "crypto/Pbkdf2.h"

#include "crypto/OpenSslError.h"

#include <limits>
#include <openssl/evp.h>

namespace crypto {

Result<QByteArray> pbkdf2HmacSha1(QByteArrayView password, QByteArrayView salt, int rounds,
                                  qsizetype keyLength)
{
    constexpr qsizetype intLimit = std::numeric_limits<int>::max();
    if (rounds < 1 || keyLength < 1 || keyLength > intLimit || password.size() > intLimit ||
        salt.size() > intLimit)
        return failure(1);
    QByteArray key(keyLength, Qt::Uninitialized);
    static const unsigned char empty = 0;
    const auto* saltBytes = salt.isEmpty() ? &empty : reinterpret_cast<const unsigned char*>(salt.data());
    const char* passwordBytes = password.isEmpty() ? "" : password.data();
    if (PKCS5_PBKDF2_HMAC(passwordBytes, int(password.size()), saltBytes, int(salt.size()), rounds,
                          EVP_sha1(), int(keyLength), reinterpret_cast<unsigned char*>(key.data())) != 1)
        return failure(takeOpenSslError());
    return key;
}

} // namespace crypto
