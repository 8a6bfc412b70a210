#pragma once

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>

namespace testsupport {

// Every file and folder inside path, sorted, each file with a digest of its bytes: equal lists mean
// nothing inside was added, removed or written.
inline QStringList contentsOf(const QString& path)
{
    QStringList contents;
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        QFile file(entry);
        QString line = QDir(path).relativeFilePath(entry);
        if (it.fileInfo().isFile() && file.open(QIODevice::ReadOnly))
            line += ' ' + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
        contents.append(line);
    }
    contents.sort();
    return contents;
}

} // namespace testsupport
