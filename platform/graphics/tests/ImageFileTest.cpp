#include "graphics/ImageFile.h"

#include "graphics/ImageDecoderRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

using graphics::ImageFile;
using graphics::ImageFileError;

namespace {

QByteArray pngChunk(const char* type, const QByteArray& contents)
{
    QByteArray typed = QByteArray(type, 4) + contents;
    QByteArray chunk(4, Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(contents.size()), chunk.data());
    chunk += typed;
    QByteArray crc(4, Qt::Uninitialized);
    qToBigEndian<quint32>(
        quint32(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))), crc.data());
    return chunk + crc;
}

// A PNG file that declares an RGBA picture of width × height pixels at bitDepth bits per channel but
// holds none of its pixels: readers learn its size without decoding anything.
QByteArray pngHeaderOnly(quint32 width, quint32 height, char bitDepth = 8)
{
    QByteArray header(13, 0);
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = bitDepth;
    header[9] = 6; // RGBA
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", {}) +
           pngChunk("IEND", {});
}

class ImageFileTest : public testing::Test
{
protected:
    foundation::Expected<ImageFile, ImageFileError> readFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_directory.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        return ImageFile::read(path);
    }

    QTemporaryDir m_directory;
};

} // namespace

TEST_F(ImageFileTest, APictureFileKeepsItsBytesAsTheyAreBesideItsPicture)
{
    QImage pixels(5, 3, QImage::Format_ARGB32);
    pixels.fill(QColor(20, 40, 60, 128));
    const QString path = m_directory.filePath("picture.png");
    ASSERT_TRUE(pixels.save(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    const auto read = ImageFile::read(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->data(), bytes);
    EXPECT_EQ(read->image().size(), (graphics::Size{5, 3}));
    ASSERT_EQ(read->image().representations().size(), 1u);
    EXPECT_EQ(read->image().representations().front().bitmap().format(),
              graphics::BitmapImageRep::pixelFormat);
}

TEST_F(ImageFileTest, APictureWithMorePixelsThanADecoderMayHoldIsRefusedWithItsSize)
{
    const auto wide = readFile("wide.png", pngHeaderOnly(20000, 20000));
    ASSERT_FALSE(wide);
    EXPECT_EQ(wide.error().code(), ImageFileError::Code::imageTooLarge);
    EXPECT_EQ(wide.error().message(), "The picture is too large (20000 × 20000 pixels); pictures of up to "
                                      "16384 × 16384 pixels can be opened.");

    // At 16 bits per channel a pixel takes twice the memory.
    const auto deep = readFile("deep.png", pngHeaderOnly(12000, 12000, 16));
    ASSERT_FALSE(deep);
    EXPECT_EQ(deep.error().code(), ImageFileError::Code::imageTooLarge);
    EXPECT_EQ(deep.error().message(),
              "The picture is too large (12000 × 12000 pixels); pictures of this colour "
              "depth can be opened up to 11585 × 11585 pixels.");

    // The largest picture passes the size check; this one then fails for want of pixels.
    const auto largest = readFile("largest.png", pngHeaderOnly(16384, 16384));
    ASSERT_FALSE(largest);
    EXPECT_EQ(largest.error().code(), ImageFileError::Code::notAnImage);
    EXPECT_EQ(largest.error().message(), "The image could not be decoded.");
}

TEST_F(ImageFileTest, NothingIsReadFromAnEmptyOrMissingFile)
{
    const auto empty = readFile("empty.png", {});
    ASSERT_FALSE(empty);
    EXPECT_EQ(empty.error().code(), ImageFileError::Code::notAnImage);

    const auto missing = ImageFile::read(m_directory.filePath("missing.png"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code(), ImageFileError::Code::unreadable);
    EXPECT_EQ(missing.error().message(), "No such file or directory");
}

TEST_F(ImageFileTest, AFileTheUserMayNotReadIsRefusedWithTheSystemsReason)
{
    QFile locked(m_directory.filePath("locked.png"));
    ASSERT_TRUE(locked.open(QIODevice::WriteOnly));
    locked.write(pngHeaderOnly(2, 2));
    locked.close();
    locked.setPermissions(QFileDevice::WriteOwner);
    if (QFile(locked.fileName()).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with the right to read any file";
    const auto unreadable = ImageFile::read(locked.fileName());
    ASSERT_FALSE(unreadable);
    EXPECT_EQ(unreadable.error().message(), "Permission denied");
}
