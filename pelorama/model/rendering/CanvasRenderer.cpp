#include "model/rendering/CanvasRenderer.h"

#include "graphics/BitmapImageRep.h"
#include "graphics/GraphicsContext.h"
#include "model/rendering/AspectFit.h"
#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/SnapshotDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace pelorama::model {

namespace {

struct OutputSize
{
    graphics::Size fitted;
    graphics::Size target;
};

// Exports of these fitted sizes come out at the canvas size of a built-in template.
constexpr std::array<OutputSize, 4> outputSizes{{
    {{2880, 1880}, {2880, 1800}},
    {{1536, 2048}, {2048, 2732}},
    {{2048, 1536}, {2732, 2048}},
    {{750, 1334}, {1242, 2208}},
}};

// Whole pixels for a length in points times scale, truncated; none when that is no usable bitmap side.
std::optional<int> pixelLength(double points, double scale)
{
    const double pixels = std::trunc(points * scale);
    if (!std::isfinite(pixels) || pixels < 1 || pixels > 32767)
        return std::nullopt;
    return static_cast<int>(pixels);
}

// A transparent image of size points and the given pixels; no representation when there is no bitmap.
std::optional<QImage> makeBitmap(graphics::Size size, double scale)
{
    const std::optional<int> width = pixelLength(size.width, scale);
    const std::optional<int> height = pixelLength(size.height, scale);
    if (!width || !height)
        return std::nullopt;
    QImage bitmap = graphics::GraphicsContext::makeBitmap(*width, *height);
    if (bitmap.isNull())
        return std::nullopt;
    return bitmap;
}

graphics::Image stretched(const graphics::Image& image, graphics::Size target)
{
    std::optional<QImage> bitmap = makeBitmap(target, 1);
    if (!bitmap)
        return graphics::Image(target);
    {
        graphics::GraphicsContext context(*bitmap);
        context.drawImage(image, graphics::Rect({0, 0}, target), graphics::Rect({0, 0}, image.size()));
    }
    graphics::Image result(target);
    result.addRepresentation(graphics::BitmapImageRep(*bitmap));
    return result;
}

graphics::Image finished(const QImage& bitmap, graphics::Size fitted, CanvasRenderingMode mode)
{
    graphics::Image image(fitted);
    image.addRepresentation(graphics::BitmapImageRep(bitmap));
    if (mode != CanvasRenderingMode::exportImage)
        return image;
    for (const OutputSize& output : outputSizes) {
        if (fitted == output.fitted)
            return stretched(image, output.target);
    }
    return image;
}

graphics::Size fittedSize(const DetachedCanvas& canvas, graphics::Size boxSize)
{
    return aspectFit(canvas.size(), graphics::Rect({0, 0}, boxSize)).size;
}

// How many drawables every canvas begins with alike; none unless the canvases are of one size.
std::size_t sharedDrawables(const std::vector<DetachedCanvas>& canvases)
{
    if (canvases.empty())
        return 0;
    const DetachedCanvas& first = canvases.front();
    std::size_t shared = first.drawables().size();
    for (const DetachedCanvas& canvas : canvases) {
        if (canvas.size() != first.size())
            return 0;
        const auto differs =
            std::mismatch(first.drawables().begin(), first.drawables().begin() + std::ptrdiff_t(shared),
                          canvas.drawables().begin(), canvas.drawables().end())
                .first;
        shared = std::size_t(differs - first.drawables().begin());
    }
    return shared;
}

} // namespace

CanvasRenderer::CanvasRenderer()
    : CanvasRenderer(RenderResources::shared())
{}

CanvasRenderer::CanvasRenderer(RenderResources& resources)
    : m_resources(resources)
{}

void CanvasRenderer::draw(const DetachedCanvas& canvas, std::size_t first, std::size_t last,
                          CanvasRenderingMode mode, QImage& bitmap, double k)
{
    graphics::GraphicsContext context(bitmap);
    if (mode == CanvasRenderingMode::canvasView)
        context.setDrawingForScreen(m_resources.canvasViewImages());
    const graphics::AffineTransform transform = graphics::AffineTransform::scale(k, k);
    context.save();
    context.concatenate(transform);
    const CanvasRenderingContext renderingContext{context, m_resources, transform, k, mode, canvas.size()};
    for (std::size_t index = first; index < last; ++index) {
        std::visit(
            [&](const auto& snapshot) {
                if constexpr (std::is_same_v<std::decay_t<decltype(snapshot)>, CaptionSnapshot>)
                    m_captions.draw(snapshot, renderingContext);
                else
                    model::draw(snapshot, renderingContext);
            },
            canvas.drawables()[index]);
    }
    context.restore();
}

graphics::Image CanvasRenderer::render(const DetachedCanvas& canvas, CanvasRenderingMode mode,
                                       graphics::Size boxSize, double scale)
{
    const graphics::Size fitted = fittedSize(canvas, boxSize);
    std::optional<QImage> bitmap = makeBitmap(fitted, scale);
    if (!bitmap)
        return graphics::Image(fitted);
    draw(canvas, 0, canvas.drawables().size(), mode, *bitmap, fitted.width / canvas.size().width * scale);
    return finished(*bitmap, fitted, mode);
}

void CanvasRenderer::renderEach(const std::vector<DetachedCanvas>& canvases, CanvasRenderingMode mode,
                                graphics::Size boxSize, double scale,
                                const std::function<void(std::size_t, graphics::Image)>& each)
{
    const std::size_t shared = canvases.size() > 1 ? sharedDrawables(canvases) : 0;
    if (shared == 0) {
        for (std::size_t index = 0; index < canvases.size(); ++index)
            each(index, render(canvases[index], mode, boxSize, scale));
        return;
    }
    const DetachedCanvas& first = canvases.front();
    const graphics::Size fitted = fittedSize(first, boxSize);
    std::optional<QImage> start = makeBitmap(fitted, scale);
    if (!start) {
        for (std::size_t index = 0; index < canvases.size(); ++index)
            each(index, graphics::Image(fitted));
        return;
    }
    const double k = fitted.width / first.size().width * scale;
    draw(first, 0, shared, mode, *start, k);
    for (std::size_t index = 0; index < canvases.size(); ++index) {
        QImage bitmap = index + 1 < canvases.size() ? start->copy() : std::move(*start);
        draw(canvases[index], shared, canvases[index].drawables().size(), mode, bitmap, k);
        each(index, finished(bitmap, fitted, mode));
    }
}

} // namespace pelorama::model
