#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QWidget;

namespace pelorama::app {

class Document;
class DocumentCommands;
class DocumentWindow;
class LanguageCommands;
class LanguageMenu;

// The commands of a document window, one QAction each, shared by its menus and its toolbar, and the one
// pass that decides which of them are enabled. The pass runs whenever what it reads changes: the
// selection, the list, the clipboard, the undo stack, the document's place and edited state, and the
// keyboard focus, and the document's languages and the one shown.
//
// Undo and Redo name the step they take back or bring again ("Undo Edit Caption").
//
// Cut, Copy, Paste, Delete and Select All act on the text field being edited when there is one, and on
// the selected screenshot otherwise; the Delete key deletes the screenshot only from the list.
class DocumentActions : public QObject
{
    Q_OBJECT

public:
    DocumentActions(Document& document, DocumentWindow& window, DocumentCommands& commands,
                    LanguageCommands& languageCommands);
    ~DocumentActions() override;

    QAction* close() const { return m_close; }
    QAction* save() const { return m_save; }
    QAction* saveAs() const { return m_saveAs; }
    QAction* revert() const { return m_revert; }
    QAction* exportAll() const { return m_exportAll; }
    QAction* exportCurrent() const { return m_exportCurrent; }
    QAction* undo() const { return m_undo; }
    QAction* redo() const { return m_redo; }
    QAction* cut() const { return m_cut; }
    QAction* copy() const { return m_copy; }
    QAction* paste() const { return m_paste; }
    QAction* duplicate() const { return m_duplicate; }
    QAction* remove() const { return m_delete; }
    QAction* selectAll() const { return m_selectAll; }
    QAction* addScreenshot() const { return m_addScreenshot; }
    // Checkable: checked while the pane is shown.
    QAction* showScreenshotList() const { return m_showScreenshotList; }
    QAction* showInspector() const { return m_showInspector; }
    QAction* share() const { return m_share; }
    QAction* feedback() const { return m_feedback; }
    QAction* addLanguage() const { return m_addLanguage; }
    QAction* removeLanguage() const { return m_removeLanguage; }
    QAction* setBaseLanguage() const { return m_setBaseLanguage; }
    QAction* exportForTranslation() const { return m_exportForTranslation; }
    QAction* importTranslations() const { return m_importTranslations; }
    // The language menu, and its action, which the toolbar and the View menu show.
    LanguageMenu* languageMenu() const { return m_languageMenu; }
    QAction* language() const;

    // Enables every action as the document, the clipboard and the focus now allow.
    void validate();

    // What the edit commands do to a text field that has the focus.
    enum class TextCommand
    {
        cut,
        copy,
        paste,
        remove,
        selectAll
    };

private:
    QAction* make(const QString& name, const QString& text);
    // The text field of the window that has the keyboard focus, when there is one.
    QWidget* textTarget() const;
    // Runs the command on the text field that has the focus; false when none has.
    bool performTextCommand(TextCommand command);
    // Runs command as one step to undo called name.
    void performNamed(const QString& name, const std::function<void()>& command);
    // Undoes or redoes the next step; one that changes captions' texts in a language other than the one
    // shown shows that language, so that what it changed is seen.
    void undoOrRedo(bool undo);

    Document& m_document;
    DocumentWindow& m_window;
    DocumentCommands& m_commands;
    LanguageCommands& m_languageCommands;
    QAction* m_close;
    QAction* m_save;
    QAction* m_saveAs;
    QAction* m_revert;
    QAction* m_exportAll;
    QAction* m_exportCurrent;
    QAction* m_undo;
    QAction* m_redo;
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
    QAction* m_duplicate;
    QAction* m_delete;
    QAction* m_selectAll;
    QAction* m_addScreenshot;
    QAction* m_showScreenshotList;
    QAction* m_showInspector;
    QAction* m_share;
    QAction* m_feedback;
    QAction* m_addLanguage;
    QAction* m_removeLanguage;
    QAction* m_setBaseLanguage;
    QAction* m_exportForTranslation;
    QAction* m_importTranslations;
    LanguageMenu* m_languageMenu;
};

} // namespace pelorama::app
