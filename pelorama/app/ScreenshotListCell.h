#pragma once

#include <QWidget>

namespace pelorama::canvas {
class ScreenshotThumbnailView;
} // namespace pelorama::canvas

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::app {

// The widget of one row of the screenshot list: the thumbnail of the row's screenshot. Clicks and drags
// pass through to the row underneath.
class ScreenshotListCell : public QWidget
{
    Q_OBJECT

public:
    // Rows are as high as a thumbnail (100 points) with its insets.
    static constexpr int rowHeight = 112;

    explicit ScreenshotListCell(QWidget* parent = nullptr);

    canvas::ScreenshotThumbnailView* thumbnailView() const { return m_thumbnailView; }
    model::Screenshot* screenshot() const;
    // Hands the screenshot to the thumbnail view, which renders it.
    void setScreenshot(model::Screenshot* screenshot);
    // Renders the thumbnail again on a later pass of the event loop when there is a screenshot.
    void updateImage();

private:
    canvas::ScreenshotThumbnailView* m_thumbnailView;
};

} // namespace pelorama::app
