#pragma once

#include "graphics/Image.h"
#include "graphics/Rect.h"
#include "model/entities/FillMode.h"
#include "model/entities/ShadowSettings.h"
#include "model/rendering/PictureReference.h"

#include <QStringList>
#include <optional>

namespace pelorama::model {

class Image;

// What an image is drawn from (ImageRenderer), as plain values. The picture is referred to, not decoded:
// taking a snapshot copies no bytes and decodes nothing.
struct ImageSnapshot
{
    graphics::Rect rect;
    FillMode fillMode = FillMode::stretch;
    ShadowSettings shadow;
    PictureReference picture;

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
