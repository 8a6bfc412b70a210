#include "tessaline/Tessaline/WindowCloseKeys.h"

#include <QKeySequence>
#include <QList>
#include <QShortcut>
#include <QWidget>

namespace tessaline {

void addWindowCloseKeys(QWidget& window)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Close);
    keys.append(QKeySequence(Qt::CTRL | Qt::Key_W));
    keys.append(QKeySequence(Qt::Key_Escape));
    QList<QKeySequence> added;
    for (const QKeySequence& key : keys) {
        if (added.contains(key))
            continue;
        added.append(key);
        auto* shortcut = new QShortcut(key, &window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &window, &QWidget::close);
    }
}

} // namespace tessaline
