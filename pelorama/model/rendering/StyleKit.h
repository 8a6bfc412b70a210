#pragma once

#include "graphics/GraphicsContext.h"
#include "graphics/Rect.h"

#include <QtGlobal>
#include <optional>

namespace pelorama::model {

// The application's fixed drawings: the pictures that stand in for a missing picture on the canvas, and
// how a drawing's design rectangle is placed into a frame (the inspector's angle dial places itself the
// same way). Each draws into the given context in its current user space,
// y up, placed in frame; lengths (insets, line widths, the 28-point text) are in the frame's units, and
// the canvas drawables pass frames in bitmap pixels. Each restores the context's state before it returns.
class StyleKit
{
public:
    StyleKit() = delete;

    // How a drawing's design rectangle is placed into a target frame.
    enum class ResizingBehavior : qint64
    {
        aspectFit = 0,  // as large as fits, proportions kept
        aspectFill = 1, // covering the target, proportions kept
        stretch = 2,    // filling the target exactly
        center = 3,     // unscaled
    };

    // The behaviour of a raw value; none for raw values outside 0...3.
    static std::optional<ResizingBehavior> resizingBehavior(qint64 rawValue);

    // Where rect is drawn for target: rect itself when it equals target or target is the zero
    // rectangle; otherwise the standardised rect scaled by the behaviour's factors (from |target width /
    // rect width| and |target height / rect height|) and centred in target. A design rectangle without
    // area gives rect itself rather than an infinite one.
    static graphics::Rect apply(ResizingBehavior behavior, const graphics::Rect& rect,
                                const graphics::Rect& target);

    // A rounded white outline and the centred text "Drag image here": an image without a picture in the
    // canvas view.
    static void drawImagePlaceholder(graphics::GraphicsContext& context, const graphics::Rect& frame);

    // The same in grey, further inset: the screen of a device image without a picture in the canvas
    // view.
    static void drawDeviceImagePlaceholder(graphics::GraphicsContext& context, const graphics::Rect& frame);

    // A white frame with both diagonals: an image without a picture in template previews.
    static void drawEmptyBox(graphics::GraphicsContext& context, const graphics::Rect& frame);
};

} // namespace pelorama::model
