#include "model/rendering/ExportPicture.h"

#include "graphics/PngWriter.h"
#include "model/rendering/CanvasRenderer.h"
#include "model/rendering/DetachedCanvas.h"

#include <algorithm>

namespace pelorama::model::ExportPicture {

namespace {

QImage pixels(const graphics::Image& image)
{
    return image.representations().empty() ? QImage() : image.representations().front().bitmap();
}

// The pixels of each canvas, handed over in turn; canvases of one size share a renderer, which draws
// what they begin with alike once.
void renderEach(const std::vector<DetachedCanvas>& canvases,
                const std::function<void(std::size_t, const QImage&)>& each)
{
    const bool oneSize = std::all_of(canvases.begin(), canvases.end(), [&](const DetachedCanvas& canvas) {
        return canvas.size() == canvases.front().size();
    });
    if (!oneSize) {
        for (std::size_t index = 0; index < canvases.size(); ++index)
            each(index, render(canvases[index]));
        return;
    }
    if (canvases.empty())
        return;
    CanvasRenderer renderer;
    renderer.renderEach(canvases, CanvasRenderingMode::exportImage, canvases.front().size(), 1,
                        [&](std::size_t index, const graphics::Image& image) { each(index, pixels(image)); });
}

} // namespace

QImage render(const DetachedCanvas& canvas)
{
    return pixels(canvas.render(CanvasRenderingMode::exportImage, canvas.size(), 1));
}

void encodeEach(const std::vector<DetachedCanvas>& canvases,
                const std::function<void(std::size_t, const QByteArray&)>& each)
{
    graphics::PngStrips kept;
    renderEach(canvases, [&](std::size_t index, const QImage& picture) {
        each(index, picture.isNull() ? QByteArray() : graphics::PngWriter::encode(picture, kept));
    });
}

} // namespace pelorama::model::ExportPicture
