#include "canvas/CanvasViewController.h"

#include "canvas/CanvasView.h"

namespace pelorama::canvas {

CanvasViewController::CanvasViewController(QObject* parent)
    : appkit::ViewController(parent)
{
    setObjectName(QStringLiteral("CanvasViewController"));
}

CanvasView* CanvasViewController::canvasView()
{
    view();
    return m_canvasView;
}

void CanvasViewController::loadView()
{
    auto* canvasView = new CanvasView;
    canvasView->setObjectName(QStringLiteral("canvasView"));
    canvasView->setMinimumSize(200, 200);
    m_canvasView = canvasView;
    setView(canvasView);
}

} // namespace pelorama::canvas
