#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <optional>

namespace foundation {

// The information table of the running application: name, display name, versions, copyright and
// identifier, compiled in from the build. Tests put another table in place with a BundleInfo::Override.
class BundleInfo
{
public:
    static constexpr QLatin1StringView nameKey{"CFBundleName"};
    static constexpr QLatin1StringView displayNameKey{"CFBundleDisplayName"};
    static constexpr QLatin1StringView shortVersionKey{"CFBundleShortVersionString"};
    static constexpr QLatin1StringView versionKey{"CFBundleVersion"};
    static constexpr QLatin1StringView copyrightKey{"NSHumanReadableCopyright"};
    static constexpr QLatin1StringView identifierKey{"CFBundleIdentifier"};

    // The whole table of the main bundle.
    static QVariantMap infoDictionary();

    // The entry under key, or an invalid variant when there is none.
    static QVariant objectForInfoDictionaryKey(const QString& key);

    // The entry under key when it is text; entries of other types count as missing.
    static std::optional<QString> stringForKey(const QString& key);

    // The bundle identifier, when the table has one as text.
    static std::optional<QString> identifier() { return stringForKey(identifierKey); }

    // Replaces the main bundle's table while it lives; overrides nest. Thread-safe, but meant for tests.
    class Override
    {
    public:
        explicit Override(QVariantMap table);
        ~Override();
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        std::optional<QVariantMap> m_previous;
    };
};

} // namespace foundation
