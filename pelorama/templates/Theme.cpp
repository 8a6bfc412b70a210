#include "templates/Theme.h"

#include <iterator>
#include <string_view>

namespace pelorama::templates {

namespace {

using ShadowDescriptor = Theme::ShadowDescriptor;
using enum model::BackgroundType;

constexpr graphics::Color white{1, 1, 1, 1};

constexpr graphics::Color black(double alpha)
{
    return {0, 0, 0, alpha};
}

constexpr ShadowDescriptor noShadow{model::ShadowType::none, 270, 1, 10, 10, black(0.5)};

// A black shadow cast straight down by points and blurred as far.
constexpr ShadowDescriptor drop(double points, double alpha)
{
    return {model::ShadowType::drop, 270, 1, points, points, black(alpha)};
}

// A band along the outline towards the lower right.
constexpr ShadowDescriptor directional(graphics::Color color)
{
    return {model::ShadowType::directional, 315, 1, 17.5, 17.5, color};
}

constexpr ShadowDescriptor standardDeviceShadow = drop(17.5, 0.4);

// The built-in themes, in their order. Every solid background is white.
struct Look
{
    const char* name;
    model::BackgroundType background;
    const char* gradient; // a stock gradient
    const char* font;     // the PostScript name of the caption face
    graphics::Color textColor;
    ShadowDescriptor textShadow;
    ShadowDescriptor deviceShadow;
};

constexpr Look looks[] = {
    {"Ocean", gradient, "tivel", "AvenirNext-Regular", white, drop(3, 0.66), drop(10, 0.35)},
    {"Industrial", gradient, "amberine", "AvenirNextCondensed-Regular", white, drop(3, 0.66), drop(20, 0.5)},
    {"White", solid, "tivel", "HelveticaNeue-Light", black(1), noShadow, standardDeviceShadow},
    {"Professional", gradient, "quillory", "AvenirNext-Regular", white, drop(3, 0.5), drop(17.5, 0.5)},
    {"Summer", gradient, "marlit2", "AvenirNext-Regular", white, noShadow, directional(black(0.25))},
    {"Vivid", gradient, "fernal", "AvenirNext-Regular", white, drop(3, 0.4),
     directional({0.04, 0.22, 0.44, 1})},
};

// The device variants of each theme, for primary and for secondary devices. The Mac families have none
// named: they show their first.
struct Variants
{
    const char* theme;
    const char* iPhone;
    const char* iPad;
    const char* secondaryIPhone;
    const char* secondaryIPad;
};

constexpr Variants variants[] = {
    {"Ocean", "iPhoneSESilver", "iPadPro97Silver", "iPhoneSESpaceGrey", "iPadPro97SpaceGrey"},
    {"Industrial", "iPhoneSESpaceGrey", "iPadPro97SpaceGrey", "iPhoneSESilver", "iPadPro97Silver"},
    {"White", "iPhone7Gold", "iPadPro97Gold", "iPhone7Silver", "iPadPro97Silver"},
    {"Professional", "iPhone7MonoWhite", "iPadPro97MonoWhite", "iPhone7MonoBlack", "iPadPro97MonoBlack"},
    {"Summer", "iPhone7MonoWhite", "iPadPro97MonoWhite", "iPhone7MonoBlack", "iPadPro97MonoBlack"},
    {"Vivid", "iPhone7MonoBlack", "iPadPro97MonoBlack", "iPhone7MonoWhite", "iPadPro97MonoWhite"},
};

constexpr bool tablesAgree()
{
    if (std::size(looks) != std::size(variants))
        return false;
    for (size_t index = 0; index < std::size(looks); ++index) {
        if (std::string_view(looks[index].name) != variants[index].theme)
            return false;
    }
    return true;
}
static_assert(tablesAgree(), "the two theme tables list the same themes in the same order");

QHash<QString, QString> variantMap(const char* iPhone, const char* iPad)
{
    return {{QStringLiteral("iPhone"), QString::fromLatin1(iPhone)},
            {QStringLiteral("iPad"), QString::fromLatin1(iPad)}};
}

} // namespace

const ShadowDescriptor& ShadowDescriptor::defaultTextShadow()
{
    return noShadow;
}

const ShadowDescriptor& ShadowDescriptor::defaultDeviceShadow()
{
    return standardDeviceShadow;
}

const std::vector<Theme>& Theme::all()
{
    // Function-local statics are initialised once, and other threads wait for it.
    static const std::vector<Theme> themes = [] {
        std::vector<Theme> built;
        for (size_t index = 0; index < std::size(looks); ++index) {
            const Look& look = looks[index];
            const Variants& shown = variants[index];
            built.push_back({
                .name = QString::fromLatin1(look.name),
                .backgroundType = look.background,
                .solidBackgroundColor = white,
                .gradientIdentifier = QString::fromLatin1(look.gradient),
                .fontFamily = QString::fromLatin1(look.font),
                .textColor = look.textColor,
                .textShadow = look.textShadow,
                .deviceShadow = look.deviceShadow,
                .preferredDeviceVariants = variantMap(shown.iPhone, shown.iPad),
                .preferredSecondaryDeviceVariants = variantMap(shown.secondaryIPhone, shown.secondaryIPad),
            });
        }
        return built;
    }();
    return themes;
}

} // namespace pelorama::templates
