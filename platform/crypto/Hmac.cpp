#include "crypto/Hmac.h"

#include "crypto/OpenSslError.h"

#include <algorithm>
#include <limits>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>

namespace crypto {
namespace {

// The fetched algorithm is immutable and shared by every computation of the process.
EVP_MAC* hmacAlgorithm()
{
    static EVP_MAC* const algorithm = EVP_MAC_fetch(nullptr, OSSL_MAC_NAME_HMAC, nullptr);
    return algorithm;
}

} // namespace

struct Hmac::Context
{
    EVP_MAC_CTX* mac = nullptr;
};

void Hmac::ContextDeleter::operator()(Context* context) const
{
    EVP_MAC_CTX_free(context->mac);
    delete context;
}

Hmac::Hmac(std::unique_ptr<Context, ContextDeleter> context)
    : m_context(std::move(context))
{}

Hmac::Hmac(Hmac&&) noexcept = default;
Hmac& Hmac::operator=(Hmac&&) noexcept = default;
Hmac::~Hmac() = default;

Result<Hmac> Hmac::create(QByteArrayView key)
{
    if (hmacAlgorithm() == nullptr)
        return failure(takeOpenSslError());
    std::unique_ptr<Context, ContextDeleter> context(new Context);
    context->mac = EVP_MAC_CTX_new(hmacAlgorithm());
    if (context->mac == nullptr)
        return failure(takeOpenSslError());
    char digest[] = "SHA256";
    const OSSL_PARAM parameters[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_DIGEST, digest, 0),
        OSSL_PARAM_construct_end(),
    };
    // An empty key is legal in HMAC; EVP wants a valid pointer for it all the same.
    static const unsigned char emptyKey = 0;
    const auto* keyBytes = key.isEmpty() ? &emptyKey : reinterpret_cast<const unsigned char*>(key.data());
    if (EVP_MAC_init(context->mac, keyBytes, size_t(key.size()), parameters) != 1)
        return failure(takeOpenSslError());
    return Hmac(std::move(context));
}

Status Hmac::update(QByteArrayView data)
{
    if (data.isEmpty())
        return 0;
    if (EVP_MAC_update(m_context->mac, reinterpret_cast<const unsigned char*>(data.data()),
                       size_t(data.size())) != 1)
        return takeOpenSslError();
    return 0;
}

Result<QByteArray> Hmac::finish()
{
    QByteArray tag(size, Qt::Uninitialized);
    size_t written = 0;
    if (EVP_MAC_final(m_context->mac, reinterpret_cast<unsigned char*>(tag.data()), &written,
                      size_t(tag.size())) != 1)
        return failure(takeOpenSslError());
    tag.truncate(qsizetype(written));
    return tag;
}

} // namespace crypto
