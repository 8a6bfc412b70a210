#pragma once

#include "model/languages/DocumentLanguages.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace pelorama::app {

class Document;

// The languages of a document as its window offers them, and the one the window shows: the language of
// the document's selection, a choice of the window that is neither saved nor undone, empty for the base
// language. The languages are read again whenever they may have changed (an edit, an undo or redo, a
// revert); a shown language the document no longer has, or that became its base, gives way to the base.
class LanguageChoice : public QObject
{
    Q_OBJECT

public:
    LanguageChoice(Document& document, QObject* parent);

    const model::DocumentLanguages& languages() const { return m_languages; }
    // The code of the language shown, the base language's included.
    QString current() const;
    // Shows code, one of the document's languages.
    void choose(const QString& code);
    // Reads the document's languages again, at once.
    void refresh();

signals:
    // After the document's languages changed.
    void languagesChanged();
    // After every assignment of the language shown.
    void currentChanged();

private:
    QPointer<Document> m_document;
    model::DocumentLanguages m_languages;
};

} // namespace pelorama::app
