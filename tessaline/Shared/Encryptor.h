#pragma once

#include "tessaline/Shared/CryptorEngine.h"
#include "tessaline/Shared/HMAC.h"
#include "tessaline/Shared/TessalineExport.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tessaline {

// Seals bytes under a passphrase into an encrypted container. Use: construct, feed() any number of times,
// then finalize() once. The concatenation of all outputs, in order, is the container; the header goes out
// with the first feed (or with finalize() when nothing was fed).
class TESSALINE_EXPORT Encryptor
{
public:
    // The whole container of data in one call.
    static QByteArray encrypt(const QByteArray& data, const QString& passphrase);
    // The whole container of data, the same bytes for the same data and passphrase: the salts and the IV
    // are an HMAC of the data under the passphrase instead of random. For build artefacts that must come
    // out identical on every build; it shows which containers hold equal data, so never seal user data
    // with it.
    static QByteArray encryptReproducibly(const QByteArray& data, const QString& passphrase);

    // Draws fresh salts and IV and derives both keys (two PBKDF2 derivations of 10000 rounds).
    explicit Encryptor(const QString& passphrase);

    // The container bytes that are ready: the header and ciphertext on the first call, ciphertext alone
    // afterwards. The cipher keeps an incomplete block back, so a call may return less than it was given.
    QByteArray feed(const QByteArray& data);
    // The last ciphertext block (with the padding) followed by the 32-byte tag, after the header when no
    // feed() has sent it.
    QByteArray finalize();

private:
    static QByteArray sealWhole(Encryptor& encryptor, const QByteArray& data);

    Encryptor(const QString& passphrase, const QByteArray& encryptionSalt,
              const QByteArray& authenticationSalt, const QByteArray& iv);

    CryptorEngine m_engine;
    HMAC m_hmac;
    std::optional<QByteArray> m_header;
    bool m_finalized = false;
};

} // namespace tessaline
