#include "app/Toolbar.h"

#include "app/ToolbarItemValidation.h"

#include <QAbstractButton>
#include <QAction>

namespace pelorama::app {

Toolbar::Toolbar(const QString& identifier, QWidget* parent)
    : QToolBar(parent)
{
    setObjectName(identifier);
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize({24, 24});
}

QAction* Toolbar::addItem(const QString& identifier, const QString& label, const QIcon& icon,
                          const QString& selector)
{
    QAction* item = addAction(icon, label);
    item->setObjectName(identifier);
    item->setProperty(selectorProperty, selector);
    if (QWidget* view = widgetForAction(item))
        view->setObjectName(identifier);
    return item;
}

QAction* Toolbar::itemWithIdentifier(const QString& identifier) const
{
    for (QAction* item : actions()) {
        if (item->objectName() == identifier)
            return item;
    }
    return nullptr;
}

QString Toolbar::selector(const QAction& item)
{
    return item.property(selectorProperty).toString();
}

void Toolbar::validateVisibleItems()
{
    for (QAction* item : actions()) {
        if (!item->isVisible())
            continue;
        // Only items shown as a control of their own are ours to validate; the rest follow their action.
        auto* control = qobject_cast<QAbstractButton*>(widgetForAction(item));
        const QString command = selector(*item);
        if (!control || command.isEmpty())
            continue;
        QObject* target = m_targetResolver ? m_targetResolver(command) : nullptr;
        if (!target)
            continue;
        auto* validation = dynamic_cast<ToolbarItemValidation*>(target);
        item->setEnabled(validation ? validation->validateToolbarItem(*item) : true);
    }
}

} // namespace pelorama::app
