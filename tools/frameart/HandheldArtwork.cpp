#include "HandheldArtwork.h"

#include "ArtworkPainting.h"

#include <QPainterPath>
#include <QRadialGradient>

namespace frameart {
namespace {

QRectF buttonRect(const HandheldShape::Button& button, const QRectF& body, double depth)
{
    // Buttons reach a little under the body so their inner edge never shows.
    const double reach = depth + 12;
    switch (button.edge) {
    case Qt::LeftEdge:
        return {body.left() - depth, button.from, reach, button.to - button.from};
    case Qt::RightEdge:
        return {body.right() - 12, button.from, reach, button.to - button.from};
    case Qt::TopEdge:
        return {button.from, body.top() - depth, button.to - button.from, reach};
    case Qt::BottomEdge:
        return {button.from, body.bottom() - 12, button.to - button.from, reach};
    }
    return {};
}

void drawButtons(QPainter& painter, const HandheldShape& shape, const QRectF& body, const Finish& finish)
{
    for (const HandheldShape::Button& button : shape.buttons) {
        const QRectF rect = buttonRect(button, body, shape.buttonDepth);
        const bool across = button.edge == Qt::LeftEdge || button.edge == Qt::RightEdge;
        Finish buttonFinish = finish;
        buttonFinish.metal = finish.metal.darker(104);
        painter.setBrush(metalBrush(buttonFinish, rect, across ? Qt::Horizontal : Qt::Vertical));
        painter.drawRoundedRect(rect, shape.buttonDepth * 0.6, shape.buttonDepth * 0.6);
    }
}

void drawHomeButton(QPainter& painter, QPointF centre, double radius, const Finish& finish)
{
    if (finish.flat) {
        painter.setBrush(finish.face);
    } else {
        QRadialGradient dish(centre, radius);
        dish.setColorAt(0.0, finish.face);
        dish.setColorAt(1.0,
                        finish.face.lightness() < 128 ? finish.face.lighter(125) : finish.face.darker(106));
        painter.setBrush(dish);
    }
    painter.setPen(QPen(finish.detail, radius * 0.07));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(Qt::NoPen);
}

} // namespace

HandheldShape handheldShapeForVariant(const QString& identifier)
{
    using B = HandheldShape::Button;
    if (identifier.startsWith(QLatin1String("iPhoneSE")))
        return {10,
                100,
                14,
                120,
                14,
                66,
                {B{Qt::LeftEdge, 240, 300}, B{Qt::LeftEdge, 380, 480}, B{Qt::LeftEdge, 520, 620},
                 B{Qt::TopEdge, 540, 660}}};
    if (identifier.startsWith(QLatin1String("iPhone")))
        return {10,
                150,
                10,
                150,
                16,
                72,
                {B{Qt::LeftEdge, 250, 320}, B{Qt::LeftEdge, 420, 550}, B{Qt::LeftEdge, 590, 720},
                 B{Qt::RightEdge, 420, 560}}};
    const double radius = identifier.startsWith(QLatin1String("iPadMini")) ? 120 : 130;
    return {8,
            radius,
            8,
            0,
            14,
            88,
            {B{Qt::TopEdge, 1480, 1640}, B{Qt::RightEdge, 300, 420}, B{Qt::RightEdge, 460, 580}}};
}

QImage drawHandheld(QSize size, const QRect& screen, const HandheldShape& shape, const Finish& finish)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);

    const QRectF body =
        QRectF(QPointF(0, 0), QSizeF(size))
            .adjusted(shape.buttonDepth, shape.buttonDepth, -shape.buttonDepth, -shape.buttonDepth);
    drawButtons(painter, shape, body, finish);

    painter.setBrush(metalBrush(finish, body, Qt::Horizontal));
    painter.drawRoundedRect(body, shape.cornerRadius, shape.cornerRadius);

    const double rim = shape.rimWidth;
    QPainterPath face;
    face.addRoundedRect(body.adjusted(rim, rim, -rim, -rim), shape.cornerRadius - rim,
                        shape.cornerRadius - rim);
    painter.fillPath(face, finish.face);
    drawGlassSheen(painter, face, finish);

    fillScreen(painter, screen);

    const double topBezelMiddle = (body.top() + screen.top()) / 2;
    const double centreX = body.center().x();
    painter.setBrush(finish.detail);
    if (shape.earpieceWidth > 0) {
        const double height = shape.earpieceWidth * 0.12;
        painter.drawRoundedRect(QRectF(centreX - shape.earpieceWidth / 2, topBezelMiddle - height / 2,
                                       shape.earpieceWidth, height),
                                height / 2, height / 2);
        const double cameraX = centreX - shape.earpieceWidth / 2 - 4 * shape.cameraRadius;
        painter.drawEllipse(QPointF(cameraX, topBezelMiddle), shape.cameraRadius, shape.cameraRadius);
    } else {
        painter.drawEllipse(QPointF(centreX, topBezelMiddle), shape.cameraRadius, shape.cameraRadius);
    }
    const double bottomBezelMiddle = (screen.top() + screen.height() + body.bottom()) / 2;
    drawHomeButton(painter, QPointF(centreX, bottomBezelMiddle), shape.homeButtonRadius, finish);
    return picture;
}

} // namespace frameart
