#include "tessaline/Shared/Hashing.h"

#include <gtest/gtest.h>

using tessaline::hashedHexString;
using tessaline::HashingAlgorithm;

TEST(TessalineTest, DigestsOfTheEmptyMessage)
{
    EXPECT_EQ(hashedHexString({}, HashingAlgorithm::md5), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(hashedHexString({}, HashingAlgorithm::sha1), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
    EXPECT_EQ(hashedHexString({}, HashingAlgorithm::sha224),
              "d14a028c2a3a2bc9476102bb288234c415a2b01f828ea62ac5b3e42f");
    EXPECT_EQ(hashedHexString({}, HashingAlgorithm::sha256),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(hashedHexString({}, HashingAlgorithm::sha384),
              "38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da"
              "274edebfe76f65fbd51ad2f14898b95b");
    EXPECT_EQ(hashedHexString({}, HashingAlgorithm::sha512),
              "cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce"
              "47d0d13c5d85f2b0ff8318d2877eec2f63b931bd47417a81a538327af927da3e");
}

TEST(TessalineTest, DigestsOfAbc)
{
    const QByteArray abc("abc");
    EXPECT_EQ(hashedHexString(abc, HashingAlgorithm::md5), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(hashedHexString(abc, HashingAlgorithm::sha1), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(hashedHexString(abc, HashingAlgorithm::sha224),
              "23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7");
    EXPECT_EQ(hashedHexString(abc, HashingAlgorithm::sha256),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(hashedHexString(abc, HashingAlgorithm::sha384),
              "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed"
              "8086072ba1e7cc2358baeca134c825a7");
    EXPECT_EQ(hashedHexString(abc, HashingAlgorithm::sha512),
              "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
              "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f");
}

TEST(TessalineTest, DigestOfAMillionAs)
{
    const QByteArray millionAs(1'000'000, 'a');
    EXPECT_EQ(hashedHexString(millionAs, HashingAlgorithm::sha1), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
    EXPECT_EQ(hashedHexString(millionAs, HashingAlgorithm::sha256),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(TessalineTest, DigestLengthsAndLeadingZeros)
{
    const int lengths[] = {16, 20, 28, 32, 48, 64};
    for (int i = 0; i < 6; ++i) {
        const auto algorithm = static_cast<HashingAlgorithm>(i);
        EXPECT_EQ(tessaline::hashed("x", algorithm).size(), lengths[i]);
        EXPECT_EQ(hashedHexString("x", algorithm).size(), 2 * lengths[i]);
    }
    // The MD5 of "jk8ssl" begins with a zero byte, which must be written as "00".
    EXPECT_TRUE(hashedHexString("jk8ssl", HashingAlgorithm::md5).startsWith("00"));
}
