#include "model/devices/CryptoPngRep.h"

#include "TestPictures.h"
#include "graphics/Image.h"
#include "graphics/ImageDecoderRegistry.h"
#include "tessaline/Shared/Encryptor.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

// A 3 by 2 picture with a different colour in every pixel, one of them half transparent.
QImage samplePicture()
{
    QImage picture(3, 2, QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            picture.setPixel(x, y, qRgba(40 * x, 100 * y, 200, 255));
    picture.setPixel(2, 1, qRgba(10, 20, 30, 128));
    return picture;
}

QImage comparable(const QImage& picture)
{
    return picture.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(CryptoPngRep, RecognisesTheContainerMagic)
{
    EXPECT_FALSE(CryptoPngRep::canInitWithData({}));
    EXPECT_FALSE(CryptoPngRep::canInitWithData(QByteArray("\x3A\x2D\x29", 3)));
    EXPECT_FALSE(CryptoPngRep::canInitWithData(QByteArray("\x3A\x2D\x29\x01", 4)));
    EXPECT_FALSE(CryptoPngRep::canInitWithData(QByteArray("\x00\x29\x2D\x3A", 4)));
    EXPECT_TRUE(CryptoPngRep::canInitWithData(QByteArray("\x3A\x2D\x29\x00", 4)));
    EXPECT_TRUE(CryptoPngRep::canInitWithData(QByteArray("\x3A\x2D\x29\x00garbage", 11)));
}

TEST(CryptoPngRep, OpensWhatTheFramePassphraseSealed)
{
    const QImage picture = samplePicture();
    const QByteArray sealed = tessaline::Encryptor::encrypt(pngData(picture), CryptoPngRep::passphrase());
    const std::optional<graphics::BitmapImageRep> rep = CryptoPngRep::fromData(sealed);
    ASSERT_TRUE(rep);
    EXPECT_EQ(rep->size(), (graphics::Size{3, 2}));
    EXPECT_EQ(comparable(rep->bitmap()), comparable(picture));
}

TEST(CryptoPngRep, GivesNoPictureForOtherContainers)
{
    const QByteArray png = pngData(samplePicture());
    EXPECT_FALSE(
        CryptoPngRep::fromData(tessaline::Encryptor::encrypt(png, QStringLiteral("another passphrase"))));
    QByteArray truncated = tessaline::Encryptor::encrypt(png, CryptoPngRep::passphrase());
    truncated.chop(40);
    EXPECT_FALSE(CryptoPngRep::fromData(truncated));
    // Opens, but holds no picture.
    EXPECT_FALSE(
        CryptoPngRep::fromData(tessaline::Encryptor::encrypt("not a picture", CryptoPngRep::passphrase())));
    // A plain PNG is not a container.
    EXPECT_FALSE(CryptoPngRep::fromData(png));
}

TEST(CryptoPngRep, RegisteredLetsImagesReadSealedFiles)
{
    CryptoPngRep::registerDecoder();
    CryptoPngRep::registerDecoder();
    EXPECT_TRUE(graphics::ImageDecoderRegistry::isRegistered(QStringLiteral("ccc")));
    EXPECT_TRUE(graphics::ImageDecoderRegistry::fileExtensions().contains(QStringLiteral("ccc")));

    const QImage picture = samplePicture();
    const QByteArray sealed = tessaline::Encryptor::encrypt(pngData(picture), CryptoPngRep::passphrase());
    const std::optional<graphics::Image> fromData = graphics::Image::fromData(sealed);
    ASSERT_TRUE(fromData);
    EXPECT_EQ(comparable(fromData->representations().front().bitmap()), comparable(picture));

    QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("frame.ccc")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sealed);
    file.close();
    const std::optional<graphics::Image> fromFile = graphics::Image::fromFile(file.fileName());
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile->size(), (graphics::Size{3, 2}));

    const QByteArray foreign =
        tessaline::Encryptor::encrypt(pngData(picture), QStringLiteral("another passphrase"));
    EXPECT_FALSE(graphics::Image::fromData(foreign));
}
