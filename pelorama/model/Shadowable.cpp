#include "model/Shadowable.h"

#include "ledgerline/ColorProperty.h"
#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/NumericProperty.h"
#include "ledgerline/PropertyCollection.h"
#include "ledgerline/PropertyGroup.h"
#include "ledgerline/Then.h"
#include "model/AngleProperty.h"
#include "model/Entity.h"
#include "tessaline/Shared/Observer.h"

#include <memory>

namespace pelorama::model {

namespace {
const QString typeKey = QStringLiteral("shadowType");
const QString angleKey = QStringLiteral("shadowAngle");
const QString depthKey = QStringLiteral("shadowDepth");
const QString distanceKey = QStringLiteral("shadowDistance");
const QString blurRadiusKey = QStringLiteral("shadowBlurRadius");
const QString colorKey = QStringLiteral("shadowColor");
} // namespace

Shadowable::Shadowable(Entity& entity)
    : m_entity(entity)
{}

ShadowType Shadowable::shadowType() const
{
    return m_entity.typedPrimitiveValue<ShadowType>(typeKey).value_or(ShadowType::none);
}

void Shadowable::setShadowType(ShadowType type)
{
    m_entity.setTypedPrimitiveValue(type, typeKey);
}

double Shadowable::shadowAngle() const
{
    return m_entity.doubleValue(angleKey);
}

void Shadowable::setShadowAngle(double degrees)
{
    m_entity.setAttributeValue(degrees, angleKey);
}

double Shadowable::shadowDepth() const
{
    return m_entity.doubleValue(depthKey);
}

void Shadowable::setShadowDepth(double depth)
{
    m_entity.setAttributeValue(depth, depthKey);
}

double Shadowable::shadowDistance() const
{
    return m_entity.doubleValue(distanceKey);
}

void Shadowable::setShadowDistance(double distance)
{
    m_entity.setAttributeValue(distance, distanceKey);
}

double Shadowable::shadowBlurRadius() const
{
    return m_entity.doubleValue(blurRadiusKey);
}

void Shadowable::setShadowBlurRadius(double radius)
{
    m_entity.setAttributeValue(radius, blurRadiusKey);
}

std::optional<graphics::Color> Shadowable::shadowColor() const
{
    return m_entity.colorValue(colorKey);
}

void Shadowable::setShadowColor(const std::optional<graphics::Color>& color)
{
    m_entity.setColorValue(color, colorKey);
}

void Shadowable::setShadowDefaults()
{
    setShadowType(ShadowType::none);
    setShadowDepth(1.0);
    setShadowDistance(10.0);
    setShadowBlurRadius(10.0);
    setShadowColor(graphics::Color{0, 0, 0, 0.25});
    setShadowAngle(270.0);
}

QStringList Shadowable::shadowKeys()
{
    return {typeKey, angleKey, depthKey, distanceKey, blurRadiusKey, colorKey};
}

void Shadowable::configureShadowPropertyGroup(ledgerline::PropertyGroup& group,
                                              ledgerline::PropertyCollection& collection)
{
    using ledgerline::then;
    group.setName(QStringLiteral("Shadow"));
    group.addProperty(then(std::make_unique<ledgerline::EnumerationProperty>(), [&](auto& type) {
        type.setName(QStringLiteral("Type"));
        type.addOption(QStringLiteral("None"), qint64(ShadowType::none));
        type.addOption(QStringLiteral("Drop shadow"), qint64(ShadowType::drop));
        type.addOption(QStringLiteral("Directional"), qint64(ShadowType::directional));
        type.bind(&m_entity, typeKey);
        type.setValue(qint64(shadowType()));
    }));

    auto angle = then(std::make_unique<AngleProperty>(), [&](auto& row) {
        row.setName(QStringLiteral("Angle"));
        row.bind(&m_entity, angleKey);
    });
    auto depth = then(std::make_unique<ledgerline::NumericProperty>(1.0), [&](auto& row) {
        row.setName(QStringLiteral("Depth"));
        row.bind(&m_entity, depthKey);
    });
    auto distance = then(std::make_unique<ledgerline::NumericProperty>(1.0), [&](auto& row) {
        row.setName(QStringLiteral("Distance"));
        row.setMinimumValue(0.0);
        row.setMaximumValue(100.0);
        row.bind(&m_entity, distanceKey);
    });
    auto blurRadius = then(std::make_unique<ledgerline::NumericProperty>(1.0), [&](auto& row) {
        row.setName(QStringLiteral("Blur radius"));
        row.setMinimumValue(0.0);
        row.setMaximumValue(100.0);
        row.bind(&m_entity, blurRadiusKey);
    });
    auto color =
        then(std::make_unique<ledgerline::ColorProperty>(graphics::Color{0, 0, 0, 1}), [&](auto& row) {
            row.setName(QStringLiteral("Color"));
            row.bind(&m_entity, colorKey);
        });

    // The rows live in group, which outlives the observer in collection.
    collection.keepObserver(std::make_unique<tessaline::Observer>(
        &m_entity, typeKey,
        [angle = angle.get(), depth = depth.get(), distance = distance.get(), blurRadius = blurRadius.get(),
         color = color.get()](const QVariant& value) {
            const ShadowType type =
                RawRepresentation<ShadowType>::fromRawValue(value.toLongLong()).value_or(ShadowType::none);
            const bool drop = type == ShadowType::drop;
            const bool directional = type == ShadowType::directional;
            angle->setHidden(!drop && !directional);
            depth->setHidden(!directional);
            distance->setHidden(!drop);
            blurRadius->setHidden(!drop);
            color->setHidden(!drop && !directional);
        }));

    group.addProperty(std::move(angle));
    group.addProperty(std::move(depth));
    group.addProperty(std::move(distance));
    group.addProperty(std::move(blurRadius));
    group.addProperty(std::move(color));
}

QVariant Shadowable::shadowTypeValue() const
{
    return m_entity.enumerationValueForKey<ShadowType>(typeKey);
}

void Shadowable::setShadowTypeValue(const QVariant& value)
{
    m_entity.setEnumerationValueForKey(value, typeKey);
}

} // namespace pelorama::model
