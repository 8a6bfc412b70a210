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
    auto output = m_cryptor.update(data);
    if (!output)
        foundation::fatal(QStringLiteral("Cryptor update failed"));
    return std::move(output).value();
}

std::optional<QByteArray> CryptorEngine::tryFinalize()
{
    auto output = m_cryptor.finish();
    if (!output)
        return std::nullopt;
    return std::move(output).value();
}

QByteArray CryptorEngine::finalize()
{
    auto result = tryFinalize();
    if (!result)
        foundation::fatal(QStringLiteral("Cryptor finalize failed"));
    return std::move(*result);
}

} // namespace tessaline
