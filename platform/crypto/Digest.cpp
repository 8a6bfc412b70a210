#include "crypto/Digest.h"

#include "crypto/OpenSslError.h"

#include <memory>
#include <openssl/evp.h>

namespace crypto {
namespace {

const EVP_MD* evpDigest(DigestAlgorithm algorithm)
{
    switch (algorithm) {
    case DigestAlgorithm::md5:
        return EVP_md5();
    case DigestAlgorithm::sha1:
        return EVP_sha1();
    case DigestAlgorithm::sha224:
        return EVP_sha224();
    case DigestAlgorithm::sha256:
        return EVP_sha256();
    case DigestAlgorithm::sha384:
        return EVP_sha384();
    case DigestAlgorithm::sha512:
        return EVP_sha512();
    }
    return nullptr;
}

struct DigestContextDeleter
{
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

} // namespace

qsizetype digestLength(DigestAlgorithm algorithm)
{
    switch (algorithm) {
    case DigestAlgorithm::md5:
        return 16;
    case DigestAlgorithm::sha1:
        return 20;
    case DigestAlgorithm::sha224:
        return 28;
    case DigestAlgorithm::sha256:
        return 32;
    case DigestAlgorithm::sha384:
        return 48;
    case DigestAlgorithm::sha512:
        return 64;
    }
    return 0;
}

Result<QByteArray> digest(DigestAlgorithm algorithm, QByteArrayView data)
{
    const EVP_MD* md = evpDigest(algorithm);
    if (md == nullptr)
        return failure(1);
    const std::unique_ptr<EVP_MD_CTX, DigestContextDeleter> context(EVP_MD_CTX_new());
    if (!context || EVP_DigestInit_ex(context.get(), md, nullptr) != 1)
        return failure(takeOpenSslError());
    if (!data.isEmpty() && EVP_DigestUpdate(context.get(), data.data(), size_t(data.size())) != 1)
        return failure(takeOpenSslError());
    QByteArray result(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    unsigned int written = 0;
    if (EVP_DigestFinal_ex(context.get(), reinterpret_cast<unsigned char*>(result.data()), &written) != 1)
        return failure(takeOpenSslError());
    result.truncate(qsizetype(written));
    return result;
}

} // namespace crypto
