#include "foundation/BundleInfo.h"

#include <mutex>

namespace foundation {
namespace {

QVariantMap compiledInTable()
{
    return {
        {BundleInfo::nameKey, QStringLiteral("Pelorama")},
        {BundleInfo::displayNameKey, QStringLiteral("Pelorama")},
        {BundleInfo::shortVersionKey, QStringLiteral(PELORAMA_SHORT_VERSION)},
        {BundleInfo::versionKey, QStringLiteral(PELORAMA_BUILD_VERSION)},
        {BundleInfo::copyrightKey, QStringLiteral("Copyright \u00a9 2026 Quillory. All rights reserved.")},
        {BundleInfo::identifierKey, QStringLiteral("com.quillory.Pelorama")},
    };
}

std::mutex overrideMutex;
std::optional<QVariantMap> overrideTable;

} // namespace

QVariantMap BundleInfo::infoDictionary()
{
    {
        const std::lock_guard lock(overrideMutex);
        if (overrideTable) {
            return *overrideTable;
        }
    }
    return compiledInTable();
}

QVariant BundleInfo::objectForInfoDictionaryKey(const QString& key)
{
    return infoDictionary().value(key);
}

std::optional<QString> BundleInfo::stringForKey(const QString& key)
{
    const QVariant value = objectForInfoDictionaryKey(key);
    if (value.metaType() != QMetaType::fromType<QString>()) {
        return std::nullopt;
    }
    return value.toString();
}

BundleInfo::Override::Override(QVariantMap table)
{
    const std::lock_guard lock(overrideMutex);
    m_previous = std::exchange(overrideTable, std::move(table));
}

BundleInfo::Override::~Override()
{
    const std::lock_guard lock(overrideMutex);
    overrideTable = std::move(m_previous);
}

} // namespace foundation
