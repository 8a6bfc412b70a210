#include "crypto/Pbkdf2.h"

#include <QString>
#include <gtest/gtest.h>

using crypto::pbkdf2HmacSha1;

namespace {

QByteArray derived(const QByteArray& password, const QByteArray& salt, int rounds, qsizetype length)
{
    const auto key = pbkdf2HmacSha1(password, salt, rounds, length);
    EXPECT_TRUE(key.hasValue());
    return key.hasValue() ? key.value().toHex() : QByteArray();
}

} // namespace

// RFC 6070, without the 16777216-round case.
TEST(CryptoTest, Pbkdf2HmacSha1MatchesRfc6070)
{
    EXPECT_EQ(derived("password", "salt", 1, 20), "0c60c80f961f0e71f3a9b524af6012062fe037a6");
    EXPECT_EQ(derived("password", "salt", 4096, 20), "4b007901b765489abead49d926f721d065a429c1");
    EXPECT_EQ(derived("passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 25),
              "3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038");
    EXPECT_EQ(derived(QByteArray("pass\0word", 9), QByteArray("sa\0lt", 5), 4096, 16),
              "56fa6aa75548099dcc37d7f03425e0c3");
}

TEST(CryptoTest, Pbkdf2HmacSha1OfPasswordsLongerAndAsLongAsABlockMatchesAnotherImplementation)
{
    // python3: hashlib.pbkdf2_hmac('sha1', bytes(range(100)), b'long key salt', 1000, 45).hex(), and
    // hashlib.pbkdf2_hmac('sha1', bytes(range(64)), b'', 7, 20).hex()
    QByteArray longPassword(100, Qt::Uninitialized);
    for (int i = 0; i < longPassword.size(); ++i)
        longPassword[i] = char(i);
    EXPECT_EQ(derived(longPassword, "long key salt", 1000, 45),
              "1bda04a430db434f6ac518042e195a89b786b3a98875d48e2d3d48d29d4d7085cff03e6f86eb2637663948de28");
    EXPECT_EQ(derived(longPassword.first(64), "", 7, 20), "4602168d7553418d935af5cdb83b3a460a692ffa");
}

TEST(CryptoTest, Pbkdf2RefusesNonsenseArguments)
{
    EXPECT_FALSE(pbkdf2HmacSha1("password", "salt", 0, 32).hasValue());
    EXPECT_FALSE(pbkdf2HmacSha1("password", "salt", 1, 0).hasValue());
}
