#include "app/ScreenshotListCell.h"

#include "canvas/ScreenshotThumbnailView.h"
#include "model/entities/Screenshot.h"

#include <QVBoxLayout>

namespace pelorama::app {

ScreenshotListCell::ScreenshotListCell(QWidget* parent)
    : QWidget(parent)
    , m_thumbnailView(new canvas::ScreenshotThumbnailView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(m_thumbnailView);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

model::Screenshot* ScreenshotListCell::screenshot() const
{
    return m_thumbnailView->screenshot();
}

void ScreenshotListCell::setScreenshot(model::Screenshot* screenshot)
{
    m_thumbnailView->setScreenshot(screenshot);
}

void ScreenshotListCell::updateImage()
{
    // One render however often the canvas and the model ask in a pass.
    m_thumbnailView->updateImage();
}

} // namespace pelorama::app
