#include "model/devices/DeviceFamily.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace pelorama::model;
using graphics::Size;

namespace {

const DeviceFamily& family(const char* identifier)
{
    const DeviceFamily* found = DeviceFamily::findWithIdentifier(QString::fromLatin1(identifier));
    if (!found)
        throw std::runtime_error(identifier);
    return *found;
}

QStringList identifiers(const DeviceFamily& family)
{
    QStringList list;
    for (const DeviceVariant& variant : family.variants())
        list.append(variant.identifier());
    return list;
}

} // namespace

TEST(DeviceCatalogue, HoldsFourFamiliesInOrder)
{
    const std::vector<DeviceFamily>& families = DeviceFamily::all();
    ASSERT_EQ(families.size(), 4u);
    const char* const expected[] = {"iPhone", "iPad", "MacBook", "iMac"};
    const bool orientable[] = {true, true, false, false};
    const size_t variantCounts[] = {13, 11, 2, 4};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(families[i].identifier(), QLatin1String(expected[i]));
        EXPECT_EQ(families[i].name(), families[i].identifier());
        EXPECT_EQ(families[i].isOrientable(), orientable[i]);
        EXPECT_EQ(families[i].variants().size(), variantCounts[i]);
    }
    EXPECT_EQ(families[0].displaySizes(),
              (std::vector<Size>{{640, 960}, {640, 1136}, {750, 1334}, {1242, 2208}, {1080, 1920}}));
    EXPECT_EQ(families[1].displaySizes(), (std::vector<Size>{{1024, 768}, {2048, 1536}, {2732, 2048}}));
    EXPECT_EQ(families[2].displaySizes().size(), 9u);
    EXPECT_EQ(families[2].displaySizes().back(), (Size{2880, 1800}));
    EXPECT_EQ(families[3].displaySizes(), families[2].displaySizes());
}

TEST(DeviceCatalogue, VariantsAreTheStoredIdentifiersInOrder)
{
    EXPECT_EQ(
        identifiers(family("iPhone")),
        QString("iPhone7JetBlack iPhone7Black iPhone7Silver iPhone7Gold iPhone7RoseGold iPhone7MonoBlack "
                "iPhone7MonoWhite iPhoneSESpaceGrey iPhoneSESilver iPhoneSEGold iPhoneSERoseGold "
                "iPhoneSEMonoBlack iPhoneSEMonoWhite")
            .split(' '));
    EXPECT_EQ(
        identifiers(family("iPad")),
        QString("iPadPro97SpaceGrey iPadPro97Silver iPadPro97Gold iPadPro97RoseGold iPadPro97MonoBlack "
                "iPadPro97MonoWhite iPadMini4SpaceGrey iPadMini4Silver iPadMini4Gold iPadMini4MonoBlack "
                "iPadMini4MonoWhite")
            .split(' '));
    EXPECT_EQ(identifiers(family("MacBook")), QString("MacBookPro MacBookProFlat").split(' '));
    EXPECT_EQ(identifiers(family("iMac")), QString("iMac iMacNoLogo iMacFlat iMacFlatNoLogo").split(' '));

    EXPECT_EQ(family("iPhone").variants()[5].name(), QStringLiteral("iPhone 7 Monochrome Black"));
    EXPECT_EQ(family("iPad").variants()[0].name(), QStringLiteral("iPad Pro 9.7\" Space Grey"));
    EXPECT_EQ(family("iMac").variants()[3].name(), QStringLiteral("iMac Flat Without Logo"));
    EXPECT_EQ(family("iPhone").variants()[0].screenshotRect(), graphics::Rect(125, 233, 750, 1334));
    EXPECT_EQ(family("iPhone").variants()[12].screenshotRect(), graphics::Rect(80, 257, 640, 1136));
    EXPECT_EQ(family("iPad").variants()[5].screenshotRect(), graphics::Rect(132, 256, 1536, 2048));
    EXPECT_EQ(family("iPad").variants()[6].screenshotRect(), graphics::Rect(132, 276, 1536, 2048));
    EXPECT_EQ(family("MacBook").variants()[1].screenshotRect(), graphics::Rect(560, 218, 2880, 1800));
    EXPECT_EQ(family("iMac").variants()[2].screenshotRect(), graphics::Rect(220, 163, 2560, 1440));
}

TEST(DeviceCatalogue, LookupsMatchExactlyAndOnlyWithinTheFamily)
{
    EXPECT_EQ(DeviceFamily::findWithIdentifier("iMac"), &DeviceFamily::all()[3]);
    EXPECT_EQ(DeviceFamily::findWithIdentifier("iphone"), nullptr);
    EXPECT_EQ(DeviceFamily::findWithIdentifier(""), nullptr);
    EXPECT_EQ(DeviceFamily::findWithIdentifier("Watch"), nullptr);

    EXPECT_EQ(family("iPhone").findVariantWithIdentifier("iPadMini4Gold"), nullptr);
    EXPECT_EQ(family("iPhone").findVariantWithIdentifier("iphone7gold"), nullptr);
    EXPECT_EQ(family("iPad").findVariantWithIdentifier("iPadMini4Gold"), &family("iPad").variants()[8]);
}

TEST(DeviceCatalogue, IsBuiltOnceAndKeepsItsObjects)
{
    EXPECT_EQ(&DeviceFamily::all(), &DeviceFamily::all());
    EXPECT_EQ(&DeviceFamily::all()[1].variants()[0],
              family("iPad").findVariantWithIdentifier("iPadPro97SpaceGrey"));
}

TEST(DeviceCatalogue, VariantAcceptsItsScreenSizeOrTwiceItEitherWayRound)
{
    const DeviceVariant& jetBlack = family("iPhone").variants()[0];
    for (Size size : {Size{750, 1334}, Size{1334, 750}, Size{1500, 2668}, Size{2668, 1500}})
        EXPECT_TRUE(jetBlack.isValidDisplaySize(size)) << size.width << "x" << size.height;
    for (Size size : {Size{375, 667}, Size{1242, 2208}, Size{750.5, 1334}, Size{1334, 1334}})
        EXPECT_FALSE(jetBlack.isValidDisplaySize(size)) << size.width << "x" << size.height;

    const DeviceVariant& iMac = family("iMac").variants()[0];
    EXPECT_TRUE(iMac.isValidDisplaySize({2560, 1440}));
    EXPECT_TRUE(iMac.isValidDisplaySize({5120, 2880}));
    const DeviceVariant& macBook = family("MacBook").variants()[0];
    EXPECT_TRUE(macBook.isValidDisplaySize({2880, 1800}));
    EXPECT_TRUE(macBook.isValidDisplaySize({5760, 3600}));
    EXPECT_FALSE(macBook.isValidDisplaySize({2560, 1600}));
}

TEST(DeviceCatalogue, FamilyAcceptsItsDisplaySizesEitherWayRound)
{
    EXPECT_TRUE(family("iPhone").isValidDisplaySize({1920, 1080}));
    EXPECT_TRUE(family("iPhone").isValidDisplaySize({640, 960}));
    EXPECT_FALSE(family("iPhone").isValidDisplaySize({1334, 751}));
    EXPECT_TRUE(family("iMac").isValidDisplaySize({900, 1440}));

    const DeviceFamily empty(
        QStringLiteral("Empty"), QStringLiteral("Empty"), false, {},
        {DeviceVariant(QStringLiteral("Only"), QStringLiteral("Only"), {0, 0, 1, 1}, {1, 1})});
    EXPECT_FALSE(empty.isValidDisplaySize({0, 0}));
}

TEST(DeviceCatalogue, SuggestedResolutionIsTheScreenInLandscape)
{
    const std::pair<const char*, Size> expected[] = {{"iPhone7", {1334, 750}},
                                                     {"iPhoneSE", {1136, 640}},
                                                     {"iPad", {2048, 1536}},
                                                     {"MacBook", {2880, 1800}},
                                                     {"iMac", {2560, 1440}}};
    for (const DeviceFamily& family : DeviceFamily::all()) {
        for (const DeviceVariant& variant : family.variants()) {
            const auto match = std::find_if(std::begin(expected), std::end(expected), [&](const auto& entry) {
                return variant.identifier().startsWith(QLatin1String(entry.first));
            });
            ASSERT_NE(match, std::end(expected)) << qPrintable(variant.identifier());
            EXPECT_EQ(variant.suggestedResolution(), match->second) << qPrintable(variant.identifier());
        }
    }
}
