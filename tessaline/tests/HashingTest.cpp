#include "tessaline/Shared/Hashing.h"

#include <gtest/gtest.h>

using tessaline::hashedHexString;
using tessaline::HashingAlgorithm;

TEST(TessalineTest, DigestsWriteLeadingZeroBytes)
{
    // The MD5 of "jk8ssl" begins with a zero byte, which must be written as "00".
    EXPECT_TRUE(hashedHexString("jk8ssl", HashingAlgorithm::md5).startsWith("00"));
}
