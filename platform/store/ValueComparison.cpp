#include "store/ValueComparison.h"

#include "store/ManagedObjectID.h"

#include <QString>

namespace store {

namespace {

bool isInteger(const QVariant& v)
{
    return isIntegerType(v.typeId()) || v.typeId() == QMetaType::Bool;
}

bool isFloating(const QVariant& v)
{
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

int sign(auto difference)
{
    return difference < 0 ? -1 : (difference > 0 ? 1 : 0);
}

} // namespace

bool valuesEqual(const QVariant& a, const QVariant& b)
{
    // Values of a type without an order (colours, fonts) are equal only when their own == says so;
    // the order below cannot tell two of them apart.
    if (a.isValid() && b.isValid() && a.metaType() == b.metaType() &&
        QVariant::compare(a, b) == QPartialOrdering::Unordered)
        return a == b;
    return compareValues(a, b) == 0;
}

bool isIntegerType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

int compareValues(const QVariant& a, const QVariant& b)
{
    if (!a.isValid() || !b.isValid())
        return sign(int(a.isValid()) - int(b.isValid()));
    if (isInteger(a) && isInteger(b)) {
        if (a.typeId() == QMetaType::ULongLong || b.typeId() == QMetaType::ULongLong)
            return sign(qint64(a.toULongLong() > b.toULongLong()) -
                        qint64(a.toULongLong() < b.toULongLong()));
        return sign(qint64(a.toLongLong() > b.toLongLong()) - qint64(a.toLongLong() < b.toLongLong()));
    }
    if ((isInteger(a) || isFloating(a)) && (isInteger(b) || isFloating(b))) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return sign(a.toString().compare(b.toString()));
    if (a.typeId() == QMetaType::QByteArray && b.typeId() == QMetaType::QByteArray)
        return sign(a.toByteArray().compare(b.toByteArray()));
    const int idType = qMetaTypeId<ManagedObjectID>();
    if (a.typeId() == idType && b.typeId() == idType) {
        const auto x = a.value<ManagedObjectID>();
        const auto y = b.value<ManagedObjectID>();
        if (x == y)
            return 0;
        return x.uriRepresentation().toString() < y.uriRepresentation().toString() ? -1 : 1;
    }
    if (a.typeId() != b.typeId())
        return sign(a.typeId() - b.typeId());
    const QPartialOrdering order = QVariant::compare(a, b);
    if (order == QPartialOrdering::Less)
        return -1;
    if (order == QPartialOrdering::Greater)
        return 1;
    if (order == QPartialOrdering::Equivalent)
        return 0;
    return a == b ? 0 : sign(a.toString().compare(b.toString()));
}

} // namespace store
