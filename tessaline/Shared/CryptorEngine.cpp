#include "tessaline/Shared/CryptorEngine.h"

#include "foundation/Fatal.h"

namespace tessaline {
namespace {

crypto::Cryptor createCryptor(CryptorOperation operation, const QByteArray& key, const QByteArray& iv)
{
    auto cryptor =
        crypto::Cryptor::create(operation == CryptorOperation::encrypt ? crypto::Cryptor::Operation::encrypt
                                                                       : crypto::Cryptor::Operation::decrypt,
                                key, iv);
    if (!cryptor)
        foundation::fatal(QStringLiteral("Could not create cryptor"));
    return std::move(cryptor).value();
}

} // namespace

CryptorEngine::CryptorEngine(CryptorOperation operation, const QByteArray& key, const QByteArray& iv)
    : m_cryptor(createCryptor(operation, key, iv))
{}

QByteArray CryptorEngine::feed(const QByteArray& data)
{
    // One output buffer serves every call; each call returns a copy of what it wrote.
    const qsizetype capacity = crypto::Cryptor::outputLength(data.size(), true);
    m_buffer.resize(capacity);
    const auto written = m_cryptor.update(data, m_buffer.data(), capacity);
    if (!written)
        foundation::fatal(QStringLiteral("Cryptor update failed"));
    m_buffer.resize(written.value());
    return QByteArray(m_buffer.constData(), m_buffer.size());
}

std::optional<QByteArray> CryptorEngine::tryFinalize()
{
    const qsizetype capacity = crypto::Cryptor::outputLength(0, true);
    m_buffer.resize(capacity);
    const auto written = m_cryptor.finish(m_buffer.data(), capacity);
    if (!written) {
        m_buffer.clear();
        return std::nullopt;
    }
    m_buffer.resize(written.value());
    QByteArray result(m_buffer.constData(), m_buffer.size());
    m_buffer.clear();
    return result;
}

QByteArray CryptorEngine::finalize()
{
    auto result = tryFinalize();
    if (!result)
        foundation::fatal(QStringLiteral("Cryptor finalize failed"));
    return std::move(*result);
}

} // namespace tessaline
