#include "app/feedback/FeedbackViewController.h"

#include "app/feedback/PlaceholderTextView.h"
#include "foundation/Diagnostics.h"
#include "tessaline/Shared/App.h"
#include "tessaline/Shared/CodebaseTicket.h"
#include "tessaline/Tessaline/PopoverMessage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace pelorama::app {

namespace {

// The address pattern, unchanged from the form's first release (the domain labels before the last one
// take only lower-case a to z inside them, by the original's choice). Applied to the whole address.
const QString emailPattern =
    QString::fromUtf8(R"((?:[\p{L}0-9!#$%\&'*+/=?\^_`{|}~-]+(?:\.[\p{L}0-9!#$%\&'*+/=?\^_`{|})"
                      R"(~-]+)*|"(?:[\x01-\x08\x0b\x0c\x0e-\x1f\x21\x23-\x5b\x5d-\)"
                      R"(x7f]|\\[\x01-\x09\x0b\x0c\x0e-\x7f])*")@(?:(?:[\p{L}0-9](?:[a-)"
                      R"(z0-9-]*[\p{L}0-9])?\.)+[\p{L}0-9](?:[\p{L}0-9-]*[\p{L}0-9])?|\[(?:(?:25[0-5)"
                      R"(]|2[0-4][0-9]|[01]?[0-9][0-9]?)\.){3}(?:25[0-5]|2[0-4][0-9]|[01]?[0-)"
                      R"(9][0-9]?|[\p{L}0-9-]*[\p{L}0-9]:(?:[\x01-\x08\x0b\x0c\x0e-\x1f\x21)"
                      R"(-\x5a\x53-\x7f]|\\[\x01-\x09\x0b\x0c\x0e-\x7f])+)\]))");

const QRegularExpression& emailExpression()
{
    static const QRegularExpression expression(QRegularExpression::anchoredPattern(emailPattern),
                                               QRegularExpression::UseUnicodePropertiesOption);
    return expression;
}

} // namespace

FeedbackViewController::FeedbackViewController(QObject* parent)
    : appkit::ViewController(parent)
{}

FeedbackViewController::~FeedbackViewController() = default;

void FeedbackViewController::setName(const QString& name)
{
    m_name = name;
    emit nameChanged();
}

void FeedbackViewController::setEmail(const QString& email)
{
    m_email = email;
    emit emailChanged();
}

void FeedbackViewController::setMessage(const QString& message)
{
    m_message = message;
    emit messageChanged();
}

void FeedbackViewController::loadView()
{
    auto* view = new QWidget;
    view->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(view);
    auto* fields = new QFormLayout;
    m_nameField = new QLineEdit(view);
    m_nameField->setObjectName(QStringLiteral("name"));
    m_nameField->setPlaceholderText(QStringLiteral("Your name"));
    m_emailField = new QLineEdit(view);
    m_emailField->setObjectName(QStringLiteral("email"));
    m_emailField->setPlaceholderText(QStringLiteral("you@example.com"));
    fields->addRow(QStringLiteral("Name:"), m_nameField);
    fields->addRow(QStringLiteral("E-mail:"), m_emailField);
    layout->addLayout(fields);
    m_messageTextView = new PlaceholderTextView(view);
    // Tab and Backtab leave the message for the other fields and the button, as in any other form.
    m_messageTextView->setTabChangesFocus(true);
    m_messageTextView->setPlaceholder(QStringLiteral("What would you like to tell us?"));
    m_messageTextView->setFont(QFont());
    m_messageTextView->setMinimumHeight(140);
    layout->addWidget(m_messageTextView);
    m_submitButton = new QPushButton(QStringLiteral("Send Feedback"), view);
    m_submitButton->setDefault(true);
    layout->addWidget(m_submitButton, 0, Qt::AlignRight);

    // The fields and the three texts stay equal both ways.
    m_nameField->setText(m_name);
    m_emailField->setText(m_email);
    m_messageTextView->setPlainText(m_message);
    connect(m_nameField, &QLineEdit::textChanged, this, &FeedbackViewController::setName);
    connect(m_emailField, &QLineEdit::textChanged, this, &FeedbackViewController::setEmail);
    connect(m_messageTextView, &QPlainTextEdit::textChanged, this,
            [this] { setMessage(m_messageTextView->toPlainText()); });
    connect(m_nameField, &QLineEdit::textEdited, this, [this] { fieldEdited(Field::name); });
    connect(m_emailField, &QLineEdit::textEdited, this, [this] { fieldEdited(Field::email); });
    connect(m_messageTextView, &QPlainTextEdit::textChanged, this, [this] {
        // Only the user's typing; the form's own updates do not count.
        if (m_messageTextView->hasFocus())
            fieldEdited(Field::message);
    });
    connect(this, &FeedbackViewController::nameChanged, m_nameField, [this] {
        if (m_nameField->text() != m_name)
            m_nameField->setText(m_name);
    });
    connect(this, &FeedbackViewController::emailChanged, m_emailField, [this] {
        if (m_emailField->text() != m_email)
            m_emailField->setText(m_email);
    });
    connect(this, &FeedbackViewController::messageChanged, m_messageTextView, [this] {
        if (m_messageTextView->toPlainText() != m_message)
            m_messageTextView->setPlainText(m_message);
    });
    connect(m_submitButton, &QPushButton::clicked, this, [this] { submitPressed(m_submitButton); });
    setView(view);
}

void FeedbackViewController::viewWillAppear()
{
    // Each time the form is shown, typing starts in the first field not yet filled in.
    QWidget* first = m_name.isEmpty()    ? static_cast<QWidget*>(m_nameField)
                     : m_email.isEmpty() ? static_cast<QWidget*>(m_emailField)
                                         : static_cast<QWidget*>(m_messageTextView);
    first->setFocus(Qt::OtherFocusReason);
}

void FeedbackViewController::submitPressed(QObject* sender)
{
    auto* button = qobject_cast<QAbstractButton*>(sender);
    if (!button)
        return;
    if (m_name.isEmpty() || m_email.isEmpty() || m_message.isEmpty()) {
        showMessage(QStringLiteral("{#f00|Please fill in all fields.}"), button, std::nullopt);
        return;
    }
    if (!isValidEmail(m_email)) {
        showMessage(QStringLiteral("{#f00|Please enter a valid e-mail address.}"), button, Field::email);
        return;
    }
    if (m_shownMessage)
        m_shownMessage->close();
    const tessaline::CodebaseTicket ticket(ticketSummary(), ticketDescription(m_name, m_email, m_message));
    // The outcome is reported also when the form has gone meanwhile.
    ticket.post([form = QPointer<FeedbackViewController>(this)](
                    const std::optional<tessaline::CodebaseTicket::Error>& error) {
        const std::optional<QString> message = error ? std::optional<QString>(error->message) : std::nullopt;
        if (form)
            form->handleSubmitResult(message);
        else
            showResult(message);
    });
}

void FeedbackViewController::showMessage(const QString& markup, QAbstractButton* button,
                                         std::optional<Field> field)
{
    if (m_shownMessage)
        m_shownMessage->close();
    m_shownMessage = tessaline::PopoverMessage::showMarkupMessage(markup, button);
    m_shownMessageField = field;
}

void FeedbackViewController::fieldEdited(Field field)
{
    if (m_shownMessage && (!m_shownMessageField || *m_shownMessageField == field))
        m_shownMessage->close();
}

bool FeedbackViewController::isValidEmail(const QString& address)
{
    return emailExpression().match(address).hasMatch();
}

QString FeedbackViewController::ticketSummary()
{
    return tessaline::App::name() + ' ' + tessaline::App::platform() + ' ' + tessaline::App::version() +
           QStringLiteral(" feedback");
}

QString FeedbackViewController::ticketDescription(const QString& name, const QString& email,
                                                  const QString& message)
{
    return QStringLiteral("Name: ") + name + QStringLiteral("\nE-mail address: ") + email +
           QStringLiteral("\nDevice: ") + tessaline::App::deviceModel() +
           QStringLiteral("\nOperating system: ") + tessaline::App::operatingSystem() +
           QStringLiteral("\n\n") + message;
}

void FeedbackViewController::handleSubmitResult(const std::optional<QString>& error)
{
    if (!error) {
        setName({});
        setEmail({});
        setMessage({});
    }
    showResult(error);
}

void FeedbackViewController::showResult(const std::optional<QString>& error)
{
    QString title = QStringLiteral("Feedback sent");
    QString text = QStringLiteral("Thank you for letting us know");
    if (error) {
        foundation::printLine(QStringLiteral("Codebase submission error: ") + *error);
        title = QStringLiteral("Submit failure");
        text = QStringLiteral("Unfortunately there was a network error. Please try again later.");
    }
    QMetaObject::invokeMethod(
        qApp, [title, text] { showAlert(title, text); }, Qt::QueuedConnection);
}

void FeedbackViewController::showAlert(const QString& title, const QString& message)
{
    QMessageBox alert;
    alert.setIcon(QMessageBox::Information);
    alert.setText(title);
    alert.setInformativeText(message);
    alert.addButton(QStringLiteral("Ok"), QMessageBox::AcceptRole);
    alert.exec();
}

} // namespace pelorama::app
