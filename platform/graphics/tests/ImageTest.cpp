#include "graphics/Image.h"

#include "graphics/ImageDecoderRegistry.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QVariant>
#include <gtest/gtest.h>

using graphics::BitmapImageRep;
using graphics::Image;
using graphics::ImageDecoder;
using graphics::ImageDecoderRegistry;

namespace {

QByteArray pngOf(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// A made-up format: "XIMG", then the width in one byte, then that many opaque grey pixels in one row.
ImageDecoder greyRowDecoder()
{
    return {QStringLiteral("grey-row"),
            {QStringLiteral("ximg")},
            [](const QByteArray& data) { return data.startsWith("XIMG"); },
            [](const QByteArray& data) -> std::optional<BitmapImageRep> {
                if (data.size() < 5 || data.size() < 5 + quint8(data[4])) {
                    return std::nullopt;
                }
                QImage pixels(quint8(data[4]), 1, QImage::Format_RGBA8888_Premultiplied);
                for (int x = 0; x < pixels.width(); ++x) {
                    const int grey = quint8(data[5 + x]);
                    pixels.setPixelColor(x, 0, QColor(grey, grey, grey));
                }
                return BitmapImageRep(pixels);
            }};
}

} // namespace

TEST(GraphicsTest, DecodedImagesMeasureInPixels)
{
    QImage pixels(7, 3, QImage::Format_ARGB32);
    pixels.fill(QColor(10, 20, 30, 255));
    const std::optional<Image> image = Image::fromData(pngOf(pixels));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->size(), (graphics::Size{7, 3}));
    ASSERT_EQ(image->representations().size(), 1u);
    const BitmapImageRep& rep = image->representations().front();
    EXPECT_EQ(rep.bitsPerPixel(), 32);
    EXPECT_EQ(rep.bytesPerRow(), 28);
    EXPECT_EQ(rep.bytesPerPlane(), 84);
    EXPECT_EQ(rep.bitmap().format(), BitmapImageRep::pixelFormat);
    EXPECT_EQ(rep.bitmap().pixelColor(0, 0), QColor(10, 20, 30));
    EXPECT_EQ(Image::fromData(image->pngData())->representations().front().bitmap(), rep.bitmap());

    EXPECT_EQ(QVariant::fromValue(*image), QVariant::fromValue(*Image::fromData(pngOf(pixels))));
    EXPECT_FALSE(Image::fromData(QByteArray("not a picture at all")).has_value());
    EXPECT_FALSE(Image::fromData(QByteArray()).has_value());
    // A truncated PNG decodes to nothing rather than to garbage.
    EXPECT_FALSE(Image::fromData(pngOf(pixels).left(30)).has_value());
}

TEST(GraphicsTest, RegisteredDecodersReadTheirFormat)
{
    ImageDecoderRegistry::registerDecoder(greyRowDecoder());
    EXPECT_TRUE(ImageDecoderRegistry::isRegistered(QStringLiteral("grey-row")));
    EXPECT_TRUE(ImageDecoderRegistry::fileExtensions().contains(QStringLiteral("ximg")));
    const QByteArray data = QByteArray("XIMG") + char(2) + char(0x40) + char(0x80);
    const std::optional<Image> image = Image::fromData(data);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->size(), (graphics::Size{2, 1}));
    EXPECT_EQ(image->representations().front().bitmap().pixelColor(1, 0), QColor(0x80, 0x80, 0x80));
    // Broken data of the format reads as nothing.
    EXPECT_FALSE(Image::fromData(QByteArray("XIMG") + char(9)).has_value());

    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("row.ximg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    ASSERT_TRUE(Image::fromFile(path).has_value());
    EXPECT_FALSE(Image::fromFile(directory.filePath(QStringLiteral("missing.png"))).has_value());
}

TEST(GraphicsTest, NamedImagesLoadOnceAndAreShared)
{
    const std::shared_ptr<const Image> swatch = Image::named(QStringLiteral("swatch"));
    ASSERT_TRUE(swatch);
    EXPECT_EQ(swatch->size(), (graphics::Size{3, 2}));
    EXPECT_EQ(Image::named(QStringLiteral("swatch")), swatch);
    EXPECT_TRUE(Image::named(QStringLiteral("swatch.png")));
    EXPECT_EQ(Image::named(QStringLiteral("no-such-picture")), nullptr);

    // Renders on the pool that ask at once share one load.
    std::vector<std::shared_ptr<const Image>> results(8);
    for (std::shared_ptr<const Image>& result : results) {
        QThreadPool::globalInstance()->start(
            [target = &result] { *target = Image::named(QStringLiteral("images/swatch.png")); });
    }
    QThreadPool::globalInstance()->waitForDone();
    ASSERT_TRUE(results.front());
    for (const auto& result : results) {
        EXPECT_EQ(result, results.front());
    }
}

TEST(GraphicsTest, BestRepresentationCoversTheDrawnSize)
{
    Image image(graphics::Size{10, 10});
    EXPECT_EQ(image.bestRepresentation(10, 10), nullptr);
    QImage small(10, 10, QImage::Format_ARGB32);
    QImage large(20, 20, QImage::Format_ARGB32);
    image.addRepresentation(BitmapImageRep(small));
    image.addRepresentation(BitmapImageRep(large, {10, 10}));
    EXPECT_EQ(image.bestRepresentation(8, 8)->pixelsWide(), 10);
    EXPECT_EQ(image.bestRepresentation(15, 15)->pixelsWide(), 20);
    EXPECT_EQ(image.bestRepresentation(40, 40)->pixelsWide(), 20);
}
