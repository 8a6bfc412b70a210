#pragma once

#include "document/PoError.h"
#include "foundation/Expected.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace pelorama::document {

// A catalogue of texts for translators in the gettext PO format, read and written by the gettext
// project's own library. Only UTF-8 files are read; files and texts beyond sane sizes are refused before
// they cost time or memory.
struct PoFile
{
    // One message of the file.
    struct Entry
    {
        QString context;     // msgctxt
        QString source;      // msgid
        QString translation; // msgstr, empty when not translated
        QString comment;     // the translator comment, its lines without "# "
        bool fuzzy = false;
        // A message with plural forms (msgid_plural); its translation is then that of msgstr[0].
        bool plural = false;

        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // The header's "Language", "Project-Id-Version" and "PO-Revision-Date" (see dateText).
    QString language;
    QString project;
    QString revisionDate;
    // The messages but the header, in file order; obsolete ones ("#~") are left out.
    QList<Entry> entries;

    // Larger files are not read: the captions of a document come to far less, and reading this much
    // takes the library a fraction of a second and some 100 MB.
    static constexpr qsizetype maximumFileSize = qsizetype(4) << 20;
    // Longer texts (in UTF-8 bytes) of an entry are refused.
    static constexpr qsizetype maximumTextLength = qsizetype(64) << 10;

    // The file bytes hold, with or without a byte-order mark. The error names the line (from 1) of bytes
    // that are no UTF-8 text, or that the library could not read, or of an entry with a text that is too
    // long; a file larger than maximumSize is refused as it is. The error's fileName is empty.
    static foundation::Expected<PoFile, PoError> read(const QByteArray& bytes,
                                                      qsizetype maximumSize = maximumFileSize);
    // The file's bytes in UTF-8, with a header holding language, project and revision date and the
    // fields that translation tools check for. An entry that read would refuse (a NUL character, a text
    // longer than maximumTextLength) is an error, rather than a file that does not come back.
    foundation::Expected<QByteArray, PoError> write() const;

    // A revision date as the header holds it: "2026-12-10 06:40+0100".
    static QString dateText(const QDateTime& time);

    friend bool operator==(const PoFile&, const PoFile&) = default;
};

} // namespace pelorama::document
