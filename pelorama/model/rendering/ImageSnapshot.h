#pragma once

#include "graphics/Image.h"
#include "graphics/Rect.h"
#include "model/entities/FillMode.h"
#include "model/entities/ShadowSettings.h"

#include <QStringList>
#include <optional>

namespace pelorama::model {

class Image;

// What an image is drawn from (ImageRenderer), as plain values. The picture shares its pixels with the
// image's own: taking a snapshot copies none.
struct ImageSnapshot
{
    graphics::Rect rect;
    FillMode fillMode = FillMode::stretch;
    ShadowSettings shadow;
    std::optional<graphics::Image> picture;

    // On the image's context queue.
    static ImageSnapshot of(const Image& image);

    // Where the picture is drawn and which part of it, by the fill mode: the destination in canvas points
    // and the source in the picture's space (the zero rectangle for the whole picture). Stretch: rect and
    // the whole; aspect fit: the picture's size fitted into rect, and the whole; aspect fill: rect, and
    // the largest centred part of the picture with rect's proportions. No value when rect or the picture
    // size has no area.
    struct Placement
    {
        graphics::Rect destination;
        graphics::Rect source;
    };
    std::optional<Placement> placement(const graphics::Size& pictureSize) const;

    friend bool operator==(const ImageSnapshot&, const ImageSnapshot&) = default;
};

} // namespace pelorama::model
