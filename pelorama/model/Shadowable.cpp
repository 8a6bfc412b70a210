#include "model/Shadowable.h"

#include "model/Entity.h"

#include <cmath>

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

graphics::Shadow Shadowable::dropShadow(double scale) const
{
    const double angle = shadowAngle() * 3.141592653589793 / 180;
    graphics::Shadow shadow;
    shadow.blurRadius = shadowBlurRadius() * scale;
    const double sine = std::sin(angle);
    const double cosine = std::cos(angle);
    shadow.offset = {shadowDistance() * cosine * scale, shadowDistance() * sine * scale};
    if (const std::optional<graphics::Color> color = shadowColor())
        shadow.color = *color;
    return shadow;
}

void Shadowable::setDropShadow(graphics::GraphicsContext& context, double scale) const
{
    context.setShadow(dropShadow(scale));
}

QStringList Shadowable::shadowKeys()
{
    return {typeKey, angleKey, depthKey, distanceKey, blurRadiusKey, colorKey};
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
