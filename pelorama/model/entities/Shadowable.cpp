#include "model/entities/Shadowable.h"

#include "model/attributes/AttributeRowOptions.h"
#include "model/attributes/AttributeTable.h"
#include "model/entities/Entity.h"

#include <cmath>
#include <memory>

namespace pelorama::model {

namespace {
const ShadowType drop = ShadowType::drop;
const ShadowType directional = ShadowType::directional;
} // namespace

const AttributeTable& Shadowable::attributes()
{
    static const AttributeTable table({
        attributeRow(shadowTypeAttribute, {.insertion = ShadowType::none,
                                           .changesPixels = true,
                                           .inspector = {{.kind = InspectorKind::choice,
                                                          .group = "Shadow",
                                                          .label = "Type",
                                                          .options = {{"None", ShadowType::none},
                                                                      {"Drop shadow", drop},
                                                                      {"Directional", directional}}}}}),
        attributeRow(shadowAngleAttribute,
                     {.insertion = 270.0,
                      .changesPixels = true,
                      .inspector = {{.kind = InspectorKind::angle,
                                     .group = "Shadow",
                                     .label = "Angle",
                                     .shownWhen = shownWhen(shadowTypeAttribute, {drop, directional})}}}),
        attributeRow(shadowDepthAttribute,
                     {.insertion = 1.0,
                      .changesPixels = true,
                      .inspector = {{.kind = InspectorKind::number,
                                     .group = "Shadow",
                                     .label = "Depth",
                                     .initialValue = 1.0,
                                     .shownWhen = shownWhen(shadowTypeAttribute, {directional})}}}),
        attributeRow(shadowDistanceAttribute,
                     {.insertion = 10.0,
                      .changesPixels = true,
                      .inspector = {{.kind = InspectorKind::number,
                                     .group = "Shadow",
                                     .label = "Distance",
                                     .initialValue = 1.0,
                                     .minimum = 0.0,
                                     .maximum = 100.0,
                                     .shownWhen = shownWhen(shadowTypeAttribute, {drop})}}}),
        attributeRow(shadowBlurRadiusAttribute,
                     {.insertion = 10.0,
                      .changesPixels = true,
                      .inspector = {{.kind = InspectorKind::number,
                                     .group = "Shadow",
                                     .label = "Blur radius",
                                     .initialValue = 1.0,
                                     .minimum = 0.0,
                                     .maximum = 100.0,
                                     .shownWhen = shownWhen(shadowTypeAttribute, {drop})}}}),
        attributeRow(shadowColorAttribute,
                     {.insertion = graphics::Color{0, 0, 0, 0.25},
                      .changesPixels = true,
                      .inspector = {{.kind = InspectorKind::colour,
                                     .group = "Shadow",
                                     .label = "Color",
                                     .initialValue = QVariant::fromValue(graphics::Color{0, 0, 0, 1}),
                                     .shownWhen = shownWhen(shadowTypeAttribute, {drop, directional})}}}),
    });
    return table;
}

Shadowable::Shadowable(Entity& entity)
    : m_entity(entity)
{}

} // namespace pelorama::model
