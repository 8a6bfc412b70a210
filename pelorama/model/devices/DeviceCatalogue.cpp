// The built-in device catalogue. The identifiers are stored in documents and templates and name the frame
// pictures among the resources: they are data and must stay exactly as written here.
#include "model/devices/DeviceFamily.h"

namespace pelorama::model {
namespace {

std::vector<DeviceVariant> phoneVariants()
{
    const graphics::Rect seven(125, 233, 750, 1334);
    const graphics::Rect se(80, 257, 640, 1136);
    return {
        {QStringLiteral("iPhone 7 Jet Black"), QStringLiteral("iPhone7JetBlack"), seven},
        {QStringLiteral("iPhone 7 Black"), QStringLiteral("iPhone7Black"), seven},
        {QStringLiteral("iPhone 7 Silver"), QStringLiteral("iPhone7Silver"), seven},
        {QStringLiteral("iPhone 7 Gold"), QStringLiteral("iPhone7Gold"), seven},
        {QStringLiteral("iPhone 7 Rose Gold"), QStringLiteral("iPhone7RoseGold"), seven},
        {QStringLiteral("iPhone 7 Monochrome Black"), QStringLiteral("iPhone7MonoBlack"), seven},
        {QStringLiteral("iPhone 7 Monochrome White"), QStringLiteral("iPhone7MonoWhite"), seven},
        {QStringLiteral("iPhone SE Space Grey"), QStringLiteral("iPhoneSESpaceGrey"), se},
        {QStringLiteral("iPhone SE Silver"), QStringLiteral("iPhoneSESilver"), se},
        {QStringLiteral("iPhone SE Gold"), QStringLiteral("iPhoneSEGold"), se},
        {QStringLiteral("iPhone SE Rose Gold"), QStringLiteral("iPhoneSERoseGold"), se},
        {QStringLiteral("iPhone SE Monochrome Black"), QStringLiteral("iPhoneSEMonoBlack"), se},
        {QStringLiteral("iPhone SE Monochrome White"), QStringLiteral("iPhoneSEMonoWhite"), se},
    };
}

std::vector<DeviceVariant> tabletVariants()
{
    const graphics::Rect pro(132, 256, 1536, 2048);
    const graphics::Rect mini(132, 276, 1536, 2048);
    // The character after "9.7" is the inch mark, part of the name.
    return {
        {QStringLiteral("iPad Pro 9.7\" Space Grey"), QStringLiteral("iPadPro97SpaceGrey"), pro},
        {QStringLiteral("iPad Pro 9.7\" Silver"), QStringLiteral("iPadPro97Silver"), pro},
        {QStringLiteral("iPad Pro 9.7\" Gold"), QStringLiteral("iPadPro97Gold"), pro},
        {QStringLiteral("iPad Pro 9.7\" Rose Gold"), QStringLiteral("iPadPro97RoseGold"), pro},
        {QStringLiteral("iPad Pro 9.7\" Monochrome Black"), QStringLiteral("iPadPro97MonoBlack"), pro},
        {QStringLiteral("iPad Pro 9.7\" Monochrome White"), QStringLiteral("iPadPro97MonoWhite"), pro},
        {QStringLiteral("iPad Mini 4 Space Grey"), QStringLiteral("iPadMini4SpaceGrey"), mini},
        {QStringLiteral("iPad Mini 4 Silver"), QStringLiteral("iPadMini4Silver"), mini},
        {QStringLiteral("iPad Mini 4 Gold"), QStringLiteral("iPadMini4Gold"), mini},
        {QStringLiteral("iPad Mini 4 Monochrome Black"), QStringLiteral("iPadMini4MonoBlack"), mini},
        {QStringLiteral("iPad Mini 4 Monochrome White"), QStringLiteral("iPadMini4MonoWhite"), mini},
    };
}

std::vector<DeviceVariant> laptopVariants()
{
    const graphics::Rect screen(560, 218, 2880, 1800);
    return {
        {QStringLiteral("MacBook Pro"), QStringLiteral("MacBookPro"), screen},
        {QStringLiteral("MacBook Pro Flat"), QStringLiteral("MacBookProFlat"), screen},
    };
}

std::vector<DeviceVariant> desktopVariants()
{
    const graphics::Rect screen(220, 163, 2560, 1440);
    return {
        {QStringLiteral("iMac"), QStringLiteral("iMac"), screen},
        {QStringLiteral("iMac Without Logo"), QStringLiteral("iMacNoLogo"), screen},
        {QStringLiteral("iMac Flat"), QStringLiteral("iMacFlat"), screen},
        {QStringLiteral("iMac Flat Without Logo"), QStringLiteral("iMacFlatNoLogo"), screen},
    };
}

std::vector<DeviceFamily> makeCatalogue()
{
    const std::vector<graphics::Size> phoneSizes{
        {640, 960}, {640, 1136}, {750, 1334}, {1242, 2208}, {1080, 1920}};
    const std::vector<graphics::Size> tabletSizes{{1024, 768}, {2048, 1536}, {2732, 2048}};
    // Laptops and desktops share one list.
    const std::vector<graphics::Size> computerSizes{{1920, 1080}, {2560, 1440}, {4096, 2304},
                                                    {5120, 2880}, {1280, 800},  {1440, 900},
                                                    {2304, 1440}, {2560, 1600}, {2880, 1800}};
    std::vector<DeviceFamily> families;
    families.reserve(4);
    families.emplace_back(QStringLiteral("iPhone"), QStringLiteral("iPhone"), true, phoneSizes,
                          phoneVariants());
    families.emplace_back(QStringLiteral("iPad"), QStringLiteral("iPad"), true, tabletSizes,
                          tabletVariants());
    families.emplace_back(QStringLiteral("MacBook"), QStringLiteral("MacBook"), false, computerSizes,
                          laptopVariants());
    families.emplace_back(QStringLiteral("iMac"), QStringLiteral("iMac"), false, computerSizes,
                          desktopVariants());
    return families;
}

} // namespace

const std::vector<DeviceFamily>& DeviceFamily::all()
{
    // Built once; concurrent first callers wait for the one build.
    static const std::vector<DeviceFamily> catalogue = makeCatalogue();
    return catalogue;
}

} // namespace pelorama::model
