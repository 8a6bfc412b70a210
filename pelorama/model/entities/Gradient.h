#pragma once

#include "graphics/Color.h"
#include "graphics/Gradient.h"
#include "model/entities/Drawable.h"
#include "model/entities/EntityClass.h"
#include "model/entities/IdentifiedEntity.h"
#include "store/StoreForward.h"

#include <optional>

namespace pelorama::model {

class StockGradient;

// A drawable that fills the whole canvas bitmap with a vertical gradient from startColor (bottom) to
// endColor (top), over everything drawn before it. Nothing in the application creates one; a stored
// document may map one onto a screenshot.
//
// Keys: "uniqueIdentifier", "startColor", "endColor" and the computed "stockGradient" (a const
// StockGradient*, nil for none), which changes with the two colours.
class Gradient : public IdentifiedEntity, public Drawable, public EntityClass<Gradient>
{
    Q_OBJECT

public:
    Gradient();

    // Its attributes. The inspector shows "Gradients" (the stock gradient picker) and "Colors" (Top: the
    // end colour, Bottom: the start colour).
    static const AttributeTable& attributes();

    // The attributes the typed accessors below read and write.
    static constexpr Attribute<graphics::Color> endColorAttribute{u"endColor"};
    static constexpr Attribute<graphics::Color> startColorAttribute{u"startColor"};

    using EntityClass<Gradient>::insertInto;
    // A new gradient with a new uniqueIdentifier and the two colours.
    static Gradient* insertInto(store::ManagedObjectContext& context, const graphics::Color& startColor,
                                const graphics::Color& endColor);

    std::optional<graphics::Color> startColor() const { return storedValue(startColorAttribute); }
    void setStartColor(const std::optional<graphics::Color>& color) { setValue(startColorAttribute, color); }
    std::optional<graphics::Color> endColor() const { return storedValue(endColorAttribute); }
    void setEndColor(const std::optional<graphics::Color>& color) { setValue(endColorAttribute, color); }

    // As a screenshot's: the first stock gradient with both colours equal, or nullptr; setting copies the
    // start and then the end colour, nullptr changes nothing.
    const StockGradient* stockGradient() const;
    void setStockGradient(const StockGradient* gradient);

    // The gradient of the two colours; none while either is missing.
    std::optional<graphics::Gradient> gradient() const;

    DrawableSnapshot snapshot() const override;
};

} // namespace pelorama::model
