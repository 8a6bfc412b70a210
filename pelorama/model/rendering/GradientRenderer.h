#pragma once

namespace pelorama::model {

struct CanvasRenderingContext;
struct GradientSnapshot;

// Fills the whole canvas bitmap with a gradient drawable's vertical gradient, over everything drawn before
// it (fillBitmapContext); nothing while it lacks a colour.
class GradientRenderer
{
public:
    GradientRenderer() = delete;

    static void draw(const GradientSnapshot& gradient, const CanvasRenderingContext& context);
};

} // namespace pelorama::model
