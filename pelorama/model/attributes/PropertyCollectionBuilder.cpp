#include "model/attributes/PropertyCollectionBuilder.h"

#include "ledgerline/core/ColorProperty.h"
#include "ledgerline/core/EnumerationProperty.h"
#include "ledgerline/core/FontProperty.h"
#include "ledgerline/core/ImageProperty.h"
#include "ledgerline/core/NumericProperty.h"
#include "ledgerline/core/StringProperty.h"
#include "model/attributes/AngleProperty.h"
#include "model/attributes/AttributeTable.h"
#include "model/attributes/StockGradientProperty.h"
#include "model/attributes/WarningProperty.h"
#include "model/entities/Entity.h"
#include "model/entities/ImageLoadable.h"
#include "tessaline/Shared/Observer.h"

#include <QPointer>

namespace pelorama::model {

namespace {

using ledgerline::Property;

std::unique_ptr<Property> makeChoice(const Entity& entity, const InspectorRow& descriptor)
{
    auto choice = std::make_unique<ledgerline::EnumerationProperty>();
    choice->setDisplayStyle(descriptor.displayStyle);
    const std::vector<InspectorOption> options =
        descriptor.optionsOf ? descriptor.optionsOf(entity) : descriptor.options;
    for (const InspectorOption& option : options)
        choice->addOption(option.title, option.value);
    return choice;
}

std::unique_ptr<Property> makeText(const AttributeRow& row, const InspectorRow& descriptor)
{
    auto text = std::make_unique<ledgerline::StringProperty>(descriptor.initialValue.toString());
    text->setTextStyle(descriptor.textStyle);
    text->setMaximumLength(row.maximumLength);
    return text;
}

std::unique_ptr<Property> makeNumber(const InspectorRow& descriptor)
{
    auto number = std::make_unique<ledgerline::NumericProperty>(descriptor.initialValue.toDouble());
    number->setMinimumValue(descriptor.minimum);
    number->setMaximumValue(descriptor.maximum);
    return number;
}

std::unique_ptr<Property> makePicture(Entity& entity)
{
    auto picture = std::make_unique<ledgerline::ImageProperty>();
    // The row may outlive the entity (the inspector keeps its collection until it is replaced).
    picture->setImageDataHandler([target = QPointer<Entity>(&entity)](const QByteArray& data) {
        if (auto* loadable = dynamic_cast<ImageLoadable*>(target.data()))
            loadable->storeImageData(data);
    });
    return picture;
}

std::unique_ptr<Property> makeProperty(Entity& entity, const AttributeRow& row,
                                       const InspectorRow& descriptor)
{
    switch (descriptor.kind) {
    case InspectorKind::text:
        return makeText(row, descriptor);
    case InspectorKind::number:
        return makeNumber(descriptor);
    case InspectorKind::choice:
        return makeChoice(entity, descriptor);
    case InspectorKind::colour:
        return std::make_unique<ledgerline::ColorProperty>(descriptor.initialValue.value<graphics::Color>());
    case InspectorKind::font:
        return std::make_unique<ledgerline::FontProperty>();
    case InspectorKind::picture:
        return makePicture(entity);
    case InspectorKind::angle:
        return std::make_unique<AngleProperty>();
    case InspectorKind::stockGradient:
        return std::make_unique<StockGradientProperty>();
    case InspectorKind::warning:
        break;
    }
    auto warning = std::make_unique<WarningProperty>();
    warning->setMessage(descriptor.initialValue.toString());
    return warning;
}

// The rows a shown-when key decides, with the raw values that show each.
struct VisibleRows
{
    QString key;
    std::vector<std::pair<Property*, QList<qint64>>> rows;
};

void showFor(std::vector<VisibleRows>& visibility, Property& property, const ShownWhen& shown)
{
    auto found = std::find_if(visibility.begin(), visibility.end(),
                              [&](const VisibleRows& rows) { return rows.key == shown.key; });
    if (found == visibility.end())
        found = visibility.insert(visibility.end(), VisibleRows{shown.key, {}});
    found->rows.emplace_back(&property, shown.rawValues);
}

// The rows live in the collection's groups, which outlive the collection's observers.
void keepWarningCurrent(ledgerline::PropertyCollection& collection, Entity& entity, WarningProperty& warning,
                        const InspectorRow& descriptor)
{
    const auto check = [&entity, &warning, message = descriptor.message](const QVariant&) {
        const std::optional<QString> text = message(entity);
        if (text)
            warning.setMessage(*text);
        warning.setHidden(!text);
    };
    for (const QString& key : descriptor.watchedKeys)
        collection.keepObserver(std::make_unique<tessaline::Observer>(&entity, key, check));
}

ledgerline::PropertyGroup& groupFor(std::vector<std::unique_ptr<ledgerline::PropertyGroup>>& groups,
                                    const InspectorRow& descriptor)
{
    for (const std::unique_ptr<ledgerline::PropertyGroup>& group : groups) {
        if (group->name() == descriptor.group)
            return *group;
    }
    auto group = std::make_unique<ledgerline::PropertyGroup>();
    group->setName(descriptor.group);
    group->setIdentifier(descriptor.groupIdentifier);
    return *groups.emplace_back(std::move(group));
}

} // namespace

PropertyCollectionBuilder& PropertyCollectionBuilder::bindingKey(const QString& key, QObject& target,
                                                                 const QString& keyPath)
{
    m_targets.insert(key, {&target, keyPath});
    return *this;
}

std::unique_ptr<ledgerline::PropertyCollection> PropertyCollectionBuilder::build() const
{
    auto collection = std::make_unique<ledgerline::PropertyCollection>();
    std::vector<std::unique_ptr<ledgerline::PropertyGroup>> groups;
    std::vector<VisibleRows> visibility;
    for (const AttributeRow& row : m_entity.attributeTable().rows()) {
        for (const InspectorRow& descriptor : row.inspector) {
            std::unique_ptr<Property> property = makeProperty(m_entity, row, descriptor);
            if (!descriptor.label.isEmpty())
                property->setName(descriptor.label);
            if (!descriptor.identifier.isEmpty())
                property->setIdentifier(descriptor.identifier);
            if (descriptor.kind == InspectorKind::warning) {
                keepWarningCurrent(*collection, m_entity, static_cast<WarningProperty&>(*property),
                                   descriptor);
            } else if (const Target target = m_targets.value(row.key); target.object) {
                property->bind(target.object, target.keyPath);
            } else {
                property->bind(&m_entity, row.key);
                if (descriptor.kind == InspectorKind::choice && row.holdsInteger())
                    property->setValue(m_entity.valueForKey(row.key));
            }
            if (descriptor.shownWhen)
                showFor(visibility, *property, *descriptor.shownWhen);
            groupFor(groups, descriptor).addProperty(std::move(property));
        }
    }
    for (VisibleRows& shown : visibility) {
        collection->keepObserver(std::make_unique<tessaline::Observer>(
            &m_entity, shown.key, [rows = std::move(shown.rows)](const QVariant& value) {
                for (const auto& [property, rawValues] : rows)
                    property->setHidden(!rawValues.contains(value.toLongLong()));
            }));
    }
    for (std::unique_ptr<ledgerline::PropertyGroup>& group : groups)
        collection->addGroup(std::move(group));
    return collection;
}

} // namespace pelorama::model
