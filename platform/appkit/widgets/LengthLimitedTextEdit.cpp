#include "appkit/widgets/LengthLimitedTextEdit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <algorithm>

namespace appkit {

LengthLimitedTextEdit::LengthLimitedTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    // Edits that shorten an over-long text back within the limit go back to wrapping between words.
    connect(this, &QPlainTextEdit::textChanged, this, [this] { wrapFor(length()); });
}

void LengthLimitedTextEdit::setMaximumLength(int length)
{
    m_maximumLength = std::max(length, 0);
    wrapFor(this->length());
}

void LengthLimitedTextEdit::setText(const QString& text)
{
    wrapFor(text.size());
    setPlainText(text);
}

qsizetype LengthLimitedTextEdit::length() const
{
    // The document counts a separator after its last block too.
    return document()->characterCount() - 1;
}

void LengthLimitedTextEdit::wrapFor(qsizetype length)
{
    const QTextOption::WrapMode mode =
        length > m_maximumLength ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}

bool LengthLimitedTextEdit::takes(qsizetype inserted)
{
    const QTextCursor cursor = textCursor();
    const qsizetype resulting = length() - (cursor.selectionEnd() - cursor.selectionStart()) + inserted;
    if (inserted == 0 || resulting <= m_maximumLength)
        return true;
    emit insertionRefused(resulting);
    return false;
}

void LengthLimitedTextEdit::keyPressEvent(QKeyEvent* event)
{
    // What the editor inserts for a key: a new line for Return and Enter, else the key's printable text.
    qsizetype inserted = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        inserted = 1;
    else if (!event->text().isEmpty() && (event->text().front().isPrint() || event->text().front() == u'\t'))
        inserted = event->text().size();
    if (!isReadOnly() && !takes(inserted)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LengthLimitedTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (!isReadOnly() && !takes(event->commitString().size())) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void LengthLimitedTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText() && !takes(source->text().size()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}

} // namespace appkit
