#include "app/window/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <initializer_list>

namespace pelorama::app {
namespace {

// An arrow up the middle of the grid from y = bottom to its tip at y = 3, with barbs reaching barb to
// either side and down.
void drawUpArrow(QPainter& painter, double bottom, double barb)
{
    const QPointF tip(12, 3);
    painter.drawLine(tip, QPointF(12, bottom));
    painter.drawLine(QPointF(12 - barb, 3 + barb), tip);
    painter.drawLine(QPointF(12 + barb, 3 + barb), tip);
}

// Lines through the points in order, left open.
void drawOpenOutline(QPainter& painter, std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.moveTo(*points.begin());
    for (auto point = points.begin() + 1; point != points.end(); ++point)
        path.lineTo(*point);
    painter.drawPath(path);
}

// Draws on a 24 x 24 grid.
void draw(QPainter& painter, ToolbarIcon icon)
{
    switch (icon) {
    case ToolbarIcon::add:
        painter.drawRoundedRect(QRectF(4, 5, 16, 14), 2, 2);
        painter.drawLine(QPointF(12, 8.5), QPointF(12, 15.5));
        painter.drawLine(QPointF(8.5, 12), QPointF(15.5, 12));
        break;
    case ToolbarIcon::exportAll:
        drawUpArrow(painter, 15, 4);
        drawOpenOutline(painter, {{5, 12}, {5, 20}, {19, 20}, {19, 12}});
        break;
    case ToolbarIcon::share:
        drawUpArrow(painter, 14, 3.5);
        drawOpenOutline(painter, {{9, 10}, {6, 10}, {6, 21}, {18, 21}, {18, 10}, {15, 10}});
        break;
    case ToolbarIcon::feedback: {
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(3, 4, 18, 12), 3, 3);
        painter.drawPath(bubble);
        painter.drawLine(QPointF(8, 16), QPointF(7, 20.5));
        painter.drawLine(QPointF(7, 20.5), QPointF(12, 16));
        break;
    }
    case ToolbarIcon::language:
        // A globe: its outline, a meridian, the equator and two parallels.
        painter.drawEllipse(QRectF(4, 4, 16, 16));
        painter.drawEllipse(QRectF(8.5, 4, 7, 16));
        painter.drawLine(QPointF(4, 12), QPointF(20, 12));
        painter.drawLine(QPointF(5.6, 8), QPointF(18.4, 8));
        painter.drawLine(QPointF(5.6, 16), QPointF(18.4, 16));
        break;
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
