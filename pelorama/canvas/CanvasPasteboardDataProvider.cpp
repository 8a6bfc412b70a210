#include "canvas/CanvasPasteboardDataProvider.h"

#include "foundation/Diagnostics.h"
#include "graphics/PngWriter.h"
#include "model/CanvasRenderingMode.h"
#include "model/Drawable.h"
#include "store/ManagedObject.h"

namespace pelorama::canvas {

namespace {

const QString pngType = QStringLiteral("image/png");

// The canvas's drawables with each entity among them replaced by a detached copy, kept in copies.
model::Canvas copied(const model::Canvas& canvas, std::vector<std::unique_ptr<store::ManagedObject>>& copies)
{
    std::vector<model::Drawable*> drawables;
    for (model::Drawable* drawable : canvas.drawables()) {
        const auto* object = dynamic_cast<const store::ManagedObject*>(drawable);
        if (!object) {
            drawables.push_back(drawable);
            continue;
        }
        copies.push_back(object->detachedCopy());
        if (auto* copy = dynamic_cast<model::Drawable*>(copies.back().get()))
            drawables.push_back(copy);
    }
    return model::Canvas(canvas.size(), std::move(drawables));
}

} // namespace

CanvasPasteboardDataProvider::CanvasPasteboardDataProvider(const model::Canvas& canvas)
    : m_canvas(copied(canvas, m_copies))
{}

CanvasPasteboardDataProvider::~CanvasPasteboardDataProvider() = default;

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
