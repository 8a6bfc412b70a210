#include "app/window/MainMenu.h"

#include "app/ApplicationCommands.h"
#include "app/window/DocumentActions.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>

namespace pelorama::app {

MainMenu::MainMenu(QMainWindow& window, DocumentActions& actions, ApplicationCommands* applicationCommands)
    : QObject(&window)
    , m_file(window.menuBar()->addMenu(tr("&File")))
    , m_edit(window.menuBar()->addMenu(tr("&Edit")))
    , m_view(window.menuBar()->addMenu(tr("&View")))
    , m_help(window.menuBar()->addMenu(tr("&Help")))
{
    ApplicationCommands* app = applicationCommands;
    if (app) {
        connect(addCommand(m_file, QStringLiteral("new"), tr("&New"), QKeySequence::New), &QAction::triggered,
                this, [app] { app->newDocument(); });
        connect(addCommand(m_file, QStringLiteral("open"), tr("&Open…"), QKeySequence::Open),
                &QAction::triggered, this, [app] { app->openDocuments(); });
        m_openRecent = m_file->addMenu(tr("Open &Recent"));
        connect(m_openRecent, &QMenu::aboutToShow, this,
                [this, app] { app->fillOpenRecentMenu(m_openRecent); });
        m_file->addSeparator();
    }
    m_file->addActions({actions.close(), actions.save(), actions.saveAs(), actions.revert()});
    m_file->addSeparator();
    m_file->addActions({actions.exportAll(), actions.exportCurrent()});
    m_file->addSeparator();
    m_file->addActions({actions.exportForTranslation(), actions.importTranslations()});
    if (app) {
        m_file->addSeparator();
        QAction* quit = addCommand(m_file, QStringLiteral("quit"), tr("&Quit"), QKeySequence::Quit);
        quit->setMenuRole(QAction::QuitRole);
        connect(
            quit, &QAction::triggered, this, [app] { app->quit(); }, Qt::QueuedConnection);
    }

    m_edit->addActions({actions.undo(), actions.redo()});
    m_edit->addSeparator();
    m_edit->addActions({actions.cut(), actions.copy(), actions.paste(), actions.duplicate(), actions.remove(),
                        actions.selectAll()});
    m_edit->addSeparator();
    m_edit->addAction(actions.addScreenshot());

    m_view->addActions({actions.showScreenshotList(), actions.showInspector()});
    m_view->addSeparator();
    m_view->addAction(actions.language());

    m_help->addAction(actions.feedback());
    if (app) {
        connect(addCommand(m_help, QStringLiteral("website"), tr("Pelorama &Web Site")), &QAction::triggered,
                this, [app] { app->showWebsite(); });
        QAction* acknowledgements =
            addCommand(m_help, QStringLiteral("acknowledgements"), tr("A&cknowledgements"));
        connect(acknowledgements, &QAction::triggered, this,
                [app, acknowledgements] { app->showAcknowledgements(acknowledgements); });
        m_help->addSeparator();
        QAction* about = addCommand(m_help, QStringLiteral("about"), tr("&About Pelorama"));
        about->setMenuRole(QAction::AboutRole);
        connect(about, &QAction::triggered, this, [app] { app->showAbout(); });
    }

    for (QMenu* menu : {m_file, m_edit, m_view, m_help})
        connect(menu, &QMenu::aboutToShow, &actions, &DocumentActions::validate);
}

QAction* MainMenu::addCommand(QMenu* menu, const QString& name, const QString& text,
                              const QKeySequence& shortcut)
{
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    if (!shortcut.isEmpty())
        item->setShortcut(shortcut);
    return item;
}

} // namespace pelorama::app
