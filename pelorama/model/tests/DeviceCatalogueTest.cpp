#include "model/devices/DeviceFamily.h"

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

} // namespace

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
