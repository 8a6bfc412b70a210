#pragma once

#include <QPlainTextEdit>
#include <limits>

namespace appkit {

// A plain-text editor that takes no text beyond a maximum length (UTF-16 code units): typed, pasted,
// dropped or composed text that would make it longer is refused whole, and insertionRefused says so, so
// that nothing is cut off unseen. A text the program sets with setText may be longer: it is shown wrapped
// anywhere rather than between words, since wrapping a long text between words takes Qt time growing with
// the square of its length, and it can be shortened.
class LengthLimitedTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LengthLimitedTextEdit(QWidget* parent = nullptr);

    // No limit until one is set.
    int maximumLength() const { return m_maximumLength; }
    void setMaximumLength(int length);
    // Sets the text, wrapped as its length asks; QPlainTextEdit::setPlainText would wrap it between words
    // first.
    void setText(const QString& text);
    qsizetype length() const;

signals:
    // Text was refused that would have made the text refusedLength long.
    void insertionRefused(qsizetype refusedLength);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Whether replacing the selection with inserted characters keeps the text within the limit; when
    // not, says so.
    bool takes(qsizetype inserted);
    void wrapFor(qsizetype length);

    int m_maximumLength = std::numeric_limits<int>::max();
};

} // namespace appkit
