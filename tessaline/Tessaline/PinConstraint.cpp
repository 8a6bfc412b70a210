#include "tessaline/Tessaline/PinConstraint.h"

#include <QEvent>
#include <algorithm>

namespace tessaline {

PinConstraint::PinConstraint(QWidget* moving, QWidget* reference, Kind kind, double border,
                             bool movingIsInner)
    : QObject(moving)
    , m_moving(moving)
    , m_reference(reference)
    , m_kind(kind)
    , m_border(border)
    , m_movingIsInner(movingIsInner)
{
    reference->installEventFilter(this);
    moving->installEventFilter(this);
}

void PinConstraint::install(QWidget* receiver, QWidget* view, Kind kind, double border)
{
    if (!receiver || !view || receiver == view) {
        return;
    }
    const bool viewIsInner = receiver->isAncestorOf(view);
    QWidget* moving = viewIsInner ? view : receiver;
    QWidget* reference = viewIsInner ? receiver : view;
    // A new pin between the same two widgets replaces the old one.
    for (PinConstraint* existing : moving->findChildren<PinConstraint*>(Qt::FindDirectChildrenOnly)) {
        if (existing->m_reference == reference) {
            delete existing;
        }
    }
    auto* constraint = new PinConstraint(moving, reference, kind, border, viewIsInner);
    constraint->apply();
}

void PinConstraint::apply()
{
    if (!m_moving || !m_reference || !m_moving->parentWidget()) {
        return;
    }
    QWidget* parent = m_moving->parentWidget();
    const QRectF reference = m_reference == parent
                                 ? QRectF(parent->rect())
                                 : QRectF(QRect(parent->mapFromGlobal(m_reference->mapToGlobal(QPoint(0, 0))),
                                                m_reference->size()));
    // Positive border shrinks the inner widget, or grows the outer one around the reference.
    const double b = m_movingIsInner ? m_border : -m_border;
    QRectF frame;
    if (m_kind == Kind::edges) {
        frame = reference.adjusted(b, b, -b, -b);
    } else {
        QSizeF size =
            m_moving->sizeHint().isValid() ? QSizeF(m_moving->sizeHint()) : QSizeF(m_moving->size());
        if (m_kind == Kind::centerInside) {
            const QSizeF bound(reference.width() + 2 * m_border * (m_movingIsInner ? 1 : -1),
                               reference.height() + 2 * m_border * (m_movingIsInner ? 1 : -1));
            size = m_movingIsInner ? size.boundedTo(bound) : size.expandedTo(bound);
        }
        frame = QRectF(QPointF(), size);
        frame.moveCenter(reference.center());
    }
    const QRect rounded(qRound(frame.left()), qRound(frame.top()), std::max(0, qRound(frame.width())),
                        std::max(0, qRound(frame.height())));
    if (m_moving->geometry() != rounded) {
        m_moving->setGeometry(rounded);
    }
}

bool PinConstraint::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((watched == m_reference && (type == QEvent::Resize || type == QEvent::Move)) ||
        (watched == m_moving && (type == QEvent::LayoutRequest || type == QEvent::ParentChange))) {
        apply();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tessaline
