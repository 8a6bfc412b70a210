#include "tessaline/Shared/App.h"

#include "foundation/BundleInfo.h"

#include <QFile>
#include <QStandardPaths>
#include <cstdio>
#include <filesystem>
#include <sys/utsname.h>
#include <system_error>

namespace tessaline {
namespace {

using foundation::BundleInfo;

// Text from every byte of a kernel name field that is neither zero nor outside ASCII; zero bytes are
// skipped rather than taken as the end.
QString textFromField(const char* field, std::size_t size)
{
    QString text;
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(field[i]);
        if (byte != 0 && byte < 128) {
            text.append(QChar(byte));
        }
    }
    return text;
}

// The value of PRETTY_NAME in an os-release file: shell-style, optionally quoted, with backslash escapes.
QString prettyNameFromOsRelease(const QByteArray& contents)
{
    for (const QByteArray& rawLine : contents.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (!line.startsWith("PRETTY_NAME=")) {
            continue;
        }
        QByteArray value = line.mid(int(sizeof("PRETTY_NAME=") - 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.mid(1, value.size() - 2);
        }
        QByteArray unescaped;
        for (qsizetype i = 0; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size()) {
                ++i;
            }
            unescaped.append(value[i]);
        }
        return QString::fromUtf8(unescaped).trimmed();
    }
    return {};
}

QString distributionPrettyName()
{
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        QFile file(QString::fromLatin1(path));
        if (file.open(QIODevice::ReadOnly)) {
            return prettyNameFromOsRelease(file.readAll());
        }
    }
    return {};
}

void reportSupportDirectoryError(const QString& reason)
{
    const QByteArray line = ("Error locating application support subdirectory: " + reason + "\n").toUtf8();
    std::fflush(stdout);
    std::fputs(line.constData(), stdout);
    std::fflush(stdout);
}

} // namespace

QString App::name()
{
    if (const auto displayName = BundleInfo::stringForKey(BundleInfo::displayNameKey)) {
        return *displayName;
    }
    return BundleInfo::stringForKey(BundleInfo::nameKey).value_or(QString());
}

QString App::version()
{
    if (const auto shortVersion = BundleInfo::stringForKey(BundleInfo::shortVersionKey);
        shortVersion && !shortVersion->isEmpty()) {
        return *shortVersion;
    }
    return BundleInfo::stringForKey(BundleInfo::versionKey).value_or(QStringLiteral("0"));
}

QString App::copyright()
{
    return BundleInfo::stringForKey(BundleInfo::copyrightKey).value_or(QString());
}

QString App::deviceModel()
{
    utsname system{};
    if (uname(&system) != 0) {
        return {};
    }
    return textFromField(system.machine, sizeof(system.machine));
}

QString App::platform()
{
    return QStringLiteral("Linux");
}

QString App::operatingSystem()
{
    utsname system{};
    const QString release =
        uname(&system) == 0 ? textFromField(system.release, sizeof(system.release)) : QString();
    QStringList parts;
    for (const QString& part : {distributionPrettyName(), release}) {
        if (!part.isEmpty()) {
            parts.append(part);
        }
    }
    return QStringLiteral("Linux ") + parts.join(QLatin1Char(' '));
}

std::optional<QUrl> App::applicationSupportSubdirectory()
{
    const QString dataDirectory = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataDirectory.isEmpty()) {
        reportSupportDirectoryError(QStringLiteral("The data directory is unknown."));
        return std::nullopt;
    }
    const QString folder = BundleInfo::identifier().value_or(QStringLiteral("com.quillory.test"));
    const std::filesystem::path path =
        std::filesystem::path(dataDirectory.toStdString()) / folder.toStdString();
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error) {
        reportSupportDirectoryError(QString::fromStdString(error.message()));
        return std::nullopt;
    }
    return QUrl::fromLocalFile(QString::fromStdString(path.string()) + QLatin1Char('/'));
}

} // namespace tessaline
