#include "ledgerline/core/ImageProperty.h"

#include "TestObjects.h"
#include "foundation/Values.h"
#include "tessaline/Shared/Observer.h"

#include <gtest/gtest.h>

using namespace ledgerline;

TEST(LedgerlineTest, APictureDroppedIntoTheRowReachesTheObjectAndItsBytesTheHandler)
{
    Record record;
    ImageProperty image;
    QStringList events;
    QByteArray handed;
    image.setImageDataHandler([&](const QByteArray& data) {
        // The object has the picture before it is asked to keep its bytes.
        events.append(foundation::isNil(record.value("image")) ? "bytes before image" : "bytes");
        handed = data;
    });
    image.bind(&record, "image");
    EXPECT_FALSE(image.image());

    const QByteArray png = pngData(3, 2);
    ASSERT_TRUE(image.putImageData(png));
    EXPECT_EQ(events, QStringList{"bytes"});
    EXPECT_EQ(handed, png);
    ASSERT_TRUE(image.image());
    EXPECT_EQ(image.image()->size(), (graphics::Size{3, 2}));
    const QVariant stored = record.value("image");
    ASSERT_EQ(stored.metaType(), QMetaType::fromType<graphics::Image>());
    EXPECT_EQ(stored.value<graphics::Image>(), *image.image());
}

TEST(LedgerlineTest, BytesThatAreNoPictureChangeNothing)
{
    Record record;
    const QByteArray png = pngData(1, 1);
    ImageProperty image;
    int handled = 0;
    image.setImageDataHandler([&](const QByteArray&) { ++handled; });
    image.bind(&record, "image");
    ASSERT_TRUE(image.putImageData(png));

    EXPECT_FALSE(image.putImageData("not a picture"));
    EXPECT_FALSE(image.putImageData({}));
    EXPECT_FALSE(image.putImageData(png.left(png.size() / 2)));
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(record.writes["image"], 1);
    EXPECT_EQ(image.image()->size(), (graphics::Size{1, 1}));
}

TEST(LedgerlineTest, AnImageRowStartsWithItsDefaultAndWorksWithoutAHandler)
{
    const graphics::Image picture = *graphics::Image::fromData(pngData(4, 4));
    ImageProperty image(picture);
    EXPECT_EQ(image.image(), picture);
    EXPECT_TRUE(image.putImageData(pngData(2, 2)));
    EXPECT_EQ(image.image()->size(), (graphics::Size{2, 2}));
    image.setValue({});
    EXPECT_FALSE(image.image());
}

TEST(LedgerlineTest, AHandlerMayOutliveTheRowItWasCalledFrom)
{
    // An observer of the new picture may rebuild the inspector and destroy the row before the bytes are
    // handed on.
    Record record;
    auto image = std::make_unique<ImageProperty>();
    image->bind(&record, "image");
    QByteArray handed;
    image->setImageDataHandler([&](const QByteArray& data) { handed = data; });
    const tessaline::Observer rebuild(&record, "image", false, [&](const QVariant&) { image.reset(); });
    const QByteArray png = pngData(2, 1);
    EXPECT_TRUE(image->putImageData(png));
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(handed, png);
}
