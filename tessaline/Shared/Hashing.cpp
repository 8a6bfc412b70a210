#include "tessaline/Shared/Hashing.h"

#include <QCryptographicHash>

namespace tessaline {
namespace {

QCryptographicHash::Algorithm platformAlgorithm(HashingAlgorithm algorithm)
{
    switch (algorithm) {
    case HashingAlgorithm::md5:
        return QCryptographicHash::Md5;
    case HashingAlgorithm::sha1:
        return QCryptographicHash::Sha1;
    case HashingAlgorithm::sha224:
        return QCryptographicHash::Sha224;
    case HashingAlgorithm::sha256:
        return QCryptographicHash::Sha256;
    case HashingAlgorithm::sha384:
        return QCryptographicHash::Sha384;
    case HashingAlgorithm::sha512:
        return QCryptographicHash::Sha512;
    }
    Q_UNREACHABLE();
}

} // namespace

QByteArray hashed(const QByteArray& data, HashingAlgorithm algorithm)
{
    return QCryptographicHash::hash(data, platformAlgorithm(algorithm));
}

QString hashedHexString(const QByteArray& data, HashingAlgorithm algorithm)
{
    return QString::fromLatin1(hashed(data, algorithm).toHex());
}

} // namespace tessaline
