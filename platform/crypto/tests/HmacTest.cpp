#include "crypto/Hmac.h"

#include <gtest/gtest.h>

using crypto::Hmac;

namespace {

QByteArray tagOf(const QByteArray& key, const QByteArray& data)
{
    auto hmac = Hmac::create(key);
    EXPECT_TRUE(hmac.hasValue());
    Hmac running = std::move(hmac).value();
    EXPECT_EQ(running.update(data), 0u);
    return running.finish().value();
}

} // namespace

// RFC 4231 test cases 1, 2, 6 and 7: short keys, and keys longer than a block that are hashed first.
TEST(CryptoTest, HmacSha256MatchesRfc4231)
{
    EXPECT_EQ(tagOf(QByteArray(20, '\x0b'), "Hi There").toHex(),
              "b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7");
    EXPECT_EQ(tagOf("Jefe", "what do ya want for nothing?").toHex(),
              "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843");
    EXPECT_EQ(
        tagOf(QByteArray(131, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First").toHex(),
        "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54");
    EXPECT_EQ(
        tagOf(QByteArray(131, '\xaa'),
              "This is a test using a larger than block-size key and a larger than block-size data. The key "
              "needs to be hashed before being used by the HMAC algorithm.")
            .toHex(),
        "9b09ffa71b942fcb27635fbcd5b0e944bfdc63644f0713938a7f51535c3a35e2");
}

TEST(CryptoTest, HmacIsTheSameWhetherFedWholeOrInPieces)
{
    const QByteArray key = "key";
    QByteArray data;
    for (int i = 0; i < 300; ++i)
        data += char(i * 7);
    Hmac pieces = Hmac::create(key).value();
    for (int offset = 0, step = 1; offset < data.size(); offset += step, ++step)
        EXPECT_EQ(pieces.update(data.mid(offset, step)), 0u);
    EXPECT_EQ(pieces.update({}), 0u);
    const QByteArray tag = pieces.finish().value();
    EXPECT_EQ(tag.size(), Hmac::size);
    EXPECT_EQ(tag, tagOf(key, data));
}

TEST(CryptoTest, HmacTakesAnEmptyKey)
{
    // Computed with python3's hmac module.
    EXPECT_EQ(tagOf({}, "").toHex(), "b613679a0814d9ec772f95d778c35fc5ff1697c493715653c6c712144292c5ad");
}
