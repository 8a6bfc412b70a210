// Properties of every entity's attribute table: the keys the rows name exist, and every inspector row
// stays equal to its attribute through its binding.
#include "model/attributes/AttributeTable.h"

#include "DocumentStack.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/Values.h"
#include "ledgerline/core/EnumerationProperty.h"
#include "ledgerline/core/PropertyCollection.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/Gradient.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/StockGradient.h"
#include "model/entities/TextRect.h"

#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

std::string text(const QString& string)
{
    return string.toStdString();
}

// The entities the inspector shows, each new as the application makes it.
Entity* insertEditable(const QString& entity, store::ManagedObjectContext& context)
{
    if (entity == "Screenshot")
        return Screenshot::insertInto(context);
    if (entity == "Image")
        return Image::insertInto(context);
    if (entity == "TextRect")
        return TextRect::insertInto(context);
    if (entity == "DeviceImage")
        return DeviceImage::insertInto(context);
    const StockGradient* stock = StockGradient::all()[9];
    return Gradient::insertInto(context, stock->startColor(), stock->endColor());
}

// Two values an inspector row of the kind may hold for the attribute, each unlike a new entity's.
QVariant sample(const AttributeRow&, InspectorKind kind, int which)
{
    switch (kind) {
    case InspectorKind::text:
        return QStringLiteral("Round trip %1").arg(which);
    case InspectorKind::number:
        return 12.5 + which;
    case InspectorKind::colour:
        return QVariant::fromValue(graphics::Color{0.25 * which, 0.5, 0.75, 1});
    case InspectorKind::font:
        return QVariant::fromValue(graphics::Font(QStringLiteral("Menlo-Regular"), 20 + which));
    case InspectorKind::picture: {
        QImage pixels(3 + which, 2, QImage::Format_ARGB32);
        pixels.fill(Qt::green);
        return QVariant::fromValue(graphics::Image(pixels));
    }
    case InspectorKind::angle:
        return 30.0 + which;
    case InspectorKind::stockGradient:
        return QVariant::fromValue(StockGradient::all()[size_t(3 + which)]);
    case InspectorKind::choice:
    case InspectorKind::warning:
        break;
    }
    ADD_FAILURE() << "no sample of this kind";
    return {};
}

const ledgerline::PropertyGroup* groupNamed(const ledgerline::PropertyCollection& collection,
                                            const QString& name)
{
    for (const auto& group : collection.groups()) {
        if (group->name() == name)
            return group.get();
    }
    return nullptr;
}

// The row of the group bound to key, or its warning row.
ledgerline::Property* propertyOf(const ledgerline::PropertyCollection& collection,
                                 const InspectorRow& descriptor, const QString& key)
{
    const ledgerline::PropertyGroup* group = groupNamed(collection, descriptor.group);
    if (!group)
        return nullptr;
    for (const auto& property : group->properties()) {
        const bool bound = descriptor.kind != InspectorKind::warning && property->valueKeyPath() == key;
        const bool warning = descriptor.kind == InspectorKind::warning && property->valueKeyPath().isNull();
        if ((bound || warning) && property->name() == descriptor.label)
            return property.get();
    }
    return nullptr;
}

class AttributeTables : public testing::TestWithParam<const char*>
{
protected:
    QString entityName() const { return QString::fromLatin1(GetParam()); }
    const AttributeTable& table() const { return *attributeTable(entityName()); }

    DocumentStack stack = DocumentStack::inMemory();
};

TEST_P(AttributeTables, TheKeysRowsNameAreAttributesOfTheEntity)
{
    for (const AttributeRow& row : table().rows()) {
        for (const QString& key : row.dependsOn)
            EXPECT_NE(table().row(key), nullptr) << text(row.key) << " depends on " << text(key);
        if (row.maximumLength) {
            EXPECT_TRUE(row.kind == AttributeKind::text || row.kind == AttributeKind::translations)
                << text(row.key);
        }
        for (const InspectorRow& descriptor : row.inspector) {
            for (const QString& key : descriptor.watchedKeys)
                EXPECT_NE(table().row(key), nullptr) << text(row.key) << " watches " << text(key);
            if (descriptor.shownWhen) {
                const AttributeRow* decider = table().row(descriptor.shownWhen->key);
                ASSERT_NE(decider, nullptr) << text(row.key);
                ASSERT_EQ(decider->kind, AttributeKind::enumeration) << text(row.key);
                for (qint64 raw : descriptor.shownWhen->rawValues)
                    EXPECT_TRUE(raw >= 0 && raw < decider->caseCount) << text(row.key) << " " << raw;
            }
            // A choice of raw values offers values the attribute takes.
            if (descriptor.kind == InspectorKind::choice && row.holdsInteger()) {
                for (const InspectorOption& option : descriptor.options)
                    EXPECT_TRUE(row.checkedValue(option.value))
                        << text(row.key) << " offers " << text(option.title);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Entities, AttributeTables,
                         testing::Values("Screenshot", "DrawableMapping", "Image", "TextRect", "DeviceImage",
                                         "Gradient", "Asset", "Language"));

class InspectorRows : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        entity = insertEditable(QString::fromLatin1(GetParam()), *stack.context);
        collection = entity->makePropertyCollection();
    }

    DocumentStack stack = DocumentStack::inMemory();
    Entity* entity = nullptr;
    std::unique_ptr<ledgerline::PropertyCollection> collection;
};

TEST_P(InspectorRows, EveryRowStaysEqualToItsAttributeBothWays)
{
    for (const AttributeRow& row : entity->attributeTable().rows()) {
        for (const InspectorRow& descriptor : row.inspector) {
            if (descriptor.kind == InspectorKind::warning)
                continue;
            const std::string where = text(descriptor.group + " / " + row.key);
            ledgerline::Property* property = propertyOf(*collection, descriptor, row.key);
            ASSERT_NE(property, nullptr) << where;
            if (descriptor.kind == InspectorKind::choice) {
                auto& choice = dynamic_cast<ledgerline::EnumerationProperty&>(*property);
                const auto& options = choice.options();
                ASSERT_FALSE(options.empty()) << where;
                for (int index = int(options.size()) - 1; index >= 0; --index) {
                    choice.selectOption(index);
                    EXPECT_TRUE(
                        foundation::valuesEqual(entity->valueForKey(row.key), options[size_t(index)].value))
                        << where << " option " << index;
                }
                entity->setValueForKey(options.back().value, row.key);
                EXPECT_EQ(choice.selectedIndex(), int(options.size()) - 1) << where;
                continue;
            }
            property->setValue(sample(row, descriptor.kind, 0));
            EXPECT_TRUE(
                foundation::valuesEqual(entity->valueForKey(row.key), sample(row, descriptor.kind, 0)))
                << where;
            entity->setValueForKey(sample(row, descriptor.kind, 1), row.key);
            EXPECT_TRUE(foundation::valuesEqual(property->value(), sample(row, descriptor.kind, 1))) << where;
        }
    }
}

TEST_P(InspectorRows, RowsShowForTheValuesTheirRuleNamesAndHideForTheOthers)
{
    for (const AttributeRow& row : entity->attributeTable().rows()) {
        for (const InspectorRow& descriptor : row.inspector) {
            if (!descriptor.shownWhen)
                continue;
            ledgerline::Property* property = propertyOf(*collection, descriptor, row.key);
            ASSERT_NE(property, nullptr) << text(row.key);
            const QString& decider = descriptor.shownWhen->key;
            for (qint64 raw = 0; raw < entity->attributeTable().row(decider)->caseCount; ++raw) {
                entity->setValueForKey(raw, decider);
                EXPECT_EQ(property->isHidden(), !descriptor.shownWhen->rawValues.contains(raw))
                    << text(row.key) << " with " << text(decider) << " " << raw;
            }
            // A stored number that is no case reads as the first one.
            entity->storeValue(qint64(99), decider);
            EXPECT_EQ(property->isHidden(), !descriptor.shownWhen->rawValues.contains(0)) << text(row.key);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Entities, InspectorRows,
                         testing::Values("Screenshot", "Image", "TextRect", "DeviceImage", "Gradient"));

} // namespace
