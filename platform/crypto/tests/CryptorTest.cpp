#include "crypto/Cryptor.h"

#include <gtest/gtest.h>

using crypto::Cryptor;

namespace {

// NIST SP 800-38A, F.2.5 and F.2.6 (CBC-AES256).
const QByteArray nistKey =
    QByteArray::fromHex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
const QByteArray nistIv = QByteArray::fromHex("000102030405060708090a0b0c0d0e0f");
const QByteArray nistPlaintext = QByteArray::fromHex("6bc1bee22e409f96e93d7e117393172a"
                                                     "ae2d8a571e03ac9c9eb76fac45af8e51"
                                                     "30c81c46a35ce411e5fbc1191a0a52ef"
                                                     "f69f2445df4f9b17ad2b417be66c3710");
const QByteArray nistCiphertext = QByteArray::fromHex("f58c4c04d6e5f1ba779eabfb5f7bfbd6"
                                                      "9cfc4e967edb808d679f777bc6702c7d"
                                                      "39f23369a9d9bacfa530e26304231461"
                                                      "b2eb05e2c39be9fcda6c19078c6a9d1b");
// The PKCS#7 block of sixteen 0x10 bytes that follows the block-aligned plaintext above.
const QByteArray nistPaddingBlock = QByteArray::fromHex("3f461796d6b0d6b2e0c2a72b4d80e644");

Cryptor make(Cryptor::Operation operation, const QByteArray& key = nistKey, const QByteArray& iv = nistIv)
{
    auto cryptor = Cryptor::create(operation, key, iv);
    EXPECT_TRUE(cryptor.hasValue());
    return std::move(cryptor).value();
}

} // namespace

TEST(CryptoTest, CryptorEncryptsTheNistVectorAndAppendsAPaddingBlock)
{
    Cryptor cryptor = make(Cryptor::Operation::encrypt);
    const auto body = cryptor.update(nistPlaintext);
    ASSERT_TRUE(body.hasValue());
    EXPECT_EQ(body.value().toHex(), nistCiphertext.toHex());
    const auto last = cryptor.finish();
    ASSERT_TRUE(last.hasValue());
    EXPECT_EQ(last.value().toHex(), nistPaddingBlock.toHex());
}

TEST(CryptoTest, CryptorReleasesWholeBlocksOnlyWhenEncrypting)
{
    Cryptor cryptor = make(Cryptor::Operation::encrypt);
    QByteArray out;
    for (int length : {5, 10, 1, 17, 31}) {
        const auto chunk = cryptor.update(QByteArray(length, 'x'));
        ASSERT_TRUE(chunk.hasValue());
        EXPECT_EQ(chunk.value().size() % Cryptor::blockSize, 0);
        out += chunk.value();
    }
    EXPECT_EQ(out.size(), 64); // 64 bytes in: four whole blocks out, none held back when encrypting.
    const auto last = cryptor.finish();
    ASSERT_TRUE(last.hasValue());
    EXPECT_EQ(last.value().size(), 16);
}

TEST(CryptoTest, CryptorHoldsBackTheLastBlockWhenDecrypting)
{
    Cryptor cryptor = make(Cryptor::Operation::decrypt);
    const auto first = cryptor.update(nistCiphertext);
    ASSERT_TRUE(first.hasValue());
    EXPECT_EQ(first.value().toHex(), nistPlaintext.left(48).toHex());
    const auto second = cryptor.update(nistPaddingBlock);
    ASSERT_TRUE(second.hasValue());
    EXPECT_EQ(second.value().toHex(), nistPlaintext.mid(48).toHex());
    const auto last = cryptor.finish();
    ASSERT_TRUE(last.hasValue());
    EXPECT_TRUE(last.value().isEmpty()); // The whole last block was padding.
}

TEST(CryptoTest, CryptorDecryptsAnySplitOfTheCiphertext)
{
    const QByteArray ciphertext = nistCiphertext + nistPaddingBlock;
    for (int split = 0; split <= ciphertext.size(); ++split) {
        Cryptor cryptor = make(Cryptor::Operation::decrypt);
        QByteArray plaintext = cryptor.update(ciphertext.left(split)).value();
        plaintext += cryptor.update(ciphertext.mid(split)).value();
        const auto last = cryptor.finish();
        ASSERT_TRUE(last.hasValue());
        EXPECT_EQ(plaintext + last.value(), nistPlaintext) << "split at " << split;
    }
}

TEST(CryptoTest, CryptorPadsEveryPlaintextLength)
{
    for (int length = 0; length <= 48; ++length) {
        const QByteArray plaintext(length, char(length));
        Cryptor encryptor = make(Cryptor::Operation::encrypt);
        QByteArray ciphertext = encryptor.update(plaintext).value();
        ciphertext += encryptor.finish().value();
        EXPECT_EQ(ciphertext.size(), 16 * (length / 16 + 1));
        Cryptor decryptor = make(Cryptor::Operation::decrypt);
        QByteArray deciphered = decryptor.update(ciphertext).value();
        deciphered += decryptor.finish().value();
        EXPECT_EQ(deciphered, plaintext);
    }
}

TEST(CryptoTest, CryptorReportsBadLengthsAndBadPaddingAsFailures)
{
    Cryptor partial = make(Cryptor::Operation::decrypt);
    ASSERT_TRUE(partial.update(nistCiphertext.left(40)).hasValue());
    EXPECT_FALSE(partial.finish().hasValue());

    Cryptor empty = make(Cryptor::Operation::decrypt);
    EXPECT_FALSE(empty.finish().hasValue());

    // Without the padding block the NIST plaintext's last block is read as padding: its last byte, 0x10, is
    // a valid pad length, but the fifteen bytes before it are not 0x10 as well.
    Cryptor badPadding = make(Cryptor::Operation::decrypt);
    ASSERT_TRUE(badPadding.update(nistCiphertext).hasValue());
    const auto result = badPadding.finish();
    EXPECT_FALSE(result.hasValue());
    EXPECT_NE(result.error(), 0u);
}

TEST(CryptoTest, CryptorRefusesWrongKeyAndIvSizesAndSmallBuffers)
{
    EXPECT_FALSE(Cryptor::create(Cryptor::Operation::encrypt, nistKey.left(16), nistIv).hasValue());
    EXPECT_FALSE(Cryptor::create(Cryptor::Operation::encrypt, nistKey, nistIv.left(8)).hasValue());
    Cryptor cryptor = make(Cryptor::Operation::encrypt);
    char output[16];
    EXPECT_FALSE(cryptor.update(QByteArray(16, 'a'), output, sizeof output).hasValue());
    EXPECT_GE(Cryptor::outputLength(16, true), 48);
}
