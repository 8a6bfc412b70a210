#include "model/entities/Shadowable.h"

#include "model/attributes/AttributeRowOptions.h"
#include "model/attributes/AttributeTable.h"
#include "model/entities/Entity.h"

#include <cmath>
#include <memory>

namespace pelorama::model {

namespace shadow {
constexpr Attribute<ShadowType> type{u"shadowType"};
constexpr Attribute<double> angle{u"shadowAngle"};
constexpr Attribute<double> depth{u"shadowDepth"};
constexpr Attribute<double> distance{u"shadowDistance"};
constexpr Attribute<double> blurRadius{u"shadowBlurRadius"};
constexpr Attribute<graphics::Color> color{u"shadowColor"};
} // namespace shadow

namespace {
const ShadowType drop = ShadowType::drop;
const ShadowType directional = ShadowType::directional;
} // namespace

const AttributeTable& Shadowable::attributes()
{
    static const AttributeTable table({
        attributeRow(shadow::type, {.insertion = ShadowType::none,
                                    .changesPixels = true,
                                    .inspector = {{.kind = InspectorKind::choice,
                                                   .group = "Shadow",
                                                   .label = "Type",
                                                   .options = {{"None", ShadowType::none},
                                                               {"Drop shadow", drop},
                                                               {"Directional", directional}}}}}),
        attributeRow(shadow::angle,
                     {.insertion = 270.0,
                      .changesPixels = true,
                      .inspector = {{.kind = InspectorKind::angle,
                                     .group = "Shadow",
                                     .label = "Angle",
                                     .shownWhen = shownWhen(shadow::type, {drop, directional})}}}),
        attributeRow(shadow::depth, {.insertion = 1.0,
                                     .changesPixels = true,
                                     .inspector = {{.kind = InspectorKind::number,
                                                    .group = "Shadow",
                                                    .label = "Depth",
                                                    .initialValue = 1.0,
                                                    .shownWhen = shownWhen(shadow::type, {directional})}}}),
        attributeRow(shadow::distance, {.insertion = 10.0,
                                        .changesPixels = true,
                                        .inspector = {{.kind = InspectorKind::number,
                                                       .group = "Shadow",
                                                       .label = "Distance",
                                                       .initialValue = 1.0,
                                                       .minimum = 0.0,
                                                       .maximum = 100.0,
                                                       .shownWhen = shownWhen(shadow::type, {drop})}}}),
        attributeRow(shadow::blurRadius, {.insertion = 10.0,
                                          .changesPixels = true,
                                          .inspector = {{.kind = InspectorKind::number,
                                                         .group = "Shadow",
                                                         .label = "Blur radius",
                                                         .initialValue = 1.0,
                                                         .minimum = 0.0,
                                                         .maximum = 100.0,
                                                         .shownWhen = shownWhen(shadow::type, {drop})}}}),
        attributeRow(shadow::color,
                     {.insertion = graphics::Color{0, 0, 0, 0.25},
                      .changesPixels = true,
                      .inspector = {{.kind = InspectorKind::colour,
                                     .group = "Shadow",
                                     .label = "Color",
                                     .initialValue = QVariant::fromValue(graphics::Color{0, 0, 0, 1}),
                                     .shownWhen = shownWhen(shadow::type, {drop, directional})}}}),
    });
    return table;
}

Shadowable::Shadowable(Entity& entity)
    : m_entity(entity)
{}

ShadowType Shadowable::shadowType() const
{
    return m_entity.value(shadow::type);
}

void Shadowable::setShadowType(ShadowType type)
{
    m_entity.setValue(shadow::type, type);
}

double Shadowable::shadowAngle() const
{
    return m_entity.value(shadow::angle);
}

void Shadowable::setShadowAngle(double degrees)
{
    m_entity.setValue(shadow::angle, degrees);
}

double Shadowable::shadowDepth() const
{
    return m_entity.value(shadow::depth);
}

void Shadowable::setShadowDepth(double depth)
{
    m_entity.setValue(shadow::depth, depth);
}

double Shadowable::shadowDistance() const
{
    return m_entity.value(shadow::distance);
}

void Shadowable::setShadowDistance(double distance)
{
    m_entity.setValue(shadow::distance, distance);
}

double Shadowable::shadowBlurRadius() const
{
    return m_entity.value(shadow::blurRadius);
}

void Shadowable::setShadowBlurRadius(double radius)
{
    m_entity.setValue(shadow::blurRadius, radius);
}

std::optional<graphics::Color> Shadowable::shadowColor() const
{
    return m_entity.storedValue(shadow::color);
}

void Shadowable::setShadowColor(const std::optional<graphics::Color>& color)
{
    m_entity.setValue(shadow::color, color);
}

} // namespace pelorama::model
