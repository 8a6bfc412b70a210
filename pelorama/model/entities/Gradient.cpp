#include "model/entities/Gradient.h"

#include "model/attributes/AttributeTable.h"
#include "model/attributes/StockGradientRow.h"
#include "model/context/ContextOperations.h"
#include "model/entities/StockGradient.h"
#include "store/FetchRequest.h"

namespace pelorama::model {

namespace {

InspectorRow colourRow(const QString& label)
{
    return {.kind = InspectorKind::colour,
            .group = "Colors",
            .label = label,
            .initialValue = QVariant::fromValue(graphics::Color{1, 1, 1, 1})};
}

} // namespace

// A gradient has no insertion defaults: insertInto with its colours gives it its identifier.
const AttributeTable& Gradient::attributes()
{
    static const AttributeTable table({
        attributeRow(uniqueIdentifierAttribute, {.indexed = true}),
        stockGradientRow<Gradient>({startColorAttribute.key(), endColorAttribute.key()},
                                   {.kind = InspectorKind::stockGradient, .group = "Gradients"}),
        attributeRow(endColorAttribute, {.changesPixels = true, .inspector = {colourRow("Top")}}),
        attributeRow(startColorAttribute, {.changesPixels = true, .inspector = {colourRow("Bottom")}}),
    });
    return table;
}

Gradient::Gradient()
    : IdentifiedEntity(attributes())
{}

Gradient* Gradient::insertInto(store::ManagedObjectContext& context, const graphics::Color& startColor,
                               const graphics::Color& endColor)
{
    Gradient* gradient = insertInto(context);
    gradient->setUniqueIdentifier(makeUniqueIdentifier());
    gradient->setStartColor(startColor);
    gradient->setEndColor(endColor);
    return gradient;
}

const StockGradient* Gradient::stockGradient() const
{
    return StockGradient::matching(startColor(), endColor());
}

void Gradient::setStockGradient(const StockGradient* gradient)
{
    if (!gradient)
        return;
    setStartColor(gradient->startColor());
    setEndColor(gradient->endColor());
}

std::optional<graphics::Gradient> Gradient::gradient() const
{
    const std::optional<graphics::Color> start = startColor();
    const std::optional<graphics::Color> end = endColor();
    if (!start || !end)
        return std::nullopt;
    return graphics::Gradient(*start, *end);
}

DrawableSnapshot Gradient::snapshot() const
{
    return GradientSnapshot::of(*this);
}

} // namespace pelorama::model
