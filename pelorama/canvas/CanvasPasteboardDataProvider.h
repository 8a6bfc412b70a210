#pragma once

#include "model/Canvas.h"

#include <QMimeData>
#include <QStringList>

namespace pelorama::canvas {

// The shared canvas image on the clipboard: PNG bytes under "image/png", made only when a consumer asks
// for them. Each request renders the canvas anew at its own size and scale 1 (one pixel per canvas point,
// in export mode), so a consumer gets the screenshot as it is at that moment.
//
// Main thread only: the canvas's drawables belong to the document's context. When the render makes no
// bitmap (a canvas of zero size), "Warning: PNG representation not available" is printed and the
// consumer gets no data.
class CanvasPasteboardDataProvider : public QMimeData
{
    Q_OBJECT

public:
    explicit CanvasPasteboardDataProvider(model::Canvas canvas);

    const model::Canvas& canvas() const { return m_canvas; }

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    model::Canvas m_canvas;
};

} // namespace pelorama::canvas
