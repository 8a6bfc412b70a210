#include "foundation/Values.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace foundation {
namespace {

enum class NumberKind
{
    none,
    signedInteger,
    unsignedInteger,
    floating,
};

NumberKind numberKind(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::Bool:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return NumberKind::signedInteger;
    case QMetaType::Char:
        return std::is_signed_v<char> ? NumberKind::signedInteger : NumberKind::unsignedInteger;
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return NumberKind::unsignedInteger;
    case QMetaType::Float:
    case QMetaType::Double:
        return NumberKind::floating;
    default:
        break;
    }
    if (type.flags() & QMetaType::IsEnumeration) {
        return (type.flags() & QMetaType::IsUnsignedEnumeration) ? NumberKind::unsignedInteger
                                                                 : NumberKind::signedInteger;
    }
    return NumberKind::none;
}

// Enums are read from their storage, because not every enum converts through QVariant.
template <typename T> T integerValue(const QVariant& value, bool isUnsigned)
{
    if (!(value.metaType().flags() & QMetaType::IsEnumeration)) {
        return isUnsigned ? static_cast<T>(value.toULongLong()) : static_cast<T>(value.toLongLong());
    }
    const void* data = value.constData();
    switch (value.metaType().sizeOf()) {
    case 1: {
        std::uint8_t bits;
        std::memcpy(&bits, data, 1);
        return isUnsigned ? static_cast<T>(bits) : static_cast<T>(static_cast<std::int8_t>(bits));
    }
    case 2: {
        std::uint16_t bits;
        std::memcpy(&bits, data, 2);
        return isUnsigned ? static_cast<T>(bits) : static_cast<T>(static_cast<std::int16_t>(bits));
    }
    case 4: {
        std::uint32_t bits;
        std::memcpy(&bits, data, 4);
        return isUnsigned ? static_cast<T>(bits) : static_cast<T>(static_cast<std::int32_t>(bits));
    }
    default: {
        std::uint64_t bits;
        std::memcpy(&bits, data, 8);
        return isUnsigned ? static_cast<T>(bits) : static_cast<T>(static_cast<std::int64_t>(bits));
    }
    }
}

bool integerEqualsDouble(const QVariant& integer, NumberKind kind, double number)
{
    if (!std::isfinite(number) || std::trunc(number) != number) {
        return false;
    }
    constexpr double twoTo63 = 9223372036854775808.0;
    if (kind == NumberKind::unsignedInteger) {
        return number >= 0 && number < 2 * twoTo63 &&
               integerValue<std::uint64_t>(integer, true) == static_cast<std::uint64_t>(number);
    }
    return number >= -twoTo63 && number < twoTo63 &&
           integerValue<std::int64_t>(integer, false) == static_cast<std::int64_t>(number);
}

bool numbersEqual(const QVariant& a, NumberKind kindA, const QVariant& b, NumberKind kindB)
{
    if (kindA == NumberKind::floating && kindB == NumberKind::floating) {
        return a.toDouble() == b.toDouble();
    }
    if (kindA == NumberKind::floating) {
        return integerEqualsDouble(b, kindB, a.toDouble());
    }
    if (kindB == NumberKind::floating) {
        return integerEqualsDouble(a, kindA, b.toDouble());
    }
    const bool unsignedA = kindA == NumberKind::unsignedInteger;
    const bool unsignedB = kindB == NumberKind::unsignedInteger;
    if (unsignedA && unsignedB) {
        return integerValue<std::uint64_t>(a, true) == integerValue<std::uint64_t>(b, true);
    }
    if (unsignedA) {
        return std::cmp_equal(integerValue<std::uint64_t>(a, true), integerValue<std::int64_t>(b, false));
    }
    if (unsignedB) {
        return std::cmp_equal(integerValue<std::int64_t>(a, false), integerValue<std::uint64_t>(b, true));
    }
    return integerValue<std::int64_t>(a, false) == integerValue<std::int64_t>(b, false);
}

bool holdsObjectPointer(const QVariant& value)
{
    return value.isValid() && (value.metaType().flags() & QMetaType::PointerToQObject);
}

} // namespace

bool isNil(const QVariant& value)
{
    if (!value.isValid() || value.metaType() == QMetaType::fromType<std::nullptr_t>()) {
        return true;
    }
    // QVariant::isNull() would also call a default-constructed value of any type nil.
    return (value.metaType().flags() & QMetaType::IsPointer) &&
           *static_cast<void* const*>(value.constData()) == nullptr;
}

QVariant nilValue()
{
    return QVariant::fromValue(nullptr);
}

QObject* objectFromValue(const QVariant& value)
{
    if (!holdsObjectPointer(value)) {
        return nullptr;
    }
    return *static_cast<QObject* const*>(value.constData());
}

bool isNumber(const QVariant& value)
{
    return value.isValid() && numberKind(value.metaType()) != NumberKind::none;
}

bool valuesEqual(const QVariant& a, const QVariant& b)
{
    const bool nilA = isNil(a);
    const bool nilB = isNil(b);
    if (nilA || nilB) {
        return nilA && nilB;
    }
    const NumberKind kindA = numberKind(a.metaType());
    const NumberKind kindB = numberKind(b.metaType());
    if (kindA != NumberKind::none && kindB != NumberKind::none) {
        return numbersEqual(a, kindA, b, kindB);
    }
    if (holdsObjectPointer(a) && holdsObjectPointer(b)) {
        return objectFromValue(a) == objectFromValue(b);
    }
    return a.metaType() == b.metaType() && a == b;
}

} // namespace foundation
