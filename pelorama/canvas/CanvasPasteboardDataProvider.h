#pragma once

#include "model/Canvas.h"

#include <QMimeData>
#include <QStringList>
#include <memory>
#include <vector>

namespace store {
class ManagedObject;
} // namespace store

namespace pelorama::canvas {

// The shared canvas image on the clipboard: PNG bytes under "image/png", made only when a consumer asks
// for them. Each request renders the canvas anew at its own size and scale 1 (one pixel per canvas point,
// in export mode).
//
// The item draws copies of the canvas's entity drawables as they were when it was made, which it owns,
// so it keeps its picture for as long as the clipboard holds it: after the document was edited further,
// and after it was closed. Drawables that are no entities are drawn themselves, while they live.
//
// Main thread only. When the render makes no bitmap (a canvas of zero size), "Warning: PNG
// representation not available" is printed and the consumer gets no data.
class CanvasPasteboardDataProvider : public QMimeData
{
    Q_OBJECT

public:
    explicit CanvasPasteboardDataProvider(const model::Canvas& canvas);
    ~CanvasPasteboardDataProvider() override;

    // The canvas the item renders: the copies, in the drawing order of the canvas it was made from.
    const model::Canvas& canvas() const { return m_canvas; }

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    std::vector<std::unique_ptr<store::ManagedObject>> m_copies;
    model::Canvas m_canvas;
};

} // namespace pelorama::canvas
