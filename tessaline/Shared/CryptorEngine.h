#pragma once

#include "crypto/Cryptor.h"
#include "tessaline/Shared/CryptorOperation.h"
#include "tessaline/Shared/TessalineExport.h"

#include <QByteArray>
#include <optional>

namespace tessaline {

// A streaming AES-256-CBC cipher with PKCS#7 padding under a 32-byte key and a 16-byte IV. feed() returns
// whole blocks only; decrypting, it also holds back the last block until finalize().
//
// Internal to the framework; exported for its tests.
class TESSALINE_EXPORT CryptorEngine
{
public:
    CryptorEngine(CryptorOperation operation, const QByteArray& key, const QByteArray& iv);

    QByteArray feed(const QByteArray& data);
    // Encrypting: the last block with the padding. Decrypting: the last plaintext bytes without the padding.
    QByteArray finalize();
    // As finalize(), but when decrypting a ciphertext whose length is no multiple of 16 or whose padding is
    // invalid, gives none instead of stopping the process.
    std::optional<QByteArray> tryFinalize();

private:
    crypto::Cryptor m_cryptor;
};

} // namespace tessaline
