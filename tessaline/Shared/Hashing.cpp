#include "tessaline/Shared/Hashing.h"

#include "crypto/Digest.h"
#include "foundation/Fatal.h"

namespace tessaline {
namespace {

crypto::DigestAlgorithm digestAlgorithm(HashingAlgorithm algorithm)
{
    switch (algorithm) {
    case HashingAlgorithm::md5:
        return crypto::DigestAlgorithm::md5;
    case HashingAlgorithm::sha1:
        return crypto::DigestAlgorithm::sha1;
    case HashingAlgorithm::sha224:
        return crypto::DigestAlgorithm::sha224;
    case HashingAlgorithm::sha256:
        return crypto::DigestAlgorithm::sha256;
    case HashingAlgorithm::sha384:
        return crypto::DigestAlgorithm::sha384;
    case HashingAlgorithm::sha512:
        return crypto::DigestAlgorithm::sha512;
    }
    Q_UNREACHABLE();
}

} // namespace

QByteArray hashed(const QByteArray& data, HashingAlgorithm algorithm)
{
    auto digest = crypto::digest(digestAlgorithm(algorithm), data);
    // The digests cannot fail on valid input while the library works.
    if (!digest)
        foundation::fatal(QStringLiteral("Could not compute digest (%1)").arg(digest.error()));
    return std::move(digest).value();
}

QString hashedHexString(const QByteArray& data, HashingAlgorithm algorithm)
{
    return QString::fromLatin1(hashed(data, algorithm).toHex());
}

} // namespace tessaline
