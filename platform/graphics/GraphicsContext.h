#pragma once

#include "graphics/AffineTransform.h"
#include "graphics/Color.h"
#include "graphics/CompositingOperation.h"
#include "graphics/Rect.h"
#include "graphics/Shadow.h"
#include "graphics/ShadowRenderer.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace graphics {

class AttributedString;
class FillCache;
class Gradient;
class Image;
class ImageLayerCache;
class Path;
class TextLayout;

// Draws into a bitmap in a y-up space: the origin is the bitmap's bottom-left corner and one unit is one
// pixel until the transform changes it. The state (fill and stroke colour, transform, clip, compositing
// operation and shadow) is kept on a stack by save() and restore(). A shadow applies to every drawing
// call made while it is set, in device pixels, composited beneath the drawing.
//
// The bitmap is premultiplied 8-bit RGBA (BitmapImageRep's pixel format); it must outlive the context and
// must not be copied while the context exists. A context belongs to one thread at a time.
class GraphicsContext
{
public:
    explicit GraphicsContext(QImage& bitmap);
    ~GraphicsContext();
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    // A transparent bitmap in the context's pixel format; a null image when a dimension is below one or
    // above 32767, or the bitmap would hold more than 2^28 pixels.
    static QImage makeBitmap(int pixelsWide, int pixelsHigh);

    // Raw access for rasterizers that write pixels themselves; rows run from the top of the image down.
    uchar* data() { return m_bitmap.bits(); }
    const uchar* data() const { return m_bitmap.constBits(); }
    int width() const { return m_bitmap.width(); }
    int height() const { return m_bitmap.height(); }
    qsizetype bytesPerRow() const { return m_bitmap.bytesPerLine(); }

    // Drawing for a view on the screen, where speed counts more than the last level of an edge pixel:
    // fillPath(path, cache) fills with a rasterizer whose edge coverage may differ from exact filling by
    // a level or two, and bitmaps drawn scaled or turned without a clip or shadow keep their resampled
    // pixels in images. Never for pixels that must match an export or a preview.
    void setDrawingForScreen(ImageLayerCache& images) { m_screenImages = &images; }
    bool isDrawingForScreen() const { return m_screenImages != nullptr; }

    void save();
    // Returns to the state of the matching save(); without one it warns and changes nothing.
    void restore();

    Color fillColor() const { return state().fillColor; }
    void setFillColor(const Color& color) { state().fillColor = color; }
    Color strokeColor() const { return state().strokeColor; }
    void setStrokeColor(const Color& color) { state().strokeColor = color; }
    CompositingOperation compositingOperation() const { return state().operation; }
    void setCompositingOperation(CompositingOperation operation) { state().operation = operation; }
    const std::optional<Shadow>& shadow() const { return state().shadow; }
    void setShadow(const std::optional<Shadow>& shadow) { state().shadow = shadow; }

    // From user space to the bitmap's y-up pixel space.
    AffineTransform transform() const { return state().transform; }
    // Applies transform before the current one (in user space), as the platform's concatenation does.
    void concatenate(const AffineTransform& transform);
    void translate(double tx, double ty);
    void scale(double sx, double sy);
    void rotate(double radians);

    // Narrows the clip to the rect or the path's inside (by its winding rule).
    void clipToRect(const Rect& rect);
    void clipToPath(const Path& path);
    // The bounds of the clip in user space.
    Rect clipBoundingBox() const;

    void fillRect(const Rect& rect);
    void fillPath(const Path& path);
    // The same, with the filled pixels kept in cache: filling the same path object again in the same
    // colour under the same transform only blends them. Without a clip, with source-over compositing and
    // without a shadow, which is how large unchanging shapes such as shadow bands are drawn; otherwise
    // it fills as above.
    void fillPath(const std::shared_ptr<const Path>& path, FillCache& cache);
    // Strokes with the path's own stroke attributes in the stroke colour.
    void strokePath(const Path& path);
    void strokeRect(const Rect& rect, double lineWidth = 1);
    // Fills the path with the gradient drawn along angleDegrees across the path's bounds.
    void drawGradient(const Gradient& gradient, const Path& path, double angleDegrees);
    void drawGradient(const Gradient& gradient, const Rect& rect, double angleDegrees);
    // Draws the part source of image (image space, zero rectangle = all of it) into destination, upright.
    void drawImage(const Image& image, const Rect& destination, const Rect& source = Rect::zero(),
                   CompositingOperation operation = CompositingOperation::sourceOver, double fraction = 1);
    // Draws text laid out at rect's width with its first line at rect's top edge, upright.
    void drawText(const AttributedString& text, const Rect& rect);
    // Draws text already laid out (at rect's width, for the lines to fill it as they should) with its
    // first line at rect's top edge, upright.
    void drawText(const TextLayout& layout, const Rect& rect);

private:
    struct State
    {
        Color fillColor{0, 0, 0, 1};
        Color strokeColor{0, 0, 0, 1};
        AffineTransform transform;
        CompositingOperation operation = CompositingOperation::sourceOver;
        std::optional<Shadow> shadow;
        // The clip's bounds in the bitmap's pixel rows (y down).
        QRectF clipBounds;
        // Whether a clip was set: shadows then go through the painter, which clips.
        bool clipped = false;
    };

    State& state() { return m_states.back(); }
    const State& state() const { return m_states.back(); }
    // User space to the bitmap's pixel rows (y down), as QPainter addresses them.
    QTransform deviceTransform() const;
    void applyTransform();
    // Runs paint with the painter set to user space, under the shadow when one is set. bounds are the
    // device-space (y down) bounds of what paint draws, used to keep the shadow work small.
    void draw(const QRectF& bounds, const std::function<void(QPainter&)>& paint,
              std::optional<CompositingOperation> operation = std::nullopt);
    void drawWithShadow(const Shadow& shadow, const QRectF& bounds,
                        const std::function<void(QPainter&)>& paint, CompositingOperation operation);
    // What paint draws within area (device pixels, reduced by factor) on a clear layer of that size; a null
    // image when area is empty or too large.
    QImage paintedLayer(const QRect& area, int factor, const std::function<void(QPainter&)>& paint) const;
    // The shadow mask tinted with color at maskOrigin, then layer at layerOrigin over it (or, for other
    // operations than source-over, paint again with the operation).
    void composeWithShadow(const QImage& layer, QPoint layerOrigin, const ShadowRenderer::Mask& mask,
                           QPointF maskOrigin, const Color& color,
                           const std::function<void(QPainter&)>& paint, CompositingOperation operation);
    void paintPlainly(const std::function<void(QPainter&)>& paint, CompositingOperation operation);

    // drawImage for the screen: the resampled pixels of source of pixels drawn into target come from the
    // screen's image layers, or are made and kept there.
    void drawImageLayer(const QImage& pixels, const QRectF& target, const QRectF& source,
                        const QRectF& deviceTarget);
    // Blends layer, whose top-left pixel goes to area's, over the bitmap.
    void blendLayer(const QRect& area, const QImage& layer);

    QImage& m_bitmap;
    QPainter m_painter;
    ImageLayerCache* m_screenImages = nullptr;
    std::vector<State> m_states;
};

} // namespace graphics
