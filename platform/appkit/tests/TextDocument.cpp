#include "TextDocument.h"

#include <QFile>

class SetTextCommand : public QUndoCommand
{
public:
    SetTextCommand(TextDocument& document, QString text)
        : m_document(document)
        , m_text(std::move(text))
    {}

    void redo() override { std::swap(m_document.m_text, m_text); }
    void undo() override { std::swap(m_document.m_text, m_text); }

private:
    TextDocument& m_document;
    QString m_text;
};

appkit::DocumentType TextDocument::documentType(bool autosaves)
{
    appkit::DocumentType type;
    type.name = "Text";
    type.description = "Text Document";
    type.extensions = {"txt", "text"};
    type.makeDocument = [autosaves] {
        return std::make_unique<TextDocument>(autosaves);
    };
    return type;
}

void TextDocument::setText(const QString& text)
{
    undoStack()->push(new SetTextCommand(*this, text));
}

appkit::DocumentResult<> TextDocument::read(const QString& path, const QString&)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return appkit::documentFailure("The file “" + path + "” could not be read.");
    m_text = QString::fromUtf8(file.readAll());
    return {};
}

appkit::DocumentResult<> TextDocument::write(const QString& path, const QString&, appkit::SaveOperation,
                                             const QString&)
{
    if (failWrites)
        return appkit::documentFailure("The disk is full.");
    writeTextFile(path, m_text);
    ++writes;
    return {};
}

QString textOfFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeTextFile(const QString& path, const QString& text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}

void TextDocument::commitEditing()
{
    if (!editorText.isEmpty())
        setText(std::exchange(editorText, QString()));
}
