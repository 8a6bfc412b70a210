#pragma once

#include "model/entities/DeviceOrientation.h"

#include <QString>

namespace pelorama::model {

class DeviceFamily;
struct BackgroundSnapshot;
struct CanvasRenderingContext;
struct DeviceImageSnapshot;
struct GradientSnapshot;
struct ImageSnapshot;

// Drawing of the drawables that keep no caches of their own, each from its snapshot into a render's
// context. (Captions keep their styled text and layouts: CaptionRenderer.)

// A screenshot's background, the same in every mode. A solid background fills the canvas rectangle with
// the colour, replacing the pixels, and leaves that colour as the fill colour of the context; a gradient
// fills the whole bitmap (fillBitmapContext).
void draw(const BackgroundSnapshot& background, const CanvasRenderingContext& context);

// A gradient drawable: the whole canvas bitmap filled with its vertical gradient, over everything drawn
// before it (fillBitmapContext); nothing while it lacks a colour.
void draw(const GradientSnapshot& gradient, const CanvasRenderingContext& context);

// An image. With a picture: the picture placed by the fill mode over its shadow (a drop shadow, or the
// directional bands of its shown part), the same in every mode. Without one: nothing in export and
// thumbnail renders, the "Drag image here" placeholder in the canvas view and an empty box in template
// previews, both drawn in bitmap pixels so that their lines and text keep their size at every zoom. A
// pending picture draws nothing at all. The picture is decoded on the drawing thread when the shared
// PictureCache keeps none.
void draw(const ImageSnapshot& image, const CanvasRenderingContext& context);

// A device image: the frame picture of its variant (from DeviceFrameCache) scaled, centred on its
// position and turned with its shadow, then its picture in the frame's screen. Without a picture, the
// canvas view shows the device placeholder in the screen (in bitmap pixels) and template previews the
// family's placeholder picture; other modes leave the screen as the frame has it, as every mode does for a
// pending picture. A frame that cannot be opened draws nothing, with a warning.
void draw(const DeviceImageSnapshot& device, const CanvasRenderingContext& context);

// The name of the picture that stands in for a missing screenshot in template previews: "placeholder-"
// + the family name, + "Landscape" for an orientable family turned sideways.
QString devicePlaceholderName(const DeviceFamily& family, DeviceOrientation orientation);

} // namespace pelorama::model
