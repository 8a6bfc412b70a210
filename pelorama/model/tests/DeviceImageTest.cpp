#include "model/entities/DeviceImage.h"

#include "DocumentStack.h"
#include "TestPictures.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueObservation.h"
#include "ledgerline/core/EnumerationProperty.h"
#include "ledgerline/core/ImageProperty.h"
#include "ledgerline/core/NumericProperty.h"
#include "ledgerline/core/PropertyCollection.h"
#include "model/attributes/WarningProperty.h"
#include "model/devices/DeviceFamily.h"
#include "model/entities/Asset.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/SnapshotDrawing.h"

#include <QCoreApplication>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

const DeviceFamily& family(const char* identifier)
{
    return *DeviceFamily::findWithIdentifier(QString::fromLatin1(identifier));
}

const DeviceVariant& variant(const char* familyIdentifier, const char* identifier)
{
    return *family(familyIdentifier).findVariantWithIdentifier(QString::fromLatin1(identifier));
}

graphics::Image picture(int width, int height)
{
    QImage pixels(width, height, QImage::Format_ARGB32);
    pixels.fill(Qt::red);
    return graphics::Image(pixels);
}

std::shared_ptr<const graphics::Image> frame(const char* identifier)
{
    return RenderResources::shared().deviceFrames().frame(QString::fromLatin1(identifier));
}

// A frame of size at scale 1 centred on the origin.
graphics::Rect centred(const graphics::Size& size)
{
    return {-size.width / 2, -size.height / 2, size.width, size.height};
}

void expectRect(const graphics::Rect& actual, const graphics::Rect& expected)
{
    EXPECT_NEAR(actual.minX(), expected.minX(), 1e-9);
    EXPECT_NEAR(actual.minY(), expected.minY(), 1e-9);
    EXPECT_NEAR(actual.width(), expected.width(), 1e-9);
    EXPECT_NEAR(actual.height(), expected.height(), 1e-9);
}

} // namespace

class DeviceImageTest : public testing::Test
{
protected:
    DocumentStack stack = DocumentStack::inMemory();
    DeviceImage* device = DeviceImage::insertInto(*stack.context);

    qsizetype assetCount() { return stack.context->count(Asset::fetchRequest()).value(); }
};

TEST_F(DeviceImageTest, UnknownIdentifiersFallBackWithoutBeingRewritten)
{
    device->setPrimitiveValue(QStringLiteral("Watch"), "deviceFamily");
    device->setPrimitiveValue(QStringLiteral("iPadMini4Gold"), "deviceVariant");
    EXPECT_EQ(device->deviceFamily().identifier(), QStringLiteral("iPhone"));
    EXPECT_EQ(device->deviceVariant().identifier(), QStringLiteral("iPhone7JetBlack"));
    EXPECT_EQ(device->primitiveValue("deviceFamily"), QVariant(QStringLiteral("Watch")));
    EXPECT_EQ(device->primitiveValue("deviceVariant"), QVariant(QStringLiteral("iPadMini4Gold")));
}

TEST_F(DeviceImageTest, ChangingTheFamilyKeepsOnlyAVariantOfThatFamily)
{
    device->setDeviceFamily(family("iPad"));
    EXPECT_EQ(device->primitiveValue("deviceVariant"), QVariant(QStringLiteral("iPadPro97SpaceGrey")));

    device->setDeviceFamily(family("iPhone"));
    device->setDeviceVariant(variant("iPhone", "iPhone7Gold"));
    device->setDeviceFamily(family("iPhone"));
    EXPECT_EQ(device->primitiveValue("deviceVariant"), QVariant(QStringLiteral("iPhone7Gold")));
    device->setDeviceFamily(family("iPad"));
    EXPECT_EQ(device->deviceVariant().identifier(), QStringLiteral("iPadPro97SpaceGrey"));

    // A variant of another family is stored as given, and read as the family's first.
    device->setDeviceVariant(variant("iMac", "iMacFlat"));
    EXPECT_EQ(device->primitiveValue("deviceVariant"), QVariant(QStringLiteral("iMacFlat")));
    EXPECT_EQ(device->deviceVariant().identifier(), QStringLiteral("iPadPro97SpaceGrey"));
}

TEST_F(DeviceImageTest, KeyValueCodingSeesCatalogueObjectsAndObserversHearVariantChanges)
{
    std::vector<QVariant> variants;
    foundation::KeyValueObservation observation(device, "deviceVariant",
                                                foundation::KeyValueObservation::InitialValue::skip,
                                                [&](const QVariant& value) { variants.push_back(value); });
    const DeviceVariant* silver = &variant("iPhone", "iPhoneSESilver");
    foundation::setValueForKey(device, QVariant::fromValue(silver), "deviceVariant");
    EXPECT_EQ(foundation::valueForKey(device, "deviceVariant").value<const DeviceVariant*>(), silver);
    ASSERT_EQ(variants.size(), 1u);
    EXPECT_EQ(variants[0].value<const DeviceVariant*>(), silver);

    // The family's store is heard as a change of the variant too, then the store of the family's first.
    foundation::setValueForKey(device, QVariant::fromValue(&family("iMac")), "deviceFamily");
    EXPECT_EQ(foundation::valueForKey(device, "deviceFamily").value<const DeviceFamily*>(), &family("iMac"));
    ASSERT_EQ(variants.size(), 3u);
    EXPECT_EQ(variants[2].value<const DeviceVariant*>(), &family("iMac").variants().front());
    EXPECT_THROW(foundation::setValueForKey(device, QStringLiteral("iMac"), "deviceVariant"),
                 foundation::KeyValueError);
}

TEST_F(DeviceImageTest, AFamilyThatKeepsAStoredVariantOfItsOwnIsHeardAsAVariantChange)
{
    // Stored by an earlier family change, read as the phone's first variant while the family is the phone.
    device->setDeviceFamily(family("iPhone"));
    device->setPrimitiveValue(QStringLiteral("iPadMini4Gold"), "deviceVariant");
    ASSERT_EQ(device->deviceVariant().identifier(), QStringLiteral("iPhone7JetBlack"));
    ASSERT_EQ(device->deviceImage(), frame("iPhone7JetBlack"));

    std::vector<QString> heard;
    foundation::KeyValueObservation observation(
        device, "deviceVariant", foundation::KeyValueObservation::InitialValue::skip,
        [&](const QVariant& value) { heard.push_back(value.value<const DeviceVariant*>()->identifier()); });
    device->setDeviceFamily(family("iPad"));
    EXPECT_EQ(heard, std::vector<QString>{"iPadMini4Gold"});
    EXPECT_EQ(device->deviceImage(), frame("iPadMini4Gold"));
    expectRect(device->rect(), centred(frame("iPadMini4Gold")->size()));
}

TEST_F(DeviceImageTest, TheFrameFollowsTheVariantThroughUndoAndRedo)
{
    QUndoStack undo;
    stack.context->setUndoStack(&undo);
    QCoreApplication::processEvents();
    ASSERT_EQ(device->deviceImage(), frame("iPhone7JetBlack"));
    device->setDeviceVariant(variant("iPhone", "iPhoneSEGold"));
    QCoreApplication::processEvents();
    ASSERT_EQ(device->deviceImage(), frame("iPhoneSEGold"));

    undo.undo();
    ASSERT_EQ(device->deviceVariant().identifier(), QStringLiteral("iPhone7JetBlack"));
    EXPECT_EQ(device->deviceImage(), frame("iPhone7JetBlack"));
    expectRect(device->rect(), centred(frame("iPhone7JetBlack")->size()));
    undo.redo();
    EXPECT_EQ(device->deviceImage(), frame("iPhoneSEGold"));
    expectRect(device->rect(), centred(frame("iPhoneSEGold")->size()));

    // A write that bypasses the setter, as a reverted save makes.
    device->setPrimitiveValue(QStringLiteral("iPhone7Gold"), "deviceVariant");
    EXPECT_EQ(device->deviceImage(), frame("iPhone7Gold"));
    expectRect(device->rect(), centred(frame("iPhone7Gold")->size()));
}

TEST_F(DeviceImageTest, RectIsTheScaledFrameCentredAndTurnedForOrientableFamilies)
{
    device->setScaleFactor(0.5);
    device->setPosition({400, 300});
    expectRect(device->rect(), {150, -150, 500, 900});
    device->setOrientation(DeviceOrientation::portraitUpsideDown);
    expectRect(device->rect(), {150, -150, 500, 900});
    for (DeviceOrientation turn : {DeviceOrientation::landscapeLeft, DeviceOrientation::landscapeRight}) {
        device->setOrientation(turn);
        expectRect(device->rect(), {-50, 50, 900, 500});
        EXPECT_EQ(device->boundingRect(), device->rect());
    }
    device->setDeviceFamily(family("iMac"));
    expectRect(device->rect(), {400 - 750, 300 - 612.5, 1500, 1225});
}

TEST_F(DeviceImageTest, ResolutionWarningShowsOnlyForPicturesThatDoNotFitTheScreen)
{
    EXPECT_FALSE(device->resolutionWarning());
    device->setImage(picture(750, 1334));
    EXPECT_FALSE(device->resolutionWarning());
    device->setImage(picture(1500, 2668));
    EXPECT_FALSE(device->resolutionWarning());
    device->setImage(picture(1242, 2208));
    EXPECT_EQ(
        device->resolutionWarning(),
        QStringLiteral("**Warning:** for best results please use a screenshot that matches the resolution of "
                       "the device. (**1334** by **750** pixels)"));
    device->setImage(std::nullopt);
    EXPECT_FALSE(device->resolutionWarning());

    device->setImage(picture(750, 1334));
    device->setDeviceVariant(variant("iPhone", "iPhoneSESilver"));
    ASSERT_TRUE(device->resolutionWarning());
    EXPECT_TRUE(device->resolutionWarning()->endsWith("(**1136** by **640** pixels)"));
}

namespace {

const ledgerline::PropertyGroup& groupNamed(const ledgerline::PropertyCollection& collection,
                                            const QString& name)
{
    for (const auto& group : collection.groups()) {
        if (group->name() == name)
            return *group;
    }
    throw std::runtime_error("no group " + name.toStdString());
}

} // namespace

TEST_F(DeviceImageTest, InspectorOffersTheFamilysModelsScaleScreenshotAndWarning)
{
    const auto collection = device->makePropertyCollection();
    ASSERT_EQ(collection->groups().size(), 2u);
    EXPECT_EQ(collection->groups()[0]->name(), QStringLiteral("Device Image"));
    EXPECT_EQ(collection->groups()[1]->name(), QStringLiteral("Shadow"));
    const auto& rows = groupNamed(*collection, "Device Image").properties();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0]->name(), QStringLiteral("Device Model"));
    EXPECT_EQ(rows[1]->name(), QStringLiteral("Scale factor"));
    EXPECT_EQ(rows[2]->name(), QStringLiteral("Screenshot"));
    EXPECT_NE(dynamic_cast<WarningProperty*>(rows[3].get()), nullptr);

    auto& models = dynamic_cast<ledgerline::EnumerationProperty&>(*rows[0]);
    ASSERT_EQ(models.options().size(), 13u);
    EXPECT_EQ(models.options()[7].title, QStringLiteral("iPhone SE Space Grey"));
    EXPECT_EQ(models.selectedIndex(), 0);
    models.selectOption(2);
    EXPECT_EQ(device->deviceVariant().identifier(), QStringLiteral("iPhone7Silver"));
    device->setDeviceVariant(variant("iPhone", "iPhoneSEGold"));
    EXPECT_EQ(models.selectedIndex(), 9);

    auto& scale = dynamic_cast<ledgerline::NumericProperty&>(*rows[1]);
    scale.setValue(0.25);
    EXPECT_EQ(device->scaleFactor(), 0.25);
}

TEST_F(DeviceImageTest, InspectorWarningFollowsThePictureAndTheVariant)
{
    const auto collection = device->makePropertyCollection();
    auto& warning = dynamic_cast<WarningProperty&>(*groupNamed(*collection, "Device Image").properties()[3]);
    EXPECT_TRUE(warning.isHidden());

    device->setImage(picture(1242, 2208));
    EXPECT_FALSE(warning.isHidden());
    EXPECT_TRUE(warning.message().endsWith("(**1334** by **750** pixels)"));
    device->setImage(picture(750, 1334));
    EXPECT_TRUE(warning.isHidden());
    device->setDeviceVariant(variant("iPhone", "iPhoneSEMonoWhite"));
    EXPECT_FALSE(warning.isHidden());
    EXPECT_TRUE(warning.message().endsWith("(**1136** by **640** pixels)"));
    device->setImage(std::nullopt);
    EXPECT_TRUE(warning.isHidden());
}

TEST_F(DeviceImageTest, InspectorScreenshotRowStoresThePictureAsAnAsset)
{
    const auto collection = device->makePropertyCollection();
    auto& screenshot =
        dynamic_cast<ledgerline::ImageProperty&>(*groupNamed(*collection, "Device Image").properties()[2]);
    ASSERT_TRUE(screenshot.putImageData(solidPng(5, 7, Qt::blue, QImage::Format_ARGB32)));
    ASSERT_TRUE(device->image());
    EXPECT_EQ(device->image()->size(), (graphics::Size{5, 7}));
    EXPECT_TRUE(device->assetIdentifier());
    EXPECT_EQ(assetCount(), 1);
}
