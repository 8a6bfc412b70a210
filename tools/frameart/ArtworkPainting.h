#pragma once

#include "Finish.h"

#include <QBrush>
#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QRectF>

// Painting pieces shared by every frame. Coordinates are the picture's pixels, y downwards.
namespace frameart {

// The colour of every screen: opaque, darker than any bezel.
inline const QColor screenColour{0x06, 0x06, 0x08};

// The finish's metal across area: a sheen with light edges and a darker band for a rounded edge, or the
// plain colour for a flat finish. Vertical bands for Qt::Horizontal.
QBrush metalBrush(const Finish& finish, const QRectF& area, Qt::Orientation orientation);

// The screen: exactly the given pixels, in the screen colour, with no antialiased edge.
void fillScreen(QPainter& painter, const QRect& screen);

// The project's own mark, a ring over a horizon line, centred on centre and size pixels wide.
void drawMark(QPainter& painter, QPointF centre, double size, const QColor& colour);

// A soft highlight band across the top of a glass front; nothing for a flat finish.
void drawGlassSheen(QPainter& painter, const QPainterPath& face, const Finish& finish);

} // namespace frameart
