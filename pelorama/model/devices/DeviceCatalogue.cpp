// The built-in device catalogue. The identifiers are stored in documents and templates and name the frame
// pictures among the resources: they are data and must stay exactly as written here.
#include "model/devices/DeviceFamily.h"

namespace pelorama::model {
namespace {

std::vector<DeviceVariant> phoneVariants()
{
    // The screens are centred in their frames.
    const graphics::Rect seven(125, 233, 750, 1334);
    const graphics::Size sevenFrame{1000, 1800};
    const graphics::Rect se(80, 257, 640, 1136);
    const graphics::Size seFrame{800, 1650};
    return {
        {QStringLiteral("iPhone 7 Jet Black"), QStringLiteral("iPhone7JetBlack"), seven, sevenFrame},
        {QStringLiteral("iPhone 7 Black"), QStringLiteral("iPhone7Black"), seven, sevenFrame},
        {QStringLiteral("iPhone 7 Silver"), QStringLiteral("iPhone7Silver"), seven, sevenFrame},
        {QStringLiteral("iPhone 7 Gold"), QStringLiteral("iPhone7Gold"), seven, sevenFrame},
        {QStringLiteral("iPhone 7 Rose Gold"), QStringLiteral("iPhone7RoseGold"), seven, sevenFrame},
        {QStringLiteral("iPhone 7 Monochrome Black"), QStringLiteral("iPhone7MonoBlack"), seven, sevenFrame},
        {QStringLiteral("iPhone 7 Monochrome White"), QStringLiteral("iPhone7MonoWhite"), seven, sevenFrame},
        {QStringLiteral("iPhone SE Space Grey"), QStringLiteral("iPhoneSESpaceGrey"), se, seFrame},
        {QStringLiteral("iPhone SE Silver"), QStringLiteral("iPhoneSESilver"), se, seFrame},
        {QStringLiteral("iPhone SE Gold"), QStringLiteral("iPhoneSEGold"), se, seFrame},
        {QStringLiteral("iPhone SE Rose Gold"), QStringLiteral("iPhoneSERoseGold"), se, seFrame},
        {QStringLiteral("iPhone SE Monochrome Black"), QStringLiteral("iPhoneSEMonoBlack"), se, seFrame},
        {QStringLiteral("iPhone SE Monochrome White"), QStringLiteral("iPhoneSEMonoWhite"), se, seFrame},
    };
}

std::vector<DeviceVariant> tabletVariants()
{
    const graphics::Rect pro(132, 256, 1536, 2048);
    const graphics::Size proFrame{1800, 2560};
    const graphics::Rect mini(132, 276, 1536, 2048);
    const graphics::Size miniFrame{1800, 2600};
    // The character after "9.7" is the inch mark, part of the name.
    return {
        {QStringLiteral("iPad Pro 9.7\" Space Grey"), QStringLiteral("iPadPro97SpaceGrey"), pro, proFrame},
        {QStringLiteral("iPad Pro 9.7\" Silver"), QStringLiteral("iPadPro97Silver"), pro, proFrame},
        {QStringLiteral("iPad Pro 9.7\" Gold"), QStringLiteral("iPadPro97Gold"), pro, proFrame},
        {QStringLiteral("iPad Pro 9.7\" Rose Gold"), QStringLiteral("iPadPro97RoseGold"), pro, proFrame},
        {QStringLiteral("iPad Pro 9.7\" Monochrome Black"), QStringLiteral("iPadPro97MonoBlack"), pro,
         proFrame},
        {QStringLiteral("iPad Pro 9.7\" Monochrome White"), QStringLiteral("iPadPro97MonoWhite"), pro,
         proFrame},
        {QStringLiteral("iPad Mini 4 Space Grey"), QStringLiteral("iPadMini4SpaceGrey"), mini, miniFrame},
        {QStringLiteral("iPad Mini 4 Silver"), QStringLiteral("iPadMini4Silver"), mini, miniFrame},
        {QStringLiteral("iPad Mini 4 Gold"), QStringLiteral("iPadMini4Gold"), mini, miniFrame},
        {QStringLiteral("iPad Mini 4 Monochrome Black"), QStringLiteral("iPadMini4MonoBlack"), mini,
         miniFrame},
        {QStringLiteral("iPad Mini 4 Monochrome White"), QStringLiteral("iPadMini4MonoWhite"), mini,
         miniFrame},
    };
}

std::vector<DeviceVariant> laptopVariants()
{
    // The lid with the screen centred across it, and the base below.
    const graphics::Rect screen(560, 218, 2880, 1800);
    const graphics::Size frame{4000, 2300};
    return {
        {QStringLiteral("MacBook Pro"), QStringLiteral("MacBookPro"), screen, frame},
        {QStringLiteral("MacBook Pro Flat"), QStringLiteral("MacBookProFlat"), screen, frame},
    };
}

std::vector<DeviceVariant> desktopVariants()
{
    // The display with its chin, and the stand below.
    const graphics::Rect screen(220, 163, 2560, 1440);
    const graphics::Size frame{3000, 2450};
    return {
        {QStringLiteral("iMac"), QStringLiteral("iMac"), screen, frame},
        {QStringLiteral("iMac Without Logo"), QStringLiteral("iMacNoLogo"), screen, frame},
        {QStringLiteral("iMac Flat"), QStringLiteral("iMacFlat"), screen, frame},
        {QStringLiteral("iMac Flat Without Logo"), QStringLiteral("iMacFlatNoLogo"), screen, frame},
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
