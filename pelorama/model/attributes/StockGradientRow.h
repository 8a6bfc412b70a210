#pragma once

#include "model/attributes/AttributeRowOptions.h"
#include "model/entities/StockGradient.h"

namespace pelorama::model {

// The computed key "stockGradient" of an entity E with the two colours of a gradient (a screenshot, a
// gradient), which answers stockGradient() and setStockGradient(): to key-value coding the stock
// gradient whose colours both equal E's as a const StockGradient* (nil for none). Writing one sets both
// colours; nil changes nothing, but the store is announced all the same. Observers hear of it with every
// store into either colour key. Like the colours it sets, it changes the pixels.
template <typename E> AttributeRow stockGradientRow(const QStringList& colourKeys, InspectorRow inspector)
{
    static constexpr Attribute<Computed> stockGradient{u"stockGradient"};
    return attributeRow(
        stockGradient, {.changesPixels = true,
                        .dependsOn = colourKeys,
                        .inspector = {std::move(inspector)},
                        .valueForKey =
                            [](const Entity& entity) {
                                const StockGradient* gradient = static_cast<const E&>(entity).stockGradient();
                                return gradient ? QVariant::fromValue(gradient) : QVariant();
                            },
                        .setValueForKey =
                            [](Entity& entity, const QVariant& value) {
                                const QString key = stockGradient.key();
                                if (value.isValid())
                                    static_cast<E&>(entity).setStockGradient(
                                        entity.requireValue<const StockGradient*>(value, key));
                                else
                                    emit entity.valueChangedForKey(key);
                            }});
}

} // namespace pelorama::model
