#pragma once

#include <QKeySequence>
#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

namespace pelorama::app {

class ApplicationCommands;
class DocumentActions;

// The menu bar of a document window: File, Edit, View and Help with the platform's standard shortcuts,
// holding the window's document actions and the application's own commands (new, open, quit, web site,
// acknowledgements, about) when there are application commands. Opening a menu validates the actions.
class MainMenu : public QObject
{
    Q_OBJECT

public:
    MainMenu(QMainWindow& window, DocumentActions& actions, ApplicationCommands* applicationCommands);

    QMenu* fileMenu() const { return m_file; }
    QMenu* editMenu() const { return m_edit; }
    QMenu* viewMenu() const { return m_view; }
    QMenu* helpMenu() const { return m_help; }
    QMenu* openRecentMenu() const { return m_openRecent; }

private:
    QAction* addCommand(QMenu* menu, const QString& name, const QString& text,
                        const QKeySequence& shortcut = {});

    QMenu* m_file;
    QMenu* m_edit;
    QMenu* m_view;
    QMenu* m_help;
    QMenu* m_openRecent = nullptr;
};

} // namespace pelorama::app
