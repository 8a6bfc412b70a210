#include "document/ExportFileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
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
    QStringList names;
    for (const Duplicate& duplicate : duplicateOccurrences(fileNames, sensitivity))
        names.append(duplicate.fileName);
    return names;
}

QList<Duplicate> duplicateOccurrences(const QStringList& fileNames, Qt::CaseSensitivity sensitivity)
{
    // By key: where the name first occurs, and its entry in duplicates once it occurs again.
    QHash<QString, std::pair<qsizetype, qsizetype>> seen;
    QList<Duplicate> duplicates;
    for (qsizetype at = 0; at < fileNames.size(); ++at) {
        const QString& name = fileNames[at];
        // Case folding is what case-insensitive file systems compare by.
        const QString key = sensitivity == Qt::CaseSensitive ? name : name.toCaseFolded();
        const auto found = seen.find(key);
        if (found == seen.end()) {
            seen.insert(key, {at, -1});
        } else if (found->second < 0) {
            found->second = duplicates.size();
            duplicates.append({name, {found->first, at}});
        } else {
            duplicates[found->second].occurrences.append(at);
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
