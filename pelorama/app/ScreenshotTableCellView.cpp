#include "app/ScreenshotTableCellView.h"

#include "canvas/ScreenshotThumbnailView.h"
#include "model/Screenshot.h"

#include <QVBoxLayout>

namespace pelorama::app {

ScreenshotTableCellView::ScreenshotTableCellView(QWidget* parent)
    : QWidget(parent)
    , m_thumbnailView(new canvas::ScreenshotThumbnailView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(m_thumbnailView);
    // Clicks and drags belong to the list's row underneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ScreenshotTableCellView::setObjectValue(QObject* value)
{
    m_objectValue = value;
    m_thumbnailView->setScreenshot(qobject_cast<model::Screenshot*>(value));
}

void ScreenshotTableCellView::updateImage()
{
    // One render however often the canvas and the model ask in a pass.
    m_thumbnailView->updateImage();
}

} // namespace pelorama::app
