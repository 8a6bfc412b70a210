#include "model/rendering/ImageSnapshot.h"

#include "model/entities/Image.h"
#include "model/rendering/AspectFit.h"

#include <cmath>

namespace pelorama::model {

namespace {

bool hasArea(const graphics::Size& size)
{
    return size.width > 0 && size.height > 0 && std::isfinite(size.width) && std::isfinite(size.height);
}

} // namespace

ImageSnapshot ImageSnapshot::of(const Image& image)
{
    return {image.rect(), image.fillMode(), ShadowSettings::of(image), image.pictureReference()};
}

std::optional<ImageSnapshot::Placement> ImageSnapshot::placement(const graphics::Size& pictureSize) const
{
    const graphics::Rect frame = rect.standardized();
    if (!hasArea(frame.size) || !hasArea(pictureSize))
        return std::nullopt;
    switch (fillMode) {
    case FillMode::stretch:
        break;
    case FillMode::aspectFit:
        return Placement{aspectFit(pictureSize, frame), graphics::Rect::zero()};
    case FillMode::aspectFill:
        return Placement{frame, aspectFit(frame.size, {graphics::Point{}, pictureSize})};
    }
    return Placement{frame, graphics::Rect::zero()};
}

} // namespace pelorama::model
