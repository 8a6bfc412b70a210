#pragma once

#include "tessaline/Shared/CryptorEngine.h"
#include "tessaline/Shared/DelayLine.h"
#include "tessaline/Shared/HMAC.h"
#include "tessaline/Shared/TessalineExport.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tessaline {

// Opens an encrypted container sealed under a passphrase. Use: construct, feed() any number of times,
// then finalize() once; the concatenation of all outputs, in order, is the plaintext. Errors are thrown
// as CryptorError.
//
// Plaintext returned by feed() is not yet authenticated: trust it only after finalize() has returned
// normally. The last 32 bytes fed (the tag) never reach the cipher.
class TESSALINE_EXPORT Decryptor
{
public:
    // The whole plaintext, or a thrown CryptorError and no plaintext.
    static QByteArray decrypt(const QByteArray& data, const QString& passphrase);

    // Derives no key yet; that happens in the feed that completes the header.
    explicit Decryptor(const QString& passphrase);

    // Takes the next chunk of the container and returns the plaintext that is ready. Throws
    // invalidFileFormat when a completed header does not begin with the magic; the decryptor then waits
    // for a new header.
    QByteArray feed(const QByteArray& data);
    // Checks the tag, then returns the last plaintext bytes. Throws truncatedFile when no valid header was
    // completed, invalidHMAC when the tag does not match, and invalidFileFormat when the tag matches but
    // the ciphertext cannot be deciphered (a length that is no multiple of 16, or invalid padding).
    QByteArray finalize();

private:
    QByteArray feedAfterHeader(const QByteArray& data);

    std::optional<CryptorEngine> m_engine;
    std::optional<HMAC> m_hmac;
    QString m_passphrase;
    DelayLine m_delayLine;
    QByteArray m_buffer;
    bool m_finalized = false;
};

} // namespace tessaline
