#include "canvas/CaptionEditor.h"

#include "model/entities/CaptionText.h"
#include "model/entities/TextRect.h"
#include "tessaline/Tessaline/PopoverMessage.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace pelorama::canvas {

namespace {

Qt::Alignment toQtAlignment(graphics::TextAlignment alignment)
{
    switch (alignment) {
    case graphics::TextAlignment::right:
        return Qt::AlignRight;
    case graphics::TextAlignment::center:
        return Qt::AlignHCenter;
    case graphics::TextAlignment::justified:
        return Qt::AlignJustify;
    case graphics::TextAlignment::left:
    case graphics::TextAlignment::natural:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

CaptionEditor::CaptionEditor(model::TextRect& textRect, const QString& language, const graphics::Font& font,
                             QWidget* parent)
    : LengthLimitedTextEdit(parent)
    , m_textRect(&textRect)
    , m_language(language)
    , m_font(font)
{
    setMaximumLength(model::TextRect::maximumTextLength);
    setText(textRect.text(language));
    connect(this, &LengthLimitedTextEdit::insertionRefused, this, [this](qsizetype refusedLength) {
        tessaline::PopoverMessage::showMessage(
            QStringLiteral("A caption takes at most %1 characters; this would make it %2.")
                .arg(maximumLength())
                .arg(refusedLength),
            this);
    });
    setTabChangesFocus(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    document()->setDocumentMargin(0);

    // Font sizes here are view points, one pixel each at scale 1, as the canvas is shown; Qt's point
    // sizes follow the screen's logical resolution instead.
    QFont shown = font.toQFont();
    shown.setPointSizeF(font.pointSize() * 72.0 / logicalDpiY());
    setFont(shown);

    QTextOption option = document()->defaultTextOption();
    option.setAlignment(toQtAlignment(textRect.horizontalAlignment()));
    document()->setDefaultTextOption(option);
}

bool CaptionEditor::event(QEvent* event)
{
    // Escape belongs to the editor while it is open, whatever the window binds it to.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        event->accept();
        return true;
    }
    return LengthLimitedTextEdit::event(event);
}

void CaptionEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        if (!m_ended) {
            m_ended = true;
            emit editingWasCancelled();
        }
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        event->accept();
        endEditing();
        return;
    default:
        LengthLimitedTextEdit::keyPressEvent(event);
    }
}

void CaptionEditor::focusOutEvent(QFocusEvent* event)
{
    LengthLimitedTextEdit::focusOutEvent(event);
    // A click in the canvas view takes the focus before the view hears of the click; the view ends
    // the editing itself then, so that the click does nothing else.
    const bool clickInParent = event->reason() == Qt::MouseFocusReason && parentWidget() &&
                               QApplication::focusWidget() == parentWidget();
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason ||
        clickInParent)
        return;
    endEditing();
}

void CaptionEditor::endEditing()
{
    if (m_ended)
        return;
    m_ended = true;
    emit editingDidEnd();
}

void CaptionEditor::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText()) {
        LengthLimitedTextEdit::insertFromMimeData(source);
        return;
    }
    QMimeData text;
    text.setText(model::CaptionText::withCaptionCharacters(source->text()));
    LengthLimitedTextEdit::insertFromMimeData(&text);
}

} // namespace pelorama::canvas
