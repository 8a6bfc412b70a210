#pragma once

namespace pelorama::model {

struct CanvasRenderingContext;
struct ImageSnapshot;

// Draws an image. With a picture: the picture placed by the fill mode over its shadow (a drop shadow, or
// the directional bands of its shown part), the same in every mode. Without one: nothing in export and
// thumbnail renders, the "Drag image here" placeholder in the canvas view and an empty box in template
// previews, both drawn in bitmap pixels so that their lines and text keep their size at every zoom.
class ImageRenderer
{
public:
    ImageRenderer() = delete;

    static void draw(const ImageSnapshot& image, const CanvasRenderingContext& context);
};

} // namespace pelorama::model
