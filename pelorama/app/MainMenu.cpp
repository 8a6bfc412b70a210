#include "app/MainMenu.h"

#include "app/ApplicationCommands.h"
#include "app/Document.h"
#include "app/ScreenshotTableViewController.h"
#include "app/SidebarToggleController.h"
#include "app/SplitViewItem.h"
#include "app/TableView.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QUndoStack>
#include <algorithm>

namespace pelorama::app {
namespace {

QLineEdit* lineEditOf(QWidget* widget)
{
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        return line;
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
        return spin->findChild<QLineEdit*>();
    return nullptr;
}

} // namespace

MainMenu::MainMenu(QMainWindow& window, Document& document, ApplicationCommands* applicationCommands)
    : m_window(&window)
    , m_document(document)
    , m_applicationCommands(applicationCommands)
{
    QMenuBar* bar = window.menuBar();
    ApplicationCommands* app = applicationCommands;

    QMenu* file = bar->addMenu(tr("&File"));
    if (app) {
        connect(add(file, QStringLiteral("new"), tr("&New"), QKeySequence::New), &QAction::triggered, this,
                [app] { app->newDocument(); });
        connect(add(file, QStringLiteral("open"), tr("&Open…"), QKeySequence::Open), &QAction::triggered,
                this, [app] { app->openDocuments(); });
        m_openRecentMenu = file->addMenu(tr("Open &Recent"));
        connect(m_openRecentMenu, &QMenu::aboutToShow, this,
                [this, app] { app->fillOpenRecentMenu(m_openRecentMenu); });
        file->addSeparator();
    }
    connect(add(file, QStringLiteral("close"), tr("&Close"), QKeySequence::Close), &QAction::triggered,
            &document, [&document] { document.close(); });
    connect(add(file, QStringLiteral("save"), tr("&Save"), QKeySequence::Save), &QAction::triggered,
            &document, [&document] { document.saveDocument(); });
    connect(add(file, QStringLiteral("saveAs"), tr("Save &As…"), QKeySequence::SaveAs), &QAction::triggered,
            &document, [&document] { document.saveDocumentAs(); });
    connect(add(file, QStringLiteral("revert"), tr("Re&vert to Saved")), &QAction::triggered, &document,
            [&document] { document.revertDocumentToSaved(); });
    file->addSeparator();
    QAction* exportAll =
        add(file, QStringLiteral("export"), tr("&Export…"), QKeySequence(tr("Ctrl+Shift+E")));
    exportAll->setProperty("selector", selectorName(DocumentAction::ExportAllScreenshots));
    connect(exportAll, &QAction::triggered, &document, [&document] { document.exportAllScreenshots(); });
    QAction* exportCurrent = add(file, QStringLiteral("exportCurrent"), tr("Export &Current Screenshot…"),
                                 QKeySequence(tr("Ctrl+Alt+E")));
    exportCurrent->setProperty("selector", selectorName(DocumentAction::ExportCurrentScreenshot));
    connect(exportCurrent, &QAction::triggered, &document,
            [&document] { document.exportCurrentScreenshot(); });
    if (app) {
        file->addSeparator();
        QAction* quit = add(file, QStringLiteral("quit"), tr("&Quit"), QKeySequence::Quit);
        quit->setMenuRole(QAction::QuitRole);
        connect(
            quit, &QAction::triggered, this, [app] { app->quit(); }, Qt::QueuedConnection);
    }

    QMenu* edit = bar->addMenu(tr("&Edit"));
    QUndoStack* undo = document.undoStack();
    connect(add(edit, QStringLiteral("undo"), tr("&Undo"), QKeySequence::Undo), &QAction::triggered, undo,
            &QUndoStack::undo);
    connect(add(edit, QStringLiteral("redo"), tr("&Redo"), QKeySequence::Redo), &QAction::triggered, undo,
            &QUndoStack::redo);
    edit->addSeparator();
    const std::pair<const char*, DocumentAction> screenshotCommands[] = {
        {"cut", DocumentAction::Cut},
        {"copy", DocumentAction::Copy},
        {"paste", DocumentAction::Paste},
    };
    const QString texts[] = {tr("Cu&t"), tr("&Copy"), tr("&Paste")};
    const QKeySequence::StandardKey keys[] = {QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste};
    for (int i = 0; i < 3; ++i) {
        const QString name = QString::fromLatin1(screenshotCommands[i].first);
        QAction* item = add(edit, name, texts[i], keys[i]);
        item->setProperty("selector", selectorName(screenshotCommands[i].second));
        connect(item, &QAction::triggered, this, [this, name] { performTextCommand(name); });
    }
    QAction* duplicate = add(edit, QStringLiteral("duplicate"), tr("D&uplicate"), QKeySequence(tr("Ctrl+D")));
    duplicate->setProperty("selector", selectorName(DocumentAction::DuplicateSelection));
    connect(duplicate, &QAction::triggered, &document, [&document] { document.duplicateSelection(); });
    QAction* remove = add(edit, QStringLiteral("delete"), tr("&Delete"), QKeySequence::Delete);
    remove->setProperty("selector", selectorName(DocumentAction::Delete));
    connect(remove, &QAction::triggered, this, [this] { performTextCommand(QStringLiteral("delete")); });
    // The key deletes the selected screenshot only from the list; anywhere else it is the focused
    // control's own (a text field deletes a character, the canvas and the inspector's other controls
    // nothing). The item itself works from the menu wherever the focus is.
    remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (ScreenshotTableViewController* list = document.screenshotTableViewController())
        list->screenshotTableView()->addAction(remove);
    connect(add(edit, QStringLiteral("selectAll"), tr("Select &All"), QKeySequence::SelectAll),
            &QAction::triggered, this, [this] { performTextCommand(QStringLiteral("selectAll")); });
    edit->addSeparator();
    QAction* addScreenshot =
        add(edit, QStringLiteral("addScreenshot"), tr("&Add Screenshot…"), QKeySequence(tr("Ctrl+Shift+N")));
    addScreenshot->setProperty("selector", selectorName(DocumentAction::ShowTemplatePicker));
    connect(addScreenshot, &QAction::triggered, &document, [&document] { document.showTemplatePicker(); });

    QMenu* view = bar->addMenu(tr("&View"));
    QAction* list = add(view, QStringLiteral("toggleScreenshotList"), tr("Show Screenshot &List"),
                        QKeySequence(tr("Ctrl+Alt+L")));
    QAction* inspector =
        add(view, QStringLiteral("toggleInspector"), tr("Show &Inspector"), QKeySequence(tr("Ctrl+Alt+I")));
    list->setCheckable(true);
    inspector->setCheckable(true);
    connect(list, &QAction::triggered, &document, [&document] {
        if (SidebarToggleController* toggle = document.sidebarToggleController())
            toggle->toggleSidebar(0);
    });
    connect(inspector, &QAction::triggered, &document, [&document] {
        if (SidebarToggleController* toggle = document.sidebarToggleController())
            toggle->toggleSidebar(1);
    });

    QMenu* help = bar->addMenu(tr("&Help"));
    QAction* feedback = add(help, QStringLiteral("feedback"), tr("Send &Feedback…"));
    feedback->setProperty("selector", selectorName(DocumentAction::ShowFeedbackPopover));
    connect(feedback, &QAction::triggered, &document, [&document] { document.showFeedbackPopover(); });
    if (app) {
        connect(add(help, QStringLiteral("website"), tr("Pelorama &Web Site")), &QAction::triggered, this,
                [app] { app->showWebsite(); });
        QAction* acknowledgements = add(help, QStringLiteral("acknowledgements"), tr("A&cknowledgements"));
        connect(acknowledgements, &QAction::triggered, this,
                [app, acknowledgements] { app->showAcknowledgements(acknowledgements); });
        help->addSeparator();
        QAction* about = add(help, QStringLiteral("about"), tr("&About Pelorama"));
        about->setMenuRole(QAction::AboutRole);
        connect(about, &QAction::triggered, this, [app] { app->showAbout(); });
    }

    for (QMenu* menu : {file, edit, view, help})
        connect(menu, &QMenu::aboutToShow, this, &MainMenu::validate);
    connect(qApp, &QApplication::focusChanged, this, &MainMenu::validate);
    validate();
}

MainMenu::~MainMenu() = default;

QAction* MainMenu::add(QMenu* menu, const QString& name, const QString& text, const QKeySequence& shortcut)
{
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    if (!shortcut.isEmpty())
        item->setShortcut(shortcut);
    m_actions.insert(name, item);
    return item;
}

QWidget* MainMenu::textTarget() const
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !m_window || focus->window() != m_window)
        return nullptr;
    if (lineEditOf(focus) || qobject_cast<QTextEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus))
        return focus;
    return nullptr;
}

void MainMenu::performTextCommand(const QString& name)
{
    QWidget* target = textTarget();
    if (!target) {
        m_document.performAction(m_actions.value(name)->property("selector").toString(),
                                 m_actions.value(name));
        return;
    }
    if (QLineEdit* line = lineEditOf(target)) {
        if (name == QLatin1String("delete"))
            line->del();
        else
            QMetaObject::invokeMethod(line, name.toLatin1().constData());
        return;
    }
    if (name == QLatin1String("delete")) {
        if (auto* text = qobject_cast<QTextEdit*>(target))
            text->textCursor().removeSelectedText();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(target))
            plain->textCursor().removeSelectedText();
        return;
    }
    QMetaObject::invokeMethod(target, name.toLatin1().constData());
}

void MainMenu::validate()
{
    // Focus moves while a closing window deletes its children, after its menus have gone.
    if (!m_window || std::any_of(m_actions.cbegin(), m_actions.cend(),
                                 [](const QPointer<QAction>& item) { return item.isNull(); }))
        return;
    QUndoStack* undo = m_document.undoStack();
    m_actions.value(QStringLiteral("undo"))->setEnabled(undo->canUndo());
    m_actions.value(QStringLiteral("redo"))->setEnabled(undo->canRedo());
    m_actions.value(QStringLiteral("revert"))->setEnabled(!m_document.isUntitled() && m_document.isEdited());

    const bool editingText = textTarget() != nullptr;
    for (const char* name : {"cut", "copy", "paste", "delete"}) {
        QAction* item = m_actions.value(QString::fromLatin1(name));
        item->setEnabled(editingText || m_document.validateMenuItem(*item));
    }
    m_actions.value(QStringLiteral("selectAll"))->setEnabled(editingText);
    for (const char* name : {"duplicate", "export", "exportCurrent", "addScreenshot"}) {
        QAction* item = m_actions.value(QString::fromLatin1(name));
        item->setEnabled(m_document.validateMenuItem(*item));
    }

    SidebarToggleController* toggle = m_document.sidebarToggleController();
    const std::pair<const char*, SplitViewItem*> panes[] = {
        {"toggleScreenshotList", toggle ? toggle->leftSplitViewItem() : nullptr},
        {"toggleInspector", toggle ? toggle->rightSplitViewItem() : nullptr},
    };
    for (const auto& [name, item] : panes) {
        QAction* action = m_actions.value(QString::fromLatin1(name));
        action->setEnabled(item != nullptr);
        action->setChecked(item && !item->isCollapsed());
    }
}

} // namespace pelorama::app
