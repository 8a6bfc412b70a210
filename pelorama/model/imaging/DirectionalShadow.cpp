#include "model/imaging/DirectionalShadow.h"

#include "geometry/PathBoolean.h"
#include "graphics/FillCache.h"
#include "model/imaging/ChangContourDetector.h"
#include "model/imaging/ContourCache.h"
#include "model/imaging/FlatShadowCaster.h"
#include "model/imaging/OutlineOrientation.h"

#include <cmath>

namespace pelorama::model {

namespace {

using PathPointer = std::shared_ptr<const graphics::Path>;

const PathPointer& emptyPath()
{
    static const PathPointer empty = std::make_shared<const graphics::Path>();
    return empty;
}

bool hasArea(const graphics::Size& size)
{
    return size.width > 0 && size.height > 0 && std::isfinite(size.width) && std::isfinite(size.height);
}

bool hasArea(const graphics::Rect& rect)
{
    return hasArea(rect.size) && std::isfinite(rect.origin.x) && std::isfinite(rect.origin.y);
}

// The bitmap whose pixels are traced: the first one, when it has 32 bits per pixel.
const graphics::BitmapImageRep* tracedBitmap(const graphics::Image& picture)
{
    if (picture.representations().empty())
        return nullptr;
    const graphics::BitmapImageRep& first = picture.representations().front();
    return first.bitsPerPixel() == 32 && !first.bitmap().isNull() ? &first : nullptr;
}

// Clockwise like traced outlines, so the caster picks the edges facing the light's far side.
graphics::Path clockwiseRect(const graphics::Size& size)
{
    graphics::Path path;
    path.moveTo({size.width, size.height});
    path.lineTo({size.width, 0});
    path.lineTo({0, 0});
    path.lineTo({0, size.height});
    path.closeSubpath();
    return path;
}

// Maps from onto to: the scaling by the ratio of their sizes after moving from's origin to to's.
graphics::AffineTransform mapping(const graphics::Rect& from, const graphics::Rect& to)
{
    const double sx = to.size.width / from.size.width;
    const double sy = to.size.height / from.size.height;
    return {sx, 0, 0, sy, to.origin.x - from.origin.x * sx, to.origin.y - from.origin.y * sy};
}

ContourCache::Key key(ContourCache::Kind kind, const graphics::Size& size,
                      const graphics::Rect& clip = graphics::Rect::zero(),
                      const graphics::Rect& placement = graphics::Rect::zero(), double angle = 0,
                      double depth = 0)
{
    return {kind,
            {size.width, size.height, clip.origin.x, clip.origin.y, clip.size.width, clip.size.height,
             placement.origin.x, placement.origin.y, placement.size.width, placement.size.height, angle,
             depth}};
}

PathPointer tracedContours(ContourCache& contours, const graphics::BitmapImageRep& bitmap)
{
    return contours.path(bitmap, key(ContourCache::Kind::traced, {}),
                         [&] { return ChangContourDetector::detectContours(bitmap); });
}

// The outline of the part clip of picture, in picture space, running as the traced outline does.
graphics::Path clippedTo(ContourCache& contours, const graphics::Image& picture,
                         const graphics::Rect& clipRect)
{
    return orientedLikeTracedContours(
        geometry::intersectingWith(*extractContours(contours, picture), graphics::Path::rect(clipRect)));
}

PathPointer clippedOutline(ContourCache& contours, const graphics::Image& picture,
                           const graphics::BitmapImageRep& bitmap, const graphics::Rect& clipRect)
{
    return contours.path(bitmap, key(ContourCache::Kind::clipped, picture.size(), clipRect),
                         [&] { return clippedTo(contours, picture, clipRect); });
}

bool meansWholePicture(const graphics::Rect& clip)
{
    return clip.isNull() || clip == graphics::Rect::zero();
}

} // namespace

PathPointer extractContours(ContourCache& contours, const graphics::Image& picture)
{
    const graphics::Size size = picture.size();
    if (!hasArea(size))
        return emptyPath();
    const graphics::BitmapImageRep* bitmap = tracedBitmap(picture);
    if (!bitmap)
        return contours.path(key(ContourCache::Kind::outline, size), [&] { return clockwiseRect(size); });
    return contours.path(*bitmap, key(ContourCache::Kind::outline, size), [&] {
        // Traced in pixels; the picture's space has the units of its size.
        return tracedContours(contours, *bitmap)
            ->transformed(graphics::AffineTransform::scale(size.width / bitmap->pixelsWide(),
                                                           size.height / bitmap->pixelsHigh()));
    });
}

PathPointer directionalShadowPath(ContourCache& contours, const graphics::Image& picture,
                                  const graphics::Rect& imageRect, double angleDegrees, double depth)
{
    return directionalShadowPath(contours, picture, imageRect, graphics::Rect::zero(), angleDegrees, depth);
}

PathPointer directionalShadowPath(ContourCache& contours, const graphics::Image& picture,
                                  const graphics::Rect& imageRect, const graphics::Rect& clipRect,
                                  double angleDegrees, double depth)
{
    const graphics::Rect placement = imageRect.standardized();
    const bool whole = meansWholePicture(clipRect);
    const graphics::Rect shown =
        whole ? graphics::Rect(graphics::Point{}, picture.size()) : clipRect.standardized();
    if (!hasArea(placement) || !hasArea(picture.size()) || !hasArea(shown) || !std::isfinite(angleDegrees) ||
        !std::isfinite(depth))
        return emptyPath();

    // The shown part of the outline mapped onto the placement, and the bands it casts there.
    const auto cast = [&](const graphics::Path& outline) {
        return FlatShadowCaster::shadowPath(outline.transformed(mapping(shown, placement)), angleDegrees,
                                            depth);
    };
    const graphics::BitmapImageRep* bitmap = tracedBitmap(picture);
    const ContourCache::Key bandsKey =
        key(ContourCache::Kind::bands, picture.size(), whole ? graphics::Rect::zero() : shown, placement,
            angleDegrees, depth);
    // Without a bitmap the outline is the picture's bounds, so the bands depend on the numbers alone.
    if (!bitmap)
        return contours.path(bandsKey, [&] {
            return cast(whole ? *extractContours(contours, picture) : clippedTo(contours, picture, shown));
        });
    return contours.path(*bitmap, bandsKey, [&] {
        return cast(whole ? *extractContours(contours, picture)
                          : *clippedOutline(contours, picture, *bitmap, shown));
    });
}

void drawDirectionalShadow(graphics::GraphicsContext& context, ShadowCaches caches,
                           const graphics::Image& picture, const graphics::Rect& imageRect,
                           double angleDegrees, double depth)
{
    drawDirectionalShadow(context, caches, picture, imageRect, graphics::Rect::zero(), angleDegrees, depth);
}

void drawDirectionalShadow(graphics::GraphicsContext& context, ShadowCaches caches,
                           const graphics::Image& picture, const graphics::Rect& imageRect,
                           const graphics::Rect& clipRect, double angleDegrees, double depth)
{
    const PathPointer bands =
        directionalShadowPath(caches.contours, picture, imageRect, clipRect, angleDegrees, depth);
    if (bands->isEmpty())
        return;
    // A traced picture's bands come from the contour cache, the same object each render: their pixels are
    // kept too, as filling bands that reach across the canvas costs more than the rest of a render.
    if (tracedBitmap(picture))
        context.fillPath(bands, caches.bandPixels);
    else
        context.fillPath(*bands);
}

} // namespace pelorama::model
