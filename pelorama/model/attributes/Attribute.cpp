#include "model/attributes/Attribute.h"

#include <cmath>
#include <limits>

namespace pelorama::model {

std::optional<qint64> storedInteger(const QVariant& stored)
{
    switch (stored.typeId()) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
        return stored.toLongLong();
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar: {
        const qulonglong n = stored.toULongLong();
        if (n > qulonglong(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return qint64(n);
    }
    case QMetaType::Double: {
        // A whole number that a 64-bit integer holds exactly.
        const double d = stored.toDouble();
        if (!std::isfinite(d) || std::trunc(d) != d || d < -9223372036854775808.0 ||
            d >= 9223372036854775808.0)
            return std::nullopt;
        return qint64(d);
    }
    default:
        return std::nullopt;
    }
}

std::optional<double> storedNumber(const QVariant& stored)
{
    if (stored.typeId() == QMetaType::Double || stored.typeId() == QMetaType::Float) {
        const double number = stored.toDouble();
        if (std::isnan(number))
            return std::nullopt;
        return number;
    }
    if (const std::optional<qint64> integer = storedInteger(stored))
        return double(*integer);
    return std::nullopt;
}

} // namespace pelorama::model
