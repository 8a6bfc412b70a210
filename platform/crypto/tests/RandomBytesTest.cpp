#include "crypto/RandomBytes.h"

#include <gtest/gtest.h>

TEST(CryptoTest, RandomBytesHaveTheAskedLengthAndDiffer)
{
    EXPECT_TRUE(crypto::randomBytes(0).value().isEmpty());
    const QByteArray first = crypto::randomBytes(32).value();
    const QByteArray second = crypto::randomBytes(32).value();
    EXPECT_EQ(first.size(), 32);
    EXPECT_EQ(second.size(), 32);
    EXPECT_NE(first, second);
    EXPECT_FALSE(crypto::randomBytes(-1).hasValue());
}
