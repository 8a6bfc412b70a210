#include "tessaline/Shared/CryptorEngine.h"
#include "tessaline/Shared/DelayLine.h"
#include "tessaline/Shared/KeyGen.h"

#include <QString>
#include <gtest/gtest.h>

using namespace tessaline;

namespace {

QByteArray sequence(int length, int start = 0)
{
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes += char(start + i);
    return bytes;
}

const QByteArray key =
    QByteArray::fromHex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
const QByteArray iv = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");

} // namespace

TEST(TessalineTest, DelayLineHoldsBackTheLastBytes)
{
    DelayLine line(32);
    EXPECT_TRUE(line.feed(sequence(10)).isEmpty());
    EXPECT_EQ(line.held(), sequence(10));
    EXPECT_EQ(line.feed(sequence(30, 10)), sequence(8));
    EXPECT_EQ(line.held(), sequence(32, 8));
    EXPECT_TRUE(line.feed({}).isEmpty());
    EXPECT_EQ(line.held(), sequence(32, 8));

    DelayLine exact(32);
    EXPECT_TRUE(exact.feed(sequence(32)).isEmpty());
    EXPECT_EQ(exact.held(), sequence(32));

    DelayLine large(32);
    EXPECT_EQ(large.feed(sequence(100)), sequence(68));
    EXPECT_EQ(large.held(), sequence(32, 68));
}

TEST(TessalineTest, DelayLineReleasesTheStreamInOrderUnderAnyChunking)
{
    const QByteArray stream = sequence(200);
    for (int chunk = 1; chunk <= 70; ++chunk) {
        DelayLine line(32);
        QByteArray released;
        for (int offset = 0; offset < stream.size(); offset += chunk) {
            released += line.feed(stream.mid(offset, chunk));
            EXPECT_EQ(line.held().size(),
                      std::min<qsizetype>(32, offset + std::min<qsizetype>(chunk, 200 - offset)));
        }
        EXPECT_EQ(released + line.held(), stream);
        EXPECT_EQ(line.held(), stream.right(32));
    }
}

TEST(TessalineTest, CryptorEngineDecryptionFailureIsReportedNotFatalWhenAsked)
{
    CryptorEngine decryptor(CryptorOperation::decrypt, key, iv);
    decryptor.feed(QByteArray(20, 'c'));
    EXPECT_FALSE(decryptor.tryFinalize().has_value());
}

TEST(TessalineTest, CryptorEngineStopsTheProcessOnABadKey)
{
    EXPECT_DEATH(CryptorEngine(CryptorOperation::encrypt, key.left(16), iv), "Could not create cryptor");
}

TEST(TessalineTest, KeyGenDerivesFromTheUtf8BytesOfThePassphrase)
{
    const QByteArray salt = QByteArray::fromHex("0102030405060708");
    // python3: hashlib.pbkdf2_hmac('sha1', 'Glück passphrase'.encode(), salt, 10000, 32)
    const QByteArray derived = KeyGen::generateAES256(QString::fromUtf8("Glück passphrase"), salt);
    EXPECT_EQ(derived.toHex(), "eac2676f7592aaa0f2209777deb2cc7ee4bfe127cb87ba3059d71df64948c703");
    EXPECT_EQ(KeyGen::generateAES256(QString::fromUtf8("Glück passphrase"), salt), derived);
    EXPECT_NE(KeyGen::generateAES256(QString::fromUtf8("Glück passphrase"),
                                     QByteArray::fromHex("0102030405060709")),
              derived);
}
