#include "foundation/Values.h"

#include <QObject>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

using foundation::valuesEqual;

namespace {

enum class Shade : std::uint8_t
{
    light = 1,
    dark = 200,
};

} // namespace

TEST(FoundationTest, NumbersCompareByValueAcrossIntegerAndFloatingTypes)
{
    EXPECT_TRUE(valuesEqual(1, 1.0));
    EXPECT_TRUE(valuesEqual(QVariant::fromValue<std::int8_t>(-3), -3.0f));
    EXPECT_TRUE(valuesEqual(QVariant::fromValue<quint64>(5), QVariant::fromValue<qint16>(5)));
    EXPECT_TRUE(valuesEqual(true, 1));
    EXPECT_FALSE(valuesEqual(1, 1.5));
    EXPECT_FALSE(valuesEqual(0, QStringLiteral("0")));
    // No precision is lost at the ends of the 64-bit ranges.
    const qint64 largest = std::numeric_limits<qint64>::max();
    EXPECT_FALSE(valuesEqual(largest, 9223372036854775808.0));
    EXPECT_FALSE(valuesEqual(largest - 1, largest));
    EXPECT_FALSE(valuesEqual(QVariant::fromValue(std::numeric_limits<quint64>::max()), qint64(-1)));
    EXPECT_FALSE(valuesEqual(std::numeric_limits<double>::quiet_NaN(), 0));
    // Enums compare as their numbers.
    EXPECT_TRUE(valuesEqual(QVariant::fromValue(Shade::dark), 200));
    EXPECT_FALSE(valuesEqual(QVariant::fromValue(Shade::light), 200));
}

TEST(FoundationTest, NilEqualsOnlyNilAndObjectsCompareByIdentity)
{
    QObject a;
    QObject b;
    EXPECT_TRUE(valuesEqual(QVariant(), foundation::nilValue()));
    EXPECT_TRUE(valuesEqual(QVariant::fromValue<QObject*>(nullptr), QVariant()));
    EXPECT_FALSE(valuesEqual(QVariant(), 0));
    EXPECT_FALSE(valuesEqual(QStringLiteral(""), QVariant()));
    EXPECT_TRUE(valuesEqual(QVariant::fromValue(&a), QVariant::fromValue<QObject*>(&a)));
    EXPECT_FALSE(valuesEqual(QVariant::fromValue(&a), QVariant::fromValue(&b)));
    EXPECT_TRUE(valuesEqual(QStringLiteral("x"), QStringLiteral("x")));
    // Nil is a valid value, unlike "no value".
    EXPECT_TRUE(foundation::nilValue().isValid());
    EXPECT_TRUE(foundation::isNil(foundation::nilValue()));
    EXPECT_FALSE(foundation::isNil(QVariant(0)));
    EXPECT_FALSE(foundation::isNil(QVariant(QMetaType::fromType<int>())));
}
