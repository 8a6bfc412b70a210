#include "tessaline/Shared/Hashing.h"

#include <gtest/gtest.h>

using tessaline::hashedHexString;
using tessaline::HashingAlgorithm;

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

TEST(TessalineTest, DigestsWriteLeadingZeroBytes)
{
    // The MD5 of "jk8ssl" begins with a zero byte, which must be written as "00".
    EXPECT_TRUE(hashedHexString("jk8ssl", HashingAlgorithm::md5).startsWith("00"));
}
