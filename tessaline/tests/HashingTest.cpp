#include "tessaline/Shared/Hashing.h"

#include <gtest/gtest.h>

using tessaline::hashedHexString;
using tessaline::HashingAlgorithm;

// Each algorithm in its place gives the published digests, of its length, in lowercase hex.
TEST(TessalineTest, EachAlgorithmGivesItsPublishedDigest)
{
    const struct
    {
        HashingAlgorithm algorithm;
        int position;
        int length;
        const char* empty;
        const char* abc;
    } algorithms[] = {
        {HashingAlgorithm::md5, 0, 16, "d41d8cd98f00b204e9800998ecf8427e",
         "900150983cd24fb0d6963f7d28e17f72"},
        {HashingAlgorithm::sha1, 1, 20, "da39a3ee5e6b4b0d3255bfef95601890afd80709",
         "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {HashingAlgorithm::sha224, 2, 28, "d14a028c2a3a2bc9476102bb288234c415a2b01f828ea62ac5b3e42f",
         "23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7"},
        {HashingAlgorithm::sha256, 3, 32, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
         "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {HashingAlgorithm::sha384, 4, 48,
         "38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da274edebfe76f65fbd51ad2f14898b95b",
         "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed8086072ba1e7cc2358baeca134c825a7"},
        {HashingAlgorithm::sha512, 5, 64,
         "cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce"
         "47d0d13c5d85f2b0ff8318d2877eec2f63b931bd47417a81a538327af927da3e",
         "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
         "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f"},
    };
    for (const auto& expected : algorithms) {
        EXPECT_EQ(int(expected.algorithm), expected.position);
        EXPECT_EQ(hashedHexString({}, expected.algorithm), expected.empty) << expected.position;
        EXPECT_EQ(hashedHexString("abc", expected.algorithm), expected.abc) << expected.position;
        EXPECT_EQ(tessaline::hashed("abc", expected.algorithm), QByteArray::fromHex(expected.abc))
            << expected.position;
        EXPECT_EQ(tessaline::hashed({}, expected.algorithm).size(), expected.length) << expected.position;
    }
}

TEST(TessalineTest, DigestsWriteLeadingZeroBytes)
{
    // The MD5 of "jk8ssl" begins with a zero byte, which must be written as "00".
    EXPECT_TRUE(hashedHexString("jk8ssl", HashingAlgorithm::md5).startsWith("00"));
}
