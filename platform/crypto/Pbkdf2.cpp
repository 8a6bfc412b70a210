#include "crypto/Pbkdf2.h"

#include "crypto/OpenSslError.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

// The block functions of SHA-1 are what PBKDF2 needs: the HMAC states for the password are made once and
// copied for every round, where the message-digest interface allocates, copies and clears contexts each
// round, twice as slow. Opening a sealed picture derives two keys of 10,000 rounds.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/sha.h>

namespace crypto {

namespace {

constexpr qsizetype blockSize = SHA_CBLOCK;
constexpr qsizetype digestSize = SHA_DIGEST_LENGTH;
using Digest = std::array<unsigned char, digestSize>;

// HMAC-SHA1 keyed once: the inner and outer states after their padded keys.
class KeyedHmac
{
public:
    explicit KeyedHmac(QByteArrayView key)
    {
        std::array<unsigned char, blockSize> padded{};
        if (key.size() > blockSize) {
            SHA1(reinterpret_cast<const unsigned char*>(key.data()), size_t(key.size()), padded.data());
        } else if (!key.isEmpty()) {
            std::memcpy(padded.data(), key.data(), size_t(key.size()));
        }
        std::array<unsigned char, blockSize> pad;
        for (qsizetype i = 0; i < blockSize; ++i)
            pad[i] = padded[i] ^ 0x36;
        SHA1_Init(&m_inner);
        SHA1_Update(&m_inner, pad.data(), pad.size());
        for (qsizetype i = 0; i < blockSize; ++i)
            pad[i] = padded[i] ^ 0x5c;
        SHA1_Init(&m_outer);
        SHA1_Update(&m_outer, pad.data(), pad.size());
    }

    // The HMAC of the message given in two parts.
    Digest mac(const unsigned char* first, size_t firstSize, const unsigned char* second = nullptr,
               size_t secondSize = 0) const
    {
        SHA_CTX context = m_inner;
        SHA1_Update(&context, first, firstSize);
        if (secondSize > 0)
            SHA1_Update(&context, second, secondSize);
        Digest inner;
        SHA1_Final(inner.data(), &context);
        context = m_outer;
        SHA1_Update(&context, inner.data(), inner.size());
        Digest result;
        SHA1_Final(result.data(), &context);
        return result;
    }

private:
    SHA_CTX m_inner;
    SHA_CTX m_outer;
};

} // namespace

Result<QByteArray> pbkdf2HmacSha1(QByteArrayView password, QByteArrayView salt, int rounds,
                                  qsizetype keyLength)
{
    constexpr qsizetype intLimit = std::numeric_limits<int>::max();
    if (rounds < 1 || keyLength < 1 || keyLength > intLimit || password.size() > intLimit ||
        salt.size() > intLimit)
        return failure(1);
    const KeyedHmac hmac(password);
    QByteArray key(keyLength, Qt::Uninitialized);
    const auto* saltBytes = reinterpret_cast<const unsigned char*>(salt.data());
    for (quint32 block = 1; qsizetype(block - 1) * digestSize < keyLength; ++block) {
        const unsigned char index[4] = {
            static_cast<unsigned char>(block >> 24), static_cast<unsigned char>(block >> 16),
            static_cast<unsigned char>(block >> 8), static_cast<unsigned char>(block)};
        Digest u = salt.isEmpty() ? hmac.mac(index, sizeof index)
                                  : hmac.mac(saltBytes, size_t(salt.size()), index, sizeof index);
        Digest t = u;
        for (int round = 1; round < rounds; ++round) {
            u = hmac.mac(u.data(), u.size());
            for (qsizetype i = 0; i < digestSize; ++i)
                t[i] ^= u[i];
        }
        const qsizetype offset = qsizetype(block - 1) * digestSize;
        std::memcpy(key.data() + offset, t.data(), size_t(std::min(digestSize, keyLength - offset)));
    }
    return key;
}

} // namespace crypto
