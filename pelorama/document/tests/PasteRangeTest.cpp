// Every attribute of every entity takes from a pasteboard the values its row's kind and range allow, as
// they are to be stored, and refuses every other.
#include "document/PasteboardValueCheck.h"
#include "foundation/Values.h"
#include "model/attributes/AttributeTable.h"
#include "model/entities/DocumentModel.h"
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

// Values of the row's kind within its range.
QVariantList valid(const model::AttributeRow& row)
{
    switch (row.kind) {
    case AttributeKind::text:
        return {QString(), QStringLiteral("Home"), QString(row.maximumLength.value_or(300), 'x')};
    case AttributeKind::real:
        return {0.0, -2.5, 1e300, qint64(7), 3};
    case AttributeKind::data:
        return {QByteArray("\x89PNG"), QByteArray()};
    case AttributeKind::colour:
        return {QVariant::fromValue(graphics::Color{0, 0.5, 1, 0.25})};
    case AttributeKind::font:
        return {QVariant::fromValue(graphics::Font(QStringLiteral("HelveticaNeue-Thin"), 12))};
    case AttributeKind::picture:
        return {QVariant::fromValue(picture())};
    case AttributeKind::enumeration: {
        QVariantList cases;
        for (qint64 raw = 0; raw < row.caseCount; ++raw)
            cases.append(raw);
        return cases + QVariantList{int(row.caseCount - 1)};
    }
    case AttributeKind::textAlignment:
        // Any alignment the platform's type holds; the five it names read as themselves, others as left.
        return {qint64(0), qint64(4), std::numeric_limits<int>::max()};
    case AttributeKind::rect:
        return {"1,2,3,4", "-5,0,0,1e-300", "1.7976931348623157e308,-1.7976931348623157e308,0,1"};
    case AttributeKind::point:
        return {"0.5,-2", "-1e300,1e300"};
    case AttributeKind::size:
        return {"0,0", "1242.0,2208.0"};
    case AttributeKind::computed:
        break;
    }
    return {};
}

// Values of other kinds, or of the kind beyond its range.
QVariantList invalid(const model::AttributeRow& row)
{
    const QVariantList otherKinds{QVariant(), QVariant::fromValue(graphics::Color{1, 1, 1, 1}),
                                  QVariantList{}};
    switch (row.kind) {
    case AttributeKind::text:
        if (row.maximumLength)
            return otherKinds + QVariantList{12, QString(*row.maximumLength + 1, 'x')};
        return otherKinds + QVariantList{12, QByteArray("Home")};
    case AttributeKind::real:
        return otherKinds + QVariantList{"1", std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity()};
    case AttributeKind::data:
        return otherKinds + QVariantList{"bytes"};
    case AttributeKind::colour:
        return {QVariant(), QVariant::fromValue(graphics::Font()), "#ffffff"};
    case AttributeKind::font:
        return otherKinds + QVariantList{"Menlo-Regular"};
    case AttributeKind::picture:
        return otherKinds + QVariantList{QVariant::fromValue(graphics::Image()), QByteArray("\x89PNG")};
    case AttributeKind::enumeration:
        return otherKinds + QVariantList{-1, row.caseCount, 0.0, "0"};
    case AttributeKind::textAlignment:
        return otherKinds + QVariantList{-1, qint64(std::numeric_limits<int>::max()) + 1, 0.0, "0"};
    case AttributeKind::rect:
        return otherKinds + QVariantList{"1,2,3",
                                         "1, 2, 3, 4",
                                         "nan,0,1,1",
                                         "inf,0,10,10",
                                         "1.7976931348623157e308,0,1e308,10",
                                         "0,0,1e309,10"};
    case AttributeKind::point:
        return otherKinds + QVariantList{"1", "inf,0", "0,nan"};
    case AttributeKind::size:
        return otherKinds + QVariantList{"-1,5", "1,nan", "3,4,5"};
    case AttributeKind::computed:
        break;
    }
    return {};
}

std::string describe(const QString& entity, const model::AttributeRow& row, const QVariant& value)
{
    return (entity + "." + row.key + " = " + value.toString() + " (" + value.metaType().name() + ")")
        .toStdString();
}

TEST(PasteRanges, EveryAttributeTakesTheValuesOfItsRangeAndRefusesTheRest)
{
    for (const store::EntityDescription* entity : model::documentModel()->entities()) {
        const model::AttributeTable* table = model::attributeTable(entity->name());
        ASSERT_NE(table, nullptr);
        for (const model::AttributeRow& row : table->rows()) {
            if (!row.isModelAttribute())
                continue;
            for (const QVariant& value : valid(row)) {
                const std::optional<QVariant> checked = document::checkedPasteboardValue(row, value);
                ASSERT_TRUE(checked) << describe(entity->name(), row, value);
                // Numbers are stored in the one representation of the attribute's type.
                EXPECT_TRUE(foundation::valuesEqual(*checked, value)) << describe(entity->name(), row, value);
                const int storedType = row.kind == AttributeKind::real ? QMetaType::Double
                                       : row.integerRange()            ? QMetaType::LongLong
                                                                       : value.typeId();
                EXPECT_EQ(checked->typeId(), storedType) << describe(entity->name(), row, value);
            }
            for (const QVariant& value : invalid(row)) {
                EXPECT_FALSE(document::checkedPasteboardValue(row, value))
                    << describe(entity->name(), row, value);
                EXPECT_FALSE(document::pasteboardValueProblem(entity->name(), row, value).isEmpty());
            }
        }
    }
}

TEST(PasteRanges, AnOverlongCaptionSaysHowLongItIsAndHowLongItMayBe)
{
    const model::AttributeRow& text = *model::attributeTable("TextRect")->row("text");
    ASSERT_TRUE(text.maximumLength);
    EXPECT_EQ(document::pasteboardValueProblem("TextRect", text, QString(*text.maximumLength + 1, 'x')),
              QStringLiteral("The text of a caption is %1 characters long; a caption takes at most %2.")
                  .arg(*text.maximumLength + 1)
                  .arg(*text.maximumLength));
    EXPECT_EQ(document::pasteboardValueProblem("TextRect", text, 12), "The text of a TextRect is not valid.");
}

} // namespace
