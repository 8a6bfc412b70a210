#include "app/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace pelorama::app {
namespace {

// Draws on a 24 x 24 grid.
void draw(QPainter& painter, ToolbarIcon icon)
{
    switch (icon) {
    case ToolbarIcon::add:
        painter.drawRoundedRect(QRectF(4, 5, 16, 14), 2, 2);
        painter.drawLine(QPointF(12, 8.5), QPointF(12, 15.5));
        painter.drawLine(QPointF(8.5, 12), QPointF(15.5, 12));
        break;
    case ToolbarIcon::exportAll: {
        painter.drawLine(QPointF(12, 3), QPointF(12, 15));
        painter.drawLine(QPointF(8, 7), QPointF(12, 3));
        painter.drawLine(QPointF(16, 7), QPointF(12, 3));
        QPainterPath tray;
        tray.moveTo(5, 12);
        tray.lineTo(5, 20);
        tray.lineTo(19, 20);
        tray.lineTo(19, 12);
        painter.drawPath(tray);
        break;
    }
    case ToolbarIcon::share: {
        painter.drawLine(QPointF(12, 3), QPointF(12, 14));
        painter.drawLine(QPointF(8.5, 6.5), QPointF(12, 3));
        painter.drawLine(QPointF(15.5, 6.5), QPointF(12, 3));
        QPainterPath box;
        box.moveTo(9, 10);
        box.lineTo(6, 10);
        box.lineTo(6, 21);
        box.lineTo(18, 21);
        box.lineTo(18, 10);
        box.lineTo(15, 10);
        painter.drawPath(box);
        break;
    }
    case ToolbarIcon::feedback: {
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(3, 4, 18, 12), 3, 3);
        painter.drawPath(bubble);
        painter.drawLine(QPointF(8, 16), QPointF(7, 20.5));
        painter.drawLine(QPointF(7, 20.5), QPointF(12, 16));
        break;
    }
    }
}

} // namespace

QIcon toolbarIcon(ToolbarIcon icon, const QColor& ink)
{
    QIcon result;
    for (int scale : {1, 2}) {
        QPixmap pixmap(24 * scale, 24 * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        draw(painter, icon);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}

} // namespace pelorama::app
