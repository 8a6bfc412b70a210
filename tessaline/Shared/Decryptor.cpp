#include "tessaline/Shared/Decryptor.h"

#include "foundation/Fatal.h"
#include "tessaline/Shared/ContainerFormat.h"
#include "tessaline/Shared/CryptorError.h"
#include "tessaline/Shared/KeyGen.h"

namespace tessaline {

namespace format = containerformat;

QByteArray Decryptor::decrypt(const QByteArray& data, const QString& passphrase)
{
    Decryptor decryptor(passphrase);
    QByteArray plaintext = decryptor.feed(data);
    plaintext += decryptor.finalize();
    return plaintext;
}

Decryptor::Decryptor(const QString& passphrase)
    : m_passphrase(passphrase)
    , m_delayLine(format::tagSize)
{}

QByteArray Decryptor::feed(const QByteArray& data)
{
    if (m_finalized)
        foundation::fatal(QStringLiteral("Decryptor fed after finalize()"));
    if (m_engine && m_hmac)
        return feedAfterHeader(data);

    m_buffer += data;
    if (m_buffer.size() < format::headerSize)
        return {};
    const QByteArray header = m_buffer.left(format::headerSize);
    const QByteArray rest = m_buffer.mid(format::headerSize);
    m_buffer.clear();
    if (header.left(format::magicSize) != format::magic())
        throw CryptorError(CryptorError::Code::invalidFileFormat);

    const QByteArray encryptionKey =
        KeyGen::generateAES256(m_passphrase, header.mid(format::encryptionSaltOffset, format::saltSize));
    const QByteArray authenticationKey =
        KeyGen::generateAES256(m_passphrase, header.mid(format::authenticationSaltOffset, format::saltSize));
    m_hmac.emplace(authenticationKey);
    m_hmac->feed(header);
    m_engine.emplace(CryptorOperation::decrypt, encryptionKey, header.mid(format::ivOffset, format::ivSize));
    return feedAfterHeader(rest);
}

QByteArray Decryptor::feedAfterHeader(const QByteArray& data)
{
    const QByteArray released = m_delayLine.feed(data);
    m_hmac->feed(released);
    return m_engine->feed(released);
}

QByteArray Decryptor::finalize()
{
    if (m_finalized)
        foundation::fatal(QStringLiteral("Decryptor finalized twice"));
    m_finalized = true;
    if (!m_engine || !m_hmac)
        throw CryptorError(CryptorError::Code::truncatedFile);
    const QByteArray computed = m_hmac->finalize();
    if (!format::isEqualComparingAllBytes(computed, m_delayLine.held()))
        throw CryptorError(CryptorError::Code::invalidHMAC);
    // The tag matched, so only a writer holding the passphrase made this ciphertext; a bad length or bad
    // padding is still a broken container, not a reason to stop the process.
    auto last = m_engine->tryFinalize();
    if (!last)
        throw CryptorError(CryptorError::Code::invalidFileFormat);
    return std::move(*last);
}

} // namespace tessaline
