#pragma once

#include "foundation/Expected.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>

namespace pelorama::document {

// The form a pasteboard dictionary takes on the pasteboard: a keyed archive whose root is the dictionary.
// It holds dictionaries, arrays, text, numbers, data, colours, fonts and pictures (as PNG).
//
// Reading is strict, for the bytes may come from any program: only those classes, nesting and counts
// within bounds, a root that is a dictionary, and any malformed input is an error, never a crash.
class PasteboardArchive
{
public:
    // Archives larger than this are refused unread.
    static constexpr qsizetype maximumSize = qsizetype(512) << 20;

    static foundation::Expected<QByteArray, QString> archivedData(const QVariantMap& dictionary);
    static foundation::Expected<QVariantMap, QString> dictionary(const QByteArray& data);
};

} // namespace pelorama::document
