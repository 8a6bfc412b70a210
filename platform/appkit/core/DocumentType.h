#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace appkit {

class Document;

// A kind of document the application reads and writes: how files of the kind are recognised and
// offered in the file dialogs, and how a document of the kind is made.
struct DocumentType
{
    QString name;           // the type name handed to Document::read and Document::write
    QString description;    // shown in the file dialogs, e.g. "Pelorama Document"
    QStringList extensions; // without the dot; the first one names new files
    bool isPackage = false; // the document is a folder, chosen and shown as one item
    std::function<std::unique_ptr<Document>()> makeDocument;

    QString preferredExtension() const { return extensions.value(0); }

    // The file dialogs' filter: "Description (*.ext1 *.ext2)".
    QString nameFilter() const
    {
        QStringList patterns;
        for (const QString& extension : extensions)
            patterns.append("*." + extension);
        return description + " (" + patterns.join(' ') + ")";
    }

    // Whether path ends in one of the extensions (case-insensitively).
    bool matchesPath(const QString& path) const
    {
        for (const QString& extension : extensions) {
            if (path.endsWith('.' + extension, Qt::CaseInsensitive))
                return true;
        }
        return false;
    }
};

} // namespace appkit
