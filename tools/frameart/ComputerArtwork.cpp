#include "ComputerArtwork.h"

#include "ArtworkPainting.h"

#include <QPainterPath>

namespace frameart {
namespace {

QImage transparentPicture(QSize size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    return picture;
}

// A glass front inside a metal edge of the given width.
void drawGlassFront(QPainter& painter, const QRectF& outline, double radius, double edge,
                    const Finish& finish)
{
    painter.setBrush(metalBrush(finish, outline, Qt::Vertical));
    painter.drawRoundedRect(outline, radius, radius);
    QPainterPath glass;
    glass.addRoundedRect(outline.adjusted(edge, edge, -edge, -edge), radius - edge, radius - edge);
    painter.fillPath(glass, finish.face);
    drawGlassSheen(painter, glass, finish);
}

} // namespace

QImage drawLaptop(QSize size, const QRect& screen, const Finish& finish, bool withMark)
{
    QImage picture = transparentPicture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);

    const double width = size.width();
    const double height = size.height();
    const double sideBezel = 180;
    const double baseTop = 2150;
    const QRectF lid(screen.left() - sideBezel, 30, screen.width() + 2 * sideBezel, baseTop + 20 - 30);
    drawGlassFront(painter, lid, 80, 8, finish);
    fillScreen(painter, screen);

    painter.setBrush(finish.detail);
    painter.drawEllipse(QPointF(lid.center().x(), (lid.top() + screen.top()) / 2), 10, 10);
    if (withMark)
        drawMark(painter, QPointF(lid.center().x(), (screen.bottom() + 1 + baseTop) / 2), 60, finish.mark);

    // The base's front edge, wider than the lid and tapering to rounded feet.
    QPainterPath base;
    base.moveTo(0, baseTop);
    base.lineTo(width, baseTop);
    base.lineTo(width, baseTop + 40);
    base.cubicTo(width, height - 40, width - 50, height, width - 120, height);
    base.lineTo(120, height);
    base.cubicTo(50, height, 0, height - 40, 0, baseTop + 40);
    base.closeSubpath();
    painter.fillPath(base, metalBrush(finish, base.boundingRect(), Qt::Vertical));
    // The thumb notch for opening the lid.
    painter.setBrush(finish.flat ? finish.metal.darker(115) : finish.metalShade);
    painter.drawRoundedRect(QRectF(lid.center().x() - 300, baseTop, 600, 24), 12, 12);
    return picture;
}

QImage drawDesktop(QSize size, const QRect& screen, const Finish& finish, bool withMark)
{
    QImage picture = transparentPicture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);

    const double width = size.width();
    const double chinTop = 1663;
    const double bodyBottom = 1903;
    const double centreX = width / 2;

    QPainterPath stand;
    stand.moveTo(centreX - 420, bodyBottom - 50);
    stand.lineTo(centreX + 420, bodyBottom - 50);
    stand.lineTo(centreX + 460, 2410);
    stand.lineTo(centreX - 460, 2410);
    stand.closeSubpath();
    Finish standFinish = finish;
    standFinish.metal = finish.metal.darker(108);
    painter.fillPath(stand, metalBrush(standFinish, stand.boundingRect(), Qt::Horizontal));
    painter.setBrush(metalBrush(finish, QRectF(centreX - 520, 2400, 1040, 50), Qt::Vertical));
    painter.drawRoundedRect(QRectF(centreX - 520, 2400, 1040, 50), 22, 22);

    const QRectF body(0, 0, width, bodyBottom);
    drawGlassFront(painter, body, 64, 10, finish);
    QPainterPath chin;
    chin.addRoundedRect(body, 64, 64);
    QPainterPath belowGlass;
    belowGlass.addRect(QRectF(0, chinTop, width, bodyBottom - chinTop));
    chin = chin.intersected(belowGlass);
    painter.fillPath(chin, metalBrush(finish, chin.boundingRect(), Qt::Vertical));
    fillScreen(painter, screen);

    painter.setBrush(finish.detail);
    painter.drawEllipse(QPointF(centreX, screen.top() / 2.0 + 5), 10, 10);
    if (withMark)
        drawMark(painter, QPointF(centreX, (chinTop + bodyBottom) / 2), 100, finish.mark.darker(115));
    return picture;
}

} // namespace frameart
