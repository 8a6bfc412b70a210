#pragma once

#include "appkit/core/Document.h"

#include <QUndoCommand>

// A document of plain text, edited through its undo stack, for tests of the document machinery.
class TextDocument : public appkit::Document
{
    Q_OBJECT

public:
    static appkit::DocumentType documentType(bool autosaves = false);

    explicit TextDocument(bool autosaves = false)
        : m_autosaves(autosaves)
    {
        setDocumentType(documentType(autosaves));
    }

    const QString& text() const { return m_text; }
    // An undoable edit.
    void setText(const QString& text);

    bool autosavesInPlace() const override { return m_autosaves; }

    int writes = 0;
    bool failWrites = false;
    // Text typed into an editor of the window and not yet written into the document.
    QString editorText;

protected:
    void commitEditing() override;
    appkit::DocumentResult<> read(const QString& path, const QString& typeName) override;
    appkit::DocumentResult<> write(const QString& path, const QString& typeName,
                                   appkit::SaveOperation operation, const QString& previousPath) override;

private:
    friend class SetTextCommand;

    bool m_autosaves;
    QString m_text;
};

// Reads the text of a file; empty when there is none.
QString textOfFile(const QString& path);
void writeTextFile(const QString& path, const QString& text);
