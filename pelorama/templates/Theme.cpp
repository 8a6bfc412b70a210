#include "templates/Theme.h"

#include "ledgerline/Then.h"

#include <mutex>

namespace pelorama::templates {

namespace {

using model::BackgroundType;
using model::ShadowType;
using ShadowDescriptor = Theme::ShadowDescriptor;

const graphics::Color white{1, 1, 1, 1};

graphics::Color black(double alpha)
{
    return {0, 0, 0, alpha};
}

ShadowDescriptor dropShadow(double distance, double blurRadius, graphics::Color color)
{
    return {ShadowType::drop, 270, 1, distance, blurRadius, color};
}

ShadowDescriptor directionalShadow(double angle, graphics::Color color)
{
    return {ShadowType::directional, angle, 1, 17.5, 17.5, color};
}

QHash<QString, QString> variants(const QString& iPhone, const QString& iPad)
{
    return {{QStringLiteral("iPhone"), iPhone}, {QStringLiteral("iPad"), iPad}};
}

// The captions of every built-in theme but "White" are white in a face of their own on a gradient.
void setGradientLook(Theme& theme, const QString& gradientIdentifier, const QString& fontFamily)
{
    theme.backgroundType = BackgroundType::gradient;
    theme.gradientIdentifier = gradientIdentifier;
    theme.fontFamily = fontFamily;
    theme.textColor = white;
}

std::vector<Theme> builtInThemes()
{
    using ledgerline::then;
    return {
        then(Theme(),
             [](Theme& theme) {
                 setGradientLook(theme, "tivel", "AvenirNext-Regular");
                 theme.name = "Ocean";
                 theme.textShadow = dropShadow(3, 3, black(0.66));
                 theme.deviceShadow = dropShadow(10, 10, black(0.35));
                 theme.preferredDeviceVariants = variants("iPhoneSESilver", "iPadPro97Silver");
                 theme.preferredSecondaryDeviceVariants = variants("iPhoneSESpaceGrey", "iPadPro97SpaceGrey");
             }),
        then(Theme(),
             [](Theme& theme) {
                 setGradientLook(theme, "amberine", "AvenirNextCondensed-Regular");
                 theme.name = "Industrial";
                 theme.textShadow = dropShadow(3, 3, black(0.66));
                 theme.deviceShadow = dropShadow(20, 20, black(0.5));
                 theme.preferredDeviceVariants = variants("iPhoneSESpaceGrey", "iPadPro97SpaceGrey");
                 theme.preferredSecondaryDeviceVariants = variants("iPhoneSESilver", "iPadPro97Silver");
             }),
        then(Theme(),
             [](Theme& theme) {
                 theme.name = "White";
                 theme.preferredDeviceVariants = variants("iPhone7Gold", "iPadPro97Gold");
                 theme.preferredSecondaryDeviceVariants = variants("iPhone7Silver", "iPadPro97Silver");
             }),
        then(Theme(),
             [](Theme& theme) {
                 setGradientLook(theme, "quillory", "AvenirNext-Regular");
                 theme.name = "Professional";
                 theme.textShadow = dropShadow(3, 3, black(0.5));
                 theme.deviceShadow = dropShadow(17.5, 17.5, black(0.5));
                 theme.preferredDeviceVariants = variants("iPhone7MonoWhite", "iPadPro97MonoWhite");
                 theme.preferredSecondaryDeviceVariants = variants("iPhone7MonoBlack", "iPadPro97MonoBlack");
             }),
        then(Theme(),
             [](Theme& theme) {
                 setGradientLook(theme, "marlit2", "AvenirNext-Regular");
                 theme.name = "Summer";
                 theme.deviceShadow = directionalShadow(315, black(0.25));
                 theme.preferredDeviceVariants = variants("iPhone7MonoWhite", "iPadPro97MonoWhite");
                 theme.preferredSecondaryDeviceVariants = variants("iPhone7MonoBlack", "iPadPro97MonoBlack");
             }),
        then(Theme(),
             [](Theme& theme) {
                 setGradientLook(theme, "fernal", "AvenirNext-Regular");
                 theme.name = "Vivid";
                 theme.textShadow = dropShadow(3, 3, black(0.4));
                 theme.deviceShadow = directionalShadow(315, {0.04, 0.22, 0.44, 1});
                 theme.preferredDeviceVariants = variants("iPhone7MonoBlack", "iPadPro97MonoBlack");
                 theme.preferredSecondaryDeviceVariants = variants("iPhone7MonoWhite", "iPadPro97MonoWhite");
             }),
    };
}

struct ThemeList
{
    std::mutex mutex;
    std::vector<Theme> themes = builtInThemes();
};

ThemeList& themeList()
{
    static ThemeList list;
    return list;
}

} // namespace

const ShadowDescriptor& ShadowDescriptor::defaultTextShadow()
{
    static const ShadowDescriptor shadow{ShadowType::none, 270, 1, 10, 10, black(0.5)};
    return shadow;
}

const ShadowDescriptor& ShadowDescriptor::defaultDeviceShadow()
{
    static const ShadowDescriptor shadow = dropShadow(17.5, 17.5, black(0.4));
    return shadow;
}

std::vector<Theme> Theme::all()
{
    ThemeList& list = themeList();
    std::lock_guard lock(list.mutex);
    return list.themes;
}

void Theme::setAll(std::vector<Theme> themes)
{
    ThemeList& list = themeList();
    std::lock_guard lock(list.mutex);
    list.themes = std::move(themes);
}

} // namespace pelorama::templates
