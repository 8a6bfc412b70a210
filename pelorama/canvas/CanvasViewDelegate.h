#pragma once

namespace pelorama::model {
class Canvas;
class Drawable;
} // namespace pelorama::model

namespace pelorama::canvas {

class CanvasView;

// The canvas view's owner (the document): hears of selection changes and of every render.
class CanvasViewDelegate
{
public:
    virtual ~CanvasViewDelegate() = default;

    // Every time the selection is assigned, also to none; drawable is null when there is no selection
    // or the selection is no Drawable.
    virtual void canvasViewDidChangeSelection(CanvasView& canvasView, model::Drawable* drawable) = 0;
    virtual void canvasViewWillRender(CanvasView& canvasView, const model::Canvas& canvas) = 0;
    virtual void canvasViewDidRender(CanvasView& canvasView, const model::Canvas& canvas) = 0;

protected:
    CanvasViewDelegate() = default;
    CanvasViewDelegate(const CanvasViewDelegate&) = default;
    CanvasViewDelegate& operator=(const CanvasViewDelegate&) = default;
};

} // namespace pelorama::canvas
