#include "ArtworkPainting.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace frameart {

QBrush metalBrush(const Finish& finish, const QRectF& area, Qt::Orientation orientation)
{
    if (finish.flat)
        return QBrush(finish.metal);
    QLinearGradient gradient = orientation == Qt::Horizontal
                                   ? QLinearGradient(area.topLeft(), area.topRight())
                                   : QLinearGradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0.0, finish.metalShade);
    gradient.setColorAt(0.04, finish.metal.lighter(106));
    gradient.setColorAt(0.5, finish.metal);
    gradient.setColorAt(0.96, finish.metal.darker(106));
    gradient.setColorAt(1.0, finish.metalShade);
    return QBrush(gradient);
}

void fillScreen(QPainter& painter, const QRect& screen)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(screen, screenColour);
    painter.restore();
}

void drawMark(QPainter& painter, QPointF centre, double size, const QColor& colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double stroke = size * 0.1;
    painter.setPen(QPen(colour, stroke, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const double radius = size * 0.3;
    const QPointF ringCentre = centre - QPointF(0, size * 0.08);
    painter.drawEllipse(ringCentre, radius, radius);
    const double horizon = ringCentre.y() + radius * 0.45;
    painter.drawLine(QPointF(centre.x() - size * 0.5 + stroke, horizon),
                     QPointF(centre.x() + size * 0.5 - stroke, horizon));
    painter.restore();
}

void drawGlassSheen(QPainter& painter, const QPainterPath& face, const Finish& finish)
{
    if (finish.flat)
        return;
    const QRectF bounds = face.boundingRect();
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomRight());
    gradient.setColorAt(0.0, QColor(255, 255, 255, 26));
    gradient.setColorAt(0.45, QColor(255, 255, 255, 8));
    gradient.setColorAt(0.46, QColor(255, 255, 255, 0));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(face, gradient);
    painter.restore();
}

} // namespace frameart
