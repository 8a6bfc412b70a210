#pragma once

#include "appkit/ViewController.h"

#include <QPointer>

namespace pelorama::canvas {

class CanvasView;

// Owns the canvas view of a document window. The document makes the controller, asks for its view,
// sets itself as the canvas view's delegate and assigns canvases to it.
class CanvasViewController : public appkit::ViewController
{
    Q_OBJECT

public:
    explicit CanvasViewController(QObject* parent = nullptr);

    // Loads the view when needed; null once the view has been destroyed.
    CanvasView* canvasView();

protected:
    void loadView() override;

private:
    QPointer<CanvasView> m_canvasView;
};

} // namespace pelorama::canvas
