#include "model/entities/Asset.h"

#include "DocumentStack.h"
#include "TestFiles.h"
#include "graphics/ImageDecoderRegistry.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/Image.h"
#include "model/rendering/PictureCache.h"
#include "model/rendering/RenderResources.h"
#include "store/FetchRequest.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

QByteArray encoded(const QImage& picture, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    return writer.write(picture) ? bytes : QByteArray();
}

QByteArray pngBytes(int width, int height, QColor color = Qt::red)
{
    QImage picture(width, height, QImage::Format_RGBA8888);
    picture.fill(color);
    return encoded(picture, "png");
}

template <typename T> QList<T*> fetchAll(store::ManagedObjectContext& context)
{
    const store::Result<QList<store::ManagedObject*>> objects = context.execute(T::fetchRequest());
    EXPECT_TRUE(objects.hasValue());
    QList<T*> found;
    if (objects) {
        for (store::ManagedObject* object : objects.value())
            found.append(dynamic_cast<T*>(object));
    }
    return found;
}

QList<Asset*> assets(store::ManagedObjectContext& context)
{
    return fetchAll<Asset>(context);
}

QList<Image*> images(store::ManagedObjectContext& context)
{
    return fetchAll<Image>(context);
}

} // namespace

class AssetTest : public testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        return writeTestFile(directory, name, bytes);
    }

    QTemporaryDir directory;
    DocumentStack stack = DocumentStack::inMemory();
};

TEST_F(AssetTest, AnAssetKeepsTheBytesTheirHashAndANewIdentifier)
{
    const QByteArray bytes = pngBytes(2, 2);
    Asset* first = Asset::insertInto(*stack.context, bytes);
    Asset* second = Asset::insertInto(*stack.context, bytes);
    EXPECT_EQ(first->data(), bytes);
    EXPECT_TRUE(QRegularExpression("^[0-9a-f]{40}$").match(first->sha1Hash()).hasMatch());
    EXPECT_EQ(first->sha1Hash(), second->sha1Hash());
    EXPECT_NE(first->uniqueIdentifier(), second->uniqueIdentifier());

    EXPECT_EQ(*Asset::fetch(second->uniqueIdentifier(), *stack.context), second);
    EXPECT_EQ(*Asset::fetch(QStringLiteral("none"), *stack.context), nullptr);
}

TEST_F(AssetTest, StoringAPictureReplacesTheImagesAsset)
{
    Image* image = Image::insertInto(*stack.context);
    const QByteArray bytes = pngBytes(2, 2);
    image->storeImageData(bytes);
    const QString first = *image->assetIdentifier();
    image->storeImageData(bytes);
    ASSERT_EQ(assets(*stack.context).size(), 1);
    EXPECT_NE(*image->assetIdentifier(), first);
    EXPECT_EQ(assets(*stack.context).front()->uniqueIdentifier(), *image->assetIdentifier());
}

TEST_F(AssetTest, AnImageWhoseAssetIsGoneHasNoPictureAndSaysSoOnce)
{
    Image* image = Image::insertInto(*stack.context);
    image->setAssetIdentifier(QStringLiteral("missing"));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(image->image());
    EXPECT_TRUE(image->pictureReference().isNone());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warning: could not find asset!\n");

    // Bytes that are no picture give none without a word.
    image->storeImageData("not a picture");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(image->image());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

// Opening decodes nothing; the first drawing decodes a picture file once, and every drawable that uses
// it, image or device image, draws that one bitmap.
TEST_F(AssetTest, DrawablesSharingAPictureFileDrawOneBitmapDecodedWhenFirstDrawn)
{
    const QString path = directory.filePath("document.sqlite");
    const QByteArray bytes = pngBytes(7, 5, QColor(12, 34, 56));
    {
        DocumentStack document = DocumentStack::sqlite(path);
        Asset* asset = Asset::insertInto(*document.context, bytes);
        for (int i = 0; i < 20; ++i) {
            Image::insertInto(*document.context)->setAssetIdentifier(asset->uniqueIdentifier());
            DeviceImage::insertInto(*document.context)->setAssetIdentifier(asset->uniqueIdentifier());
        }
        ASSERT_TRUE(document.context->save());
    }
    DocumentStack document = DocumentStack::sqlite(path);
    QList<ImageLoadable*> drawables;
    for (Image* image : images(*document.context))
        drawables.append(image);
    for (DeviceImage* device : fetchAll<DeviceImage>(*document.context))
        drawables.append(device);
    ASSERT_EQ(drawables.size(), 40);
    const PictureReference first = drawables.front()->pictureReference();
    ASSERT_TRUE(first.isAsset());
    EXPECT_EQ(RenderResources::shared().pictures().state(first.sha1(), first.data()),
              PictureCache::State::absent);

    QSet<qint64> bitmaps;
    for (ImageLoadable* drawable : drawables) {
        const std::optional<graphics::Image> picture =
            drawable->pictureReference().picture(RenderResources::shared().pictures());
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->size(), (graphics::Size{7, 5}));
        bitmaps.insert(picture->representations().front().bitmap().cacheKey());
    }
    EXPECT_EQ(bitmaps.size(), 1);
    EXPECT_EQ(RenderResources::shared().pictures().state(first.sha1(), first.data()),
              PictureCache::State::kept);
}

TEST_F(AssetTest, ADroppedFileOfEveryDecodableFormatBecomesThePictureAndItsBytesTheAsset)
{
    QImage picture(3, 2, QImage::Format_RGBA8888);
    picture.fill(QColor(200, 40, 10));
    QStringList tried;
    for (const QByteArray& format : QImageWriter::supportedImageFormats()) {
        if (!QImageReader::supportedImageFormats().contains(format))
            continue;
        const QByteArray bytes = encoded(picture, format.constData());
        if (bytes.isEmpty())
            continue;
        tried.append(QString::fromLatin1(format));
        Image* image = Image::insertInto(*stack.context);
        const auto dropped = image->processDroppedUrl(QUrl::fromLocalFile(write("picture." + format, bytes)));
        ASSERT_TRUE(dropped.hasValue()) << format.constData();
        ASSERT_TRUE(image->image()) << format.constData();
        // Some formats keep only certain sizes (icons are padded); the picture is what the file holds.
        const QSize stored = QImage::fromData(bytes).size();
        EXPECT_EQ(image->image()->size(), (graphics::Size{double(stored.width()), double(stored.height())}))
            << format.constData();
        EXPECT_EQ((*Asset::fetch(*image->assetIdentifier(), *stack.context))->data(), bytes)
            << format.constData();
    }
    EXPECT_TRUE(tried.contains("png") && tried.contains("jpeg") && tried.contains("bmp"))
        << tried.join(' ').toStdString();

    // A smallest GIF (1 x 1), a format Qt reads but does not write.
    const QByteArray gif = QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACwAAAAAAQABAAACAkQBADs=");
    Image* image = Image::insertInto(*stack.context);
    ASSERT_TRUE(image->processDroppedUrl(QUrl::fromLocalFile(write("dot.gif", gif))).hasValue());
    EXPECT_EQ(image->image()->size(), (graphics::Size{1, 1}));
}

TEST_F(AssetTest, ADecoderRegisteredWithTheRegistryReadsDroppedFilesToo)
{
    graphics::ImageDecoderRegistry::registerDecoder(
        {QStringLiteral("asset-test-format"),
         {QStringLiteral("atf")},
         [](const QByteArray& data) { return data.startsWith("ATF1"); },
         [](const QByteArray&) -> std::optional<graphics::BitmapImageRep> {
             QImage pixels(5, 4, QImage::Format_RGBA8888_Premultiplied);
             pixels.fill(Qt::black);
             return graphics::BitmapImageRep(pixels);
         }});
    Image* image = Image::insertInto(*stack.context);
    ASSERT_TRUE(
        image->processDroppedUrl(QUrl::fromLocalFile(write("picture.atf", "ATF1 pixels"))).hasValue());
    EXPECT_EQ(image->image()->size(), (graphics::Size{5, 4}));
}

TEST_F(AssetTest, ACorruptOrUnreadableFileIsRefusedAndTheOldPictureKept)
{
    Image* image = Image::insertInto(*stack.context);
    ASSERT_TRUE(image->processDroppedUrl(QUrl::fromLocalFile(write("good.png", pngBytes(4, 4)))).hasValue());
    const graphics::Image before = *image->image();
    const QString asset = *image->assetIdentifier();

    QImage large(64, 64, QImage::Format_RGBA8888);
    large.fill(QColor(10, 200, 30));
    QList<QByteArray> corrupt{QByteArray("hello, this is text"), QByteArray("\x89PNG\r\n\x1a\n garbage", 17),
                              QByteArray()};
    // Files cut short.
    for (const char* format : {"png", "jpeg", "tiff", "webp"}) {
        const QByteArray bytes = encoded(large, format);
        if (!bytes.isEmpty())
            corrupt.append(bytes.left(bytes.size() / 2));
    }
    for (const QByteArray& bytes : corrupt) {
        const auto dropped = image->processDroppedUrl(QUrl::fromLocalFile(write("bad.png", bytes)));
        ASSERT_FALSE(dropped.hasValue());
        EXPECT_EQ(dropped.error().code(), DroppableError::Code::imageLoadingFailure);
        EXPECT_EQ(dropped.error().localizedDescription(), "The image could not be decoded.");
        EXPECT_EQ(*image->image(), before);
        EXPECT_EQ(*image->assetIdentifier(), asset);
    }

    const auto missing = image->processDroppedUrl(QUrl::fromLocalFile(directory.filePath("nothing.png")));
    ASSERT_FALSE(missing.hasValue());
    EXPECT_EQ(missing.error().code(), DroppableError::Code::fileReadFailure);
    EXPECT_FALSE(missing.error().localizedDescription().isEmpty());
    EXPECT_EQ(*image->assetIdentifier(), asset);
    EXPECT_EQ(assets(*stack.context).size(), 1);
}

TEST_F(AssetTest, ACopySharingAnAssetKeepsItsPictureThroughDeletionSaveAndReopen)
{
    const QString path = directory.filePath("document.sqlite");
    QString shared;
    {
        DocumentStack document = DocumentStack::sqlite(path);
        Image* original = Image::insertInto(*document.context);
        ASSERT_TRUE(
            original->processDroppedUrl(QUrl::fromLocalFile(write("a.png", pngBytes(6, 3)))).hasValue());
        shared = *original->assetIdentifier();
        // Duplicate and paste copy the drawable with its asset identifier.
        Image* copy =
            Image::insertInto(*document.context, original->image(), original->rect(), original->fillMode());
        copy->setAssetIdentifier(shared);
        ASSERT_TRUE(document.context->save());

        document.context->deleteObject(original);
        ASSERT_TRUE(document.context->save());
    }
    {
        DocumentStack document = DocumentStack::sqlite(path);
        const QList<Image*> reopened = images(*document.context);
        ASSERT_EQ(reopened.size(), 1);
        ASSERT_TRUE(reopened.front()->image());
        EXPECT_EQ(reopened.front()->image()->size(), (graphics::Size{6, 3}));
        EXPECT_EQ(assets(*document.context).size(), 1);

        // The last one to go takes the asset with it.
        document.context->deleteObject(reopened.front());
        ASSERT_TRUE(document.context->save());
    }
    DocumentStack document = DocumentStack::sqlite(path);
    EXPECT_TRUE(assets(*document.context).isEmpty());
}

TEST_F(AssetTest, ANewPictureOnACopyLeavesTheOriginalsAsset)
{
    Image* original = Image::insertInto(*stack.context);
    ASSERT_TRUE(original->processDroppedUrl(QUrl::fromLocalFile(write("a.png", pngBytes(6, 3)))).hasValue());
    DeviceImage* device = DeviceImage::insertInto(*stack.context);
    device->setAssetIdentifier(original->assetIdentifier());
    Image* copy = Image::insertInto(*stack.context);
    copy->setAssetIdentifier(original->assetIdentifier());

    ASSERT_TRUE(copy->processDroppedUrl(QUrl::fromLocalFile(write("b.png", pngBytes(2, 2)))).hasValue());
    EXPECT_NE(*copy->assetIdentifier(), *original->assetIdentifier());
    EXPECT_TRUE(*Asset::fetch(*original->assetIdentifier(), *stack.context));
    EXPECT_EQ(assets(*stack.context).size(), 2);

    // A device image naming the asset keeps it too.
    stack.context->deleteObject(original);
    EXPECT_EQ(assets(*stack.context).size(), 2);
}

TEST_F(AssetTest, DeletingEveryCopyAtOnceDeletesTheSharedAsset)
{
    Image* original = Image::insertInto(*stack.context);
    original->storeImageData(pngBytes(2, 2));
    Image* copy = Image::insertInto(*stack.context);
    copy->setAssetIdentifier(original->assetIdentifier());
    stack.context->deleteObject(original);
    stack.context->deleteObject(copy);
    EXPECT_TRUE(assets(*stack.context).isEmpty());
}
