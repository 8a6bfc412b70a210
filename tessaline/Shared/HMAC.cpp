#include "tessaline/Shared/HMAC.h"

#include "foundation/Fatal.h"

namespace tessaline {
namespace {

crypto::Hmac createContext(const QByteArray& key)
{
    auto context = crypto::Hmac::create(key);
    if (!context)
        foundation::fatal(QStringLiteral("Could not create HMAC (%1)").arg(context.error()));
    return std::move(context).value();
}

} // namespace

HMAC::HMAC(const QByteArray& key)
    : m_context(createContext(key))
{}

void HMAC::feed(const QByteArray& data)
{
    if (const crypto::Status status = m_context.update(data); status != 0)
        foundation::fatal(QStringLiteral("HMAC update failed (%1)").arg(status));
}

QByteArray HMAC::finalize()
{
    auto tag = m_context.finish();
    if (!tag)
        foundation::fatal(QStringLiteral("HMAC finalize failed (%1)").arg(tag.error()));
    return std::move(tag).value();
}

} // namespace tessaline
