#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QPointer>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace pelorama::app {

class ApplicationCommands;
class Document;

// The menu bar of a document window: File, Edit, View and Help with the platform's standard shortcuts.
// Each item goes to its target: the application's commands, the document, its undo stack, its sidebar
// toggle, or, for Cut, Copy, Paste, Delete and Select All, the text field being edited when there is
// one. The Delete key reaches the document only from the screenshot list. validate() enables every item as
// its target decides; it runs whenever a menu opens and when the document asks for it.
class MainMenu : public QObject
{
    Q_OBJECT

public:
    MainMenu(QMainWindow& window, Document& document, ApplicationCommands* applicationCommands);
    ~MainMenu() override;

    // The item named name: "new", "open", "close", "save", "saveAs", "revert", "export", "quit", "undo",
    // "redo", "cut", "copy", "paste", "duplicate", "delete", "selectAll", "addScreenshot",
    // "toggleScreenshotList", "toggleInspector", "website", "acknowledgements", "about"; null for others.
    QAction* action(const QString& name) const { return m_actions.value(name); }
    QMenu* openRecentMenu() const { return m_openRecentMenu; }

    void validate();

private:
    QAction* add(QMenu* menu, const QString& name, const QString& text, const QKeySequence& shortcut = {});
    // The text field of the window that has the keyboard focus, when there is one.
    QWidget* textTarget() const;
    void performTextCommand(const QString& name);

    // A plain widget pointer: it is read while a closing window deletes its children, when the window is
    // no longer a QMainWindow.
    QPointer<QWidget> m_window;
    Document& m_document;
    ApplicationCommands* m_applicationCommands;
    // Weak: the menus own their items, and go with the window, possibly before the menu is dropped.
    QHash<QString, QPointer<QAction>> m_actions;
    QMenu* m_openRecentMenu = nullptr;
};

} // namespace pelorama::app
