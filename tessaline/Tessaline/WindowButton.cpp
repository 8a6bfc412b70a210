#include "tessaline/Tessaline/WindowButton.h"

#include <QPainter>

namespace tessaline {
namespace {

QColor fillColor(WindowButton::Kind kind)
{
    switch (kind) {
    case WindowButton::Kind::close:
        return QColor(0xff, 0x5f, 0x57);
    case WindowButton::Kind::miniaturize:
        return QColor(0xfe, 0xbc, 0x2e);
    case WindowButton::Kind::zoom:
        return QColor(0x28, 0xc8, 0x40);
    }
    return Qt::gray;
}

} // namespace

WindowButton::WindowButton(Kind kind, QWidget* parent)
    : QAbstractButton(parent)
    , m_kind(kind)
{
    setFocusPolicy(Qt::NoFocus);
    resize(diameter, diameter);
    const char* names[] = {"Close", "Minimise", "Zoom"};
    setAccessibleName(tr(names[static_cast<int>(kind)]));
}

void WindowButton::setShowsGlyph(bool shows)
{
    if (m_showsGlyph != shows) {
        m_showsGlyph = shows;
        update();
    }
}

QSize WindowButton::sizeHint() const
{
    return {diameter, diameter};
}

void WindowButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF circle = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor fill = fillColor(m_kind);
    if (isDown()) {
        fill = fill.darker(120);
    }
    painter.setPen(QPen(fill.darker(130), 1));
    painter.setBrush(fill);
    painter.drawEllipse(circle);
    if (!m_showsGlyph) {
        return;
    }
    painter.setPen(QPen(QColor(0, 0, 0, 150), 1.2, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = circle.center();
    const double arm = circle.width() * 0.22;
    switch (m_kind) {
    case Kind::close:
        painter.drawLine(c + QPointF(-arm, -arm), c + QPointF(arm, arm));
        painter.drawLine(c + QPointF(-arm, arm), c + QPointF(arm, -arm));
        break;
    case Kind::miniaturize:
        painter.drawLine(c + QPointF(-arm * 1.3, 0), c + QPointF(arm * 1.3, 0));
        break;
    case Kind::zoom:
        painter.drawLine(c + QPointF(-arm * 1.3, 0), c + QPointF(arm * 1.3, 0));
        painter.drawLine(c + QPointF(0, -arm * 1.3), c + QPointF(0, arm * 1.3));
        break;
    }
}

} // namespace tessaline
