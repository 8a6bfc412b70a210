#pragma once

#include <QObject>
#include <QPointer>

class QMessageBox;
class QWidget;

namespace pelorama::app {

class AddLanguageDialog;
class Document;
class LanguageChoice;
class RemoveLanguageDialog;

// What the commands on a document's languages do, as its window offers them: each asks in a dialog on
// the window where it needs to, changes the document in one step to undo, and says in an alert why it
// failed. Whether a command may run is the window's actions' to decide.
class LanguageCommands : public QObject
{
    Q_OBJECT

public:
    LanguageCommands(Document& document, LanguageChoice& choice, QWidget& window);

    LanguageChoice& choice() const { return m_choice; }

    // Asks for a language the document lacks, adds it and shows it.
    void addLanguage();
    // Asks which language other than the base to remove, with its texts, and removes it.
    void removeLanguage();
    // Makes the language shown the base language; where captions have no text in it, after asking
    // (how many, and that they keep the text they show).
    void setBaseLanguage();

    // Asks for a folder (a sheet on the window) and writes into it the captions of each language but the
    // base as a PO file for translators; an alert names the files that could not be written.
    void exportForTranslation();

    // Asks for PO files (a sheet on the window) and reads them back into the captions, as one step to
    // undo: all of them, or, with an alert that names the file and the line, none. One alert names what
    // the files held that was not taken.
    void importTranslations();

    // The dialogs while they are open.
    AddLanguageDialog* addLanguageDialog() const;
    RemoveLanguageDialog* removeLanguageDialog() const;
    QMessageBox* setBaseLanguageAlert() const;

private:
    Document& m_document;
    LanguageChoice& m_choice;
    QWidget& m_window;
    QPointer<AddLanguageDialog> m_addDialog;
    QPointer<RemoveLanguageDialog> m_removeDialog;
    QPointer<QMessageBox> m_setBaseAlert;
};

} // namespace pelorama::app
