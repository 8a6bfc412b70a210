#include "appkit/widgets/Popover.h"

#include "appkit/widgets/ViewController.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace appkit {
namespace {

constexpr double cornerRadius = 6;

RectEdge opposite(RectEdge edge)
{
    switch (edge) {
    case RectEdge::left:
        return RectEdge::right;
    case RectEdge::right:
        return RectEdge::left;
    case RectEdge::top:
        return RectEdge::bottom;
    case RectEdge::bottom:
        return RectEdge::top;
    }
    return edge;
}

// The popover's top-left corner for a popover of size placed on edge of anchor (global coordinates).
QPoint placement(const QRect& anchor, const QSize& size, RectEdge edge)
{
    const QPoint centre = anchor.center();
    switch (edge) {
    case RectEdge::left:
        return {anchor.left() - size.width(), centre.y() - size.height() / 2};
    case RectEdge::right:
        return {anchor.right() + 1, centre.y() - size.height() / 2};
    case RectEdge::top:
        return {centre.x() - size.width() / 2, anchor.top() - size.height()};
    case RectEdge::bottom:
        return {centre.x() - size.width() / 2, anchor.bottom() + 1};
    }
    return anchor.topLeft();
}

} // namespace

Popover::Popover(QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    applyMargins();
}

Popover::~Popover()
{
    detachContentView();
}

ViewController* Popover::contentViewController() const
{
    return m_controller;
}

void Popover::setContentViewController(ViewController* controller)
{
    if (m_controller == controller) {
        return;
    }
    detachContentView();
    m_controller = controller;
}

void Popover::setReleasedWhenClosed(bool released)
{
    m_releasedWhenClosed = released;
}

void Popover::setBehavior(Behavior behavior)
{
    m_behavior = behavior;
    if (behavior == Behavior::passive) {
        // Above every window, the popup the message may be about included, and never in the way.
        setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                       Qt::WindowTransparentForInput);
    } else {
        setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    }
    setAttribute(Qt::WA_ShowWithoutActivating, behavior == Behavior::passive);
    setAttribute(Qt::WA_TransparentForMouseEvents, behavior == Behavior::passive);
}

void Popover::showRelativeTo(const QRect& rect, QWidget* view, RectEdge preferredEdge)
{
    if (!view || !m_controller) {
        return;
    }
    installContentView();
    const QRect local = rect.isEmpty() ? view->rect() : rect;
    const QRect anchor(view->mapToGlobal(local.topLeft()), local.size());

    m_edge = preferredEdge;
    applyMargins();
    adjustSize();
    const QScreen* screen = view->screen() ? view->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    if (available.isValid() && !available.contains(QRect(placement(anchor, size(), m_edge), size()))) {
        const RectEdge other = opposite(m_edge);
        m_edge = other;
        applyMargins();
        adjustSize();
        if (!available.contains(QRect(placement(anchor, size(), other), size()))) {
            m_edge = preferredEdge;
            applyMargins();
            adjustSize();
        }
    }
    QPoint origin = placement(anchor, size(), m_edge);
    if (available.isValid()) {
        // Slide along the edge to stay on screen; the arrow keeps pointing at the anchor.
        if (m_edge == RectEdge::left || m_edge == RectEdge::right) {
            origin.setY(std::clamp(origin.y(), available.top(),
                                   std::max(available.top(), available.bottom() - height() + 1)));
        } else {
            origin.setX(std::clamp(origin.x(), available.left(),
                                   std::max(available.left(), available.right() - width() + 1)));
        }
    }
    const QPoint centre = anchor.center() - origin;
    switch (m_edge) {
    case RectEdge::left:
        m_arrowTip = {width(), centre.y()};
        break;
    case RectEdge::right:
        m_arrowTip = {0, centre.y()};
        break;
    case RectEdge::top:
        m_arrowTip = {centre.x(), height()};
        break;
    case RectEdge::bottom:
        m_arrowTip = {centre.x(), 0};
        break;
    }
    move(origin);
    if (m_behavior == Behavior::passive) {
        if (m_anchorWindow)
            m_anchorWindow->removeEventFilter(this);
        m_anchorWindow = view->window();
        m_anchorWindow->installEventFilter(this);
        qApp->installEventFilter(this);
        show();
        raise();
        return;
    }
    show();
    raise();
    activateWindow();
}

void Popover::applyMargins()
{
    const int plain = frameWidth;
    const int withArrow = frameWidth + arrowSize;
    layout()->setContentsMargins(
        m_edge == RectEdge::right ? withArrow : plain, m_edge == RectEdge::bottom ? withArrow : plain,
        m_edge == RectEdge::left ? withArrow : plain, m_edge == RectEdge::top ? withArrow : plain);
}

void Popover::installContentView()
{
    QWidget* view = m_controller->view();
    if (m_contentView == view && view->parentWidget() == this) {
        return;
    }
    detachContentView();
    m_contentView = view;
    layout()->addWidget(view);
    view->show();
}

void Popover::detachContentView()
{
    if (!m_contentView) {
        return;
    }
    QWidget* view = m_contentView;
    m_contentView = nullptr;
    layout()->removeWidget(view);
    // A controller the popover does not own keeps its view for the next time it is shown.
    if (m_controller && m_controller->parent() != this && view->parentWidget() == this) {
        view->hide();
        view->setParent(nullptr);
    }
}

void Popover::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QMargins margins = layout()->contentsMargins();
    const QRectF body =
        QRectF(rect())
            .marginsRemoved(QMarginsF(margins.left() - frameWidth, margins.top() - frameWidth,
                                      margins.right() - frameWidth, margins.bottom() - frameWidth))
            .adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(body, cornerRadius, cornerRadius);
    QPainterPath arrow;
    const QPointF tip(m_arrowTip);
    const double half = arrowSize;
    switch (m_edge) {
    case RectEdge::left:
    case RectEdge::right: {
        const double baseX = m_edge == RectEdge::right ? body.left() : body.right();
        const double y =
            std::clamp(tip.y(), body.top() + cornerRadius + half, body.bottom() - cornerRadius - half);
        arrow.moveTo(baseX, y - half);
        arrow.lineTo(m_edge == RectEdge::right ? 0.5 : width() - 0.5, y);
        arrow.lineTo(baseX, y + half);
        break;
    }
    case RectEdge::top:
    case RectEdge::bottom: {
        const double baseY = m_edge == RectEdge::bottom ? body.top() : body.bottom();
        const double x =
            std::clamp(tip.x(), body.left() + cornerRadius + half, body.right() - cornerRadius - half);
        arrow.moveTo(x - half, baseY);
        arrow.lineTo(x, m_edge == RectEdge::bottom ? 0.5 : height() - 0.5);
        arrow.lineTo(x + half, baseY);
        break;
    }
    }
    arrow.closeSubpath();
    shape = shape.united(arrow);
    painter.setPen(QPen(palette().color(QPalette::Mid), frameWidth));
    painter.setBrush(palette().color(QPalette::Window));
    painter.drawPath(shape);
}

void Popover::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool Popover::eventFilter(QObject* watched, QEvent* event)
{
    // Neither event is taken: the press goes on to whatever it was meant for.
    const bool pressed = event->type() == QEvent::MouseButtonPress ||
                         event->type() == QEvent::MouseButtonDblClick ||
                         event->type() == QEvent::NonClientAreaMouseButtonPress;
    const bool anchorGone = watched == m_anchorWindow && event->type() == QEvent::Hide;
    if (m_behavior == Behavior::passive && isVisible() && (pressed || anchorGone)) {
        close();
    }
    return QWidget::eventFilter(watched, event);
}

void Popover::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous()) {
        return;
    }
    if (m_behavior == Behavior::passive) {
        qApp->removeEventFilter(this);
        if (m_anchorWindow)
            m_anchorWindow->removeEventFilter(this);
    }
    detachContentView();
    emit didClose();
    if (m_releasedWhenClosed) {
        deleteLater();
    }
}

} // namespace appkit
