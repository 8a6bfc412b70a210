#pragma once

#include "graphics/FillCache.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Image.h"
#include "graphics/Path.h"
#include "graphics/Rect.h"
#include "model/imaging/ContourCache.h"

#include <memory>

// Directional shadows of pictures: the flat bands cast from the outline of a picture's opaque part, as
// images, captions (on their text mask) and device frames draw them under the picture. Everything here is
// cached per picture in the ContourCache it is given (the render resources'), so a re-render traces
// nothing and clips nothing, and may be called on any thread.
//
// Angles are degrees counter-clockwise from +x; depth is the band's length in the units of imageRect.
namespace pelorama::model {

// The outline of picture's opaque part in its own space (origin bottom left, y up, units of its size):
// the traced polygons of its first bitmap, outer contours clockwise and holes counter-clockwise, scaled
// from pixels to its size; for a picture without a bitmap its bounds, clockwise too. Empty for a picture
// without area. The same picture answers the same path object until its pixels go; a picture without a
// bitmap answers the one path of its size, kept while pictures of that size are drawn.
std::shared_ptr<const graphics::Path> extractContours(ContourCache& contours, const graphics::Image& picture);

// The bands of picture drawn into imageRect: its outline mapped onto imageRect, cast along angleDegrees
// for depth. Empty when imageRect or the picture has no area or a number is not finite.
std::shared_ptr<const graphics::Path> directionalShadowPath(ContourCache& contours,
                                                            const graphics::Image& picture,
                                                            const graphics::Rect& imageRect,
                                                            double angleDegrees, double depth);
// The same for the part clipRect of picture (in its own space) drawn into imageRect, as Image::draw
// takes a source rectangle: the outline is intersected with clipRect and clipRect mapped onto
// imageRect. The zero and the null rectangle mean the whole picture; another clip without area gives the
// empty path.
std::shared_ptr<const graphics::Path>
directionalShadowPath(ContourCache& contours, const graphics::Image& picture, const graphics::Rect& imageRect,
                      const graphics::Rect& clipRect, double angleDegrees, double depth);

// Where the bands' paths and the filled pixels of a traced picture's bands are kept.
struct ShadowCaches
{
    ContourCache& contours;
    graphics::FillCache& bandPixels;
};

// Fill the bands above with context's fill colour; the caller sets it, and draws the picture over them.
// The filled pixels of a traced picture's bands are kept too, so drawing them again only blends them.
void drawDirectionalShadow(graphics::GraphicsContext& context, ShadowCaches caches,
                           const graphics::Image& picture, const graphics::Rect& imageRect,
                           double angleDegrees, double depth);
void drawDirectionalShadow(graphics::GraphicsContext& context, ShadowCaches caches,
                           const graphics::Image& picture, const graphics::Rect& imageRect,
                           const graphics::Rect& clipRect, double angleDegrees, double depth);

} // namespace pelorama::model
