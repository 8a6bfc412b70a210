#include "graphics/GraphicsContext.h"

#include "foundation/Diagnostics.h"
#include "foundation/Fatal.h"
#include "graphics/AttributedString.h"
#include "graphics/BitmapImageRep.h"
#include "graphics/CoverageRasterizer.h"
#include "graphics/FillCache.h"
#include "graphics/Gradient.h"
#include "graphics/Image.h"
#include "graphics/ImageLayerCache.h"
#include "graphics/Path.h"
#include "graphics/ShadowRenderer.h"
#include "graphics/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace graphics {
namespace {

// Our bitmaps are 72 dpi, so fonts given in points draw one pixel per point.
constexpr int dotsPerMeter72 = 2835;
// Beyond these the raster engine's coordinates lose precision and the memory (1 GiB) is rarely there.
constexpr int maximumSide = 32767;
constexpr qint64 maximumPixels = qint64(1) << 28;

QPainter::CompositionMode compositionMode(CompositingOperation operation)
{
    return operation == CompositingOperation::copy ? QPainter::CompositionMode_Source
                                                   : QPainter::CompositionMode_SourceOver;
}

QPen penFor(const Path& path, const Color& color)
{
    const StrokeAttributes& attributes = path.strokeAttributes();
    QPen pen(QBrush(color.toQColor()), attributes.lineWidth);
    switch (attributes.lineCap) {
    case LineCap::butt:
        pen.setCapStyle(Qt::FlatCap);
        break;
    case LineCap::round:
        pen.setCapStyle(Qt::RoundCap);
        break;
    case LineCap::square:
        pen.setCapStyle(Qt::SquareCap);
        break;
    }
    switch (attributes.lineJoin) {
    case LineJoin::miter:
        // Bevelled beyond the limit, as the platform does.
        pen.setJoinStyle(Qt::SvgMiterJoin);
        break;
    case LineJoin::round:
        pen.setJoinStyle(Qt::RoundJoin);
        break;
    case LineJoin::bevel:
        pen.setJoinStyle(Qt::BevelJoin);
        break;
    }
    pen.setMiterLimit(attributes.miterLimit);
    return pen;
}

// A shadow's offset kept within 2^26 pixels, more than the widest spread of a blur on either side of the
// largest bitmap, so that every position of the shadow's layer is an int. Only a drawing reaching farther
// than that from the visible area could cast into it from there.
double boundedOffset(double offset)
{
    constexpr double largest = 1 << 26;
    return std::clamp(offset, -largest, largest);
}

bool isFinite(const QRectF& rect)
{
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width()) &&
           std::isfinite(rect.height());
}

// Conservative user-space bounds of the stroke of path.
QRectF strokeBounds(const Path& path)
{
    const StrokeAttributes& attributes = path.strokeAttributes();
    const double reach = std::max(attributes.lineWidth, 1.0) / 2 * std::max(attributes.miterLimit, 1.5);
    return path.toQPainterPath().controlPointRect().adjusted(-reach, -reach, reach, reach);
}

} // namespace

GraphicsContext::GraphicsContext(QImage& bitmap)
    : m_bitmap(bitmap)
{
    if (!m_bitmap.isNull() && m_bitmap.format() != BitmapImageRep::pixelFormat) {
        foundation::fatal(QStringLiteral("GraphicsContext needs a premultiplied RGBA bitmap"));
    }
    State initial;
    initial.clipBounds = QRectF(0, 0, m_bitmap.width(), m_bitmap.height());
    m_states.push_back(initial);
    if (!m_bitmap.isNull()) {
        m_painter.begin(&m_bitmap);
        m_painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                                 QPainter::TextAntialiasing);
        applyTransform();
    }
}

GraphicsContext::~GraphicsContext()
{
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

QImage GraphicsContext::makeBitmap(int pixelsWide, int pixelsHigh)
{
    if (pixelsWide < 1 || pixelsHigh < 1 || pixelsWide > maximumSide || pixelsHigh > maximumSide ||
        qint64(pixelsWide) * pixelsHigh > maximumPixels) {
        return {};
    }
    QImage bitmap(pixelsWide, pixelsHigh, BitmapImageRep::pixelFormat);
    if (bitmap.isNull()) {
        return {};
    }
    bitmap.fill(Qt::transparent);
    bitmap.setDotsPerMeterX(dotsPerMeter72);
    bitmap.setDotsPerMeterY(dotsPerMeter72);
    return bitmap;
}

void GraphicsContext::save()
{
    m_states.push_back(state());
    if (m_painter.isActive()) {
        m_painter.save();
    }
}

void GraphicsContext::restore()
{
    if (m_states.size() < 2) {
        foundation::warning(QStringLiteral("GraphicsContext: restore without a matching save is ignored"));
        return;
    }
    m_states.pop_back();
    if (m_painter.isActive()) {
        m_painter.restore();
    }
}

QTransform GraphicsContext::deviceTransform() const
{
    const QTransform flip(1, 0, 0, -1, 0, m_bitmap.height());
    return state().transform.toQTransform() * flip;
}

void GraphicsContext::applyTransform()
{
    if (m_painter.isActive()) {
        m_painter.setWorldTransform(deviceTransform());
    }
}

void GraphicsContext::concatenate(const AffineTransform& transform)
{
    state().transform = transform.concatenating(state().transform);
    applyTransform();
}

void GraphicsContext::translate(double tx, double ty)
{
    concatenate(AffineTransform::translation(tx, ty));
}

void GraphicsContext::scale(double sx, double sy)
{
    concatenate(AffineTransform::scale(sx, sy));
}

void GraphicsContext::rotate(double radians)
{
    concatenate(AffineTransform::rotation(radians));
}

void GraphicsContext::clipToRect(const Rect& rect)
{
    const Rect standard = rect.standardized();
    if (standard.isNull()) {
        state().clipBounds = QRectF();
    } else {
        state().clipBounds &= deviceTransform().mapRect(standard.toQRectF());
    }
    state().clipped = true;
    if (m_painter.isActive()) {
        m_painter.setClipRect(standard.isNull() ? QRectF() : standard.toQRectF(), Qt::IntersectClip);
    }
}

void GraphicsContext::clipToPath(const Path& path)
{
    const QPainterPath shape = path.toQPainterPath();
    state().clipBounds &= deviceTransform().mapRect(shape.controlPointRect());
    state().clipped = true;
    if (m_painter.isActive()) {
        m_painter.setClipPath(shape, Qt::IntersectClip);
    }
}

Rect GraphicsContext::clipBoundingBox() const
{
    if (state().clipBounds.isEmpty()) {
        return Rect::null();
    }
    return Rect::fromQRectF(deviceTransform().inverted().mapRect(state().clipBounds));
}

void GraphicsContext::draw(const QRectF& bounds, const std::function<void(QPainter&)>& paint,
                           std::optional<CompositingOperation> operation)
{
    if (!m_painter.isActive() || state().clipBounds.isEmpty()) {
        return;
    }
    const CompositingOperation effective = operation.value_or(state().operation);
    if (state().shadow && state().shadow->color.alpha > 0) {
        drawWithShadow(*state().shadow, bounds, paint, effective);
        return;
    }
    paintPlainly(paint, effective);
}

void GraphicsContext::drawWithShadow(const Shadow& shadow, const QRectF& bounds,
                                     const std::function<void(QPainter&)>& paint,
                                     CompositingOperation operation)
{
    // The shadow moves in the y-up device space; the bitmap's rows run down.
    const QPointF offset(boundedOffset(shadow.offset.width), boundedOffset(-shadow.offset.height));
    if (!isFinite(bounds) || !std::isfinite(offset.x()) || !std::isfinite(offset.y())) {
        paintPlainly(paint, operation);
        return;
    }
    const double blurRadius = ShadowRenderer::boundedRadius(shadow.blurRadius);
    const int extent = ShadowRenderer::spread(blurRadius);
    const QRectF visible = state().clipBounds;
    // The shadow that falls on the visible area comes from the drawing within this one.
    const QRectF casting = visible.adjusted(-extent, -extent, extent, extent).translated(-offset);
    // Only drawing within the visible area, or whose shadow can reach it, needs rendering. All of it lies
    // within the offset and the spread of the visible area, so the rectangle fits ints.
    const QRect layerRect = bounds.intersected(visible.united(casting)).toAlignedRect();
    if (layerRect.isEmpty()) {
        return;
    }
    // One layer serves the shadow and the drawing, unless the offset sets them far apart or the blur is too
    // wide to work out at full resolution: then the shadow comes from a layer of its own.
    const qint64 castingArea = qint64(casting.width()) * qint64(casting.height());
    const bool together = ShadowRenderer::reduction(blurRadius) == 1 &&
                          qint64(layerRect.width()) * layerRect.height() <= 2 * castingArea;
    const QRect drawnRect = together ? layerRect : bounds.intersected(visible).toAlignedRect();
    const QImage layer = paintedLayer(drawnRect, 1, paint);
    if (together && layer.isNull()) {
        return;
    }
    if (together) {
        const QPointF shadowOrigin(layerRect.x() - extent + offset.x(), layerRect.y() - extent + offset.y());
        composeWithShadow(layer, layerRect.topLeft(), ShadowRenderer::blur(layer, blurRadius), shadowOrigin,
                          shadow.color, paint, operation);
        return;
    }
    // The casting drawing reduced for a wide blur: device pixel p falls on its pixel p / factor - origin.
    const int factor = ShadowRenderer::reduction(blurRadius);
    const QRectF castingDrawing = bounds.intersected(casting);
    const QRect reduced =
        QRectF(castingDrawing.topLeft() / factor, castingDrawing.size() / factor).toAlignedRect();
    const QImage castingLayer = castingDrawing.isEmpty() ? QImage() : paintedLayer(reduced, factor, paint);
    // Where the casting layer's top-left corner casts its shadow, in device pixels.
    const QPointF castOrigin = QPointF(reduced.topLeft()) * factor + offset;
    const ShadowRenderer::Mask mask =
        castingLayer.isNull() ? ShadowRenderer::Mask()
                              : ShadowRenderer::blurReduced(castingLayer, factor, blurRadius,
                                                            visible.translated(-castOrigin).toAlignedRect());
    composeWithShadow(layer, drawnRect.topLeft(), mask, castOrigin, shadow.color, paint, operation);
}

QImage GraphicsContext::paintedLayer(const QRect& area, int factor,
                                     const std::function<void(QPainter&)>& paint) const
{
    if (area.isEmpty()) {
        return {};
    }
    QImage layer(area.size(), BitmapImageRep::pixelFormat);
    if (layer.isNull()) {
        return layer;
    }
    layer.fill(Qt::transparent);
    QPainter layerPainter(&layer);
    layerPainter.setRenderHints(m_painter.renderHints());
    layerPainter.setWorldTransform(deviceTransform() * QTransform::fromScale(1.0 / factor, 1.0 / factor) *
                                   QTransform::fromTranslate(-area.x(), -area.y()));
    paint(layerPainter);
    return layer;
}

void GraphicsContext::composeWithShadow(const QImage& layer, QPoint layerOrigin,
                                        const ShadowRenderer::Mask& mask, QPointF maskOrigin,
                                        const Color& color, const std::function<void(QPainter&)>& paint,
                                        CompositingOperation operation)
{
    if (operation == CompositingOperation::sourceOver && !state().clipped) {
        // Blending the shadow and the layer in one pass over the bitmap, on every core, gives the pixels
        // the painter gives below in a fraction of the time. The painter puts an image drawn at a point
        // on the nearest pixel; the shadow goes where it would.
        ShadowRenderer::drawLayerWithShadow(m_bitmap, layer, layerOrigin, mask,
                                            QPoint(qRound(maskOrigin.x()), qRound(maskOrigin.y())), color);
        return;
    }
    m_painter.save();
    m_painter.resetTransform();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!mask.area.isEmpty()) {
        m_painter.drawImage(maskOrigin + QPointF(mask.area.topLeft()), ShadowRenderer::tinted(mask, color));
    }
    if (operation == CompositingOperation::sourceOver) {
        if (!layer.isNull()) {
            m_painter.drawImage(QPointF(layerOrigin), layer);
        }
        m_painter.restore();
        return;
    }
    m_painter.restore();
    paintPlainly(paint, operation);
}

void GraphicsContext::paintPlainly(const std::function<void(QPainter&)>& paint,
                                   CompositingOperation operation)
{
    m_painter.save();
    m_painter.setCompositionMode(compositionMode(operation));
    paint(m_painter);
    m_painter.restore();
}

void GraphicsContext::fillRect(const Rect& rect)
{
    const Rect standard = rect.standardized();
    if (standard.isEmpty()) {
        return;
    }
    const QRectF area = standard.toQRectF();
    const QColor color = state().fillColor.toQColor();
    draw(deviceTransform().mapRect(area).adjusted(-1, -1, 1, 1),
         [&](QPainter& painter) { painter.fillRect(area, color); });
}

void GraphicsContext::fillPath(const Path& path)
{
    if (path.isEmpty()) {
        return;
    }
    const QPainterPath shape = path.toQPainterPath();
    const QBrush brush(state().fillColor.toQColor());
    draw(deviceTransform().mapRect(shape.controlPointRect()).adjusted(-1, -1, 1, 1),
         [&](QPainter& painter) { painter.fillPath(shape, brush); });
}

void GraphicsContext::fillPath(const std::shared_ptr<const Path>& path, FillCache& cache)
{
    if (!path || path->isEmpty()) {
        return;
    }
    const bool shadowed = state().shadow && state().shadow->color.alpha > 0;
    if (!m_painter.isActive() || state().clipped || shadowed ||
        state().operation != CompositingOperation::sourceOver) {
        fillPath(*path);
        return;
    }
    const QTransform transform = deviceTransform();
    const QPainterPath shape = path->toQPainterPath();
    // Clipped to the bitmap before it becomes ints: bands reach far beyond it.
    const QRectF reach = QRectF(m_bitmap.rect()).adjusted(-2, -2, 2, 2);
    const QRectF bounds = transform.mapRect(shape.controlPointRect());
    if (!isFinite(bounds)) {
        fillPath(*path);
        return;
    }
    const QRect area = bounds.intersected(reach).toAlignedRect().adjusted(-1, -1, 1, 1) & m_bitmap.rect();
    if (area.isEmpty()) {
        return;
    }
    const Color colour = state().fillColor;
    const bool forScreen = isDrawingForScreen();
    QImage layer = cache.find(path, colour, transform, area, forScreen);
    if (layer.isNull()) {
        if (forScreen) {
            layer = CoverageRasterizer::fill(shape, path->windingRule(), transform, area, colour);
        } else {
            layer = makeBitmap(area.width(), area.height());
            if (!layer.isNull()) {
                // Moved by whole pixels only, so every pixel's coverage is the one filling in place gives.
                QPainter layerPainter(&layer);
                layerPainter.setRenderHints(m_painter.renderHints());
                layerPainter.setWorldTransform(transform * QTransform::fromTranslate(-area.x(), -area.y()));
                layerPainter.fillPath(shape, QBrush(colour.toQColor()));
            }
        }
        if (layer.isNull()) {
            fillPath(*path);
            return;
        }
        cache.insert(path, colour, transform, area, layer, forScreen);
    }
    blendLayer(area, layer);
}

void GraphicsContext::blendLayer(const QRect& area, const QImage& layer)
{
    m_painter.save();
    m_painter.resetTransform();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.drawImage(area.topLeft(), layer);
    m_painter.restore();
}

void GraphicsContext::strokePath(const Path& path)
{
    if (path.isEmpty()) {
        return;
    }
    const QPainterPath shape = path.toQPainterPath();
    const QPen pen = penFor(path, state().strokeColor);
    draw(deviceTransform().mapRect(strokeBounds(path)).adjusted(-1, -1, 1, 1),
         [&](QPainter& painter) { painter.strokePath(shape, pen); });
}

void GraphicsContext::strokeRect(const Rect& rect, double lineWidth)
{
    Path path = Path::rect(rect);
    path.setLineWidth(lineWidth);
    strokePath(path);
}

void GraphicsContext::drawGradient(const Gradient& gradient, const Path& path, double angleDegrees)
{
    if (path.isEmpty()) {
        return;
    }
    const QPainterPath shape = path.toQPainterPath();
    const auto [start, end] = Gradient::endPoints(path.bounds(), angleDegrees);
    const QBrush brush(gradient.toQGradient(start, end));
    draw(deviceTransform().mapRect(shape.controlPointRect()).adjusted(-1, -1, 1, 1),
         [&](QPainter& painter) { painter.fillPath(shape, brush); });
}

void GraphicsContext::drawGradient(const Gradient& gradient, const Rect& rect, double angleDegrees)
{
    drawGradient(gradient, Path::rect(rect), angleDegrees);
}

void GraphicsContext::drawImage(const Image& image, const Rect& destination, const Rect& source,
                                CompositingOperation operation, double fraction)
{
    const Rect target = destination.standardized();
    const Size imageSize = image.size();
    if (target.isEmpty() || !(imageSize.width > 0 && imageSize.height > 0) || !(fraction > 0)) {
        return;
    }
    const QRectF deviceTarget = deviceTransform().mapRect(target.toQRectF());
    const BitmapImageRep* rep = image.bestRepresentation(deviceTarget.width(), deviceTarget.height());
    if (!rep || rep->bitmap().isNull()) {
        return;
    }
    QRectF pixelSource(0, 0, rep->pixelsWide(), rep->pixelsHigh());
    if (source != Rect::zero()) {
        const Rect part = source.standardized();
        if (part.isEmpty()) {
            return;
        }
        const double sx = rep->pixelsWide() / imageSize.width;
        const double sy = rep->pixelsHigh() / imageSize.height;
        // The image's space is y-up; its bitmap's rows run down.
        pixelSource = QRectF(part.minX() * sx, (imageSize.height - part.maxY()) * sy, part.width() * sx,
                             part.height() * sy);
    }
    const double opacity = std::min(fraction, 1.0);
    const QImage& pixels = rep->bitmap();
    const bool shadowed = state().shadow && state().shadow->color.alpha > 0;
    if (m_screenImages && m_painter.isActive() && !state().clipped && !shadowed && opacity >= 1 &&
        operation == CompositingOperation::sourceOver) {
        drawImageLayer(pixels, target.toQRectF(), pixelSource, deviceTarget);
        return;
    }
    draw(
        deviceTarget.adjusted(-1, -1, 1, 1),
        [&](QPainter& painter) {
            painter.translate(target.minX(), target.maxY());
            painter.scale(1, -1);
            const QRectF area(0, 0, target.width(), target.height());
            if (operation == CompositingOperation::copy && opacity < 1) {
                // Copying a faded picture leaves the faded picture, not a blend with what was there.
                painter.setCompositionMode(QPainter::CompositionMode_Clear);
                painter.fillRect(area, Qt::transparent);
                painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            }
            painter.setOpacity(opacity);
            painter.drawImage(area, pixels, pixelSource);
        },
        operation);
}

void GraphicsContext::drawImageLayer(const QImage& pixels, const QRectF& target, const QRectF& source,
                                     const QRectF& deviceTarget)
{
    const QRect area = deviceTarget.toAlignedRect().adjusted(-1, -1, 1, 1) & m_bitmap.rect();
    if (area.isEmpty())
        return;
    const QTransform transform = deviceTransform();
    QImage layer = m_screenImages->find(pixels, source, target, transform, area);
    if (layer.isNull()) {
        layer = makeBitmap(area.width(), area.height());
        if (layer.isNull())
            return;
        // Drawn as drawImage draws in place, moved by whole pixels.
        QPainter layerPainter(&layer);
        layerPainter.setRenderHints(m_painter.renderHints());
        layerPainter.setWorldTransform(transform * QTransform::fromTranslate(-area.x(), -area.y()));
        layerPainter.translate(target.left(), target.bottom());
        layerPainter.scale(1, -1);
        layerPainter.drawImage(QRectF(0, 0, target.width(), target.height()), pixels, source);
        layerPainter.end();
        m_screenImages->insert(pixels, source, target, transform, area, layer);
    }
    blendLayer(area, layer);
}

void GraphicsContext::drawText(const AttributedString& text, const Rect& rect)
{
    if (text.isEmpty() || rect.isNull()) {
        return;
    }
    drawText(TextLayout(text, rect.standardized().width()), rect);
}

void GraphicsContext::drawText(const TextLayout& layout, const Rect& rect)
{
    if (layout.lineCount() == 0 || rect.isNull()) {
        return;
    }
    const Rect box = rect.standardized();
    // Glyphs may reach beyond their line boxes (italics, swashes).
    const double overhang = layout.largestFontSize() / 2 + 2;
    const QRectF userBounds(box.minX() - overhang, box.maxY() - layout.height() - overhang,
                            std::max(box.width(), layout.usedWidth()) + 2 * overhang,
                            layout.height() + 2 * overhang);
    draw(deviceTransform().mapRect(userBounds), [&](QPainter& painter) {
        painter.translate(box.minX(), box.maxY());
        painter.scale(1, -1);
        layout.draw(painter);
    });
}

} // namespace graphics
