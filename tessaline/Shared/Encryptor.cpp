#include "tessaline/Shared/Encryptor.h"

#include "foundation/Fatal.h"
#include "tessaline/Shared/ContainerFormat.h"
#include "tessaline/Shared/KeyGen.h"
#include "tessaline/Shared/RandomData.h"

namespace tessaline {

namespace format = containerformat;

QByteArray Encryptor::encrypt(const QByteArray& data, const QString& passphrase)
{
    Encryptor encryptor(passphrase);
    return sealWhole(encryptor, data);
}

QByteArray Encryptor::encryptReproducibly(const QByteArray& data, const QString& passphrase)
{
    HMAC seed(passphrase.toUtf8());
    seed.feed(data);
    const QByteArray material = seed.finalize();
    static_assert(HMAC::size == 2 * format::saltSize + format::ivSize);
    Encryptor encryptor(passphrase, material.first(format::saltSize),
                        material.sliced(format::saltSize, format::saltSize),
                        material.sliced(2 * format::saltSize, format::ivSize));
    return sealWhole(encryptor, data);
}

QByteArray Encryptor::sealWhole(Encryptor& encryptor, const QByteArray& data)
{
    QByteArray container = encryptor.feed(data);
    container += encryptor.finalize();
    return container;
}

Encryptor::Encryptor(const QString& passphrase)
    : Encryptor(passphrase, secureRandomData(format::saltSize), secureRandomData(format::saltSize),
                secureRandomData(format::ivSize))
{}

Encryptor::Encryptor(const QString& passphrase, const QByteArray& encryptionSalt,
                     const QByteArray& authenticationSalt, const QByteArray& iv)
    : m_engine(CryptorOperation::encrypt, KeyGen::generateAES256(passphrase, encryptionSalt), iv)
    , m_hmac(KeyGen::generateAES256(passphrase, authenticationSalt))
    , m_header(format::magic() + encryptionSalt + authenticationSalt + iv)
{
    m_hmac.feed(*m_header);
}

QByteArray Encryptor::feed(const QByteArray& data)
{
    if (m_finalized)
        foundation::fatal(QStringLiteral("Encryptor fed after finalize()"));
    QByteArray ciphertext = m_engine.feed(data);
    m_hmac.feed(ciphertext);
    if (m_header) {
        QByteArray out = *m_header + ciphertext;
        m_header.reset();
        return out;
    }
    return ciphertext;
}

QByteArray Encryptor::finalize()
{
    if (m_finalized)
        foundation::fatal(QStringLiteral("Encryptor finalized twice"));
    m_finalized = true;
    const QByteArray last = m_engine.finalize();
    m_hmac.feed(last);
    // Without a feed the header is still pending; it goes out here so that the output is a whole container.
    QByteArray out = m_header.value_or(QByteArray());
    m_header.reset();
    return out + last + m_hmac.finalize();
}

} // namespace tessaline
