#pragma once

#include <QStyledItemDelegate>

namespace pelorama::canvas {
class ScreenshotThumbnails;
} // namespace pelorama::canvas

namespace pelorama::app {

// Draws a row of the screenshot list: the selection, and the picture its screenshot has among the
// thumbnails, composed as ThumbnailDrawing shows it, 4 points in from either side. A row whose picture
// is not there yet shows nothing but the selection; drawing never renders a thumbnail.
class ScreenshotListDelegate : public QStyledItemDelegate
{
public:
    // Rows are as high as a thumbnail (100 points) with its insets.
    static constexpr int rowHeight = 112;
    static constexpr int sideMargin = 4;

    ScreenshotListDelegate(canvas::ScreenshotThumbnails& thumbnails, QObject* parent = nullptr);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    canvas::ScreenshotThumbnails& m_thumbnails;
};

} // namespace pelorama::app
