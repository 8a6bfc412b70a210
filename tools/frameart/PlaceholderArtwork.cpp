#include "PlaceholderArtwork.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace frameart {
namespace {

// A framed landscape picture: the sign for "a picture goes here".
void drawPictureSign(QPainter& painter, const QRectF& area, const QColor& colour)
{
    const double stroke = area.width() * 0.06;
    painter.setPen(QPen(colour, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(area, stroke * 1.5, stroke * 1.5);
    QPainterPath hills;
    hills.moveTo(area.left() + stroke, area.bottom() - stroke * 1.5);
    hills.lineTo(area.left() + area.width() * 0.38, area.top() + area.height() * 0.45);
    hills.lineTo(area.left() + area.width() * 0.6, area.top() + area.height() * 0.7);
    hills.lineTo(area.left() + area.width() * 0.72, area.top() + area.height() * 0.58);
    hills.lineTo(area.right() - stroke, area.bottom() - stroke * 1.5);
    painter.drawPath(hills);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double sun = area.width() * 0.08;
    painter.drawEllipse(QPointF(area.left() + area.width() * 0.72, area.top() + area.height() * 0.3), sun,
                        sun);
}

} // namespace

std::vector<Placeholder> placeholders()
{
    return {
        {QStringLiteral("placeholder-iPhone"), {750, 1334}},
        {QStringLiteral("placeholder-iPhoneLandscape"), {1334, 750}},
        {QStringLiteral("placeholder-iPad"), {1536, 2048}},
        {QStringLiteral("placeholder-iPadLandscape"), {2048, 1536}},
        {QStringLiteral("placeholder-MacBook"), {2880, 1800}},
        {QStringLiteral("placeholder-iMac"), {2560, 1440}},
    };
}

QImage drawPlaceholder(QSize size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(0xe8, 0xea, 0xee));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    const double unit = std::min(size.width(), size.height());
    const QColor ink(0x6b, 0x70, 0x7a);
    const double margin = unit * 0.06;
    painter.setPen(QPen(QColor(0xb4, 0xb9, 0xc2), unit * 0.012, Qt::DashLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)).adjusted(margin, margin, -margin, -margin),
                            unit * 0.04, unit * 0.04);

    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const QSizeF sign(unit * 0.26, unit * 0.2);
    drawPictureSign(painter, QRectF(centre - QPointF(sign.width() / 2, unit * 0.28), sign), ink);

    QFont title(QStringLiteral("Inter"));
    // Large enough to read in a small preview, small enough to fit a line across the wide placeholders.
    title.setPixelSize(int(std::min(unit * 0.08, size.width() * 0.055)));
    title.setWeight(QFont::DemiBold);
    QFont subtitle(QStringLiteral("Inter"));
    subtitle.setPixelSize(int(std::min(unit * 0.045, size.width() * 0.032)));
    painter.setPen(ink);
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    QRectF text(margin * 2, centre.y(), size.width() - margin * 4, size.height() / 2.0 - margin * 2);
    painter.setFont(title);
    QRectF used;
    painter.drawText(text, flags, QStringLiteral("Your screenshot goes here"), &used);
    text.setTop(used.bottom() + unit * 0.03);
    painter.setFont(subtitle);
    painter.drawText(text, flags, QStringLiteral("Drop a screenshot of your app on the device"));
    return picture;
}

} // namespace frameart
