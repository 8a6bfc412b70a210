#pragma once

#include "graphics/Color.h"
#include "model/ShadowType.h"

#include <QStringList>
#include <optional>

namespace ledgerline {
class PropertyCollection;
class PropertyGroup;
} // namespace ledgerline

namespace pelorama::model {

class Entity;

// The six shadow settings of images, device images and text rects, kept as attributes of the entity under
// the same keys: "shadowType" (a ShadowType raw value, read through the typed accessors, so any number
// but 0, 1 or 2 reads as none), "shadowAngle" (degrees, counter-clockwise from +x), "shadowDepth" (a
// directional shadow's length as a fraction of the canvas diagonal), "shadowDistance" and
// "shadowBlurRadius" (a drop shadow's offset and blur in canvas points) and "shadowColor" (alpha
// included). Distance and blur play no part in a directional shadow, depth none in a drop shadow.
//
// Adopted by entity classes only; the entity passes itself to the constructor:
//     class Image : public Entity, public Drawable, ..., public Shadowable
//     Image::Image() : Shadowable(static_cast<Entity&>(*this)) {}
// and lists "shadowType" among its typed keys (see Entity::hasTypedKey), answering it with
// shadowTypeValue() and setShadowTypeValue().
class Shadowable
{
public:
    virtual ~Shadowable() = default;

    ShadowType shadowType() const;
    void setShadowType(ShadowType type);
    double shadowAngle() const;
    void setShadowAngle(double degrees);
    double shadowDepth() const;
    void setShadowDepth(double depth);
    double shadowDistance() const;
    void setShadowDistance(double distance);
    double shadowBlurRadius() const;
    void setShadowBlurRadius(double radius);
    // None only for an object whose colour was never set.
    std::optional<graphics::Color> shadowColor() const;
    void setShadowColor(const std::optional<graphics::Color>& color);

    // The insertion defaults, in this order: type none, depth 1, distance 10, blur radius 10, colour
    // black at alpha 0.25, angle 270 (straight down). Each insertInto sets them after its own attributes.
    void setShadowDefaults();

    // The six keys, in the order drawables list them among the keys that change their pictures.
    static QStringList shadowKeys();

    // Fills group as the inspector's "Shadow" group of the entity: the rows "Type" (None, Drop shadow,
    // Directional), "Angle", "Depth", "Distance" and "Blur radius" (both limited to 0...100) and "Color",
    // each bound to its setting, and gives collection the observer of "shadowType" that shows the rows
    // the type uses (Type always; Angle and Color for drop and directional shadows, Distance and Blur
    // radius for drop shadows, Depth for directional ones). The caller adds group to collection
    // afterwards; the observer refers to its rows.
    void configureShadowPropertyGroup(ledgerline::PropertyGroup& group,
                                      ledgerline::PropertyCollection& collection);

protected:
    explicit Shadowable(Entity& entity);
    Shadowable(const Shadowable&) = delete;
    Shadowable& operator=(const Shadowable&) = delete;

    // Key-value coding of "shadowType": the raw value of the typed read, and the stored integer.
    QVariant shadowTypeValue() const;
    void setShadowTypeValue(const QVariant& value);

private:
    Entity& m_entity;
};

} // namespace pelorama::model
