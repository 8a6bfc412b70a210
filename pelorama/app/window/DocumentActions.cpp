#include "app/window/DocumentActions.h"

#include "app/Document.h"
#include "app/languages/LanguageChoice.h"
#include "app/languages/LanguageCommands.h"
#include "app/languages/LanguageMenu.h"
#include "app/window/DocumentCommands.h"
#include "app/window/DocumentWindow.h"
#include "app/window/ToolbarIcons.h"
#include "app/window/UndoSteps.h"
#include "document/ScreenshotArrangement.h"
#include "document/ScreenshotPasteboard.h"
#include "model/selection/DocumentSelection.h"
#include "store/ManagedObjectContext.h"
#include "store/ScopedUndoGroup.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolBar>
#include <QUndoStack>
#include <functional>
#include <optional>
#include <type_traits>

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

// The command on a text field of one of Qt's kinds; delete takes the selection away without the clipboard.
template <typename Field> void perform(Field& field, DocumentActions::TextCommand command)
{
    switch (command) {
    case DocumentActions::TextCommand::cut:
        field.cut();
        break;
    case DocumentActions::TextCommand::copy:
        field.copy();
        break;
    case DocumentActions::TextCommand::paste:
        field.paste();
        break;
    case DocumentActions::TextCommand::remove:
        if constexpr (std::is_same_v<Field, QLineEdit>)
            field.del();
        else
            field.textCursor().removeSelectedText();
        break;
    case DocumentActions::TextCommand::selectAll:
        field.selectAll();
        break;
    }
}

} // namespace

DocumentActions::DocumentActions(Document& document, DocumentWindow& window, DocumentCommands& commands,
                                 LanguageCommands& languageCommands)
    : QObject(&window)
    , m_document(document)
    , m_window(window)
    , m_commands(commands)
    , m_languageCommands(languageCommands)
    , m_close(make(QStringLiteral("close"), tr("&Close")))
    , m_save(make(QStringLiteral("save"), tr("&Save")))
    , m_saveAs(make(QStringLiteral("saveAs"), tr("Save &As…")))
    , m_revert(make(QStringLiteral("revert"), tr("Re&vert to Saved")))
    , m_exportAll(make(QStringLiteral("export"), tr("&Export…")))
    , m_exportCurrent(make(QStringLiteral("exportCurrent"), tr("Export C&urrent Screenshot…")))
    , m_undo(make(QStringLiteral("undo"), tr("&Undo")))
    , m_redo(make(QStringLiteral("redo"), tr("&Redo")))
    , m_cut(make(QStringLiteral("cut"), tr("Cu&t")))
    , m_copy(make(QStringLiteral("copy"), tr("&Copy")))
    , m_paste(make(QStringLiteral("paste"), tr("&Paste")))
    , m_duplicate(make(QStringLiteral("duplicate"), tr("Dup&licate")))
    , m_delete(make(QStringLiteral("delete"), tr("&Delete")))
    , m_selectAll(make(QStringLiteral("selectAll"), tr("Select &All")))
    , m_addScreenshot(make(QStringLiteral("addScreenshot"), tr("Add &Screenshot…")))
    , m_showScreenshotList(make(QStringLiteral("showScreenshotList"), tr("Show &Screenshot List")))
    , m_showInspector(make(QStringLiteral("showInspector"), tr("Show &Inspector")))
    , m_share(make(QStringLiteral("share"), tr("S&hare")))
    , m_feedback(make(QStringLiteral("feedback"), tr("Send &Feedback…")))
    , m_addLanguage(make(QStringLiteral("addLanguage"), tr("&Add Language…")))
    , m_removeLanguage(make(QStringLiteral("removeLanguage"), tr("&Remove Language…")))
    , m_setBaseLanguage(make(QStringLiteral("setBaseLanguage"), tr("Set as &Base Language")))
    , m_exportForTranslation(
          make(QStringLiteral("exportForTranslation"), tr("Export Captions for &Translation…")))
    , m_importTranslations(make(QStringLiteral("importTranslations"), tr("&Import Translations…")))
    , m_languageMenu(new LanguageMenu(languageCommands.choice(),
                                      {m_addLanguage, m_removeLanguage, m_setBaseLanguage}, &window))
{
    m_close->setShortcut(QKeySequence::Close);
    m_save->setShortcut(QKeySequence::Save);
    m_saveAs->setShortcut(QKeySequence::SaveAs);
    m_exportAll->setShortcut(QKeySequence(tr("Ctrl+Shift+E")));
    m_exportCurrent->setShortcut(QKeySequence(tr("Ctrl+Alt+E")));
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo->setShortcut(QKeySequence::Redo);
    m_cut->setShortcut(QKeySequence::Cut);
    m_copy->setShortcut(QKeySequence::Copy);
    m_paste->setShortcut(QKeySequence::Paste);
    m_duplicate->setShortcut(QKeySequence(tr("Ctrl+D")));
    m_delete->setShortcut(QKeySequence::Delete);
    // The key deletes the selected screenshot only from the list, which takes the action; anywhere else
    // it is the focused control's own (a text field deletes a character, the canvas and the inspector's
    // other controls nothing). The menu item works wherever the focus is.
    m_delete->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_selectAll->setShortcut(QKeySequence::SelectAll);
    m_addScreenshot->setShortcut(QKeySequence(tr("Ctrl+Shift+N")));
    m_showScreenshotList->setShortcut(QKeySequence(tr("Ctrl+Alt+L")));
    m_showInspector->setShortcut(QKeySequence(tr("Ctrl+Alt+I")));
    m_showScreenshotList->setCheckable(true);
    m_showInspector->setCheckable(true);

    // The toolbar shows five of them, with pictures and shorter names; the language menu's button is
    // named after the language shown.
    const QColor ink = window.palette().color(QPalette::ButtonText);
    const std::pair<QAction*, std::pair<ToolbarIcon, QString>> toolbarItems[] = {
        {m_addScreenshot, {ToolbarIcon::add, tr("Add Screenshot")}},
        {m_exportAll, {ToolbarIcon::exportAll, tr("Export")}},
        {m_share, {ToolbarIcon::share, tr("Share")}},
        {m_feedback, {ToolbarIcon::feedback, tr("Feedback")}},
        {language(), {ToolbarIcon::language, language()->iconText()}},
    };
    for (const auto& [action, look] : toolbarItems) {
        action->setIcon(toolbarIcon(look.first, ink));
        action->setIconText(look.second);
        action->setIconVisibleInMenu(false);
    }

    connect(m_close, &QAction::triggered, &document, [&document] { document.close(); });
    connect(m_save, &QAction::triggered, &document, [&document] { document.saveDocument(); });
    connect(m_saveAs, &QAction::triggered, &document, [&document] { document.saveDocumentAs(); });
    connect(m_revert, &QAction::triggered, &document, [&document] { document.revertDocumentToSaved(); });
    connect(m_undo, &QAction::triggered, this, [this] { undoOrRedo(true); });
    connect(m_redo, &QAction::triggered, this, [this] { undoOrRedo(false); });
    connect(m_exportAll, &QAction::triggered, this, [this] {
        m_window.commitEditing();
        m_commands.exportAllScreenshots();
    });
    connect(m_exportCurrent, &QAction::triggered, this, [this] {
        m_window.commitEditing();
        m_commands.exportCurrentScreenshot();
    });
    // These edit the text being edited when there is any, and the document otherwise.
    const auto connectTextFirst = [this](QAction* action, TextCommand textCommand,
                                         std::function<void()> documentCommand) {
        connect(action, &QAction::triggered, this,
                [this, textCommand, documentCommand = std::move(documentCommand)] {
                    if (!performTextCommand(textCommand))
                        documentCommand();
                });
    };
    connectTextFirst(m_cut, TextCommand::cut,
                     [this] { performNamed(tr("Cut"), [this] { m_commands.cut(); }); });
    connectTextFirst(m_copy, TextCommand::copy, [this] { m_commands.copy(); });
    connectTextFirst(m_paste, TextCommand::paste,
                     [this] { performNamed(tr("Paste"), [this] { m_commands.paste(); }); });
    connectTextFirst(m_delete, TextCommand::remove,
                     [this] { performNamed(tr("Delete"), [this] { m_commands.deleteSelection(); }); });
    connect(m_selectAll, &QAction::triggered, this, [this] { performTextCommand(TextCommand::selectAll); });
    connect(m_duplicate, &QAction::triggered, this,
            [this] { performNamed(tr("Duplicate"), [this] { m_commands.duplicateSelection(); }); });
    connect(m_addScreenshot, &QAction::triggered, &commands, &DocumentCommands::showTemplatePicker);
    connect(m_share, &QAction::triggered, this, [this] {
        // Shown below its toolbar button; from anywhere else the command shows nothing.
        if (auto* button = qobject_cast<QAbstractButton*>(m_window.toolbar()->widgetForAction(m_share)))
            m_commands.showShareMenu(*button);
    });
    connect(m_feedback, &QAction::triggered, this, [this] {
        QWidget* button = m_window.toolbar()->widgetForAction(m_feedback);
        m_commands.showFeedbackPopover(
            qobject_cast<QAbstractButton*>(button) && button->isVisible() ? button : nullptr);
    });

    // Language commands take what was typed on the canvas first, into the language it was typed in.
    const auto connectLanguageCommand = [this](QAction* action,
                                               std::function<void(LanguageCommands&)> command) {
        connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
            m_window.commitEditing();
            command(m_languageCommands);
        });
    };
    connectLanguageCommand(m_addLanguage, &LanguageCommands::addLanguage);
    connectLanguageCommand(m_removeLanguage, &LanguageCommands::removeLanguage);
    connectLanguageCommand(m_setBaseLanguage, &LanguageCommands::setBaseLanguage);
    connectLanguageCommand(m_exportForTranslation, &LanguageCommands::exportForTranslation);
    connectLanguageCommand(m_importTranslations, &LanguageCommands::importTranslations);

    connect(&document.selection(), &model::DocumentSelection::screenshotsChanged, this,
            &DocumentActions::validate);
    connect(&languageCommands.choice(), &LanguageChoice::languagesChanged, this, &DocumentActions::validate);
    connect(&languageCommands.choice(), &LanguageChoice::currentChanged, this, &DocumentActions::validate);
    connect(&document.arrangement(), &pelorama::document::ScreenshotArrangement::rearranged, this,
            &DocumentActions::validate);
    connect(document.undoStack(), &QUndoStack::indexChanged, this, &DocumentActions::validate);
    connect(document.undoStack(), &QUndoStack::cleanChanged, this, &DocumentActions::validate);
    connect(&document, &appkit::Document::filePathChanged, this, &DocumentActions::validate);
    // Paste follows what the clipboard offers, whichever program put it there.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &DocumentActions::validate);
    connect(qApp, &QApplication::focusChanged, this, &DocumentActions::validate);
    validate();
}

DocumentActions::~DocumentActions() = default;

QAction* DocumentActions::language() const
{
    return m_languageMenu->menuAction();
}

QAction* DocumentActions::make(const QString& name, const QString& text)
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    return action;
}

QWidget* DocumentActions::textTarget() const
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != &m_window)
        return nullptr;
    if (lineEditOf(focus) || qobject_cast<QTextEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus))
        return focus;
    return nullptr;
}

bool DocumentActions::performTextCommand(TextCommand command)
{
    QWidget* target = textTarget();
    if (QLineEdit* line = lineEditOf(target))
        perform(*line, command);
    else if (auto* text = qobject_cast<QTextEdit*>(target))
        perform(*text, command);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(target))
        perform(*plain, command);
    else
        return false;
    return true;
}

void DocumentActions::performNamed(const QString& name, const std::function<void()>& command)
{
    std::optional<store::ScopedUndoGroup> step;
    if (store::ManagedObjectContext* context = m_document.managedObjectContext())
        step.emplace(*context, name);
    command();
}

void DocumentActions::undoOrRedo(bool undo)
{
    QUndoStack* stack = m_document.undoStack();
    const QUndoCommand* step = stack->command(undo ? stack->index() - 1 : stack->index());
    if (!step)
        return;
    if (undo)
        stack->undo();
    else
        stack->redo();
    store::ManagedObjectContext* context = m_document.managedObjectContext();
    if (!context)
        return;
    LanguageChoice& choice = m_languageCommands.choice();
    choice.refresh();
    const QStringList changed = UndoSteps::changedLanguages(step, *context, choice.languages());
    if (!changed.isEmpty() && !changed.contains(choice.current()))
        choice.choose(changed.contains(choice.languages().base) ? choice.languages().base : changed.front());
}

void DocumentActions::validate()
{
    QUndoStack* undo = m_document.undoStack();
    m_undo->setEnabled(undo->canUndo());
    m_redo->setEnabled(undo->canRedo());
    // Named after the step, with the mnemonic the bare commands have.
    const auto named = [](const QString& command, const QUndoCommand* step) {
        const QString name = UndoSteps::name(step);
        return name.isEmpty()
                   ? command
                   : QStringLiteral("%1 %2").arg(
                         command, QString(name).replace(QStringLiteral("&"), QStringLiteral("&&")));
    };
    m_undo->setText(named(tr("&Undo"), undo->command(undo->index() - 1)));
    m_redo->setText(named(tr("&Redo"), undo->command(undo->index())));
    m_revert->setEnabled(!m_document.isUntitled() && m_document.isEdited());

    const bool editingText = textTarget() != nullptr;
    const bool selected = m_document.selection().screenshot() != nullptr;
    m_cut->setEnabled(editingText || selected);
    m_copy->setEnabled(editingText || selected);
    m_delete->setEnabled(editingText || selected);
    m_paste->setEnabled(editingText || document::ScreenshotPasteboard::hasScreenshots());
    m_selectAll->setEnabled(editingText);
    m_duplicate->setEnabled(selected);
    m_exportCurrent->setEnabled(selected);
    m_share->setEnabled(selected);
    m_exportAll->setEnabled(!m_document.arrangement().screenshots().isEmpty());

    const LanguageChoice& languages = m_languageCommands.choice();
    const bool hasTranslations = languages.languages().hasTranslations();
    m_removeLanguage->setEnabled(hasTranslations);
    m_setBaseLanguage->setEnabled(languages.current() != languages.languages().base);
    m_exportForTranslation->setEnabled(hasTranslations);
}

} // namespace pelorama::app
