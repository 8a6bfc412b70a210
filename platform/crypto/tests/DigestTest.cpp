#include "crypto/Digest.h"

#include <gtest/gtest.h>

using crypto::DigestAlgorithm;

namespace {

QByteArray hexDigest(DigestAlgorithm algorithm, const QByteArray& data)
{
    const auto result = crypto::digest(algorithm, data);
    EXPECT_TRUE(result.hasValue());
    return result.hasValue() ? result.value().toHex() : QByteArray();
}

} // namespace

TEST(CryptoTest, DigestsOfAbcAndTheirLengths)
{
    EXPECT_EQ(hexDigest(DigestAlgorithm::md5, "abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(hexDigest(DigestAlgorithm::sha1, "abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(hexDigest(DigestAlgorithm::sha224, "abc"),
              "23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7");
    EXPECT_EQ(hexDigest(DigestAlgorithm::sha256, "abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(hexDigest(DigestAlgorithm::sha384, "abc"),
              "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed"
              "8086072ba1e7cc2358baeca134c825a7");
    EXPECT_EQ(hexDigest(DigestAlgorithm::sha512, "abc"),
              "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
              "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f");
    for (auto algorithm : {DigestAlgorithm::md5, DigestAlgorithm::sha1, DigestAlgorithm::sha224,
                           DigestAlgorithm::sha256, DigestAlgorithm::sha384, DigestAlgorithm::sha512})
        EXPECT_EQ(crypto::digest(algorithm, {}).value().size(), crypto::digestLength(algorithm));
}
