#pragma once

#include "foundation/ArchivedValueCoder.h"
#include "foundation/Expected.h"
#include "foundation/KeyedArchiveError.h"

#include <QByteArray>
#include <QVariant>

namespace foundation {

// Writes a value as a keyed archive: a binary property list {"$archiver", "$version", "$top",
// "$objects"} whose "$top" names the root object by UID. "$objects" starts with "$null" (UID 0, a null
// value); text, numbers, booleans and data are stored there as they are, every other value as a
// dictionary whose "$class" is the UID of a class entry {"$classname", "$classes"}. Equal texts and
// classes are stored once.
//
// Archivable: null, QString, bool, integers (up to the range of qint64), double and float, QByteArray,
// QVariantList and QStringList ("Array"), QVariantMap and QVariantHash ("Dictionary"), QUrl ("URL")
// and every type that one of the coders handles.
class KeyedArchiver
{
public:
    explicit KeyedArchiver(ArchivedValueCoders coders = {});

    Expected<QByteArray, KeyedArchiveError> archivedData(const QVariant& rootObject) const;

    // Values nested deeper than this are refused.
    static constexpr int maximumDepth = 256;

private:
    ArchivedValueCoders m_coders;
};

} // namespace foundation
