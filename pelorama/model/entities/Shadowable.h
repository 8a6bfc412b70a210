#pragma once

#include "graphics/Color.h"
#include "model/attributes/Attribute.h"
#include "model/entities/Entity.h"
#include "model/entities/ShadowType.h"

#include <optional>

namespace pelorama::model {

class AttributeTable;

// The six shadow settings of images, device images and text rects, kept as attributes of the entity under
// the same keys: "shadowType" (a ShadowType raw value, read through the typed accessors, so any number
// but 0, 1 or 2 reads as none), "shadowAngle" (degrees, counter-clockwise from +x), "shadowDepth" (a
// directional shadow's length as a fraction of the canvas diagonal), "shadowDistance" and
// "shadowBlurRadius" (a drop shadow's offset and blur in canvas points) and "shadowColor" (alpha
// included). Distance and blur play no part in a directional shadow, depth none in a drop shadow.
//
// The settings are rows of one shared table (attributes()), which each shadowed entity's table ends
// with: their insertion defaults, their key-value coding, that each changes the pixels, and the
// inspector's "Shadow" group. This class adds only the typed accessors; the entity passes itself:
//     Image::Image() : Entity(attributes()), ..., Shadowable(static_cast<Entity&>(*this)) {}
class Shadowable
{
public:
    virtual ~Shadowable() = default;

    // The shadow rows, in the order every shadowed entity's table ends with them and its inspector shows
    // them. Insertion: type none, depth 1, distance 10, blur radius 10, colour black at alpha 0.25,
    // angle 270 (straight down). The group "Shadow": "Type" (None, Drop shadow, Directional) always,
    // "Angle" and "Color" for drop and directional shadows, "Distance" and "Blur radius" for drop shadows,
    // "Depth" for directional ones. The editors of "Distance" and "Blur radius" take 0 to 100, those of
    // "Angle" and "Depth" any number; every setting is kept as it is stored, and drawing bounds what it
    // does with it (model/rendering/DrawingBounds.h).
    static const AttributeTable& attributes();

    // The attributes the typed accessors below read and write.
    static constexpr Attribute<ShadowType> shadowTypeAttribute{u"shadowType"};
    static constexpr Attribute<double> shadowAngleAttribute{u"shadowAngle"};
    static constexpr Attribute<double> shadowDepthAttribute{u"shadowDepth"};
    static constexpr Attribute<double> shadowDistanceAttribute{u"shadowDistance"};
    static constexpr Attribute<double> shadowBlurRadiusAttribute{u"shadowBlurRadius"};
    static constexpr Attribute<graphics::Color> shadowColorAttribute{u"shadowColor"};

    ShadowType shadowType() const { return m_entity.value(shadowTypeAttribute); }
    void setShadowType(ShadowType type) { m_entity.setValue(shadowTypeAttribute, type); }
    double shadowAngle() const { return m_entity.value(shadowAngleAttribute); }
    void setShadowAngle(double degrees) { m_entity.setValue(shadowAngleAttribute, degrees); }
    double shadowDepth() const { return m_entity.value(shadowDepthAttribute); }
    void setShadowDepth(double depth) { m_entity.setValue(shadowDepthAttribute, depth); }
    double shadowDistance() const { return m_entity.value(shadowDistanceAttribute); }
    void setShadowDistance(double distance) { m_entity.setValue(shadowDistanceAttribute, distance); }
    double shadowBlurRadius() const { return m_entity.value(shadowBlurRadiusAttribute); }
    void setShadowBlurRadius(double radius) { m_entity.setValue(shadowBlurRadiusAttribute, radius); }
    graphics::Color shadowColor() const { return m_entity.value(shadowColorAttribute); }
    void setShadowColor(const std::optional<graphics::Color>& color)
    {
        m_entity.setValue(shadowColorAttribute, color);
    }

    Shadowable(const Shadowable&) = delete;
    Shadowable& operator=(const Shadowable&) = delete;

protected:
    explicit Shadowable(Entity& entity);

private:
    Entity& m_entity;
};

} // namespace pelorama::model
