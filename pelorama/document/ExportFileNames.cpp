#include "document/ExportFileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>

namespace pelorama::document::ExportFileNames {

std::optional<QString> fileName(const QString& screenshotName)
{
    QString stem = screenshotName;
    stem.replace(QLatin1Char('/'), QLatin1Char('-'));
    stem.replace(QChar(u'\0'), QLatin1Char('-'));
    if (stem.isEmpty() || stem == QLatin1String(".") || stem == QLatin1String(".."))
        return std::nullopt;
    return stem + QStringLiteral(".png");
}

QStringList duplicates(const QStringList& fileNames, Qt::CaseSensitivity sensitivity)
{
    QSet<QString> seen;
    QSet<QString> reported;
    QStringList duplicates;
    for (const QString& name : fileNames) {
        // Case folding is what case-insensitive file systems compare by.
        const QString key = sensitivity == Qt::CaseSensitive ? name : name.toCaseFolded();
        if (!seen.contains(key)) {
            seen.insert(key);
        } else if (!reported.contains(key)) {
            reported.insert(key);
            duplicates.append(name);
        }
    }
    return duplicates;
}

bool isCaseSensitive(const QString& directory)
{
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral("pelorama-case-probe-XXXXXX")));
    if (!probe.open())
        return true;
    const QFileInfo info(probe.fileName());
    const QString swapped = info.dir().filePath(info.fileName().toUpper());
    return !QFileInfo::exists(swapped);
}

} // namespace pelorama::document::ExportFileNames
