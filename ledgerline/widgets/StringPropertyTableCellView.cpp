#include "ledgerline/widgets/StringPropertyTableCellView.h"

#include "ledgerline/core/StringProperty.h"
#include "tessaline/Tessaline/PopoverMessage.h"

#include <QEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <limits>

namespace ledgerline {

StringPropertyTableCellView::StringPropertyTableCellView(QWidget* parent)
    : PropertyTableCellView(parent)
    , m_textField(new QLineEdit(this))
    , m_textView(new appkit::LengthLimitedTextEdit(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_textField);
    layout->addWidget(m_textView);
    m_textView->setTabChangesFocus(true);
    m_textView->setFixedHeight(m_textView->fontMetrics().lineSpacing() * 4 + 12);
    m_textView->installEventFilter(this);
    m_textView->hide();
    connect(m_textField, &QLineEdit::editingFinished, this, &StringPropertyTableCellView::commitEditing);
    connect(m_textView, &appkit::LengthLimitedTextEdit::insertionRefused, this,
            [this](qsizetype refusedLength) {
                tessaline::PopoverMessage::showMessage(
                    QStringLiteral("The text takes at most %1 characters; this would make it %2.")
                        .arg(m_textView->maximumLength())
                        .arg(refusedLength),
                    m_textView);
            });
}

void StringPropertyTableCellView::objectValueChanged(Property* property)
{
    auto* string = qobject_cast<StringProperty*>(property);
    m_multiLine = string && string->textStyle() == StringProperty::multiLineText;
    m_textField->setVisible(!m_multiLine);
    m_textView->setVisible(m_multiLine);
    m_textView->setMaximumLength(string ? string->maximumLength().value_or(std::numeric_limits<int>::max())
                                        : std::numeric_limits<int>::max());
    if (!property) {
        show({});
        return;
    }
    follow(property, QStringLiteral("value"), [this](const QVariant& value) {
        show(value.canConvert<QString>() ? value.toString() : QString());
    });
}

void StringPropertyTableCellView::show(const QString& text)
{
    if (m_textField->text() != text) {
        m_textField->setText(text);
        // A text longer than the field shows its beginning.
        m_textField->setCursorPosition(0);
    }
    m_textField->setModified(false);
    if (m_textView->toPlainText() != text) {
        m_textView->setText(text);
    }
    m_textView->document()->setModified(false);
}

void StringPropertyTableCellView::commitEditing()
{
    Property* property = objectValue();
    if (!property) {
        return;
    }
    if (m_multiLine) {
        if (m_textView->document()->isModified()) {
            m_textView->document()->setModified(false);
            property->setValue(m_textView->toPlainText());
        }
    } else if (m_textField->isModified()) {
        m_textField->setModified(false);
        property->setValue(m_textField->text());
    }
}

bool StringPropertyTableCellView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_textView && event->type() == QEvent::FocusOut) {
        commitEditing();
    }
    return PropertyTableCellView::eventFilter(watched, event);
}

} // namespace ledgerline
