#pragma once

#include "foundation/Expected.h"
#include "foundation/PropertyListError.h"
#include "foundation/PropertyListLimits.h"

#include <QByteArray>
#include <QVariant>

namespace foundation {

// Property lists as QVariant trees. The value kinds and their QVariant forms:
//   dictionary  QVariantMap (written also from QVariantHash); keys are text
//   array       QVariantList (written also from QStringList)
//   string      QString
//   integer     qint64 (written from any integer type that fits)
//   real        double (written also from float)
//   boolean     bool
//   date        QDateTime in UTC, whole milliseconds, between 1933 and 2069
//   data        QByteArray
class PropertyListSerialization
{
public:
    // The binary property-list form (version 1.0) of value. Fails on a value of any other kind, on a
    // null value anywhere inside, on text holding a NUL character and on nesting beyond maximumDepth.
    static Expected<QByteArray, PropertyListError> dataFromPropertyList(const QVariant& value,
                                                                        int maximumDepth = 256);

    // The value held by binary, XML or text (OpenStepPropertyListReader.h) property-list bytes. Anything that
    // is not a well-formed property list within limits is an error; so are keyed-archive UIDs, which are no
    // property-list values.
    static Expected<QVariant, PropertyListError> propertyListFromData(const QByteArray& data,
                                                                      const PropertyListLimits& limits = {});
};

} // namespace foundation
