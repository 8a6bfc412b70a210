#include "graphics/PngWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <png.h>
#include <random>
#include <zlib.h>

using graphics::PngWriter;

namespace {

// Premultiplied pixels of every kind: opaque, clear, and partly transparent colours.
QImage randomImage(int width, int height, QImage::Format format, unsigned seed, bool withAlpha = true)
{
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGBA8888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha = withAlpha ? int(random() % 3 == 0 ? 255 : random() % 256) : 255;
            image.setPixelColor(x, y,
                                QColor(int(random() % 256), int(random() % 256), int(random() % 256), alpha));
        }
    }
    return image.convertToFormat(format);
}

QImage decodeWithLibpng(const QByteArray& png)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.constData(), std::size_t(png.size()))) {
        return {};
    }
    image.format = PNG_FORMAT_RGBA;
    QImage pixels(int(image.width), int(image.height), QImage::Format_RGBA8888);
    if (!png_image_finish_read(&image, nullptr, pixels.bits(), png_int_32(pixels.bytesPerLine()), nullptr)) {
        png_image_free(&image);
        return {};
    }
    return pixels;
}

QImage decodeWithQt(const QByteArray& png)
{
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGBA8888);
}

struct Chunk
{
    QByteArray type;
    QByteArray data;
};

quint32 bigEndian(const QByteArray& bytes, qsizetype at)
{
    return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16 |
           quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
}

// The chunks of a PNG file, each checked against its CRC; fails the test on any damage.
std::vector<Chunk> chunksOf(const QByteArray& png)
{
    std::vector<Chunk> chunks;
    EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    qsizetype at = 8;
    while (at < png.size()) {
        EXPECT_LE(at + 12, png.size());
        if (at + 12 > png.size()) {
            break;
        }
        const qsizetype length = bigEndian(png, at);
        EXPECT_LE(at + 12 + length, png.size());
        const QByteArray typeAndData = png.mid(at + 4, 4 + length);
        const uLong crc =
            crc32(0, reinterpret_cast<const Bytef*>(typeAndData.constData()), uInt(typeAndData.size()));
        EXPECT_EQ(bigEndian(png, at + 8 + length), quint32(crc)) << "chunk at " << at;
        chunks.push_back({typeAndData.left(4), typeAndData.mid(4)});
        at += 12 + length;
    }
    return chunks;
}

// The uncompressed image data: the IDAT chunks, one after the other, joined into one zlib stream that
// must end exactly with the last of them and match its checksum.
QByteArray inflatedImageData(const std::vector<Chunk>& chunks)
{
    QByteArray stream;
    for (const Chunk& chunk : chunks) {
        if (chunk.type == "IDAT") {
            stream += chunk.data;
        }
    }
    z_stream inflater{};
    EXPECT_EQ(inflateInit(&inflater), Z_OK);
    QByteArray out(16 << 20, Qt::Uninitialized);
    inflater.next_in = reinterpret_cast<Bytef*>(stream.data());
    inflater.avail_in = uInt(stream.size());
    inflater.next_out = reinterpret_cast<Bytef*>(out.data());
    inflater.avail_out = uInt(out.size());
    EXPECT_EQ(inflate(&inflater, Z_FINISH), Z_STREAM_END);
    EXPECT_EQ(inflater.avail_in, 0u);
    out.resize(qsizetype(inflater.total_out));
    inflateEnd(&inflater);
    return out;
}

// Checks that png holds image: decoded by Qt and by libpng to the same straight pixels, which
// premultiplied again give the image's own.
void expectHolds(const QByteArray& png, const QImage& image)
{
    ASSERT_FALSE(png.isEmpty());
    const QImage byQt = decodeWithQt(png);
    const QImage byLibpng = decodeWithLibpng(png);
    ASSERT_EQ(byQt.size(), image.size());
    ASSERT_EQ(byLibpng.size(), image.size());
    EXPECT_EQ(byQt, byLibpng);
    const bool premultiplied = image.format() == QImage::Format_RGBA8888_Premultiplied ||
                               image.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage expected = image.convertToFormat(premultiplied ? QImage::Format_RGBA8888_Premultiplied
                                                                : QImage::Format_RGBA8888);
    EXPECT_EQ(byLibpng.convertToFormat(expected.format()), expected);
}

} // namespace

TEST(GraphicsTest, PngRoundTripsEveryPixel)
{
    struct Case
    {
        const char* name;
        QImage image;
    };
    QImage clear(10, 10, QImage::Format_RGBA8888_Premultiplied);
    clear.fill(Qt::transparent);
    QImage onePixel(1, 1, QImage::Format_RGBA8888_Premultiplied);
    onePixel.fill(QColor(200, 100, 50, 77));
    QImage grey(9, 4, QImage::Format_Grayscale8);
    grey.fill(140);
    const Case cases[] = {
        {"one pixel, partly transparent", onePixel},
        {"fully transparent", clear},
        {"odd size, premultiplied RGBA", randomImage(37, 23, QImage::Format_RGBA8888_Premultiplied, 1)},
        {"odd size, premultiplied ARGB", randomImage(29, 31, QImage::Format_ARGB32_Premultiplied, 2)},
        {"straight RGBA", randomImage(17, 5, QImage::Format_RGBA8888, 3)},
        {"straight ARGB", randomImage(5, 17, QImage::Format_ARGB32, 4)},
        {"opaque", randomImage(41, 3, QImage::Format_RGBA8888_Premultiplied, 5, false)},
        {"no alpha channel", randomImage(3, 41, QImage::Format_RGB32, 6, false)},
        {"another format", grey},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        expectHolds(PngWriter::encode(test.image), test.image);
    }
}

TEST(GraphicsTest, PngUnpremultipliesEveryColourAtEveryAlpha)
{
    // Every premultiplied value at every alpha: 256 x 256 pixels.
    QImage image(256, 256, QImage::Format_RGBA8888_Premultiplied);
    for (int alpha = 0; alpha < 256; ++alpha) {
        quint8* row = image.scanLine(alpha);
        for (int value = 0; value < 256; ++value) {
            const quint8 level = quint8(std::min(value, alpha));
            const quint8 pixel[4] = {level, quint8(alpha - level), quint8(level / 2), quint8(alpha)};
            std::memcpy(row + 4 * value, pixel, 4);
        }
    }
    const QImage decoded = decodeWithLibpng(PngWriter::encode(image));
    ASSERT_EQ(decoded.size(), image.size());
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGBA8888_Premultiplied), image);
    // Clear pixels keep no colour.
    EXPECT_EQ(decoded.pixel(255, 0), 0u);
}

TEST(GraphicsTest, PngStoresOpaqueImagesWithoutAlpha)
{
    auto colorType = [](const QImage& image) {
        const std::vector<Chunk> chunks = chunksOf(PngWriter::encode(image));
        return chunks.empty() ? -1 : int(quint8(chunks.front().data[9]));
    };
    EXPECT_EQ(colorType(randomImage(6, 6, QImage::Format_RGBA8888_Premultiplied, 7, false)), 2);
    EXPECT_EQ(colorType(randomImage(6, 6, QImage::Format_RGBA8888_Premultiplied, 8)), 6);
    QImage almost = randomImage(6, 6, QImage::Format_ARGB32_Premultiplied, 9, false);
    almost.setPixelColor(5, 5, QColor(0, 0, 0, 254));
    EXPECT_EQ(colorType(almost), 6);
}

TEST(GraphicsTest, PngIsOneStreamOfWellFormedChunks)
{
    // Wide rows make every row a strip of its own; the tall image is cut into several strips of rows.
    const QImage images[] = {randomImage(70'000, 3, QImage::Format_RGBA8888_Premultiplied, 10),
                             randomImage(640, 400, QImage::Format_ARGB32_Premultiplied, 11),
                             randomImage(1, 1, QImage::Format_RGBA8888_Premultiplied, 12)};
    for (const QImage& image : images) {
        SCOPED_TRACE(image.width());
        const QByteArray png = PngWriter::encode(image);
        expectHolds(png, image);
        const std::vector<Chunk> chunks = chunksOf(png);
        ASSERT_GE(chunks.size(), 3u);
        EXPECT_EQ(chunks.front().type, "IHDR");
        ASSERT_EQ(chunks.front().data.size(), 13);
        EXPECT_EQ(bigEndian(chunks.front().data, 0), quint32(image.width()));
        EXPECT_EQ(bigEndian(chunks.front().data, 4), quint32(image.height()));
        EXPECT_EQ(chunks.back().type, "IEND");
        EXPECT_TRUE(chunks.back().data.isEmpty());
        for (std::size_t i = 1; i + 1 < chunks.size(); ++i) {
            EXPECT_EQ(chunks[i].type, "IDAT");
        }
        const QByteArray rows = inflatedImageData(chunks);
        const int channels = chunks.front().data[9] == 6 ? 4 : 3;
        const qsizetype rowBytes = qsizetype(image.width()) * channels + 1;
        ASSERT_EQ(rows.size(), rowBytes * image.height());
        for (int y = 0; y < image.height(); ++y) {
            EXPECT_LE(quint8(rows[y * rowBytes]), 4) << "filter type of row " << y;
        }
    }
}

TEST(GraphicsTest, PngWriteReplacesTheFileOnlyWhenDone)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("Shot.png"));
    const QImage image = randomImage(20, 10, QImage::Format_RGBA8888_Premultiplied, 13);
    ASSERT_TRUE(PngWriter::write(image, path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    expectHolds(file.readAll(), image);
    file.close();

    const auto nowhere = PngWriter::write(image, directory.filePath(QStringLiteral("missing/Shot.png")));
    ASSERT_FALSE(nowhere);
    EXPECT_TRUE(nowhere.error().message.contains(QStringLiteral("missing/Shot.png")));

    const auto empty = PngWriter::write(QImage(), path);
    ASSERT_FALSE(empty);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    expectHolds(file.readAll(), image);
    EXPECT_TRUE(PngWriter::encode(QImage()).isEmpty());
}
