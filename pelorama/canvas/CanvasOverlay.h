#pragma once

#include "graphics/Rect.h"

#include <QWidget>
#include <optional>

namespace pelorama::canvas {

// The two marks the canvas view draws over the rendered canvas: the frame around the selection (a
// 2-point border of white at half opacity, drawn inside the frame, no fill) and the highlight over the
// drawable under the pointer or a drag (white at a tenth of full opacity, no border). Each is shown only
// while it has a frame. Frames are in the view's coordinates, y up; the overlay covers the whole view
// and lets every mouse event through.
class CanvasOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit CanvasOverlay(QWidget* parent);

    const std::optional<graphics::Rect>& selectionFrame() const { return m_selectionFrame; }
    void setSelectionFrame(const std::optional<graphics::Rect>& frame);
    const std::optional<graphics::Rect>& highlightFrame() const { return m_highlightFrame; }
    void setHighlightFrame(const std::optional<graphics::Rect>& frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A frame in the widget's own coordinates (y down).
    QRectF widgetRect(const graphics::Rect& frame) const;

    std::optional<graphics::Rect> m_selectionFrame;
    std::optional<graphics::Rect> m_highlightFrame;
};

} // namespace pelorama::canvas
