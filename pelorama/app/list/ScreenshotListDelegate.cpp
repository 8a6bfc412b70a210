#include "app/list/ScreenshotListDelegate.h"

#include "app/list/ScreenshotListModel.h"
#include "canvas/ScreenshotThumbnails.h"
#include "model/entities/Screenshot.h"

#include <QPainter>

namespace pelorama::app {

ScreenshotListDelegate::ScreenshotListDelegate(canvas::ScreenshotThumbnails& thumbnails, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_thumbnails(thumbnails)
{}

QSize ScreenshotListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return {0, rowHeight};
}

void ScreenshotListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    if (option.state & QStyle::State_Selected) {
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        QColor color = option.palette.color(group, QPalette::Highlight);
        if (group == QPalette::Inactive)
            color = color.lighter(140);
        painter->fillRect(option.rect, color);
    }
    const auto* screenshot = index.data(ScreenshotListModel::screenshotRole).value<model::Screenshot*>();
    const QRect cell = option.rect.adjusted(sideMargin, 0, -sideMargin, 0);
    if (!screenshot || cell.isEmpty())
        return;
    const QImage composed =
        m_thumbnails.composed(*screenshot, cell.size(), painter->device()->devicePixelRatioF());
    if (!composed.isNull())
        painter->drawImage(cell.topLeft(), composed);
}

} // namespace pelorama::app
