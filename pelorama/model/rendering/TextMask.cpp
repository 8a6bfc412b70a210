#include "model/rendering/TextMask.h"

#include "graphics/BitmapImageRep.h"
#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

#include <cmath>

namespace pelorama::model {

std::optional<TextMask> TextMask::draw(const graphics::TextLayout& text, double width)
{
    const double height = text.height();
    const graphics::Size size{std::ceil(width) + 2 * margin, std::ceil(height) + 2 * margin};
    // Checked before the conversion to pixel counts, which is undefined for values an int cannot hold;
    // makeBitmap refuses what is beyond its own limits.
    constexpr double largestSide = 1 << 20;
    if (!(size.width >= 1 && size.width <= largestSide && size.height >= 1 && size.height <= largestSide))
        return std::nullopt;
    QImage bitmap = graphics::GraphicsContext::makeBitmap(int(size.width), int(size.height));
    if (bitmap.isNull())
        return std::nullopt;
    {
        graphics::GraphicsContext context(bitmap);
        context.drawText(text, {margin, margin, width, height});
    }
    auto image = std::make_shared<graphics::Image>(size);
    image->addRepresentation(graphics::BitmapImageRep(bitmap, size));
    return TextMask{std::move(image), size};
}

} // namespace pelorama::model
