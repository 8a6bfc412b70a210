#pragma once

#include "graphics/ParagraphStyle.h"
#include "graphics/Rect.h"
#include "graphics/Size.h"
#include "model/DeviceOrientation.h"

#include <QString>

namespace pelorama::model {
class DeviceImage;
class TextRect;
} // namespace pelorama::model

namespace pelorama::templates {
class Builder;
} // namespace pelorama::templates

// What the built-in layouts share. Geometry is in canvas points, origin at the bottom left, y up.
namespace pelorama::templates::layout {

// The canvas size of the screenshot being built.
graphics::Size canvasSize(const templates::Builder& builder);

// A centred caption reading "Your text here!" in rect, in the theme's style.
model::TextRect& addCaption(templates::Builder& builder, const graphics::Rect& rect,
                            graphics::TextAlignment alignment = graphics::TextAlignment::center);
// A caption filling the width of the canvas above bottom, or below top, inset by 50 across and 25 up
// and down.
model::TextRect& addCaptionAbove(templates::Builder& builder, double bottom);
model::TextRect& addCaptionBelow(templates::Builder& builder, double top);

// Sets the family with this identifier on device again, so that it keeps the theme's variant, and turns
// it to orientation. The families are built in; the catalogue always has them.
void settleDevice(model::DeviceImage& device, const QString& familyIdentifier,
                  model::DeviceOrientation orientation = model::DeviceOrientation::portrait);

// The fixed caption face of the iPad and Mac layouts, whatever the theme's, at pointSize.
void useThinFont(model::TextRect& caption, double pointSize);

} // namespace pelorama::templates::layout
