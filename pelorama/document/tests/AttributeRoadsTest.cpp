// Every attribute takes a value by one rule on every road in: paste, the inspector's writes through
// key-value coding, and the reading of a stored value as a document opens.
#include "DocumentStack.h"
#include "document/CopyPasteable.h"
#include "document/PasteboardSerialization.h"
#include "foundation/KeyValueError.h"
#include "foundation/Values.h"
#include "model/attributes/AttributeTable.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/Entity.h"
#include "model/entities/GeometryText.h"
#include "store/EntityDescription.h"

#include <QImage>
#include <gtest/gtest.h>
#include <limits>

using namespace pelorama;
using model::AttributeKind;

namespace {

graphics::Image picture()
{
    QImage pixels(2, 2, QImage::Format_ARGB32);
    pixels.fill(Qt::red);
    return graphics::Image(pixels);
}

// Values of every kind, within and beyond the ranges of the attributes; each attribute is offered the
// other kinds' too. (Nil is left out: key-value coding clears an attribute with it, and a pasteboard
// dictionary never holds it.)
QVariantList offeredValues()
{
    const double infinity = std::numeric_limits<double>::infinity();
    return {qint64(0),
            qint64(1),
            qint64(2),
            qint64(3),
            qint64(4),
            qint64(5),
            qint64(-1),
            99,
            qint64(std::numeric_limits<int>::max()) + 1,
            0.0,
            1.0,
            2.5,
            -0.5,
            10.0,
            100.0,
            100.5,
            360.0,
            -361.0,
            1e6,
            1e9,
            1e15,
            1e300,
            -1e300,
            infinity,
            -infinity,
            std::numeric_limits<double>::quiet_NaN(),
            true,
            QString(),
            QStringLiteral("Home"),
            QString(5000, 'x'),
            QString(5001, 'x'),
            QStringLiteral("12"),
            QStringLiteral("1,2,3,4"),
            QStringLiteral("0.5,-2"),
            QStringLiteral("1242.0,2208.0"),
            QStringLiteral("-1,5"),
            QStringLiteral("inf,0,10,10"),
            QStringLiteral("1.7976931348623157e308,0,1e308,10"),
            QStringLiteral(R"({"de-DE":"Hallo","ja":"こんにちは"})"),
            QStringLiteral(R"({"de-de":"Hallo"})"),
            QByteArray("\x89PNG"),
            QByteArray(),
            QVariant::fromValue(graphics::Color{0, 0.5, 1, 0.25}),
            QVariant::fromValue(graphics::Color{0, 0.5, 1, 7}),
            QVariant::fromValue(graphics::Color{std::numeric_limits<double>::quiet_NaN(), 0, 0, 1}),
            QVariant::fromValue(graphics::Font(QStringLiteral("HelveticaNeue-Thin"), 12)),
            QVariant::fromValue(picture()),
            QVariant::fromValue(graphics::Image()),
            QVariantList{}};
}

// The value as the inspector hands it over: geometry as its graphics value.
QVariant inspectorForm(AttributeKind kind, const QVariant& value)
{
    if (value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    std::optional<QVariant> geometry;
    if (kind == AttributeKind::rect)
        if (const auto rect = model::rectFromRawValue(text))
            geometry = QVariant::fromValue(*rect);
    if (kind == AttributeKind::point)
        if (const auto point = model::pointFromRawValue(text))
            geometry = QVariant::fromValue(*point);
    if (kind == AttributeKind::size)
        if (const auto size = model::sizeFromRawValue(text))
            geometry = QVariant::fromValue(*size);
    return geometry.value_or(value);
}

std::string describe(const QString& entity, const model::AttributeRow& row, const QVariant& value)
{
    return (entity + "." + row.key + " = " + value.toString().left(20) + " (" + value.metaType().name() + ")")
        .toStdString();
}

TEST(AttributeRoads, PasteTheInspectorAndOpeningTakeTheSameValuesOfEveryAttribute)
{
    DocumentStack stack = DocumentStack::inMemory();
    for (const store::EntityDescription* entity : model::documentModel()->entities()) {
        const document::CopyPasteable* pasteable = document::CopyPasteable::forEntity(entity->name());
        if (!pasteable)
            continue;
        auto& object = dynamic_cast<model::Entity&>(pasteable->insertInto(*stack.context));
        const QStringList ignored = pasteable->ignoredPasteboardAttributes();
        for (const model::AttributeRow& row : object.attributeTable().rows()) {
            // Attributes that never come from a copy, or that key-value coding sees as catalogue objects.
            if (!row.isModelAttribute() || ignored.contains(row.key) ||
                (row.kind == AttributeKind::text && row.valueForKey))
                continue;
            for (const QVariant& value : offeredValues()) {
                const std::string where = describe(entity->name(), row, value);
                const auto pasted = document::checkedPasteboardDictionary(entity->name(), {{row.key, value}});

                // The inspector writes through key-value coding: it keeps exactly the values paste takes.
                const QVariant handed = inspectorForm(row.kind, value);
                bool kept = false;
                try {
                    object.setValueForKey(handed, row.key);
                    kept = foundation::valuesEqual(object.valueForKey(row.key), handed);
                } catch (const foundation::KeyValueError&) {
                }
                ASSERT_EQ(bool(pasted), kept) << where;
                if (pasted) {
                    // Paste stores it as the inspector does, in the one form of the attribute's kind.
                    EXPECT_TRUE(
                        foundation::valuesEqual(pasted->value(row.key), object.primitiveValue(row.key)))
                        << where;
                    EXPECT_EQ(pasted->value(row.key).typeId(), object.primitiveValue(row.key).typeId())
                        << where;
                }

                // Opened from a store, a value paste takes reads as itself, a number however large (paste
                // takes every number but NaN); an integer that names no case reads as a case.
                object.setPrimitiveValue(value, row.key);
                const QVariant opened = object.valueForKey(row.key);
                if (pasted) {
                    EXPECT_TRUE(foundation::valuesEqual(opened, handed)) << where;
                } else if (const std::optional<double> number = model::storedNumber(opened);
                           number && row.holdsInteger()) {
                    EXPECT_TRUE(row.range.contains(*number)) << where;
                }
                if (row.kind == AttributeKind::real && model::storedNumber(value)) {
                    EXPECT_TRUE(pasted) << where;
                }
            }
        }
    }
}

} // namespace
