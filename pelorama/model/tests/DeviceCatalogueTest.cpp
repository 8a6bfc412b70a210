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

// Documents store the family and variant identifiers ("deviceFamily", "deviceVariant") and templates name
// them: the catalogue keeps every one of them, in this order, with its screen inside the frame picture.
TEST(DeviceCatalogue, HoldsTheStoredFamiliesAndVariantsInOrder)
{
    const std::vector<Size> macSizes{{1920, 1080}, {2560, 1440}, {4096, 2304}, {5120, 2880}, {1280, 800},
                                     {1440, 900},  {2304, 1440}, {2560, 1600}, {2880, 1800}};
    const struct
    {
        const char* identifier;
        bool isOrientable;
        std::vector<Size> displaySizes;
    } families[] = {
        {"iPhone", true, {{640, 960}, {640, 1136}, {750, 1334}, {1242, 2208}, {1080, 1920}}},
        {"iPad", true, {{1024, 768}, {2048, 1536}, {2732, 2048}}},
        {"MacBook", false, macSizes},
        {"iMac", false, macSizes},
    };
    const graphics::Rect iPhone7(125, 233, 750, 1334), iPhoneSE(80, 257, 640, 1136);
    const graphics::Rect iPadPro(132, 256, 1536, 2048), iPadMini(132, 276, 1536, 2048);
    const graphics::Rect macBook(560, 218, 2880, 1800), iMac(220, 163, 2560, 1440);
    const struct
    {
        const char* family;
        const char* name;
        const char* identifier;
        graphics::Rect screenshotRect;
    } variants[] = {
        {"iPhone", "iPhone 7 Jet Black", "iPhone7JetBlack", iPhone7},
        {"iPhone", "iPhone 7 Black", "iPhone7Black", iPhone7},
        {"iPhone", "iPhone 7 Silver", "iPhone7Silver", iPhone7},
        {"iPhone", "iPhone 7 Gold", "iPhone7Gold", iPhone7},
        {"iPhone", "iPhone 7 Rose Gold", "iPhone7RoseGold", iPhone7},
        {"iPhone", "iPhone 7 Monochrome Black", "iPhone7MonoBlack", iPhone7},
        {"iPhone", "iPhone 7 Monochrome White", "iPhone7MonoWhite", iPhone7},
        {"iPhone", "iPhone SE Space Grey", "iPhoneSESpaceGrey", iPhoneSE},
        {"iPhone", "iPhone SE Silver", "iPhoneSESilver", iPhoneSE},
        {"iPhone", "iPhone SE Gold", "iPhoneSEGold", iPhoneSE},
        {"iPhone", "iPhone SE Rose Gold", "iPhoneSERoseGold", iPhoneSE},
        {"iPhone", "iPhone SE Monochrome Black", "iPhoneSEMonoBlack", iPhoneSE},
        {"iPhone", "iPhone SE Monochrome White", "iPhoneSEMonoWhite", iPhoneSE},
        {"iPad", "iPad Pro 9.7\" Space Grey", "iPadPro97SpaceGrey", iPadPro},
        {"iPad", "iPad Pro 9.7\" Silver", "iPadPro97Silver", iPadPro},
        {"iPad", "iPad Pro 9.7\" Gold", "iPadPro97Gold", iPadPro},
        {"iPad", "iPad Pro 9.7\" Rose Gold", "iPadPro97RoseGold", iPadPro},
        {"iPad", "iPad Pro 9.7\" Monochrome Black", "iPadPro97MonoBlack", iPadPro},
        {"iPad", "iPad Pro 9.7\" Monochrome White", "iPadPro97MonoWhite", iPadPro},
        {"iPad", "iPad Mini 4 Space Grey", "iPadMini4SpaceGrey", iPadMini},
        {"iPad", "iPad Mini 4 Silver", "iPadMini4Silver", iPadMini},
        {"iPad", "iPad Mini 4 Gold", "iPadMini4Gold", iPadMini},
        {"iPad", "iPad Mini 4 Monochrome Black", "iPadMini4MonoBlack", iPadMini},
        {"iPad", "iPad Mini 4 Monochrome White", "iPadMini4MonoWhite", iPadMini},
        {"MacBook", "MacBook Pro", "MacBookPro", macBook},
        {"MacBook", "MacBook Pro Flat", "MacBookProFlat", macBook},
        {"iMac", "iMac", "iMac", iMac},
        {"iMac", "iMac Without Logo", "iMacNoLogo", iMac},
        {"iMac", "iMac Flat", "iMacFlat", iMac},
        {"iMac", "iMac Flat Without Logo", "iMacFlatNoLogo", iMac},
    };

    const std::vector<DeviceFamily>& all = DeviceFamily::all();
    ASSERT_EQ(all.size(), std::size(families));
    std::size_t row = 0;
    for (std::size_t index = 0; index < all.size(); ++index) {
        const DeviceFamily& family = all[index];
        const auto& expected = families[index];
        EXPECT_EQ(family.identifier(), QLatin1String(expected.identifier));
        EXPECT_EQ(family.name(), QLatin1String(expected.identifier));
        EXPECT_EQ(family.isOrientable(), expected.isOrientable) << expected.identifier;
        EXPECT_EQ(family.displaySizes(), expected.displaySizes) << expected.identifier;
        for (const DeviceVariant& variant : family.variants()) {
            ASSERT_LT(row, std::size(variants)) << "more variants than the catalogue has";
            const auto& want = variants[row++];
            EXPECT_EQ(family.identifier(), QLatin1String(want.family)) << want.identifier;
            EXPECT_EQ(variant.identifier(), QLatin1String(want.identifier));
            EXPECT_EQ(variant.name(), QString::fromUtf8(want.name)) << want.identifier;
            EXPECT_EQ(variant.screenshotRect(), want.screenshotRect) << want.identifier;
        }
    }
    EXPECT_EQ(row, std::size(variants));
}
