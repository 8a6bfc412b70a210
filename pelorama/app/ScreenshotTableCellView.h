#pragma once

#include <QPointer>
#include <QWidget>

namespace pelorama::canvas {
class ScreenshotThumbnailView;
} // namespace pelorama::canvas

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::app {

// One row of the screenshot list: the thumbnail of the row's screenshot.
class ScreenshotTableCellView : public QWidget
{
    Q_OBJECT

public:
    // Rows are as high as a thumbnail (100 points) with its insets.
    static constexpr int rowHeight = 112;

    explicit ScreenshotTableCellView(QWidget* parent = nullptr);

    canvas::ScreenshotThumbnailView* thumbnailView() const { return m_thumbnailView; }
    QObject* objectValue() const { return m_objectValue; }
    // Hands a screenshot to the thumbnail view, which renders it; anything else hands it none.
    void setObjectValue(QObject* value);
    // Renders the thumbnail again on a later pass of the event loop when there is a screenshot.
    Q_INVOKABLE void updateImage();

private:
    QPointer<QObject> m_objectValue;
    canvas::ScreenshotThumbnailView* m_thumbnailView;
};

} // namespace pelorama::app
