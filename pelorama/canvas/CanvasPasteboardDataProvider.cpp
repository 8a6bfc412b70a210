#include "canvas/CanvasPasteboardDataProvider.h"

#include "foundation/Diagnostics.h"
#include "graphics/PngWriter.h"
#include "model/rendering/CanvasRenderingMode.h"

namespace pelorama::canvas {

namespace {

const QString pngType = QStringLiteral("image/png");

} // namespace

CanvasPasteboardDataProvider::CanvasPasteboardDataProvider(const model::Canvas& canvas,
                                                           const QString& language)
    : m_canvas(canvas, language)
{}

QStringList CanvasPasteboardDataProvider::formats() const
{
    return {pngType};
}

bool CanvasPasteboardDataProvider::hasFormat(const QString& mimeType) const
{
    return mimeType == pngType;
}

QVariant CanvasPasteboardDataProvider::retrieveData(const QString& mimeType, QMetaType) const
{
    if (mimeType != pngType)
        return {};
    const graphics::Image image =
        m_canvas.render(model::CanvasRenderingMode::exportImage, m_canvas.size(), 1.0);
    QByteArray png;
    if (!image.representations().empty())
        png = graphics::PngWriter::encode(image.representations().front().bitmap());
    if (png.isEmpty()) {
        foundation::warning(QStringLiteral("PNG representation not available"));
        return {};
    }
    return png;
}

} // namespace pelorama::canvas
