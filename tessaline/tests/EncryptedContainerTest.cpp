#include "tessaline/Shared/CryptorEngine.h"
#include "tessaline/Shared/CryptorError.h"
#include "tessaline/Shared/Decryptor.h"
#include "tessaline/Shared/Encryptor.h"
#include "tessaline/Shared/HMAC.h"
#include "tessaline/Shared/KeyGen.h"

#include <QList>
#include <gtest/gtest.h>
#include <optional>
#include <random>

using namespace tessaline;

namespace {

const QString passphrase = QStringLiteral("frame artwork");

// The error a whole-container decryption throws, or none.
std::optional<CryptorError::Code> decryptionError(const QByteArray& container,
                                                  const QString& key = passphrase)
{
    try {
        Decryptor::decrypt(container, key);
    } catch (const CryptorError& error) {
        return error.code();
    }
    return std::nullopt;
}

QByteArray randomBytes(std::mt19937& random, int length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random());
    return bytes;
}

// Splits data into chunks whose sizes are drawn from 0...maximum.
QList<QByteArray> chunked(const QByteArray& data, std::mt19937& random, int maximum)
{
    QList<QByteArray> chunks;
    std::uniform_int_distribution<int> size(0, maximum);
    for (qsizetype offset = 0; offset < data.size();) {
        const int length = size(random);
        chunks.append(data.mid(offset, length));
        offset += length;
    }
    return chunks;
}

// A container with a valid tag around any ciphertext, as only a writer holding the passphrase can make.
QByteArray authenticatedContainer(const QByteArray& ciphertext)
{
    const QByteArray encryptionSalt("saltsalt"), authenticationSalt("SALTSALT"), iv(16, 'i');
    const QByteArray header = QByteArray("\x3a\x2d\x29\x00", 4) + encryptionSalt + authenticationSalt + iv;
    HMAC hmac(KeyGen::generateAES256(passphrase, authenticationSalt));
    hmac.feed(header + ciphertext);
    return header + ciphertext + hmac.finalize();
}

} // namespace

TEST(TessalineTest, ContainerSizesFollowThePadding)
{
    const QByteArray empty = Encryptor::encrypt({}, passphrase);
    EXPECT_EQ(empty.size(), 84);
    EXPECT_EQ(empty.left(4), QByteArray("\x3a\x2d\x29\x00", 4));
    EXPECT_EQ(Decryptor::decrypt(empty, passphrase), QByteArray());
    EXPECT_EQ(Encryptor::encrypt(QByteArray(15, 'x'), passphrase).size(), 84);
    EXPECT_EQ(Encryptor::encrypt(QByteArray(16, 'x'), passphrase).size(), 100);
    EXPECT_EQ(Encryptor::encrypt(QByteArray(1000, 'x'), passphrase).size(), 68 + 1008);
}

TEST(TessalineTest, ContainerWriterSendsThePendingHeaderWithFinalize)
{
    Encryptor encryptor(passphrase);
    const QByteArray container = encryptor.finalize();
    EXPECT_EQ(container.size(), 84);
    EXPECT_EQ(Decryptor::decrypt(container, passphrase), QByteArray());
}

TEST(TessalineTest, ContainersOfTheSamePlaintextDifferInEveryRandomPart)
{
    const QByteArray plaintext(40, 'p');
    const QByteArray first = Encryptor::encrypt(plaintext, passphrase);
    const QByteArray second = Encryptor::encrypt(plaintext, passphrase);
    ASSERT_EQ(first.size(), second.size());
    EXPECT_NE(first.mid(4, 8), second.mid(4, 8));     // encryption salt
    EXPECT_NE(first.mid(12, 8), second.mid(12, 8));   // authentication salt
    EXPECT_NE(first.mid(20, 16), second.mid(20, 16)); // IV
    EXPECT_NE(first.mid(36, 48), second.mid(36, 48)); // ciphertext
    EXPECT_NE(first.right(32), second.right(32));     // tag
    EXPECT_EQ(Decryptor::decrypt(first, passphrase), plaintext);
    EXPECT_EQ(Decryptor::decrypt(second, passphrase), plaintext);
}

TEST(TessalineTest, ReproducibleContainersRepeatOnlyForTheSameDataAndPassphrase)
{
    const QByteArray plaintext(40, 'p');
    const QByteArray first = Encryptor::encryptReproducibly(plaintext, passphrase);
    EXPECT_EQ(Encryptor::encryptReproducibly(plaintext, passphrase), first);
    EXPECT_EQ(Decryptor::decrypt(first, passphrase), plaintext);

    const QByteArray otherData = Encryptor::encryptReproducibly(QByteArray(40, 'q'), passphrase);
    const QByteArray otherPassphrase = Encryptor::encryptReproducibly(plaintext, QStringLiteral("other"));
    EXPECT_NE(otherData.mid(4, 32), first.mid(4, 32)); // salts and IV
    EXPECT_NE(otherPassphrase.mid(4, 32), first.mid(4, 32));
    EXPECT_EQ(decryptionError(first, QStringLiteral("other")), CryptorError::Code::invalidHMAC);
}

TEST(TessalineTest, ContainerRoundTripsUnderRandomChunkings)
{
    std::mt19937 random(20261208);
    for (int length : {0, 1, 15, 16, 17, 100, 4097}) {
        const QByteArray plaintext = randomBytes(random, length);
        const QString key = QString::fromUtf8("pässphrase %1").arg(length);

        // Writer: the header comes with the first feed, even an empty one; later feeds give whole blocks.
        Encryptor encryptor(key);
        QByteArray container = encryptor.feed({});
        EXPECT_EQ(container.size(), 36);
        for (const QByteArray& chunk : chunked(plaintext, random, 40)) {
            const QByteArray out = encryptor.feed(chunk);
            EXPECT_EQ(out.size() % 16, 0);
            container += out;
        }
        container += encryptor.finalize();
        EXPECT_EQ(container.size(), 68 + 16 * (length / 16 + 1));

        // Reader: whole, one byte at a time, and in random chunks (empty ones included).
        EXPECT_EQ(Decryptor::decrypt(container, key), plaintext);
        Decryptor bytewise(key);
        QByteArray bytewisePlaintext;
        for (char byte : container)
            bytewisePlaintext += bytewise.feed(QByteArray(1, byte));
        bytewisePlaintext += bytewise.finalize();
        EXPECT_EQ(bytewisePlaintext, plaintext);
        for (int maximum : {3, 33, 70}) {
            Decryptor decryptor(key);
            QByteArray streamed;
            for (const QByteArray& chunk : chunked(container, random, maximum))
                streamed += decryptor.feed(chunk);
            streamed += decryptor.finalize();
            EXPECT_EQ(streamed, plaintext) << "length " << length << ", chunks up to " << maximum;
        }
    }
}

TEST(TessalineTest, ContainerReaderNeverReleasesTheTagAsPlaintext)
{
    // The plaintext released by feed() before finalize() never includes what deciphering the held-back tag
    // bytes would give: with the whole container fed, exactly the ciphertext minus its last block comes out.
    const QByteArray container = Encryptor::encrypt(QByteArray(64, 'q'), passphrase);
    Decryptor decryptor(passphrase);
    EXPECT_EQ(decryptor.feed(container), QByteArray(64, 'q'));
    EXPECT_EQ(decryptor.finalize(), QByteArray());
}

TEST(TessalineTest, ContainerWithAWrongPassphraseFailsAuthentication)
{
    const QByteArray container = Encryptor::encrypt("secret artwork", passphrase);
    EXPECT_EQ(decryptionError(container, "frame artwork "), CryptorError::Code::invalidHMAC);
    EXPECT_EQ(decryptionError(container, ""), CryptorError::Code::invalidHMAC);
    EXPECT_THROW(Decryptor::decrypt(container, "another"), CryptorError);
}

TEST(TessalineTest, ContainerTruncatedAtAnyLengthIsRejected)
{
    const QByteArray container = Encryptor::encrypt(QByteArray(20, 't'), passphrase);
    ASSERT_EQ(container.size(), 100);
    for (int length = 0; length < container.size(); ++length) {
        const auto expected =
            length < 36 ? CryptorError::Code::truncatedFile : CryptorError::Code::invalidHMAC;
        EXPECT_EQ(decryptionError(container.left(length)), expected) << "length " << length;
    }
    // Short input: every feed returns nothing.
    Decryptor decryptor(passphrase);
    for (int i = 0; i < 35; ++i)
        EXPECT_TRUE(decryptor.feed(container.mid(i, 1)).isEmpty());
    EXPECT_THROW(decryptor.finalize(), CryptorError);
}

TEST(TessalineTest, ContainerWithAnyFlippedBitIsRejected)
{
    const QByteArray container = Encryptor::encrypt("flip", passphrase);
    ASSERT_EQ(container.size(), 84);
    for (int byte = 0; byte < container.size(); ++byte) {
        // Every bit of the magic, one bit (varying) of every other byte.
        for (int bit = byte < 4 ? 0 : byte % 8; bit < (byte < 4 ? 8 : byte % 8 + 1); ++bit) {
            QByteArray damaged = container;
            damaged[byte] = char(damaged[byte] ^ (1 << bit));
            const auto expected =
                byte < 4 ? CryptorError::Code::invalidFileFormat : CryptorError::Code::invalidHMAC;
            EXPECT_EQ(decryptionError(damaged), expected) << "byte " << byte << " bit " << bit;
        }
    }
}

TEST(TessalineTest, ContainerWithAppendedBytesIsRejected)
{
    const QByteArray container = Encryptor::encrypt("artwork", passphrase);
    EXPECT_EQ(decryptionError(container + QByteArray(1, '\0')), CryptorError::Code::invalidHMAC);
    EXPECT_EQ(decryptionError(container + container), CryptorError::Code::invalidHMAC);
}

TEST(TessalineTest, ContainerWithAWrongMagicIsRejectedWhenTheHeaderCompletes)
{
    QByteArray container = Encryptor::encrypt("artwork", passphrase);
    container[0] = 'X';
    Decryptor decryptor(passphrase);
    EXPECT_TRUE(decryptor.feed(container.left(35)).isEmpty());
    try {
        decryptor.feed(container.mid(35));
        ADD_FAILURE() << "no error thrown";
    } catch (const CryptorError& error) {
        EXPECT_EQ(error.code(), CryptorError::Code::invalidFileFormat);
    }
    try {
        decryptor.finalize();
        ADD_FAILURE() << "no error thrown";
    } catch (const CryptorError& error) {
        EXPECT_EQ(error.code(), CryptorError::Code::truncatedFile);
    }
}

TEST(TessalineTest, ContainerReaderWaitsForANewHeaderAfterAWrongMagic)
{
    const QByteArray good = Encryptor::encrypt("second try", passphrase);
    Decryptor decryptor(passphrase);
    EXPECT_THROW(decryptor.feed(QByteArray(36, 'z')), CryptorError);
    QByteArray plaintext = decryptor.feed(good);
    plaintext += decryptor.finalize();
    EXPECT_EQ(plaintext, "second try");
}

TEST(TessalineTest, AuthenticatedContainerWithBrokenCiphertextIsAFormatError)
{
    // No ciphertext at all, a length that is no multiple of the block size, and bad padding: the tags are
    // valid, so the reader gets to the cipher's last step, which must report and not stop the process.
    EXPECT_EQ(decryptionError(authenticatedContainer({})), CryptorError::Code::invalidFileFormat);
    EXPECT_EQ(decryptionError(authenticatedContainer(QByteArray(20, 'c'))),
              CryptorError::Code::invalidFileFormat);

    CryptorEngine engine(CryptorOperation::encrypt, KeyGen::generateAES256(passphrase, "saltsalt"),
                         QByteArray(16, 'i'));
    QByteArray ciphertext = engine.feed(QByteArray(16, 'A'));
    ciphertext += engine.finalize();
    EXPECT_EQ(Decryptor::decrypt(authenticatedContainer(ciphertext), passphrase), QByteArray(16, 'A'));
    // Without its padding block the last block ends in 'A' (65), no valid pad length.
    EXPECT_EQ(decryptionError(authenticatedContainer(ciphertext.left(16))),
              CryptorError::Code::invalidFileFormat);

    Decryptor decryptor(passphrase);
    decryptor.feed(authenticatedContainer(ciphertext.left(16)));
    EXPECT_THROW(decryptor.finalize(), CryptorError);
}

// A caller tells the failures apart by code and domain, as an error object carries them.
TEST(TessalineTest, CryptorErrorsHaveTheirCodesAndDomain)
{
    const std::pair<CryptorError::Code, int> codes[] = {
        {CryptorError::Code::invalidFileFormat, 0},
        {CryptorError::Code::invalidHMAC, 1},
        {CryptorError::Code::truncatedFile, 2},
    };
    for (const auto& [code, number] : codes) {
        EXPECT_EQ(int(code), number);
        EXPECT_EQ(CryptorError(code), CryptorError(code)) << number;
        for (const auto& [other, otherNumber] : codes) {
            if (other != code) {
                EXPECT_FALSE(CryptorError(code) == CryptorError(other)) << number << " " << otherNumber;
            }
        }
    }
    EXPECT_EQ(CryptorError::domain(), "Tessaline.CryptorError");
}
