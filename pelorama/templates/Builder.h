#pragma once

#include "graphics/Image.h"
#include "graphics/ParagraphStyle.h"
#include "graphics/Point.h"
#include "graphics/Rect.h"
#include "model/entities/FillMode.h"
#include "model/entities/VerticalAlignment.h"
#include "templates/Theme.h"

#include <QString>
#include <optional>

namespace store {
class ManagedObjectContext;
} // namespace store

namespace pelorama::model {
class DeviceImage;
class Image;
class Screenshot;
class TextRect;
} // namespace pelorama::model

namespace pelorama::templates {

// Adds the drawables of a template's layout to the screenshot being built, styled by the theme, each
// mapped onto the screenshot at once: the order of the calls is the drawing order, the first underneath.
// Rectangles and positions are in canvas points, origin at the bottom left, y up. Used on the context's
// queue only; nothing is saved.
class Builder
{
public:
    Builder(store::ManagedObjectContext& context, model::Screenshot& screenshot, Theme theme);

    store::ManagedObjectContext& managedObjectContext() const { return m_context; }
    model::Screenshot& screenshot() const { return m_screenshot; }
    const Theme& theme() const { return m_theme; }

    // A caption in the theme's colour, face (at the caption's own size) and text shadow.
    model::TextRect& addText(const graphics::Rect& rect, const QString& text,
                             graphics::TextAlignment horizontalAlignment,
                             model::VerticalAlignment verticalAlignment);
    // A picture, or none for an image the canvas shows as a placeholder. Images take nothing from the
    // theme.
    model::Image& addImage(const graphics::Rect& rect, const std::optional<graphics::Image>& image,
                           model::FillMode fillMode);
    // A device centred on position, upright, of the family with this identifier (the catalogue's first
    // family for an unknown one), in the theme's preferred variant for the family (else the family's
    // first) and with the theme's device shadow.
    model::DeviceImage& addDevice(const QString& familyIdentifier, graphics::Point position,
                                  double scaleFactor);
    // The same, then in the theme's preferred secondary variant for the family when it has one.
    model::DeviceImage& addSecondaryDevice(const QString& familyIdentifier, graphics::Point position,
                                           double scaleFactor);

private:
    store::ManagedObjectContext& m_context;
    model::Screenshot& m_screenshot;
    Theme m_theme;
};

} // namespace pelorama::templates
