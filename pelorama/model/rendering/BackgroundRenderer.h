#pragma once

namespace pelorama::model {

struct BackgroundSnapshot;
struct CanvasRenderingContext;

// Paints a screenshot's background, the same in every mode. A solid background fills the canvas
// rectangle with the colour, replacing the pixels, and leaves that colour as the fill colour of the
// context; a gradient fills the whole bitmap (fillBitmapContext).
class BackgroundRenderer
{
public:
    BackgroundRenderer() = delete;

    static void draw(const BackgroundSnapshot& background, const CanvasRenderingContext& context);
};

} // namespace pelorama::model
