#include "graphics/PngWriter.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <cmath>
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

// An app capture: a title bar, rows of text, a grainy photo, more text and a tab bar.
QImage captureLikeImage(int width, int height)
{
    QImage capture(width, height, QImage::Format_RGBA8888_Premultiplied);
    capture.fill(QColor(248, 248, 250));
    const int photoTop = height * 2 / 5;
    const int photoBottom = height * 3 / 4;
    std::mt19937 random(21);
    std::normal_distribution<double> grain(0, 3);
    for (int y = photoTop; y < photoBottom; ++y) {
        auto* row = reinterpret_cast<quint32*>(capture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width;
            const double v = double(y - photoTop) / (photoBottom - photoTop);
            const double sky = 0.5 + 0.5 * std::sin(6 * u + 2 * std::cos(9 * v)) * std::cos(4 * v);
            const auto channel = [&](double value) {
                return std::clamp(int(value + grain(random)), 0, 255);
            };
            const quint8 pixel[4] = {quint8(channel(40 + 160 * sky)), quint8(channel(90 + 120 * v)),
                                     quint8(channel(200 - 120 * sky * v)), 255};
            std::memcpy(row + x, pixel, 4);
        }
    }
    QPainter painter(&capture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(0, 0, width, height / 12), QColor(30, 110, 220));
    painter.fillRect(QRect(0, height * 14 / 15, width, height / 15), QColor(236, 236, 240));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    painter.setFont(font);
    int line = 0;
    for (const auto& [top, bottom] :
         {std::pair(height / 10, photoTop), std::pair(photoBottom, height * 14 / 15)}) {
        for (int y = top + 30; y < bottom - 10; y += 28, ++line) {
            painter.setPen(line % 3 == 0 ? QColor(30, 110, 220) : QColor(60, 60, 70));
            painter.drawText(QPointF(24, y),
                             QStringLiteral("Row %1 - 12:%2 - Lorem ipsum dolor sit amet, consectetur")
                                 .arg(line + 1)
                                 .arg(10 + line % 50));
        }
    }
    return capture;
}

// A screenshot as templates render them, in premultiplied RGBA: a gradient, a device with a soft shadow
// holding an app capture, and a caption. Transparent, the area around the device is left clear.
QImage screenshotLikeImage(int width, int height, bool transparent)
{
    QImage image(width, height, QImage::Format_RGBA8888_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!transparent) {
        QLinearGradient gradient(0, 0, 0, height);
        gradient.setColorAt(0, QColor(16, 72, 150));
        gradient.setColorAt(1, QColor(38, 120, 220));
        painter.fillRect(image.rect(), gradient);
    }
    const QRect device(width / 8, height * 3 / 10, width * 3 / 4, height * 3 / 4);
    const int corner = width / 12;
    for (int ring = 12; ring > 0; --ring) {
        QPainterPath shadow;
        shadow.addRoundedRect(QRectF(device).adjusted(-ring, -ring + 8, ring, ring + 8), corner + ring,
                              corner + ring);
        painter.fillPath(shadow, QColor(0, 0, 0, 10));
    }
    QPainterPath body;
    body.addRoundedRect(device, corner, corner);
    painter.fillPath(body, QColor(28, 28, 30));
    const QRect screen = device.adjusted(width / 20, width / 8, -width / 20, 0);
    painter.drawImage(screen.topLeft(), captureLikeImage(screen.width(), screen.height()));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(width / 14);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, height * 0.05, width, height * 0.2), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("Everything you need,\nat a glance"));
    return image;
}

// A transparent screenshot in the middle of a larger clear canvas.
QImage clearAllRound()
{
    QImage image(1100, 1800, QImage::Format_RGBA8888_Premultiplied);
    image.fill(Qt::transparent);
    QPainter(&image).drawImage(QPoint(300, 450), screenshotLikeImage(700, 1000, true));
    return image;
}

// The size libpng gives the image at zlib level 6 (the usual encoders' level) with its adaptive filters.
qsizetype libpngLevel6Size(const QImage& image)
{
    const bool opaque = !image.hasAlphaChannel() ||
                        image.convertToFormat(QImage::Format_RGB888).convertToFormat(image.format()) == image;
    const QImage pixels = image.convertToFormat(opaque ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return 0;
    }
    png_set_write_fn(
        png, &out,
        [](png_structp writer, png_bytep data, png_size_t length) {
            static_cast<QByteArray*>(png_get_io_ptr(writer))
                ->append(reinterpret_cast<const char*>(data), qsizetype(length));
        },
        nullptr);
    png_set_IHDR(png, info, png_uint_32(pixels.width()), png_uint_32(pixels.height()), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_write_info(png, info);
    for (int y = 0; y < pixels.height(); ++y) {
        png_write_row(png, pixels.constScanLine(y));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out.size();
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

TEST(GraphicsTest, PngRoundTripsImagesOfEveryShapeAndContent)
{
    struct Case
    {
        const char* name;
        QImage image;
    };
    QImage flat(1500, 900, QImage::Format_RGBA8888_Premultiplied);
    flat.fill(QColor(30, 110, 220));
    QImage halfClear = screenshotLikeImage(700, 1300, true);
    const Case cases[] = {
        // Rows of 3,001 bytes: 87 to a strip, the last strip shorter.
        {"strips of uneven height", screenshotLikeImage(1000, 1300, false)},
        {"with transparency", halfClear},
        {"one pixel high", randomImage(9000, 1, QImage::Format_RGBA8888_Premultiplied, 20)},
        {"one pixel wide", randomImage(1, 5000, QImage::Format_ARGB32_Premultiplied, 21)},
        {"noise over many strips", randomImage(800, 700, QImage::Format_RGBA8888_Premultiplied, 22, false)},
        {"flat colour over many strips", flat},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        expectHolds(PngWriter::encode(test.image), test.image);
    }
}

TEST(GraphicsTest, PngIsNoLargerThanTheUsualEncodersGive)
{
    for (const bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        const QImage image = screenshotLikeImage(1242, 2208, transparent);
        const QByteArray png = PngWriter::encode(image);
        expectHolds(png, image);
        EXPECT_LE(png.size(), libpngLevel6Size(image));
    }
}

// An image encoded after a like one, taking over the strips of the rows they share, is encoded to the
// very bytes it is encoded to alone, and leaves its own strips for the next.
TEST(GraphicsTest, PngOfALikeImageIsTheSameFile)
{
    // Rows of 3,001 bytes: 87 to a strip.
    const QImage image = screenshotLikeImage(1000, 1300, false);
    const auto changed = [&](int top, int rows, QColor colour = Qt::red) {
        QImage copy = image.copy();
        QPainter(&copy).fillRect(QRect(100, top, 300, rows), colour);
        return copy;
    };
    struct Case
    {
        const char* name;
        QImage next;
    };
    const Case cases[] = {
        {"the same", image},
        {"a caption's rows", changed(600, 40)},
        {"the first row", changed(0, 1)},
        {"the last row", changed(1299, 1)},
        {"the last row of a strip, which the next strip's first row is filtered against", changed(86, 1)},
        {"partly transparent now", changed(300, 5, QColor(0, 0, 0, 100))},
        {"another size", screenshotLikeImage(1000, 1299, false)},
        {"another format", image.convertToFormat(QImage::Format_ARGB32_Premultiplied)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        graphics::PngStrips kept;
        ASSERT_EQ(PngWriter::encode(image, kept), PngWriter::encode(image));
        const QByteArray png = PngWriter::encode(test.next, kept);
        EXPECT_EQ(png, PngWriter::encode(test.next));
        expectHolds(png, test.next);
        EXPECT_EQ(PngWriter::encode(image, kept), PngWriter::encode(image));
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

// The writer's files are pinned to the byte, whatever the number of threads and however the strips are
// handed out: a faster writer must give the same files.
TEST(GraphicsTest, PngKeepsItsBytes)
{
    const struct
    {
        const char* name;
        QImage image;
        const char* sha256;
    } cases[] = {
        {"opaque", screenshotLikeImage(1000, 1300, false),
         "7dfd068901977dc36bcaef6b0076160c844eec0a46770a8a079f866281ba7673"},
        {"with transparency", screenshotLikeImage(700, 1300, true),
         "b88642a27b89623e95d784328e305ce8a7a95c3ce6b24a98922d5b359eb30580"},
        {"native words",
         screenshotLikeImage(640, 480, true).convertToFormat(QImage::Format_ARGB32_Premultiplied),
         "fb616e2c49a1d98408cf06cc58534f257a56efd43752c11ebac423c8eeb67c24"},
        {"noise", randomImage(300, 200, QImage::Format_RGBA8888_Premultiplied, 23),
         "5b45c4229890ee6b7b2e5aafb2a499606372dfe9748896f791fd96cdb87c9d6d"},
        // Whole strips of clear rows above and below, clear columns either side.
        {"clear all round", clearAllRound(),
         "23e4a046fa10c4d292c40df23e6f94609716042f802b8d72d8747a69e86886c0"},
        {"clear all round, straight alpha", clearAllRound().convertToFormat(QImage::Format_RGBA8888),
         "5fd45d114c147259d65173366b6559bf210e95f36612dea799e4b56fc976771a"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(QCryptographicHash::hash(PngWriter::encode(test.image), QCryptographicHash::Sha256)
                      .toHex()
                      .toStdString(),
                  test.sha256);
    }
}
