#include "app/InspectorUndoGrouping.h"

#include "store/ManagedObjectContext.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace pelorama::app {

InspectorUndoGrouping::InspectorUndoGrouping(QWidget& inspector, store::ManagedObjectContext& context,
                                             QObject* parent)
    : QObject(parent)
    , m_inspector(&inspector)
    , m_context(&context)
{
    // Presses go to the innermost widget, so only the application sees all of them.
    qApp->installEventFilter(this);
}

InspectorUndoGrouping::~InspectorUndoGrouping()
{
    qApp->removeEventFilter(this);
}

bool InspectorUndoGrouping::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!m_group && m_context && m_inspector && widget &&
            (widget == m_inspector || m_inspector->isAncestorOf(widget)))
            m_group.emplace(*m_context);
        break;
    }
    case QEvent::MouseButtonRelease:
        m_group.reset();
        break;
    default:
        break;
    }
    return false;
}

} // namespace pelorama::app
