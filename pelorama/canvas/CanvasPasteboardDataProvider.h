#pragma once

#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"

#include <QMimeData>
#include <QStringList>

namespace pelorama::canvas {

// The shared canvas image on the clipboard: PNG bytes under "image/png", made only when a consumer asks
// for them. Each request renders the canvas anew at its own size and scale 1 (one pixel per canvas point,
// in export mode).
//
// The item draws the snapshot of the canvas taken when it was made, so it keeps its picture for as long as
// the clipboard holds it: after the document was edited further, and after it was closed.
//
// Main thread only. When the render makes no bitmap (a canvas of zero size), "Warning: PNG
// representation not available" is printed and the consumer gets no data.
class CanvasPasteboardDataProvider : public QMimeData
{
    Q_OBJECT

public:
    // language: the captions' language (a code of the document's languages; empty for the base language).
    explicit CanvasPasteboardDataProvider(const model::Canvas& canvas, const QString& language = {});

    // The canvas the item renders.
    const model::DetachedCanvas& canvas() const { return m_canvas; }

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    model::DetachedCanvas m_canvas;
};

} // namespace pelorama::canvas
